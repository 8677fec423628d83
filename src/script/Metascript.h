#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gw {

// A metascript lists script files to be run one after another: its first line is "METASCRIPT"
// and each line "SCRIPT=path" (the name in any letter case, no blanks around it) names one file.
// Other lines are ignored.
class Metascript {
public:
    // More than one line, the first exactly "METASCRIPT". A text of that line alone is a script.
    static bool IsMetascript(std::string_view text);

    // The paths of the SCRIPT lines from the second line on, in run order; a path is everything
    // after the first '='.
    static std::vector<std::string> ScriptPaths(std::string_view text);
};

} // namespace gw
