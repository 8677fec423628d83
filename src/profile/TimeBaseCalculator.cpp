#include "profile/TimeBaseCalculator.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace gw {

namespace {

// Default widths of plain OSL: 10 ms, 100 ms, 1 s and 10 s.
constexpr std::array<ChannelWidth, TimeBaseCalculator::Bases> DefaultWidths = {
    ChannelWidth{1, 10}, ChannelWidth{1, 100}, ChannelWidth{4, 250}, ChannelWidth{40, 250}};
constexpr std::array<long long, TimeBaseCalculator::Bases> DefaultWidthMs = {10, 100, 1000, 10000};

// The Veltrax compatible scheme records at most this many channels.
constexpr int VeltraxChannels = 99;
// Longer inputs are refused before any arithmetic could overflow (about 31 years).
constexpr double LongestInputSeconds = 1e9;
// Full power on the reader's 12-bit power scale, and the scale's units per percent.
constexpr int FullPowerSteps = 4095;
constexpr double StepsPerPercent = 40.95;
// Width factors of the VM-OSL bases: successive powers of the cube root of 100, and their sum.
constexpr std::array<double, TimeBaseCalculator::Bases> VmWidthFactors = {1.0, 4.64159, 21.54435,
                                                                          100.0};
constexpr double VmWidthFactorSum = 127.185936;
constexpr long long VmShortestWidthMs = 10;
// Floating sums of tenths must not miss an exact cover by a rounding error.
constexpr double Epsilon = 1e-9;

// The nearest integer, halves to the even neighbour.
long long Near(double value) {
    return static_cast<long long>(std::nearbyint(value));
}

std::uint8_t LowByte(long long value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

std::string Seconds(double seconds) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, 2);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) + " s" : "a huge time";
}

TimeBaseResult CannotBePlanned(std::string message) {
    return {TimeBaseOutcome::CannotBePlanned, std::move(message)};
}

// The three OSL periods must be real, non-negative and not absurdly long.
std::string PeriodFault(double lum, double bleach, double bgd) {
    for (double period : {lum, bleach, bgd}) {
        if (!std::isfinite(period)) {
            return "An OSL period that is not a number cannot be planned.";
        }
        if (period < 0.0) {
            return "An OSL period of " + Seconds(period) +
                   " cannot be planned: periods must be 0 s or more.";
        }
    }
    if (lum + bleach + bgd > LongestInputSeconds) {
        return "OSL periods of " + Seconds(lum + bleach + bgd) +
               " in total cannot be planned: the time bases cannot cover them.";
    }
    return {};
}

std::string ModulationFault(const char* name, double maxPower, double seconds) {
    if (!std::isfinite(maxPower)) {
        return std::string(name) + " cannot be planned: the maximum power is not a number.";
    }
    if (!std::isfinite(seconds)) {
        return std::string(name) + " cannot be planned: the time is not a number.";
    }
    if (seconds > LongestInputSeconds) {
        return std::string(name) + " time of " + Seconds(seconds) +
               " cannot be planned: the time bases cannot cover it.";
    }
    if (Near(seconds * 1000.0) <= 0) {
        return std::string(name) + " time of " + Seconds(seconds) +
               " cannot be planned: the measurement needs at least 1 ms.";
    }
    return {};
}

// The end values of the power ramp searched: within 5 % of the maximum power.
struct PowerRange {
    long long lo = 0;
    long long hi = -1;
};

PowerRange RampEndValues(double maxPower, long long lowest) {
    const double hi = std::min<double>(FullPowerSteps, std::nearbyint(maxPower * 1.05 * 40.95));
    const double lo = std::max<double>(double(lowest), std::nearbyint(maxPower * 0.95 * 40.95));
    if (hi < lo) {
        return {};
    }
    return {static_cast<long long>(lo), static_cast<long long>(hi)};
}

// Steps the Veltrax scheme through 0.1 s and 1 s channels beside the given 10 s channels until
// the total is covered with less than 0.1 s to spare; empty when the 0.1 s channels run out.
std::optional<std::array<int, TimeBaseCalculator::Bases>> VeltraxCounts(double total, int tens) {
    const auto covered = [tens](int tenths, int ones) { return 0.1 * tenths + ones + 10.0 * tens; };
    int tenths = VeltraxChannels - tens;
    int ones = 0;
    while (covered(tenths, ones) < total - Epsilon) {
        if (--tenths < 0) {
            return std::nullopt;
        }
        ++ones;
    }
    while (covered(tenths, ones) - total >= 0.099) {
        if (--tenths < 0) {
            return std::nullopt;
        }
    }
    return std::array<int, TimeBaseCalculator::Bases>{0, tenths, ones, tens};
}

} // namespace

