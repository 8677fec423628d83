#include "link/ReaderLinkState.h"

#include <charconv>
#include <climits>

namespace gw {

void ReaderLinkState::setSystemType(int systemType) {
    layout = ReplyLayout::For(systemType, layout.CounterChannels);
}

void ReaderLinkState::SetCounterChannels(int n) {
    layout = ReplyLayout::For(layout.SystemType, n);
}

std::optional<int> CounterChannelsRequest(const std::string& text) {
    const std::string key = "T21 ";
    const std::size_t at = text.find(key);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    std::size_t begin = text.find_first_not_of(' ', at + key.size());
    if (begin == std::string::npos) {
        return std::nullopt;
    }
    std::size_t end = text.find(' ', begin);
    if (end == std::string::npos) {
        end = text.size();
    }
    long long value = 0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    if (*first == '+') {
        ++first; // a sign is part of a decimal number as the operator may type it
    }
    const auto [stop, error] = std::from_chars(first, last, value);
    if (error != std::errc{} || stop != last || value < 0 || value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

namespace {

std::string RemoveAll(std::string text, const std::string& part) {
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at)) {
        text.erase(at, part.size());
    }
    return text;
}

std::string ApplyOneT23(std::string text, const std::string& part, bool on, bool allowed,
                        ReaderLinkState& link) {
    if (text.find(part) == std::string::npos) {
        return text;
    }
    if (allowed) {
        link.SetShortReplies(on);
        return text;
    }
    return RemoveAll(std::move(text), part);
}

} // namespace

std::string ApplyT23Rule(std::string text, bool shortDataAllowed, ReaderLinkState& link) {
    text = ApplyOneT23(std::move(text), "T23 1 ", true, shortDataAllowed, link);
    return ApplyOneT23(std::move(text), "T23 0 ", false, shortDataAllowed, link);
}

} // namespace gw
