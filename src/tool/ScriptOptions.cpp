#include "tool/ScriptOptions.h"

#include "script/ScriptNumbers.h"
#include "tool/ScriptCommand.h"

#include <algorithm>

namespace gw::tool {

namespace {

std::optional<WarningResult> parseAnswer(const std::string& text) {
    if (text == "abort") {
        return WarningResult::Abort;
    }
    if (text == "ignore") {
        return WarningResult::Ignore;
    }
    if (text == "ignore-all") {
        return WarningResult::IgnoreAll;
    }
    return std::nullopt;
}

std::optional<std::string> parseShared(const std::string& arg, const std::string& value,
                                       ScriptOptions& options, bool& known) {
    known = true;
    if (arg == "--profile") {
        options.profilePath = value;
    } else if (arg == "--today") {
        options.today = parseDate(value);
        if (!options.today) {
            return "--today needs YYYY-MM-DD, got '" + value + "'";
        }
    } else if (arg == "--answer") {
        const auto answer = parseAnswer(value);
        if (!answer) {
            return "--answer takes abort, ignore or ignore-all, got '" + value + "'";
        }
        options.answer = *answer;
    } else if (arg == "--set") {
        return addVariableAnswer(value, options.answers);
    } else {
        known = false;
    }
    return std::nullopt;
}

} // namespace

std::optional<CivilDate> parseDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const auto year = ParseScriptInteger(text.substr(0, 4));
    const auto month = ParseScriptInteger(text.substr(5, 2));
    const auto day = ParseScriptInteger(text.substr(8, 2));
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31) {
        return std::nullopt;
    }
    return CivilDate{*year, *month, *day};
}

std::optional<std::string> parseScriptOptions(const std::vector<std::string>& args,
                                              ScriptOptions& options,
                                              const std::vector<std::string>& extraFlags,
                                              const ExtraOption& extra,
                                              std::vector<std::string>* flagsSeen) {
    if (args.empty()) {
        return "expected a FILE";
    }
    options.file = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--veltrax") {
            options.veltrax = true;
            continue;
        }
        if (std::find(extraFlags.begin(), extraFlags.end(), arg) != extraFlags.end()) {
            if (flagsSeen != nullptr) {
                flagsSeen->push_back(arg);
            }
            continue;
        }
        if (i + 1 >= args.size()) {
            return "unexpected argument '" + arg + "'";
        }
        const std::string& value = args[++i];
        bool known = false;
        if (auto problem = parseShared(arg, value, options, known)) {
            return problem;
        }
        if (known) {
            continue;
        }
        if (extra) {
            if (auto handled = extra(arg, value)) {
                if (*handled) {
                    return *handled;
                }
                continue;
            }
        }
        return "unexpected argument '" + arg + "'";
    }
    return std::nullopt;
}

} // namespace gw::tool
