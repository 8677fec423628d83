#include "script/LastLinePosition.h"

#include <algorithm>

namespace gw {

int LastLinePosition::LineNumberAt(std::string_view text, std::size_t offset) {
    const std::size_t end = std::min(offset, text.size());
    int line = 1;
    for (std::size_t i = 0; i < end; ++i) {
        const bool crBeforeLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        if ((text[i] == '\n' || text[i] == '\r') && !crBeforeLf) {
            ++line;
        }
    }
    return line;
}

} // namespace gw
