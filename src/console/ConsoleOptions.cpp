#include "console/ConsoleOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace gw {

namespace {

constexpr int fallbackSystemType = 2; // what "/s" gives without a usable digit

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The third character of a parameter read as a number, when it is a digit.
std::optional<int> thirdDigit(const std::string& parameter) {
    if (parameter.size() < 3 || !std::isdigit(static_cast<unsigned char>(parameter[2]))) {
        return std::nullopt;
    }
    return parameter[2] - '0';
}

std::optional<double> parseScale(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || last != end || !std::isfinite(value) || value <= 0) {
        return std::nullopt;
    }
    return value;
}

// Splits "--name=value" into its name and value; a plain "--name" has no value.
std::pair<std::string, std::optional<std::string>> splitOption(const std::string& argument) {
    const auto equals = argument.find('=');
    if (equals == std::string::npos) {
        return {argument, std::nullopt};
    }
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

} // namespace

ConsoleOptions ParseConsoleOptions(const std::vector<std::string>& arguments) {
    ConsoleOptions options;
    for (std::size_t i = 0; i < arguments.size() && options.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("--", 0) != 0) {
            const std::string lower = lowerCase(argument);
            if (lower.rfind("/s", 0) == 0 || lower.rfind("/c", 0) == 0) {
                options.legacyParameters.push_back(argument);
            } else {
                options.ignoredParameters.push_back(argument);
            }
            continue;
        }
        auto [name, value] = splitOption(argument);
        if (name == "--help") {
            options.showUsage = true;
            continue;
        }
        if (name != "--profile" && name != "--default-profile" && name != "--port" &&
            name != "--default-port" && name != "--time-scale") {
            options.ignoredParameters.push_back(argument);
            continue;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                options.error = name + " needs a value";
                break;
            }
            value = arguments[++i];
        }
        if (name == "--profile") {
            options.profileFile = *value;
        } else if (name == "--default-profile") {
            options.defaultProfileFile = *value;
        } else if (name == "--port") {
            options.portName = *value;
        } else if (name == "--default-port") {
            options.defaultPortName = *value;
        } else if (const auto scale = parseScale(*value)) {
            options.timeScale = *scale;
        } else {
            options.error = "--time-scale needs a number greater than 0, not \"" + *value + "\"";
        }
    }
    return options;
}

LegacyStartChoice ReadLegacyParameters(const std::vector<std::string>& parameters) {
    LegacyStartChoice choice;
    for (const std::string& original : parameters) {
        const std::string parameter = lowerCase(original);
        if (parameter.rfind("/s", 0) == 0) {
            const auto digit = thirdDigit(parameter);
            // Only 0 to 4 name a reader; other digits would index past the tables kept per
            // system type, so they count like a missing digit.
            if (digit && *digit <= 4) {
                choice.systemType = *digit;
            } else {
                choice.systemType = fallbackSystemType;
                if (digit) {
                    choice.notes.push_back(": Parameter " + original +
                                           " names no system type; 3500 system used");
                }
            }
        } else if (parameter.rfind("/c", 0) == 0) {
            choice.eightBitMode = thirdDigit(parameter) == 8;
        }
    }
    return choice;
}

std::string ConsoleUsage() {
    return "Usage: gwconsole [/sN] [/c7|/c8] [--profile FILE] [--default-profile FILE]\n"
           "                 [--port NAME] [--default-port NAME] [--time-scale F]\n"
           "  /sN                 system type when no profile file is found: 0 manual, 1 = 3400,\n"
           "                      2 = 3500, 3 = 3550, 4 = 6600 (default 4)\n"
           "  /c7, /c8            7-bit or 8-bit serial transmission when no profile file is "
           "found\n"
           "  --profile FILE      use this profile file instead of the one last loaded\n"
           "  --default-profile FILE\n"
           "                      profile file when none was loaded before and the working\n"
           "                      directory has no TLInfo.dta\n"
           "  --port NAME         reader port for this session (\"sim\": the simulated reader)\n"
           "  --default-port NAME reader port when no port has been stored with Store settings\n"
           "  --time-scale F      run every delay and time-out at F times its length (default 1)\n";
}

} // namespace gw
