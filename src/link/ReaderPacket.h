#pragma once

#include "link/LinkSetup.h"
#include "link/LogLine.h"
#include "link/ReaderLinkState.h"
#include "link/ReaderState.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// A 7-bit packet this long was cut by the splitter's size limit rather than ended by a CR.
inline constexpr std::size_t ExtraLongPacketBytes = link_setup::kReaderSizeLimit;

enum class PacketKind {
    Empty,      // a lone CR: nothing to do
    TextReply,  // a text from the reader, logged; may identify the reader model
    ComError,   // a status reply after a line error or a garbled reply: logged, not decoded
    PostError,  // a status reply that did not decode: logged; start the recovery timer
    StatusReply // decoded into the reader state
};

// What the packet handler must do with one reader packet. The decision is pure; the handler
// clears and sets the reply event, writes the lines, refreshes the panels and runs the engine.
struct PacketOutcome {
    PacketKind kind = PacketKind::Empty;
    std::string workingText; // the packet as text (an 8-bit status frame as hex digits)
    // Written first, before the reply is looked at ("extra long: ", no time stamp).
    std::optional<LogLine> extraLongLine;
    // For a status reply these follow the panel refresh and the log's capacity rules: the reply
    // itself while the reader is busy, then the "reader error -" lines.
    std::vector<LogLine> logLines;
    // A different system type named by an identification text; the link's layout has already
    // switched to it and the console adopts it as its SystemType.
    std::optional<int> identifiedSystemType;
    bool startRecoveryTimer = false; // with 100 ms
};

// The reader model an identification text names, if any ("SYS66" is a 6600, "SYS3550" or
// "3550" a 3550, and so on).
std::optional<int> IdentifySystemType(std::string_view identification);

// The packet as the parser reads it. In 8-bit mode a frame that holds a status reply becomes the
// hex digits of its contents; any other frame loses its length byte.
std::string ReaderWorkingText(std::string_view packet, bool eightBitMode,
                              const ReaderLinkState& link);

// The log line for bytes the 7-bit splitter could not place in a packet.
LogLine ReaderDiscardLine(std::string_view bytes);

// Handles one packet from the reader port's splitter: classifies it, decodes a status reply into
// the state and updates the link's flags.
PacketOutcome InterpretReaderPacket(std::string_view packet, bool eightBitMode,
                                    ReaderLinkState& link, ReaderState& state);

} // namespace gw
