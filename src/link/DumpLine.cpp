#include "link/DumpLine.h"

#include "link/StatusReplyDecoder.h"

namespace gw {

std::string_view DumpLineText(std::string_view line) {
    const std::size_t at = line.find(": ");
    return at == std::string_view::npos ? line : line.substr(at + 2);
}

bool DecodeDumpLine(std::string_view line, ReaderLinkState& link, ReaderState& state) {
    std::string_view text = DumpLineText(line);
    // A line read from a file may keep its CR.
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    return DecodeStatusReply(text, link, state);
}

} // namespace gw
