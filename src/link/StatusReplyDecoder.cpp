#include "link/StatusReplyDecoder.h"

namespace gw {

namespace {

constexpr int StatusWordBits = 32;

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The field at a 0-based offset; a text that ends early gives a shorter (or empty) field.
std::string_view Field(std::string_view text, int offset, int digits) {
    const auto at = static_cast<std::size_t>(offset);
    if (at >= text.size()) {
        return {};
    }
    return text.substr(at, static_cast<std::size_t>(digits));
}

std::int32_t Corrected(std::int32_t count, bool correct) {
    return correct && (count % 256) == 255 ? count - 256 : count;
}

std::int32_t SignExtend16(std::uint32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

bool DecodeCounters(std::string_view text, const ReaderLinkState& link, ReaderState& state) {
    const int k = link.layout.CounterChannels;
    for (int j = 1; j <= k; ++j) {
        const auto value = ParseHexField(
            Field(text, ReplyLayout::CounterDigits * (j - 1), ReplyLayout::CounterDigits));
        if (!value) {
            return false;
        }
        state.Counts[static_cast<std::size_t>(k - j)] =
            Corrected(static_cast<std::int32_t>(*value), link.CorrectCounts);
    }
    return true;
}

bool DecodePointCounter(std::string_view text, const ReplyLayout& layout, ReaderState& state) {
    const auto value = ParseHexField(Field(text, layout.pointOffset(), layout.pointDigits()));
    if (!value) {
        return false;
    }
    state.PointCounter =
        layout.PointDigitsExtra == 2 ? SignExtend16(*value) : static_cast<std::int32_t>(*value);
    return true;
}

// A field whose value must not exceed a limit; an out-of-range value is not stored.
bool DecodeBounded(std::string_view text, int offset, int digits, std::uint32_t limit,
                   std::int32_t& target) {
    const auto value = ParseHexField(Field(text, offset, digits));
    if (!value || *value > limit) {
        return false;
    }
    target = static_cast<std::int32_t>(*value);
    return true;
}

bool DecodeLongTail(std::string_view text, const ReplyLayout& layout, ReaderState& state) {
    if (!DecodeBounded(text, layout.positionOffset(), 2, 0xFF, state.Position) ||
        !DecodeBounded(text, layout.longStateOffset(), 2, HighestStateCode, state.StateCode) ||
        !DecodeBounded(text, layout.errorOffset(), 4, 0xFFF, state.ErrorBits)) {
        return false;
    }
    for (std::size_t i = 0; i < state.Data.size(); ++i) {
        const int offset = layout.dataOffset() + 2 * static_cast<int>(i);
        if (!DecodeBounded(text, offset, 2, 0xFF, state.Data[i])) {
            return false;
        }
    }
    const auto statusWord = ParseHexField(Field(text, layout.statusWordOffset(), 8));
    if (!statusWord) {
        return false;
    }
    SetFlagsFromStatusWord(*statusWord, state);
    return DecodeBounded(text, layout.timerOffset(), 4, 0xFFFF, state.Timer);
}

} // namespace

std::optional<std::uint32_t> ParseHexField(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value;
}

void SetFlagsFromStatusWord(std::uint32_t statusWord, ReaderState& state) {
    for (int bitInText = 0; bitInText < StatusWordBits; ++bitInText) {
        // Flags[8n + j] is bit j of the n-th byte; the first byte in the text is the highest.
        const int byteInText = bitInText / 8;
        const int bitInByte = bitInText % 8;
        const int shift = 8 * (3 - byteInText) + bitInByte;
        const bool bitSet = (statusWord >> shift) & 1U;
        const bool flag = bitInText == CalibrationFlag ? bitSet : !bitSet;
        state.Flags[static_cast<std::size_t>(bitInText)] = flag ? 1 : 0;
    }
}

bool DecodeStatusReply(std::string_view text, ReaderLinkState& link, ReaderState& state) {
    const ReplyLayout& layout = link.layout;
    const auto length = static_cast<std::size_t>(text.size());
    if (link.ShortReplies && length == static_cast<std::size_t>(layout.LongLength)) {
        link.ShortReplies = false;
    } else if (!link.ShortReplies && length == static_cast<std::size_t>(layout.ShortLength)) {
        link.ShortReplies = true;
    }
    if (!DecodeCounters(text, link, state) || !DecodePointCounter(text, layout, state)) {
        return false;
    }
    if (link.ShortReplies) {
        return length == static_cast<std::size_t>(layout.ShortLength) &&
               DecodeBounded(text, layout.shortStateOffset(), 2, HighestStateCode, state.StateCode);
    }
    if (length != static_cast<std::size_t>(layout.LongLength) ||
        !DecodeLongTail(text, layout, state)) {
        return false;
    }
    if (link.PurgeSyncPending) {
        link.PurgeSwitch = state.Flags[PurgeFlag] != 0;
        link.PurgeSyncPending = false;
    }
    return true;
}

} // namespace gw
