#include "link/ReaderPacket.h"

#include "link/HexBytes.h"
#include "link/ReaderErrorBits.h"
#include "link/StatusReplyDecoder.h"

namespace gw {

namespace {

constexpr char SUB = '\x1A';
constexpr int SmallestLongFrame = 26; // a 6600 long reply with one counter

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20;
}

std::string_view TrimControls(std::string_view text) {
    while (!text.empty() && IsControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsControl(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsLongStatusFrame(std::string_view packet) {
    if (packet.size() < static_cast<std::size_t>(SmallestLongFrame)) {
        return false;
    }
    const int length = static_cast<unsigned char>(packet[1]);
    return (length - SmallestLongFrame) % 3 == 0;
}

// A frame whose contents have exactly the current layout's length. The long-frame rule above only
// fits the 6600's long replies; the other readers' long replies and the short replies of a 6600
// (one for every point while short replies are on) would otherwise pass for text replies.
bool FitsCurrentLayout(std::string_view packet, const ReaderLinkState& link) {
    if (!IsCompleteFrame(packet)) {
        return false;
    }
    const std::size_t digits = 2 * (packet.size() - 3);
    return digits == static_cast<std::size_t>(link.layout.LongLength) ||
           (link.ShortReplies && digits == static_cast<std::size_t>(link.layout.ShortLength));
}

PacketOutcome TextReply(std::string_view text, ReaderLinkState& link) {
    PacketOutcome outcome;
    outcome.kind = PacketKind::TextReply;
    text.remove_prefix(1);
    std::string_view identification = text.substr(0, text.find('\r'));
    while (!identification.empty() && IsControl(identification.front())) {
        identification.remove_prefix(1);
    }
    const auto type = IdentifySystemType(identification);
    if (type && *type != link.systemType()) {
        link.setSystemType(*type);
        outcome.identifiedSystemType = type;
    }
    outcome.logLines.push_back(StampedLine(": " + std::string(TrimControls(text))));
    return outcome;
}

PacketOutcome StatusReply(const std::string& text, ReaderLinkState& link, ReaderState& state) {
    PacketOutcome outcome;
    if (link.ReaderErrorPending) {
        link.ReaderErrorPending = false;
        outcome.kind = PacketKind::ComError;
        outcome.logLines.push_back(StampedLine(" ComError: " + text));
        return outcome;
    }
    if (!DecodeStatusReply(text, link, state)) {
        link.ReaderErrorPending = true;
        outcome.kind = PacketKind::PostError;
        outcome.startRecoveryTimer = true;
        outcome.logLines.push_back(StampedLine(" PostError: " + text));
        return outcome;
    }
    outcome.kind = PacketKind::StatusReply;
    if (state.Flags[BusyFlag] == 1) {
        outcome.logLines.push_back(StampedLine(": " + text));
    }
    for (LogLine& line : ReaderErrorLines(state.ErrorBits)) {
        outcome.logLines.push_back(std::move(line));
    }
    return outcome;
}

} // namespace

std::optional<int> IdentifySystemType(std::string_view identification) {
    const auto has = [identification](std::string_view part) {
        return identification.find(part) != std::string_view::npos;
    };
    if (has("SYS")) {
        if (has("SYS66")) {
            return 4;
        }
        if (has("SYS3550")) {
            return 3;
        }
        if (has("SYS3500")) {
            return 2;
        }
        if (has("SYS3400")) {
            return 1;
        }
        return std::nullopt;
    }
    if (has("3550")) {
        return 3;
    }
    if (has("3500")) {
        return 2;
    }
    if (has("3400")) {
        return 1;
    }
    return std::nullopt;
}

std::string ReaderWorkingText(std::string_view packet, bool eightBitMode,
                              const ReaderLinkState& link) {
    if (!eightBitMode) {
        return std::string(packet);
    }
    if (IsLongStatusFrame(packet) || FitsCurrentLayout(packet, link)) {
        return HexBytes(packet, HexBytesMode::ContentsOnly);
    }
    std::string text(packet);
    if (IsCompleteFrame(packet)) {
        text.erase(1, 1);
    }
    return text;
}

LogLine ReaderDiscardLine(std::string_view bytes) {
    return StampedLine(" discarded: " + HexBytes(bytes, HexBytesMode::KeepFrame));
}

PacketOutcome InterpretReaderPacket(std::string_view packet, bool eightBitMode,
                                    ReaderLinkState& link, ReaderState& state) {
    std::optional<LogLine> extraLong;
    if (!eightBitMode && packet.size() >= ExtraLongPacketBytes) {
        extraLong = PlainLine("extra long: " + std::string(packet));
    }
    const std::string text = ReaderWorkingText(packet, eightBitMode, link);
    PacketOutcome outcome;
    if (text.empty()) {
        outcome.kind = PacketKind::Empty;
    } else if (text.front() == STX || text.front() == SUB) {
        outcome = TextReply(text, link);
    } else {
        outcome = StatusReply(text, link, state);
    }
    outcome.workingText = text;
    outcome.extraLongLine = std::move(extraLong);
    return outcome;
}

} // namespace gw
