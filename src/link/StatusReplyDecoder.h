#pragma once

#include "link/ReaderLinkState.h"
#include "link/ReaderState.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace gw {

// The value of a fixed-width hexadecimal field (either case); nothing when it is empty or holds
// any other character.
std::optional<std::uint32_t> ParseHexField(std::string_view digits);

// Decodes a status reply (long or short form) into the reader state. Fields are written as they
// are decoded, so a failure leaves the fields before it changed. The reply's length also switches
// the link between short and long replies; a long reply settles a pending purge sync.
bool DecodeStatusReply(std::string_view text, ReaderLinkState& link, ReaderState& state);

// The 32 flags of a status word: bit j of the n-th byte in text order gives Flags[8n + j], 1 when
// the bit is 0, except the calibration flag, which is 1 when its bit is 1.
void SetFlagsFromStatusWord(std::uint32_t statusWord, ReaderState& state);

} // namespace gw
