#include "link/StatusLineReport.h"

#include "link/DumpLine.h"
#include "link/StatusReplyDecoder.h"

#include <vector>

namespace gw {

namespace {

constexpr std::array<const char*, StatusFieldCount> FieldNames = {
    "Counts", "PointCounter", "Position", "StateCode", "ErrorBits", "Data", "Flags", "Timer"};

// Where one field sits in the reply text (0-based) and how many digits it has.
struct FieldSpot {
    std::string name;
    int offset = 0;
    int digits = 0;
    const char* limit = nullptr; // the highest value allowed, when below the digits' range
};

// Every value of the state turned round, so that a field the decoder writes is equal in both
// and a field it leaves alone differs.
ReaderState Complement(const ReaderState& state) {
    ReaderState other = state;
    const auto flip = [](std::int32_t& value) { value = ~value; };
    flip(other.Position);
    flip(other.PointCounter);
    flip(other.StateCode);
    flip(other.ErrorBits);
    flip(other.Timer);
    for (auto& count : other.Counts) {
        flip(count);
    }
    for (auto& value : other.Data) {
        flip(value);
    }
    for (auto& flag : other.Flags) {
        flag = static_cast<std::uint8_t>(~flag);
    }
    return other;
}

template <typename Values> int FirstDiffering(const Values& a, const Values& b, int count) {
    for (int i = 0; i < count; ++i) {
        if (a[static_cast<std::size_t>(i)] != b[static_cast<std::size_t>(i)]) {
            return i;
        }
    }
    return -1;
}

std::array<bool, StatusFieldCount> WrittenFields(const ReaderState& a, const ReaderState& b,
                                                 int channels) {
    return {FirstDiffering(a.Counts, b.Counts, channels) < 0,
            a.PointCounter == b.PointCounter,
            a.Position == b.Position,
            a.StateCode == b.StateCode,
            a.ErrorBits == b.ErrorBits,
            FirstDiffering(a.Data, b.Data, 8) < 0,
            FirstDiffering(a.Flags, b.Flags, 32) < 0,
            a.Timer == b.Timer};
}

std::vector<StatusField> FieldsOfForm(bool shortForm) {
    if (shortForm) {
        return {StatusField::Counts, StatusField::PointCounter, StatusField::StateCode};
    }
    return {StatusField::Counts,    StatusField::PointCounter, StatusField::Position,
            StatusField::StateCode, StatusField::ErrorBits,    StatusField::Data,
            StatusField::Flags,     StatusField::Timer};
}

// The spot of the first field the line did not set.
FieldSpot SpotOf(StatusField field, const ReplyLayout& layout, bool shortForm, const ReaderState& a,
                 const ReaderState& b) {
    switch (field) {
    case StatusField::Counts: {
        // Counter field j (1-based) goes to Counts[k - j]; the first that stayed untouched failed.
        const int k = layout.CounterChannels;
        int j = 1;
        while (j < k && a.Counts[static_cast<std::size_t>(k - j)] ==
                            b.Counts[static_cast<std::size_t>(k - j)]) {
            ++j;
        }
        return {"counter field " + std::to_string(j), ReplyLayout::CounterDigits * (j - 1),
                ReplyLayout::CounterDigits};
    }
    case StatusField::PointCounter:
        return {"PointCounter", layout.pointOffset(), layout.pointDigits()};
    case StatusField::Position:
        return {"Position", layout.positionOffset(), 2};
    case StatusField::StateCode:
        return {"StateCode", shortForm ? layout.shortStateOffset() : layout.longStateOffset(), 2,
                "10"};
    case StatusField::ErrorBits:
        return {"ErrorBits", layout.errorOffset(), 4, "FFF"};
    case StatusField::Data: {
        const int i = FirstDiffering(a.Data, b.Data, 8);
        return {"Data[" + std::to_string(i) + "]", layout.dataOffset() + 2 * i, 2};
    }
    case StatusField::Flags:
        return {"status word", layout.statusWordOffset(), 8};
    case StatusField::Timer:
        return {"Timer", layout.timerOffset(), 4};
    }
    return {};
}

std::string FieldProblem(std::string_view text, const FieldSpot& spot) {
    const auto at = static_cast<std::size_t>(spot.offset);
    const std::string_view digits = at < text.size()
                                        ? text.substr(at, static_cast<std::size_t>(spot.digits))
                                        : std::string_view{};
    const std::string where = " (characters " + std::to_string(spot.offset + 1) + "-" +
                              std::to_string(spot.offset + spot.digits) + ")";
    if (digits.empty()) {
        return spot.name + where + " is missing";
    }
    const std::string quoted = spot.name + " \"" + std::string(digits) + "\"" + where;
    if (!ParseHexField(digits)) {
        return quoted + " is not hexadecimal";
    }
    if (spot.limit != nullptr) {
        return quoted + " is above " + spot.limit;
    }
    return quoted + " is not valid";
}

std::string LengthProblem(std::size_t length, const ReplyLayout& layout) {
    return "the reply has " + std::to_string(length) + " characters; a long reply has " +
           std::to_string(layout.LongLength) + " and a short one " +
           std::to_string(layout.ShortLength) + " in this layout";
}

std::string Problem(std::string_view text, const ReplyLayout& layout, bool shortForm,
                    const StatusLineReport& report, const ReaderState& other) {
    for (const StatusField field : FieldsOfForm(shortForm)) {
        if (report.has(field)) {
            continue;
        }
        const bool pastPoint = field != StatusField::Counts && field != StatusField::PointCounter;
        const int expected = shortForm ? layout.ShortLength : layout.LongLength;
        if (pastPoint && text.size() != static_cast<std::size_t>(expected)) {
            return LengthProblem(text.size(), layout);
        }
        return FieldProblem(text, SpotOf(field, layout, shortForm, report.state, other));
    }
    return "the reply does not decode";
}

std::string_view ReplyText(std::string_view line) {
    std::string_view text = DumpLineText(line);
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

ReaderLinkState FreshLinkState(const DecodeSettings& settings) {
    ReaderLinkState link;
    link.layout = ReplyLayout::For(settings.systemType, settings.counterChannels);
    link.CorrectCounts = settings.correctCounts;
    link.ShortReplies = settings.shortReplies;
    return link;
}

const char* StatusFieldName(StatusField field) {
    return FieldNames[static_cast<std::size_t>(field)];
}

StatusLineReport ReportStatusLine(std::string_view line, ReaderLinkState& link,
                                  ReaderState& state) {
    // The decoder does not say how far it got; a second run over the complemented state does.
    ReaderLinkState otherLink = link;
    ReaderState other = Complement(state);
    DecodeDumpLine(line, otherLink, other);

    StatusLineReport report;
    report.ok = DecodeDumpLine(line, link, state);
    report.shortForm = link.ShortReplies;
    report.state = state;
    report.decoded = WrittenFields(state, other, link.layout.CounterChannels);
    if (!report.ok) {
        report.problem = Problem(ReplyText(line), link.layout, report.shortForm, report, other);
    }
    return report;
}

StatusLineReport ReportStatusLine(std::string_view line, const DecodeSettings& settings) {
    ReaderLinkState link = FreshLinkState(settings);
    ReaderState state;
    return ReportStatusLine(line, link, state);
}

} // namespace gw
