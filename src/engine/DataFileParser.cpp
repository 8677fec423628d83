#include "engine/DataFileParser.h"

#include "core/TrimBlanks.h"
#include "engine/DataFileNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace gw {

namespace {

constexpr std::string_view NewRecord = "[NewRecord]";
constexpr std::size_t QuotedLength = 40;
constexpr int MaxNumbers = DataFilePoint::MaxChannels + 1; // the afterglow column after four

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool LooksLikePointLine(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first != std::string_view::npos &&
           ((text[first] >= '0' && text[first] <= '9') || text[first] == '-');
}

std::string Quoted(std::string_view text) {
    if (text.size() > QuotedLength) {
        return '"' + std::string(text.substr(0, QuotedLength)) + "...\"";
    }
    return '"' + std::string(text) + '"';
}

std::optional<int> ParseCount(std::string_view text) {
    text = TrimBlanks(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The fields of a point line: index, X, the numbers, and the valid word after the last ";".
struct PointFields {
    int index = 0;
    double x = 0.0;
    std::array<double, MaxNumbers> numbers{};
    int count = 0;
    bool valid = false;
};

std::optional<PointFields> SplitPointLine(std::string_view text) {
    PointFields fields;
    int field = 0;
    while (true) {
        const std::size_t semicolon = text.find(';');
        if (semicolon == std::string_view::npos) {
            const std::string_view word = TrimBlanks(text);
            if (field < 3 || (word != "valid" && word != "invalid")) {
                return std::nullopt;
            }
            fields.valid = word == "valid";
            return fields;
        }
        const std::string_view part = text.substr(0, semicolon);
        text.remove_prefix(semicolon + 1);
        if (field == 0) {
            const auto index = ParseCount(part);
            if (!index) {
                return std::nullopt;
            }
            fields.index = *index;
        } else {
            const auto number = ParseDataFileNumber(part);
            if (!number || fields.count == MaxNumbers) {
                return std::nullopt;
            }
            if (field == 1) {
                fields.x = *number;
            } else {
                fields.numbers[static_cast<std::size_t>(fields.count++)] = *number;
            }
        }
        ++field;
    }
}

} // namespace

void DataFileParser::feed(std::string_view bytes, DataFileSink& sink) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    if (afterCR_ && p != end) {
        afterCR_ = false;
        if (*p == '\n') {
            ++p;
            lineStart_ = ++consumed_;
        }
    }
    while (p != end) {
        const char* stop = std::find_if(p, end, IsLineEnd);
        if (stop == end) {
            appendPartial(p, end);
            consumed_ += static_cast<std::uint64_t>(end - p);
            return;
        }
        consumed_ += static_cast<std::uint64_t>(stop - p);
        std::string_view text(p, static_cast<std::size_t>(stop - p));
        if (!partial_.empty() || overlong_) {
            appendPartial(p, stop);
            text = partial_;
        }
        // The line break: CR LF counts once; a CR at the end of the piece waits for the next.
        ++consumed_;
        if (*stop == '\r') {
            if (stop + 1 == end) {
                afterCR_ = true;
            } else if (stop[1] == '\n') {
                ++stop;
                ++consumed_;
            }
        }
        endLine(text, true, sink);
        partial_.clear();
        overlong_ = false;
        lineStart_ = consumed_;
        p = stop + 1;
    }
}

void DataFileParser::appendPartial(const char* first, const char* last) {
    const auto room = MaxLineLength - std::min(MaxLineLength, partial_.size());
    const auto length = static_cast<std::size_t>(last - first);
    if (length > room) {
        overlong_ = true;
    }
    partial_.append(first, std::min(length, room));
}

void DataFileParser::finish(DataFileSink& sink) {
    if (!partial_.empty() || overlong_) {
        endLine(partial_, false, sink);
        partial_.clear();
        overlong_ = false;
    }
    closeBlock(consumed_, true, sink);
}

std::string DataFileParser::lineProblem(std::string_view what) const {
    return "line " + std::to_string(lineNumber_) + ": " + std::string(what);
}

void DataFileParser::endLine(std::string_view text, bool terminated, DataFileSink& sink) {
    ++lineNumber_;
    if (overlong_) {
        notUnderstood("longer than " + std::to_string(MaxLineLength) + " bytes, skipped", sink);
        return;
    }
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty()) {
        return;
    }
    if (trimmed == NewRecord) {
        closeBlock(lineStart_, false, sink);
        openRecord();
        return;
    }
    if (block_ == Block::Record && LooksLikePointLine(text)) {
        pointLine(text, terminated);
        return;
    }
    const std::size_t equals = text.find('=');
    if (equals != std::string_view::npos && equals > 0 &&
        text.substr(0, equals).find(';') == std::string_view::npos) {
        keyLine(text.substr(0, equals), text.substr(equals + 1), sink);
        return;
    }
    notUnderstood("not understood: " + Quoted(text), sink);
}

void DataFileParser::notUnderstood(std::string_view what, DataFileSink& sink) {
    if (block_ == Block::Record) {
        record_.problems.push_back(lineProblem(what));
    } else {
        sink.fileProblem(lineProblem(what));
    }
}

