#pragma once

namespace gw {

// The steps of the live graph's y scale: 1, 2, 5 x 10^n.
class GraphScale {
public:
    static constexpr double InitialYLimit = 1000;
    static constexpr double LowestYLimit = 50;
    static constexpr double NarrowXLimit = 500;
    static constexpr double WideXLimit = 700;

    // The next step above the limit R: with p = 10^int(log10 R + 0.1) and c = R / p, 2p when
    // c < 2, 5p when c < 5, else 10p.
    static double YUp(double limit);
    // The next step below: 5p when c > 5, 2p when c > 2, p when c > 1, else p / 2; at least 50.
    static double YDown(double limit);

private:
    struct Decade {
        double p;
        double c;
    };
    static Decade decadeOf(double limit);
};

} // namespace gw
