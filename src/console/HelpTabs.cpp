#include "console/HelpTabs.h"

#include <algorithm>

namespace gw {

namespace {

std::string expandLine(std::string line, const std::vector<int>& tabStops) {
    for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', tab)) {
        const int column = static_cast<int>(tab) + 1;
        const auto stop =
            std::find_if(tabStops.begin(), tabStops.end(), [column](int s) { return s >= column; });
        const std::size_t blanks =
            stop == tabStops.end() ? 1 : static_cast<std::size_t>(*stop - column);
        line.replace(tab, 1, blanks, ' ');
        tab += blanks;
    }
    return line;
}

} // namespace

std::string ExpandHelpTabs(const std::string& text, const std::vector<int>& tabStops) {
    std::string result;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        std::string line =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        result += expandLine(std::move(line), tabStops);
        if (end == std::string::npos) {
            break;
        }
        result += '\n';
        start = end + 1;
    }
    return result;
}

} // namespace gw
