#include "script/Metascript.h"

#include <algorithm>
#include <cctype>

namespace gw {

namespace {

// The text's lines without their breaks; CR LF, LF and a lone CR each end one line.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

bool IsScriptName(std::string_view name) {
    constexpr std::string_view Script = "SCRIPT";
    return name.size() == Script.size() &&
           std::equal(name.begin(), name.end(), Script.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace

bool Metascript::IsMetascript(std::string_view text) {
    const std::vector<std::string_view> lines = SplitLines(text);
    return lines.size() > 1 && lines.front() == "METASCRIPT";
}

std::vector<std::string> Metascript::ScriptPaths(std::string_view text) {
    std::vector<std::string> paths;
    const std::vector<std::string_view> lines = SplitLines(text);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::size_t equals = lines[i].find('=');
        if (equals != std::string_view::npos && IsScriptName(lines[i].substr(0, equals))) {
            paths.emplace_back(lines[i].substr(equals + 1));
        }
    }
    return paths;
}

} // namespace gw
