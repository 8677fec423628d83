#pragma once

#include "core/Prompter.h"
#include "profile/PackedDate.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace gw::tool {

// The options the script subcommands that prepare steps share: FILE [--profile P] [--veltrax]
// [--today YYYY-MM-DD] [--set NAME=VALUE]... [--answer abort|ignore|ignore-all] [--seed N].
struct ScriptOptions {
    std::string file;
    std::string profilePath;
    bool veltrax = false;
    std::optional<CivilDate> today;
    std::map<std::string, double> answers;
    WarningResult answer = WarningResult::Abort;
    std::optional<std::uint32_t> seed;
};

// A subcommand's own option: given the option and its value, the problem text when the value is
// wrong; no result at all when the option is not the subcommand's.
using ExtraOption = std::function<std::optional<std::optional<std::string>>(const std::string&,
                                                                            const std::string&)>;

// Parses the shared options; flags (options without value) named in extraFlags and options with
// a value that extra accepts belong to the subcommand. The problem text when the arguments do not
// make sense.
std::optional<std::string> parseScriptOptions(const std::vector<std::string>& args,
                                              ScriptOptions& options,
                                              const std::vector<std::string>& extraFlags = {},
                                              const ExtraOption& extra = {},
                                              std::vector<std::string>* flagsSeen = nullptr);

std::optional<CivilDate> parseDate(const std::string& text);

} // namespace gw::tool
