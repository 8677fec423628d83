#pragma once

#include "link/ReaderState.h"
#include "link/ReplyLayout.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace gw {

// Writes replies the way the reader does, for the simulated reader and for tests: fixed-width
// upper-case hex fields, 7-bit lines (without the CR) or 8-bit frames.

// The status word whose bits give these flags (the inverse of the decoder's rule).
std::uint32_t StatusWordFromFlags(const ReaderState& state);

// A status reply in the layout's long or short form. Values are cut to their field widths.
std::string EncodeStatusReply(const ReaderState& state, const ReplyLayout& layout, bool shortForm);

// An 8-bit status frame: STX, the total length, the bytes that the hex digits stand for, ETX.
// The digits must be an even number of hex digits, at most 2 x 251.
std::string FrameHexReply(std::string_view hexDigits);

// An 8-bit text frame: STX, the total length, the text's bytes, ETX (text at most 251 bytes).
std::string FrameText(std::string_view text);

} // namespace gw
