#include "engine/MoslSearch.h"

#include "engine/SplitProduct.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gw {

namespace {

constexpr double UnitsPerPercent = 40.95; // 4095 converter units are 100 %
constexpr int FullScale = 4095;
constexpr int FewestPoints = 40;

int RoundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

class RampFinder {
public:
    RampFinder(int rampMs, int tolerance, int maxPoints)
        : rampMs_(rampMs), tolerance_(tolerance), maxPoints_(maxPoints) {}

    // Every point count the converter value divides into whose time per point the reader can
    // take closely enough.
    void evaluate(int finalValue) {
        for (int n = maxPoints_; n >= FewestPoints; --n) {
            if (finalValue % n != 0) {
                continue;
            }
            const int timePerPoint = RoundEven(double(rampMs_) / n);
            const ByteFactors factors = SplitProduct(timePerPoint);
            const int achievable = factors.m * factors.q;
            const int error = std::abs(achievable * n - rampMs_);
            if (n > bestPoints_ && error <= tolerance_) {
                best_ = {double(n) * (finalValue / n) / FullScale * 100.0,
                         n * achievable * 0.001,
                         n,
                         finalValue / n,
                         achievable,
                         factors.m,
                         factors.q};
                bestPoints_ = n;
            }
        }
    }

    MoslRamp best() const { return best_; }

private:
    int rampMs_;
    int tolerance_;
    int maxPoints_;
    int bestPoints_ = FewestPoints;
    MoslRamp best_{};
};

} // namespace

MoslRamp MoslSearch(double maxPower, double rampTimeS, int maxPoints) {
    const int rampMs = RoundEven(rampTimeS * 1000.0);
    const int tolerance = RoundEven(15.0 * rampTimeS);
    const int target = std::max(RoundEven(maxPower * UnitsPerPercent), FewestPoints);
    const int upper = std::min(RoundEven(maxPower * 1.05 * UnitsPerPercent), FullScale);
    const int lower = std::max(RoundEven(maxPower * 0.95 * UnitsPerPercent), FewestPoints);
    RampFinder finder(rampMs, tolerance, maxPoints);
    finder.evaluate(target);
    for (int l = 1;; ++l) {
        if (target + l <= upper) {
            finder.evaluate(target + l);
        }
        if (target - l >= lower) {
            finder.evaluate(target - l);
        }
        if (target - (l + 1) < lower && target + (l + 1) > upper) {
            break;
        }
    }
    return finder.best();
}

void UpdateMoslSearch(MoslSheetValues& sheet) {
    if (!MoslSheetValues::MaxPowerLimit.admits(sheet.MaxPower) ||
        !MoslSheetValues::RampTimeLimit.admits(sheet.RampTime) ||
        !MoslSheetValues::MaxPointsLimit.admits(sheet.MaxPoints)) {
        return;
    }
    sheet.Ramp = MoslSearch(sheet.MaxPower, sheet.RampTime, sheet.MaxPoints);
}

} // namespace gw
