#pragma once

#include <cstdint>
#include <string>

namespace gw {

// The kinds of line error a serial port reports, as bits of one set.
enum class LineError : std::uint8_t {
    Parity = 1 << 0,
    Frame = 1 << 1,
    Overrun = 1 << 2,
    Break = 1 << 3,
    InputOutput = 1 << 4,
    Mode = 1 << 5,
    ReceiveOverflow = 1 << 6,
    TransmitFull = 1 << 7,
};

// A set of line errors.
class LineErrors {
public:
    LineErrors() = default;
    LineErrors(LineError error) : bits_(static_cast<std::uint8_t>(error)) {}

    LineErrors& operator|=(LineErrors other) {
        bits_ |= other.bits_;
        return *this;
    }
    friend LineErrors operator|(LineErrors a, LineErrors b) { return a |= b; }

    bool has(LineError error) const { return (bits_ & static_cast<std::uint8_t>(error)) != 0; }
    bool empty() const { return bits_ == 0; }
    std::uint8_t bits() const { return bits_; }
    static LineErrors fromBits(std::uint8_t bits);

    // One word per error present, each followed by a blank, in the fixed order of the log line:
    // "parity frame overrun break i/o mode Rx-over Tx-full ".
    std::string words() const;

    bool operator==(const LineErrors&) const = default;

private:
    std::uint8_t bits_ = 0;
};

inline LineErrors operator|(LineError a, LineError b) {
    return LineErrors(a) | LineErrors(b);
}

} // namespace gw
