#include "tool/SimCommand.h"

#include "sim/runtime/SimPtyServer.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <thread>

namespace gw::tool {

namespace {

bool parseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0' && std::isfinite(value);
}

bool parseShare(const std::string& text, double& share) {
    return parseNumber(text, share) && share >= 0.0 && share <= 1.0;
}

int systemTypeOfModel(const std::string& model) {
    for (int type = 1; type <= 4; ++type) {
        if (model == simModelName(type)) {
            return type;
        }
    }
    return 0;
}

} // namespace

std::optional<SimOptions> parseSimArguments(const std::vector<std::string>& args, double& durationS,
                                            std::string& error) {
    SimOptions options;
    durationS = -1.0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : std::string();
        double number = 0.0;
        const auto needValue = [&](bool valid) {
            if (!hasValue || !valid) {
                error = "gwtool sim: " + option + " needs " +
                        (hasValue ? "a valid value, not '" + value + "'" : "a value");
                return false;
            }
            ++i;
            return true;
        };
        if (option == "--eight-bit") {
            options.eightBit = true;
        } else if (option == "--scanner") {
            options.hasScanner = true;
        } else if (option == "--silent-scanner") {
            options.faults.silentScanner = true;
        } else if (option == "--system") {
            options.systemType = systemTypeOfModel(value);
            if (!needValue(options.systemType != 0)) {
                return std::nullopt;
            }
        } else if (option == "--channels") {
            const bool valid = parseNumber(value, number) && number >= 1 && number <= 4 &&
                               number == std::floor(number);
            if (!needValue(valid)) {
                return std::nullopt;
            }
            options.counterChannels = static_cast<int>(number);
        } else if (option == "--time-scale") {
            if (!needValue(parseNumber(value, number) && number > 0)) {
                return std::nullopt;
            }
            options.timeScale = number;
        } else if (option == "--seed") {
            if (!needValue(parseNumber(value, number) && number >= 0)) {
                return std::nullopt;
            }
            options.seed = static_cast<std::uint64_t>(number);
        } else if (option == "--lost-points") {
            if (!needValue(parseShare(value, options.faults.lostPointShare))) {
                return std::nullopt;
            }
        } else if (option == "--garbled") {
            if (!needValue(parseShare(value, options.faults.garbledShare))) {
                return std::nullopt;
            }
        } else if (option == "--line-errors") {
            if (!needValue(parseShare(value, options.faults.lineErrorShare))) {
                return std::nullopt;
            }
        } else if (option == "--error-bits") {
            char* end = nullptr;
            const unsigned long bits = std::strtoul(value.c_str(), &end, 16);
            if (!needValue(!value.empty() && *end == '\0' && bits <= 0xFFF)) {
                return std::nullopt;
            }
            options.faults.errorBits = static_cast<std::uint32_t>(bits);
        } else if (option == "--duration") {
            if (!needValue(parseNumber(value, number) && number >= 0)) {
                return std::nullopt;
            }
            durationS = number;
        } else {
            error = "gwtool sim: unknown option '" + option + "'";
            return std::nullopt;
        }
    }
    return options;
}

int runSimCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    double durationS = -1.0;
    std::string error;
    const std::optional<SimOptions> options = parseSimArguments(args, durationS, error);
    if (!options) {
        err << error << '\n';
        return 2;
    }
    SimPtyServer server(*options);
    if (!server.open()) {
        err << "gwtool sim: " << server.errorText() << '\n';
        return 1;
    }
    out << "reader " << server.readerDevice() << '\n';
    if (options->hasScanner) {
        out << "scanner " << server.scannerDevice() << '\n';
    }
    out.flush();

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::time_point last = start;
    // With a scanner its line is looked at often too, since only the reader's line is waited on.
    const int longestWaitMs = options->hasScanner ? 2 : 50;
    while (durationS < 0 ||
           std::chrono::duration<double>(Clock::now() - start).count() < durationS) {
        const int waitMs = std::min(server.msUntilNextOutput(), longestWaitMs);
        const Clock::time_point waitStart = Clock::now();
        if (!server.waitForInput(waitMs)) {
            // A line that nobody holds reports at once; do not spin on it.
            std::this_thread::sleep_until(waitStart + std::chrono::milliseconds(waitMs));
        }
        const Clock::time_point now = Clock::now();
        server.serve(std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    }
    return 0;
}

} // namespace gw::tool
