#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace gw {

// One topic of the command help: a command letter, its title and its help text cut into pages.
struct HelpEntry {
    struct Page {
        std::size_t start = 0;
        std::size_t length = 0;
    };

    char letter = 0;
    std::string title;
    std::string text;
    std::vector<Page> pages;

    // Index of the last page; 0 for a topic of one page.
    int lastPage() const { return pages.empty() ? 0 : static_cast<int>(pages.size()) - 1; }
    // The text of the given page; empty for a page that does not exist.
    std::string pageText(int page) const;
};

} // namespace gw
