#pragma once

#include "link/ReaderLinkState.h"
#include "link/ReaderState.h"

#include <array>
#include <string>
#include <string_view>

namespace gw {

// The reply parser's settings a status line is read with: the reader model, the counter channels,
// the "Correct reader" switch and whether short replies are on.
struct DecodeSettings {
    int systemType = ReplyLayout::SixSixHundred;
    int counterChannels = 1;
    bool correctCounts = false;
    bool shortReplies = false;
};

// A reply parser's state at start-up with these settings.
ReaderLinkState FreshLinkState(const DecodeSettings& settings);

// The fields of a status reply in the order the decoder reads them (a short reply stops after
// the state code).
enum class StatusField { Counts, PointCounter, Position, StateCode, ErrorBits, Data, Flags, Timer };
inline constexpr int StatusFieldCount = 8;

const char* StatusFieldName(StatusField field);

// What one status line gave: the reader state after it, the fields it set and, when it does not
// decode, why not.
struct StatusLineReport {
    bool ok = false;
    bool shortForm = false; // the link's short-reply mode after the line
    ReaderState state;
    std::array<bool, StatusFieldCount> decoded{};
    std::string problem; // empty when ok

    bool has(StatusField field) const { return decoded[static_cast<std::size_t>(field)]; }
};

// Decodes a status line (a bare reply or a console log line, whose text follows the first ": ")
// into the given state, as the dump replay does, and tells which fields the line set.
StatusLineReport ReportStatusLine(std::string_view line, ReaderLinkState& link, ReaderState& state);

// The same from a fresh reader state with the given settings.
StatusLineReport ReportStatusLine(std::string_view line, const DecodeSettings& settings);

} // namespace gw
