#pragma once

namespace gw {

// The platter and the sample lift: turning to a position takes time, and so does moving the
// sample back onto the platter; the reader is busy meanwhile.
class SimPlatter {
public:
    explicit SimPlatter(int positions) : positions_(positions < 1 ? 1 : positions) {}

    int positions() const { return positions_; }
    int position() const { return position_; }

    // The disk number (1 ... positions) that sits at a platter position.
    int diskAt(int position) const;

    // Starts turning to a position; returns false (and does nothing) when it does not exist.
    bool turnTo(int target, double nowMs);
    void moveBack(double nowMs);
    void stop(double nowMs);

    bool busy(double nowMs) const { return nowMs < busyUntilMs_; }
    bool turning(double nowMs) const { return turning_ && busy(nowMs); }
    double busyUntil() const { return busyUntilMs_; }

    // Finishes a move whose time is up; returns true when one just ended.
    bool update(double nowMs);

private:
    int positions_;
    int position_ = 1;
    int target_ = 1;
    bool turning_ = false;
    bool moving_ = false;
    double busyUntilMs_ = 0.0;
};

} // namespace gw
