#include "sim/SimOslRun.h"

#include <algorithm>

namespace gw {

namespace {

constexpr double kFullScale = 4095.0;

} // namespace

int SimTimeBase::totalPoints() const {
    int total = 0;
    for (int n : points) {
        total += std::max(0, n);
    }
    return total;
}

double SimTimeBase::widthMs(int point) const {
    int end = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        end += std::max(0, points[k]);
        if (point < end) {
            return std::max(1, multiplier[k]) * std::max(1, baseMs[k]) * 1.0;
        }
    }
    return std::max(1, multiplier[3]) * std::max(1, baseMs[3]) * 1.0;
}

SimOslRun::SimOslRun(const SimTimeBase& timeBase, int power, int channel, bool compatible,
                     double nowMs)
    : power_(std::clamp(power, 0, 4095)), channel_(channel), firstLitPoint_(compatible ? 1 : 0) {
    double t = nowMs;
    if (compatible) {
        t += kDarkPointMs;
        boundariesMs_.push_back(t);
    }
    for (int p = 0; p < timeBase.totalPoints(); ++p) {
        t += timeBase.widthMs(p);
        boundariesMs_.push_back(t);
    }
    lastPoint_ = static_cast<int>(boundariesMs_.size()) - 1;
}

double SimOslRun::power() const {
    if (finished() || nextPoint_ < firstLitPoint_) {
        return 0.0;
    }
    if (!ramped()) {
        return power_ / kFullScale;
    }
    const int step = nextPoint_ - firstLitPoint_ + 1;
    return std::min(kFullScale, static_cast<double>(step) * power_) / kFullScale;
}

double SimOslRun::nextPointMs() const {
    return finished() ? 0.0 : boundariesMs_[static_cast<std::size_t>(nextPoint_)];
}

void SimOslRun::pointSent() {
    ++nextPoint_;
}

} // namespace gw
