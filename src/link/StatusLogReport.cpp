#include "link/StatusLogReport.h"

#include "link/DataPanelModel.h"
#include "link/ReaderErrorBits.h"

namespace gw {

namespace {

constexpr std::size_t TemperatureField = 6; // "temp", 1-based as the operator counts

enum class LineKind { Other, Command, Reply };

struct LogLineParts {
    LineKind kind = LineKind::Other;
    std::string_view time;
    std::string_view text;
};

bool IsHexText(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!hex) {
            return false;
        }
    }
    return true;
}

// A time stamp followed by one of these words marks a reply the console did not decode.
bool CutErrorWord(std::string_view& prefix) {
    for (const std::string_view word :
         {std::string_view(" PostError"), std::string_view(" ComError")}) {
        if (prefix.ends_with(word)) {
            prefix.remove_suffix(word.size());
            return true;
        }
    }
    return false;
}

LogLineParts SplitLogLine(std::string_view line) {
    // The reply of an "extra long" line is logged again on the error line that follows it.
    if (line.starts_with("extra long: ")) {
        return {};
    }
    const std::size_t at = line.find(": ");
    if (at == std::string_view::npos) {
        // A bare reply, as in a file of replies alone.
        return {IsHexText(line) ? LineKind::Reply : LineKind::Other, {}, line};
    }
    std::string_view time = line.substr(0, at);
    const std::string_view text = line.substr(at + 2);
    if (CutErrorWord(time)) {
        return {text.empty() ? LineKind::Other : LineKind::Reply, time, text};
    }
    if (text.starts_with('"')) {
        return {LineKind::Command, time, text};
    }
    return {IsHexText(text) ? LineKind::Reply : LineKind::Other, time, text};
}

// The settings the first long reply of the log fits, when any does.
DecodeSettings GuessSettings(const std::vector<std::string_view>& lines, DecodeSettings settings) {
    for (const std::string_view line : lines) {
        const LogLineParts parts = SplitLogLine(line);
        if (parts.kind != LineKind::Reply) {
            continue;
        }
        if (const auto layout = LayoutOfLongReply(parts.text.size())) {
            settings.systemType = layout->SystemType;
            settings.counterChannels = layout->CounterChannels;
            return settings;
        }
    }
    return settings;
}

} // namespace

std::vector<std::string_view> LogTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::optional<ReplyLayout> LayoutOfLongReply(std::size_t length) {
    constexpr int OtherReader = 2;
    for (const int systemType : {ReplyLayout::SixSixHundred, OtherReader}) {
        for (int k = 1; k <= ReplyLayout::MaxCounterChannels; ++k) {
            const ReplyLayout layout = ReplyLayout::For(systemType, k);
            if (static_cast<std::size_t>(layout.LongLength) == length) {
                return layout;
            }
        }
    }
    return std::nullopt;
}

std::vector<LogReading> DecodeConsoleLog(std::string_view logText, const DecodeSettings& settings,
                                         bool guessLayout) {
    const std::vector<std::string_view> lines = LogTextLines(logText);
    ReaderLinkState link = FreshLinkState(guessLayout ? GuessSettings(lines, settings) : settings);
    ReaderState state;
    std::vector<LogReading> readings;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LogLineParts parts = SplitLogLine(lines[i]);
        if (parts.kind == LineKind::Command) {
            if (const auto channels = CounterChannelsRequest(std::string(parts.text))) {
                link.SetCounterChannels(*channels);
            }
            continue;
        }
        if (parts.kind != LineKind::Reply) {
            continue;
        }
        LogReading reading;
        reading.lineNumber = i + 1;
        reading.time = std::string(parts.time);
        reading.reply = std::string(parts.text);
        reading.systemType = link.systemType();
        reading.counterChannels = link.layout.CounterChannels;
        const ReaderState before = state;
        reading.report = ReportStatusLine(lines[i], link, state);
        if (!reading.report.ok) {
            state = before; // half a garbled reply is no reading
        }
        readings.push_back(std::move(reading));
    }
    return readings;
}

std::string ReadingTemperature(const LogReading& reading) {
    if (!reading.report.ok || !reading.report.has(StatusField::Data)) {
        return {};
    }
    return DataFieldViews(reading.report.state, reading.systemType,
                          reading.counterChannels)[TemperatureField - 1]
        .value;
}

std::string ReaderErrorWords(std::int32_t errorBits) {
    std::string words;
    for (int bit = 0; bit < ReaderErrorCount; ++bit) {
        if (errorBits & (1 << bit)) {
            const std::string_view word = ReaderErrorWord(static_cast<ReaderError>(bit));
            words += (words.empty() ? "" : ", ") + std::string(word.substr(1));
        }
    }
    return words;
}

} // namespace gw
