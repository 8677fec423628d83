#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace gw {

// The live graph's error readout: a line for the operation list whenever the reader's error bits
// change to a non-zero value, and whether "Reader error" is shown.
class ReaderErrorReadout {
public:
    // The bits of a reply (the ramp bit is not an error on a 6600). Returns the line to append
    // ("Reader eror: T, HV") when the bits changed to a non-zero value.
    std::optional<std::string> update(std::int32_t errorBits, int systemType);
    bool errorShown() const { return lastShown_ != 0; }
    void reset() { lastShown_ = 0; }

private:
    std::int32_t lastShown_ = 0;
};

} // namespace gw