TimeBaseCalculator::TimeBaseCalculator() {
    setDefaultWidths(false);
}

ChannelWidth TimeBaseCalculator::SplitWidth(long long widthMs) {
    if (widthMs < 256) {
        return {1, LowByte(widthMs)};
    }
    if (widthMs > MaxWidthMs) {
        return {0, 0};
    }
    const double width = double(widthMs);
    const long long hi = Near(std::sqrt(width) + 0.5);
    const long long lo = Near(width / 255.0 + 0.5);
    long long chosen = 0;
    long long smallestError = 255;
    for (long long c = lo; c <= hi; ++c) {
        const long long y = LowByte(Near(width / double(c)));
        const long long error = std::llabs(widthMs - c * y);
        if (error == 0) {
            chosen = c;
            break;
        }
        if (error < smallestError) {
            smallestError = error;
            chosen = c;
        }
    }
    const int x = LowByte(chosen);
    return {x, x == 0 ? 0 : LowByte(Near(width / x))};
}

void TimeBaseCalculator::setX(int i, int value) {
    x_[i] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

void TimeBaseCalculator::setY(int i, int value) {
    y_[i] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

void TimeBaseCalculator::setN(int i, int value) {
    n_[i] = static_cast<std::uint8_t>(std::clamp(value, 0, MaxChannels));
}

int TimeBaseCalculator::TotPts() const {
    int total = 0;
    for (std::uint8_t n : n_) {
        total += n;
    }
    return total;
}

double TimeBaseCalculator::TotTime() const {
    long long totalMs = 0;
    for (int i = 0; i < Bases; ++i) {
        totalMs += n_[i] * widthMs(i);
    }
    return totalMs / 1000.0;
}

void TimeBaseCalculator::setKindOfModulation(int kind) {
    kindOfModulation_ = kind;
    timeOfPointLab_ = 0.0;
    timeOfPointGrey_ = kind == 1;
}

void TimeBaseCalculator::selectPage(TimeBasePage page) {
    page_ = page;
    if (page == TimeBasePage::OSL) {
        setDefaultWidths(false);
    } else {
        setKindOfModulation(kindOfModulation_);
    }
}

void TimeBaseCalculator::setDefaultWidths(bool editable) {
    for (int i = 0; i < Bases; ++i) {
        setWidth(i, DefaultWidths[i]);
    }
    xyEditable_ = editable;
}

void TimeBaseCalculator::setWidth(int i, ChannelWidth width) {
    setX(i, width.X);
    setY(i, width.Y);
}

TimeBaseResult TimeBaseCalculator::MakeTB() {
    if (page_ == TimeBasePage::OSL) {
        return veltrax_ ? veltraxScheme() : seriesScheme();
    }
    return kindOfModulation_ == 0 ? lmOsl() : vmOsl();
}

// The console's own scheme: at most 99 channels of 0.1 s, 1 s and 10 s that cover the three
// periods, each rounded to 10 ms, with less than 0.1 s to spare.
TimeBaseResult TimeBaseCalculator::veltraxScheme() {
    setDefaultWidths(false);
    if (std::string fault = PeriodFault(lumTime_, bleachTime_, bgdTime_); !fault.empty()) {
        return CannotBePlanned(fault);
    }
    const auto hundredths = [](double x) { return double(Near(x * 100.0)) / 100.0; };
    double total = lumTime_ + bleachTime_ + bgdTime_;
    const double lumEnd = std::max(0.01, std::min(total - 0.01, hundredths(lumTime_)));
    const double bleachEnd =
        std::max(lumEnd, std::min(total - 0.01, hundredths(lumTime_ + bleachTime_)));
    const double bgdEnd = std::max(bleachEnd + 0.01, std::min(total, hundredths(total)));
    total = std::max(bgdEnd, total);

    int firstTens = 0;
    while (firstTens < VeltraxChannels &&
           0.1 * 20 + (79 - firstTens) + 10.0 * firstTens < total - Epsilon) {
        ++firstTens;
    }
    // The first count of 10 s channels may overshoot by more than the 0.1 s channels can take
    // back although fewer would do; only when none fits is the total out of reach.
    std::optional<std::array<int, Bases>> planned;
    for (int tens = firstTens; tens >= 0 && !planned; --tens) {
        planned = VeltraxCounts(total, tens);
    }
    if (!planned) {
        return CannotBePlanned("OSL periods of " + Seconds(total) +
                               " in total cannot be planned: 99 channels of at most 10 s "
                               "(Veltrax compatible) cannot cover them within 0.1 s.");
    }

    std::array<int, Bases> counts = *planned;
    int used = 0;
    for (int& n : counts) {
        if (used + n > VeltraxChannels) {
            n = std::max(0, n - (used + n - VeltraxChannels));
        }
        used += n;
    }
    for (int i = 0; i < Bases; ++i) {
        setN(i, counts[i]);
    }
    lumTime_ = lumEnd;
    bleachTime_ = bleachEnd - lumEnd;
    bgdTime_ = bgdEnd - bleachEnd;
    return {};
}

// The reader series' scheme: 10 ms channels for a luminescence period off the 100 ms grid or a
// short total, then as many 100 ms channels as fit, then 1 s and 10 s channels; the periods are
// moved to the nearest channel boundaries below them.
TimeBaseResult TimeBaseCalculator::seriesScheme() {
    setDefaultWidths(system_ == 1);
    if (std::string fault = PeriodFault(lumTime_, bleachTime_, bgdTime_); !fault.empty()) {
        return CannotBePlanned(fault);
    }
    long long lum = Near(lumTime_ * 100.0) * 10;
    long long bleach = Near(bleachTime_ * 100.0) * 10;
    const long long bgd = Near(bgdTime_ * 100.0) * 10;
    const long long total = lum + bleach + bgd;
    if (total <= 100) {
        return CannotBePlanned("OSL periods of " + Seconds(total / 1000.0) +
                               " in total cannot be planned: the time bases need more than "
                               "0.10 s.");
    }

    std::array<long long, Bases> counts{};
    counts[0] = (lum % 100 > 0 || total <= 10000) ? 20 : 0;
    const auto used = [&](int bases) {
        long long ms = 0;
        for (int i = 0; i < bases; ++i) {
            ms += counts[i] * DefaultWidthMs[i];
        }
        return ms;
    };
    counts[1] = std::min<long long>(MaxChannels, (total - used(1)) / 100);
    if (total > used(2)) {
        while (used(2) % 1000 > total % 1000 && counts[1] > 10) {
            --counts[1];
        }
    }
    counts[2] = std::clamp<long long>(Near((total - used(2)) / 1000.0), 0, MaxChannels);
    counts[3] = std::max<long long>(0, Near((total - used(3)) / 10000.0));
    if (counts[3] > MaxChannels) {
        return CannotBePlanned("OSL periods of " + Seconds(total / 1000.0) +
                               " in total cannot be planned: the time bases run out of "
                               "channels (at most 255 of 10 s in the last one).");
    }

    long long t = 0;
    for (int i = 0; i < Bases; ++i) {
        const long long w = DefaultWidthMs[i];
        for (long long channel = 0; channel < counts[i]; ++channel) {
            t += w;
            if (t <= lum && w > lum - t) {
                lum = t;
            }
            if (t <= lum + bleach && w > lum + bleach - t) {
                bleach = t - lum;
            }
        }
    }
    // Rounding the last counts may leave the channels short of the periods' end; the periods
    // then end with the last channel instead of running past it.
    lum = std::min(lum, t);
    bleach = std::min(bleach, t - lum);
    const long long background = t - lum - bleach;
    for (int i = 0; i < Bases; ++i) {
        setN(i, int(counts[i]));
    }
    lumTime_ = lum / 1000.0;
    bleachTime_ = bleach / 1000.0;
    bgdTime_ = background / 1000.0;
    return {};
}

// One width for all points; the power rises by the same increment at every point, so the number
// of points must divide the end value. Prefers more points, within 1.5 % of the requested time.
TimeBaseResult TimeBaseCalculator::lmOsl() {
    setDefaultWidths(true);
    if (std::string fault = ModulationFault("LM-OSL", maxPower_, moslTime_); !fault.empty()) {
        return CannotBePlanned(fault);
    }
    const long long timeMs = Near(moslTime_ * 1000.0);
    const long long tolerance = Near(moslTime_ * 0.015 * 1000.0);
    const PowerRange range = RampEndValues(maxPower_, 10);

    long long bestPoints = 10;
    long long bestGroup = 11;
    long long increment = 0;
    ChannelWidth width;
    bool found = false;
    bool tooWide = false;
    for (long long end = range.lo; end <= range.hi; ++end) {
        for (long long group = 99; group >= 10; --group) {
            for (long long i = 1; i <= 1020 / group; ++i) {
                const long long points = group * i;
                if (end % points != 0 || points <= bestPoints ||
                    double(group) < 0.925 * double(bestGroup)) {
                    continue;
                }
                // Judged by the width the reader can realise, not the ideal one: a point of
                // 65.025 s or more, or one that X * Y can only approximate, may miss the time.
                const ChannelWidth candidate = SplitWidth(Near(double(timeMs) / double(points)));
                const long long realisedMs = static_cast<long long>(candidate.X) * candidate.Y;
                if (realisedMs == 0) {
                    tooWide = true;
                    continue;
                }
                if (std::llabs(realisedMs * points - timeMs) > tolerance) {
                    continue;
                }
                bestPoints = points;
                bestGroup = group;
                increment = end / points;
                width = candidate;
                found = true;
            }
        }
    }
    if (!found && tooWide) {
        return CannotBePlanned("LM-OSL time of " + Seconds(moslTime_) +
                               " cannot be planned: a point would take 65.025 s or more.");
    }
    if (!found) {
        return {TimeBaseOutcome::NoSolution, {}};
    }

    for (int i = 0; i < Bases; ++i) {
        setWidth(i, width);
        const long long before = i * MaxChannels;
        setN(i, int(std::clamp<long long>(bestPoints - before, 0, MaxChannels)));
    }
    const double widthSeconds = double(width.X) * width.Y / 1000.0;
    incrementLab_ = int(increment);
    totalTimeLab_ = double(width.X) * width.Y * bestPoints / 1000.0;
    endPowerLab_ = double(bestPoints * increment) / StepsPerPercent;
    totalPointsLab_ = int(bestPoints);
    timeOfPointLab_ = widthSeconds;
    timeOfPointGrey_ = false;
    return {};
}

// The power rises in equal steps while the four bases have widths growing by the cube root of
// 100 from one to the next, so the curve has fine resolution early and coarse later.
TimeBaseResult TimeBaseCalculator::vmOsl() {
    setDefaultWidths(true);
    if (std::string fault = ModulationFault("VM-OSL", maxPower_, moslTime_); !fault.empty()) {
        return CannotBePlanned(fault);
    }
    const long long timeMs = Near(moslTime_ * 1000.0);
    const long long tolerance = Near(moslTime_ * 0.015 * 1000.0);
    const PowerRange range = RampEndValues(maxPower_, 100);

    long long bestSteps = 100;
    long long increment = 0;
    bool found = false;
    for (long long end = range.lo; end <= range.hi; ++end) {
        for (long long steps = 1020; steps > bestSteps; --steps) {
            if (end % steps != 0) {
                continue;
            }
            const long long error =
                std::llabs(steps * Near(double(timeMs) / double(steps)) - timeMs);
            if (error <= tolerance) {
                bestSteps = steps;
                increment = end / steps;
                found = true;
            }
        }
    }
    if (!found) {
        return {TimeBaseOutcome::NoSolution, {}};
    }

    const double baseWidth = double(timeMs) / (double(bestSteps) / 4.0 * VmWidthFactorSum);
    std::array<ChannelWidth, Bases> widths{};
    for (int i = 0; i < Bases; ++i) {
        const long long w = std::min<long long>(
            MaxWidthMs, std::max(VmShortestWidthMs, Near(baseWidth * VmWidthFactors[i])));
        widths[i] = SplitWidth(w);
        if (widths[i].X * widths[i].Y == 0) {
            return CannotBePlanned("VM-OSL time of " + Seconds(moslTime_) +
                                   " cannot be planned: its widest channel would need "
                                   "65.025 s or more.");
        }
    }
    std::array<long long, Bases> counts{};
    long long remaining = timeMs;
    long long totalMs = 0;
    int totalPoints = 0;
    for (int i = 0; i < Bases; ++i) {
        const long long c = static_cast<long long>(widths[i].X) * widths[i].Y;
        counts[i] = std::min<long long>(MaxChannels, std::max(0LL, remaining / c));
        if (counts[i] < MaxChannels && remaining % c > 0) {
            ++counts[i];
        }
        remaining -= counts[i] * c;
        totalMs += counts[i] * c;
        totalPoints += int(counts[i]);
    }
    // Channels of at least 10 ms cannot come closer than that to a very short time.
    if (std::llabs(totalMs - timeMs) > std::max(tolerance, VmShortestWidthMs)) {
        return CannotBePlanned("VM-OSL time of " + Seconds(moslTime_) +
                               " cannot be planned: the time bases cannot cover it within "
                               "1.5 %.");
    }
    for (int i = 0; i < Bases; ++i) {
        setWidth(i, widths[i]);
        setN(i, int(counts[i]));
    }
    totalTimeLab_ = totalMs / 1000.0;
    totalPointsLab_ = totalPoints;
    incrementLab_ = int(increment);
    endPowerLab_ = double(bestSteps * increment) / FullPowerSteps * 100.0;
    timeOfPointLab_ = 0.0;
    timeOfPointGrey_ = true;
    return {};
}

} // namespace gw
