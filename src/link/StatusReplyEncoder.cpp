#include "link/StatusReplyEncoder.h"

#include "link/HexBytes.h"
#include "link/StatusReplyDecoder.h"

#include <stdexcept>

namespace gw {

namespace {

constexpr std::size_t LargestFrame = 255;

std::string Hex(std::uint32_t value, int digits) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = Digits[value & 0x0F];
        value >>= 4;
    }
    return text;
}

std::uint32_t Bits(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}

std::string Frame(std::string contents) {
    if (contents.size() + 3 > LargestFrame) {
        throw std::invalid_argument("frame contents too long");
    }
    std::string frame;
    frame += STX;
    frame += static_cast<char>(contents.size() + 3);
    frame += contents;
    frame += ETX;
    return frame;
}

} // namespace

std::uint32_t StatusWordFromFlags(const ReaderState& state) {
    std::uint32_t word = 0;
    for (int flag = 0; flag < 32; ++flag) {
        const bool set = state.Flags[static_cast<std::size_t>(flag)] != 0;
        const bool bit = flag == CalibrationFlag ? set : !set;
        if (bit) {
            word |= 1U << (8 * (3 - flag / 8) + flag % 8);
        }
    }
    return word;
}

std::string EncodeStatusReply(const ReaderState& state, const ReplyLayout& layout, bool shortForm) {
    const int k = layout.CounterChannels;
    std::string text;
    text.reserve(static_cast<std::size_t>(layout.LongLength));
    for (int j = 1; j <= k; ++j) {
        text +=
            Hex(Bits(state.Counts[static_cast<std::size_t>(k - j)]), ReplyLayout::CounterDigits);
    }
    text += Hex(Bits(state.PointCounter), layout.pointDigits());
    if (shortForm) {
        return text + Hex(Bits(state.StateCode), 2);
    }
    text += Hex(Bits(state.Position), 2);
    text += Hex(Bits(state.StateCode), 2);
    text += Hex(Bits(state.ErrorBits), 4);
    for (const std::int32_t reading : state.Data) {
        text += Hex(Bits(reading), 2);
    }
    text += Hex(StatusWordFromFlags(state), 8);
    return text + Hex(Bits(state.Timer), 4);
}

std::string FrameHexReply(std::string_view hexDigits) {
    if (hexDigits.size() % 2 != 0) {
        throw std::invalid_argument("odd number of hex digits");
    }
    std::string bytes;
    for (std::size_t i = 0; i < hexDigits.size(); i += 2) {
        const auto value = ParseHexField(hexDigits.substr(i, 2));
        if (!value) {
            throw std::invalid_argument("not a hex digit");
        }
        bytes += static_cast<char>(*value);
    }
    return Frame(std::move(bytes));
}

std::string FrameText(std::string_view text) {
    return Frame(std::string(text));
}

} // namespace gw
