#pragma once

#include <string>

namespace gw::test {

// How often part stands in text (overlapping matches count).
inline int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

} // namespace gw::test
