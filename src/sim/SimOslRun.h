#pragma once

#include <array>
#include <vector>

namespace gw {

// The four time-base segments set by "B" (width = multiplier x base ms) and "X" (points).
struct SimTimeBase {
    std::array<int, 4> multiplier{1, 1, 4, 40};
    std::array<int, 4> baseMs{10, 100, 250, 250};
    std::array<int, 4> points{0, 100, 0, 0};

    int totalPoints() const;
    // Width in ms of the measured point p (0-based).
    double widthMs(int point) const;
};

// An OSL, LM-OSL or VM-OSL measurement ("U"): one data point per time-base channel, state code
// 10 while it runs. With constant power the light stays at the set power; on the ramped channels
// (5 and 6) the power rises by the increment at every point. With the compatibility form an
// extra dark point 0 comes first, and the measured points follow from 1.
class SimOslRun {
public:
    static constexpr double kDarkPointMs = 10.0;

    SimOslRun(const SimTimeBase& timeBase, int power, int channel, bool compatible, double nowMs);

    bool finished() const { return nextPoint_ > lastPoint_; }
    bool infrared() const { return channel_ == 0 || channel_ == 1 || channel_ == 5; }
    bool ramped() const { return channel_ == 5 || channel_ == 6; }

    // Light power (0 ... 1) while the point now being collected is measured.
    double power() const;

    double nextPointMs() const;
    int nextPoint() const { return nextPoint_; }
    int lastPoint() const { return lastPoint_; }
    void pointSent();

private:
    std::vector<double> boundariesMs_; // end time of every point
    int power_;
    int channel_;
    int firstLitPoint_;
    int nextPoint_ = 0;
    int lastPoint_;
};

} // namespace gw
