#pragma once

#include "sim/SimStatus.h"

#include <string>

namespace gw {

// Turns the reader's status reports and texts into the bytes it puts on the line: fixed-width
// hexadecimal status lines (long or short layout, 1 to 4 counter fields, 2- or 4-digit point
// counter) ended by CR, or STX/length/ETX frames in 8-bit mode.
class SimReplyEncoder {
public:
    SimReplyEncoder(int systemType, bool eightBit) : systemType_(systemType), eightBit_(eightBit) {}

    void setChannels(int channels) { channels_ = channels; }
    int channels() const { return channels_; }
    bool eightBit() const { return eightBit_; }
    bool usesWidePointCounter() const { return systemType_ == 4; }

    // The hexadecimal text of a status reply (no terminator).
    std::string statusText(const SimStatus& status, bool shortForm) const;

    // The status reply as sent: a CR-ended line, or in 8-bit mode a frame of the bytes that the
    // hexadecimal digits stand for.
    std::string statusPacket(const SimStatus& status, bool shortForm) const;

    // A text reply (identification, messages) as sent.
    std::string textPacket(const std::string& text) const;

    // The encoded 32-bit status word: a flag holds when its bit is 0, except flag 9.
    static std::uint32_t statusWord(const std::array<bool, 32>& flags);

    // STX, length byte, contents, ETX.
    static std::string frame(const std::string& contents);

    // Length in hexadecimal digits of the long and short layouts.
    int longLength() const;
    int shortLength() const;

private:
    bool textFrameLooksLikeStatus(std::size_t frameLength) const;

    int systemType_;
    bool eightBit_;
    int channels_ = 1;
};

} // namespace gw