void DataFileParser::keyLine(std::string_view name, std::string_view value, DataFileSink& sink) {
    // "ScriptFile=" opens the script header block written before a platter's first record.
    const bool scriptFile = name == "ScriptFile";
    if (block_ == Block::None ||
        (scriptFile && (block_ == Block::Record || headerHasScriptFile_))) {
        closeBlock(lineStart_, false, sink);
        openHeader();
    }
    if (block_ == Block::Header) {
        headerHasScriptFile_ = headerHasScriptFile_ || scriptFile;
        header_.keys.push_back({std::string(name), std::string(value)});
        return;
    }
    record_.keys.push_back({std::string(name), std::string(value)});
    if (name == "Points") {
        const auto declared = ParseCount(value);
        if (declared && *declared >= 0) {
            record_.declaredPoints = *declared;
            record_.points.reserve(static_cast<std::size_t>(std::min(*declared, 100000)));
        } else {
            record_.problems.push_back(lineProblem("Points= is not a number"));
        }
    }
}

void DataFileParser::pointLine(std::string_view text, bool terminated) {
    const auto fields = SplitPointLine(text);
    if (!fields) {
        if (terminated) {
            record_.problems.push_back(lineProblem("point line not understood: " + Quoted(text)));
        } else {
            cutInPointLine_ = true;
        }
        return;
    }
    if (fields->index != static_cast<int>(record_.points.size()) && !misnumbered_) {
        misnumbered_ = true;
        record_.problems.push_back(lineProblem("point " + std::to_string(fields->index) +
                                               " where point " +
                                               std::to_string(record_.points.size()) + " was due"));
    }
    DataFilePoint point;
    point.x = fields->x;
    point.valid = fields->valid;
    std::copy_n(fields->numbers.begin(), DataFilePoint::MaxChannels, point.values.begin());
    point.afterglow = fields->numbers.back(); // the fifth number, sorted out when the record ends
    record_.points.push_back(point);
    valueCounts_.push_back(fields->count);
}

void DataFileParser::openRecord() {
    record_ = DataFileRecord{};
    record_.index = recordCount_;
    record_.header = headerCount_ - 1;
    record_.offset = lineStart_;
    record_.line = lineNumber_;
    valueCounts_.clear();
    misnumbered_ = false;
    cutInPointLine_ = false;
    block_ = Block::Record;
}

void DataFileParser::openHeader() {
    header_ = DataFileHeader{};
    header_.index = headerCount_;
    header_.offset = lineStart_;
    header_.line = lineNumber_;
    headerHasScriptFile_ = false;
    block_ = Block::Header;
}

void DataFileParser::closeBlock(std::uint64_t end, bool atEnd, DataFileSink& sink) {
    if (block_ == Block::Header) {
        ++headerCount_;
        sink.header(std::move(header_));
    } else if (block_ == Block::Record) {
        finishRecord(end, atEnd);
        ++recordCount_;
        sink.record(std::move(record_));
    }
    block_ = Block::None;
}

void DataFileParser::finishRecord(std::uint64_t end, bool atEnd) {
    DataFileRecord& r = record_;
    r.length = end - r.offset;
    // The first point is never one of the afterglow, which come last: it tells the channels.
    r.channels = valueCounts_.empty() ? 0 : std::min(valueCounts_.front(), 4);
    int strayLines = 0;
    for (std::size_t i = 0; i < r.points.size(); ++i) {
        DataFilePoint& point = r.points[i];
        const int count = valueCounts_[i];
        if (count == r.channels + 1) {
            point.hasAfterglow = true;
            point.afterglow = r.channels < DataFilePoint::MaxChannels
                                  ? point.values[static_cast<std::size_t>(r.channels)]
                                  : point.afterglow;
        } else if (count != r.channels) {
            ++strayLines;
        }
        std::fill(point.values.begin() + r.channels, point.values.end(), 0.0);
        point.afterglow = point.hasAfterglow ? point.afterglow : 0.0;
    }
    if (strayLines > 0) {
        r.problems.push_back(std::to_string(strayLines) + " point lines do not have " +
                             std::to_string(r.channels) + " values");
    }
    const int read = static_cast<int>(r.points.size());
    const std::string pointsRead =
        std::to_string(read) + " of " + std::to_string(r.declaredPoints) + " points";
    if (cutInPointLine_) {
        r.problems.push_back("cut off in the middle of point line " + std::to_string(read) + " (" +
                             pointsRead + " read)");
    } else if (atEnd && (read < r.declaredPoints || r.find("Stopped") == nullptr)) {
        r.problems.push_back(r.declaredPoints > read
                                 ? "cut off at the end of the file after " + pointsRead
                                 : std::string("cut off at the end of the file"));
    } else if (read < r.declaredPoints) {
        r.problems.push_back("only " + pointsRead);
    }
    if (read > r.declaredPoints && r.declaredPoints >= 0) {
        r.problems.push_back(std::to_string(read) +
                             " point lines where Points=" + std::to_string(r.declaredPoints));
    }
}

} // namespace gw
