#include "link/LineErrors.h"

#include <utility>

namespace gw {

LineErrors LineErrors::fromBits(std::uint8_t bits) {
    LineErrors errors;
    errors.bits_ = bits;
    return errors;
}

std::string LineErrors::words() const {
    static const std::pair<LineError, const char*> kWords[] = {
        {LineError::Parity, "parity "},           {LineError::Frame, "frame "},
        {LineError::Overrun, "overrun "},         {LineError::Break, "break "},
        {LineError::InputOutput, "i/o "},         {LineError::Mode, "mode "},
        {LineError::ReceiveOverflow, "Rx-over "}, {LineError::TransmitFull, "Tx-full "},
    };
    std::string text;
    for (const auto& [error, word] : kWords) {
        if (has(error)) {
            text += word;
        }
    }
    return text;
}

} // namespace gw
