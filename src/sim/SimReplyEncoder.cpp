#include "sim/SimReplyEncoder.h"

#include <cstdio>

namespace gw {

namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
constexpr char kCr = '\r';

void appendHex(std::string& out, std::uint32_t value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    std::string text(buffer);
    out += text.substr(text.size() - static_cast<std::size_t>(digits));
}

std::string hexToBytes(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

} // namespace

std::uint32_t SimReplyEncoder::statusWord(const std::array<bool, 32>& flags) {
    std::uint32_t word = 0;
    for (int i = 0; i < 32; ++i) {
        const bool bitSet = (i == 9) ? flags[9] : !flags[static_cast<std::size_t>(i)];
        if (bitSet) {
            // Flag 8n + j is bit j of the n-th byte in text order, the first byte being the
            // highest.
            const int byteInText = i / 8;
            const int shift = (3 - byteInText) * 8 + i % 8;
            word |= std::uint32_t{1} << shift;
        }
    }
    return word;
}

std::string SimReplyEncoder::statusText(const SimStatus& status, bool shortForm) const {
    std::string text;
    for (int j = 1; j <= channels_; ++j) {
        // The last counter field is the main detector.
        const std::uint32_t count = status.counts[static_cast<std::size_t>(channels_ - j)];
        appendHex(text, count > 0xFFFFFFu ? 0xFFFFFFu : count, 6);
    }
    if (usesWidePointCounter()) {
        appendHex(text, static_cast<std::uint32_t>(status.pointCounter) & 0xFFFFu, 4);
    } else {
        // An 8-bit counter that runs 0 ... 254 and starts again.
        appendHex(text, static_cast<std::uint32_t>(status.pointCounter % 255), 2);
    }
    if (shortForm) {
        appendHex(text, static_cast<std::uint32_t>(status.stateCode), 2);
        return text;
    }
    appendHex(text, static_cast<std::uint32_t>(status.position) & 0xFFu, 2);
    appendHex(text, static_cast<std::uint32_t>(status.stateCode), 2);
    appendHex(text, status.errorBits & 0xFFFu, 4);
    for (std::uint8_t value : status.data) {
        appendHex(text, value, 2);
    }
    appendHex(text, statusWord(status.flags), 8);
    appendHex(text, static_cast<std::uint32_t>(status.timerS) & 0xFFFFu, 4);
    return text;
}

std::string SimReplyEncoder::statusPacket(const SimStatus& status, bool shortForm) const {
    if (!eightBit_) {
        return statusText(status, shortForm) + kCr;
    }
    return frame(hexToBytes(statusText(status, shortForm)));
}

std::string SimReplyEncoder::textPacket(const std::string& text) const {
    if (!eightBit_) {
        return kStx + text + kCr;
    }
    std::string contents = text + kCr;
    // The console tells a status frame from a text by its length; a trailing blank keeps a text
    // from looking like one.
    while (textFrameLooksLikeStatus(contents.size() + 3)) {
        contents.insert(contents.end() - 1, ' ');
    }
    return frame(contents);
}

int SimReplyEncoder::longLength() const {
    return 44 + 6 * (channels_ - 1) + (usesWidePointCounter() ? 2 : 0);
}

int SimReplyEncoder::shortLength() const {
    return 10 + 6 * (channels_ - 1) + (usesWidePointCounter() ? 2 : 0);
}

bool SimReplyEncoder::textFrameLooksLikeStatus(std::size_t frameLength) const {
    // A 6600 long reply with any number of counters: 26 + 3n bytes.
    if (frameLength >= 26 && (frameLength - 26) % 3 == 0) {
        return true;
    }
    const std::size_t digits = 2 * (frameLength - 3);
    return digits == static_cast<std::size_t>(longLength()) ||
           digits == static_cast<std::size_t>(shortLength());
}

std::string SimReplyEncoder::frame(const std::string& contents) {
    std::string packet;
    packet += kStx;
    packet += static_cast<char>(static_cast<unsigned char>(contents.size() + 3));
    packet += contents;
    packet += kEtx;
    return packet;
}

} // namespace gw
