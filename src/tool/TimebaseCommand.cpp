#include "tool/TimebaseCommand.h"

#include "profile/TimeBaseCalculator.h"

#include <charconv>
#include <optional>
#include <ostream>
#include <sstream>

namespace gw::tool {

namespace {

constexpr const char* Usage =
    "usage: gwtool timebase osl LUM BLEACH BGD [--veltrax] [--system 0|1]\n"
    "       gwtool timebase lm|vm MAXPOWER TIME\n";

std::optional<double> ParseNumber(const std::string& text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

// The shortest text that reads back as the same double; JSON has no infinity or NaN.
std::string JsonNumber(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (result.ec != std::errc() || value != value || value - value != 0.0) {
        return "null";
    }
    return std::string(buffer, result.ptr);
}

class JsonObject {
public:
    void add(const char* key, const std::string& valueText) {
        text_ << (first_ ? "{" : ", ") << '"' << key << "\": " << valueText;
        first_ = false;
    }
    void add(const char* key, double value) { add(key, JsonNumber(value)); }
    void add(const char* key, int value) { add(key, std::to_string(value)); }
    void add(const char* key, bool value) { add(key, std::string(value ? "true" : "false")); }
    std::string text() const { return text_.str() + "}"; }

private:
    std::ostringstream text_;
    bool first_ = true;
};

template <typename Get> std::string JsonArray(Get get) {
    std::string text = "[";
    for (int i = 0; i < TimeBaseCalculator::Bases; ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(get(i));
    }
    return text + "]";
}

JsonObject ChannelResults(const TimeBaseCalculator& calc) {
    JsonObject json;
    json.add("X", JsonArray([&](int i) { return calc.X(i); }));
    json.add("Y", JsonArray([&](int i) { return calc.Y(i); }));
    json.add("N", JsonArray([&](int i) { return calc.N(i); }));
    json.add("TotPts", calc.TotPts());
    json.add("TotTime", calc.TotTime());
    return json;
}

int UsageError(std::ostream& err, const std::string& problem) {
    err << "gwtool timebase: " << problem << "\n" << Usage;
    return 2;
}

int Report(const TimeBaseCalculator& calc, const TimeBaseResult& result, bool osl,
           std::ostream& out, std::ostream& err) {
    if (result.outcome == TimeBaseOutcome::CannotBePlanned) {
        err << "gwtool timebase: " << result.message << "\n";
        return 1;
    }
    JsonObject json = ChannelResults(calc);
    if (osl) {
        json.add("LumTime", calc.LumTime());
        json.add("BleachTime", calc.BleachTime());
        json.add("BgdTime", calc.BgdTime());
    } else {
        json.add("MaxPower", calc.MaxPower());
        json.add("IncrementLab", calc.IncrementLab());
        json.add("EndPowerLab", calc.EndPowerLab());
        json.add("TotalTimeLab", calc.TotalTimeLab());
        json.add("TotalPointsLab", calc.TotalPointsLab());
        json.add("TimeOfPointLab", calc.TimeOfPointLab());
        json.add("found", result.planned());
    }
    out << json.text() << "\n";
    return 0;
}

int RunOsl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<double> periods;
    bool veltrax = false;
    int system = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--veltrax") {
            veltrax = true;
        } else if (args[i] == "--system") {
            if (i + 1 >= args.size() || (args[i + 1] != "0" && args[i + 1] != "1")) {
                return UsageError(err, "--system takes 0 (series 35xx) or 1 (series 66xx)");
            }
            system = args[++i] == "1" ? 1 : 0;
        } else if (const std::optional<double> value = ParseNumber(args[i])) {
            periods.push_back(*value);
        } else {
            return UsageError(err, "'" + args[i] + "' is neither a number nor an option");
        }
    }
    if (periods.size() != 3) {
        return UsageError(err, "osl takes three periods in seconds: LUM BLEACH BGD");
    }
    TimeBaseCalculator calc;
    calc.selectPage(TimeBasePage::OSL);
    calc.setVTXCheckBox(veltrax);
    calc.setSystem(system);
    calc.setLumTime(periods[0]);
    calc.setBleachTime(periods[1]);
    calc.setBgdTime(periods[2]);
    const TimeBaseResult result = calc.MakeTB();
    return Report(calc, result, true, out, err);
}

int RunRamp(const std::vector<std::string>& args, int kindOfModulation, std::ostream& out,
            std::ostream& err) {
    if (args.size() != 3) {
        return UsageError(err, args[0] + " takes the maximum power in % and the time in seconds");
    }
    const std::optional<double> maxPower = ParseNumber(args[1]);
    const std::optional<double> seconds = ParseNumber(args[2]);
    if (!maxPower || !seconds) {
        return UsageError(err, "'" + args[maxPower ? 2 : 1] + "' is not a number");
    }
    TimeBaseCalculator calc;
    calc.selectPage(TimeBasePage::MOSL);
    calc.setKindOfModulation(kindOfModulation);
    calc.setMaxPower(*maxPower);
    calc.setMOSLTime(*seconds);
    const TimeBaseResult result = calc.MakeTB();
    return Report(calc, result, false, out, err);
}

} // namespace

int runTimebaseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        return UsageError(err, "which time base: osl, lm or vm?");
    }
    if (args[0] == "osl") {
        return RunOsl(args, out, err);
    }
    if (args[0] == "lm" || args[0] == "vm") {
        return RunRamp(args, args[0] == "lm" ? 0 : 1, out, err);
    }
    return UsageError(err, "unknown time base '" + args[0] + "'");
}

} // namespace gw::tool
