#include "console/HelpEntry.h"

namespace gw {

std::string HelpEntry::pageText(int page) const {
    if (page < 0 || page >= static_cast<int>(pages.size())) {
        return {};
    }
    const Page& p = pages[static_cast<std::size_t>(page)];
    return text.substr(p.start, p.length);
}

} // namespace gw
