#pragma once

#include "link/StatusLineReport.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// One status reply found in a console log, decoded in the order of the log.
struct LogReading {
    std::size_t lineNumber = 0; // 1-based
    std::string time;           // the line's time stamp as logged (Windows-1252 bytes)
    std::string reply;          // the reply text
    int systemType = 0;         // the layout it was read with
    int counterChannels = 1;
    StatusLineReport report;
};

// The lines of a log text: CR LF or LF ends a line; a last line without an end counts too.
std::vector<std::string_view> LogTextLines(std::string_view text);

// The layout whose long replies have this many characters; the long lengths of the 6600 and of
// the other readers, with 1 to 4 channels, are all different. Other readers come back as a 3500.
std::optional<ReplyLayout> LayoutOfLongReply(std::size_t length);

// Decodes the status replies of a console log: replies the console logged while the reader was
// busy, and the ones it logged as "PostError" or "ComError". Other lines are skipped, except that
// a logged "T21 n" command changes the counter channels as it did in the console. The state
// carries from reply to reply as in the console, but a reply that does not decode leaves it as it
// was. With guessLayout, the first long reply in the log chooses the layout.
std::vector<LogReading> DecodeConsoleLog(std::string_view logText, const DecodeSettings& settings,
                                         bool guessLayout);

// The temperature the data panel shows for the reading, in whole degrees C ("" for a reply that
// does not carry it).
std::string ReadingTemperature(const LogReading& reading);

// The reader errors of the bits, as words ("high voltage, ramp"); empty when there are none.
std::string ReaderErrorWords(std::int32_t errorBits);

} // namespace gw
