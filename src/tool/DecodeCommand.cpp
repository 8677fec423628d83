#include "tool/DecodeCommand.h"

#include "core/SystemTypeNames.h"
#include "core/Windows1252Text.h"
#include "link/DataPanelModel.h"
#include "link/PanelLabels.h"
#include "link/StatusLogReport.h"
#include "profile/ProfileJson.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>

namespace gw::tool {

namespace {

constexpr const char* Usage =
    "usage: gwtool decode [--system 0..4] [--channels 1..4] [--correct] [--short] [--json] "
    "LINE...\n"
    "       gwtool decode --log FILE [--csv] [--system 0..4] [--channels 1..4] [--correct] "
    "[--short]\n";

struct DecodeOptions {
    DecodeSettings settings;
    bool layoutGiven = false;
    bool json = false;
    bool csv = false;
    std::optional<std::string> logFile;
    std::vector<std::string> lines;
};

int UsageError(std::ostream& err, const std::string& problem) {
    err << "gwtool decode: " << problem << "\n" << Usage;
    return 2;
}

std::optional<int> SmallNumber(const std::string& text, int lowest, int highest) {
    if (text.size() != 1 || text[0] < '0' + lowest || text[0] > '0' + highest) {
        return std::nullopt;
    }
    return text[0] - '0';
}

// The options, or the problem with them.
std::string ParseOptions(const std::vector<std::string>& args, DecodeOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--system" || arg == "--channels") {
            const bool system = arg == "--system";
            const auto value =
                hasValue ? SmallNumber(args[i + 1], system ? 0 : 1, 4) : std::optional<int>{};
            if (!value) {
                return system ? "--system takes a system type 0 to 4 (4 is the 6600)"
                              : "--channels takes 1 to 4 counter channels";
            }
            (system ? options.settings.systemType : options.settings.counterChannels) = *value;
            options.layoutGiven = true;
            ++i;
        } else if (arg == "--correct") {
            options.settings.correctCounts = true;
        } else if (arg == "--short") {
            options.settings.shortReplies = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--csv") {
            options.csv = true;
        } else if (arg == "--log") {
            if (!hasValue) {
                return "--log takes a console log file";
            }
            options.logFile = args[++i];
        } else if (arg.starts_with("--")) {
            return "unknown option '" + arg + "'";
        } else {
            options.lines.push_back(arg);
        }
    }
    if (options.logFile && !options.lines.empty()) {
        return "give either reply lines or --log FILE, not both";
    }
    if (!options.logFile && options.lines.empty()) {
        return "which status reply lines?";
    }
    if (options.csv && !options.logFile) {
        return "--csv goes with --log FILE";
    }
    if (options.json && options.logFile) {
        return "--json goes with reply lines; a log gives a table or --csv";
    }
    return {};
}

// ---- one line, as text or JSON ----

template <typename Values> std::string Joined(const Values& values, const char* separator) {
    std::string text;
    for (const auto value : values) {
        text += (text.empty() ? "" : separator) + std::to_string(value);
    }
    return text;
}

std::string FlagDigits(const ReaderState& state) {
    std::string text;
    for (std::size_t i = 0; i < state.Flags.size(); ++i) {
        text += (i > 0 && i % 8 == 0 ? " " : "") + std::to_string(state.Flags[i]);
    }
    return text;
}

std::string SetFlagNames(const ReaderState& state, int systemType) {
    std::string names;
    for (int i = 0; i < PanelLabels::StatusCount; ++i) {
        const PanelLabels::Place& place = PanelLabels::status(systemType, i);
        if (PanelLabels::highlighted(place, state.Flags[static_cast<std::size_t>(i)])) {
            names += (names.empty() ? "" : ", ") + std::string(place.text);
        }
    }
    return names.empty() ? "none" : names;
}

std::string HexBits(std::int32_t bits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%03X", static_cast<unsigned>(bits));
    return text;
}

// The data panel's converted readings (fields 5 to 12) of a long reply.
std::string PanelReadings(const ReaderState& state, const DecodeSettings& settings) {
    const auto views = DataFieldViews(state, settings.systemType, settings.counterChannels);
    std::string text;
    for (int number = 5; number <= 12; ++number) {
        const DataFieldView& view = views[static_cast<std::size_t>(number - 1)];
        if (!view.visible) {
            continue;
        }
        text += (text.empty() ? "" : ", ") + view.caption + " " + view.value +
                (view.unit.empty() ? "" : " " + view.unit);
    }
    return text;
}

std::string LayoutText(const DecodeSettings& settings) {
    const int k = settings.counterChannels;
    return SystemTypeMenuItem(settings.systemType) + ", " + std::to_string(k) + " counter channel" +
           (k == 1 ? "" : "s");
}

void PrintLineText(const std::string& line, const StatusLineReport& report,
                   const DecodeSettings& settings, std::ostream& out) {
    out << line << '\n';
    const char* form = report.shortForm ? "short" : "long";
    if (report.ok) {
        out << "  " << form << " reply, " << LayoutText(settings) << '\n';
    } else {
        out << "  does not decode (" << LayoutText(settings)
            << "): " << ProfileTextToUtf8(report.problem) << '\n';
    }
    const ReaderState& s = report.state;
    const auto field = [&](StatusField which, const std::string& value) {
        if (report.has(which)) {
            out << "  " << StatusFieldName(which) << " = " << value << '\n';
        }
    };
    field(StatusField::Position, std::to_string(s.Position));
    field(StatusField::PointCounter, std::to_string(s.PointCounter));
    field(StatusField::StateCode, std::to_string(s.StateCode));
    field(StatusField::ErrorBits,
          HexBits(s.ErrorBits) +
              (s.ErrorBits != 0 ? " (" + ReaderErrorWords(s.ErrorBits) + ")" : std::string()));
    field(StatusField::Timer, std::to_string(s.Timer));
    field(StatusField::Counts, Joined(s.Counts, " "));
    field(StatusField::Data, Joined(s.Data, " ") + "  (" + PanelReadings(s, settings) + ")");
    field(StatusField::Flags,
          FlagDigits(s) + "  (set: " + SetFlagNames(s, settings.systemType) + ")");
    out << "  ShortReplies = " << (report.shortForm ? "on" : "off") << '\n';
}

void PrintLineJson(const StatusLineReport& report, std::ostream& out) {
    const ReaderState& s = report.state;
    out << "{\"ok\": " << (report.ok ? "true" : "false");
    const auto field = [&](StatusField which, const std::string& value) {
        if (report.has(which)) {
            out << ", \"" << StatusFieldName(which) << "\": " << value;
        }
    };
    field(StatusField::Position, std::to_string(s.Position));
    field(StatusField::PointCounter, std::to_string(s.PointCounter));
    field(StatusField::StateCode, std::to_string(s.StateCode));
    field(StatusField::ErrorBits, std::to_string(s.ErrorBits));
    field(StatusField::Timer, std::to_string(s.Timer));
    field(StatusField::Counts, "[" + Joined(s.Counts, ", ") + "]");
    field(StatusField::Data, "[" + Joined(s.Data, ", ") + "]");
    field(StatusField::Flags, "[" + Joined(s.Flags, ", ") + "]");
    out << ", \"ShortReplies\": " << (report.shortForm ? "true" : "false");
    if (!report.ok) {
        out << ", \"problem\": " << JsonText(report.problem);
    }
    out << "}\n";
}

int DecodeLines(const DecodeOptions& options, std::ostream& out) {
    bool allDecoded = true;
    for (const std::string& line : options.lines) {
        const StatusLineReport report = ReportStatusLine(line, options.settings);
        allDecoded = allDecoded && report.ok;
        if (options.json) {
            PrintLineJson(report, out);
        } else {
            PrintLineText(line, report, options.settings, out);
        }
    }
    return allDecoded ? 0 : 1;
}

// ---- a console log, as a table or CSV ----

using Row = std::vector<std::string>;

Row HeaderRow(int channels) {
    Row row = {"line", "time", "reply", "position", "state", "point", "photons"};
    for (int j = 1; j < channels; ++j) {
        row.push_back("photons" + std::to_string(j));
    }
    row.insert(row.end(), {"temp (\xC2\xB0"
                           "C)",
                           "errors", "problem"});
    return row;
}

// The readings of one reply; a short reply carries no position, temperature or errors.
Row ReadingRow(const LogReading& reading, int channels) {
    const StatusLineReport& report = reading.report;
    const ReaderState& s = report.state;
    Row row = {std::to_string(reading.lineNumber), ProfileTextToUtf8(reading.time)};
    if (!report.ok) {
        row.push_back("not decoded");
        row.resize(static_cast<std::size_t>(channels) + 8);
        row.push_back(ProfileTextToUtf8(report.problem));
        return row;
    }
    const bool full = !report.shortForm;
    row.push_back(full ? "long" : "short");
    row.push_back(full ? std::to_string(s.Position) : "");
    row.push_back(std::to_string(s.StateCode));
    row.push_back(std::to_string(s.PointCounter));
    for (int j = 0; j < channels; ++j) {
        row.push_back(j < reading.counterChannels
                          ? std::to_string(s.Counts[static_cast<std::size_t>(j)])
                          : "");
    }
    row.push_back(ReadingTemperature(reading));
    row.push_back(full ? ReaderErrorWords(s.ErrorBits) : "");
    row.push_back("");
    return row;
}

std::string CsvCell(const std::string& cell) {
    if (cell.find_first_of(",\"\r\n") == std::string::npos) {
        return cell;
    }
    std::string quoted = "\"";
    for (const char c : cell) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

// UTF-8 characters of a cell, for lining up the columns.
std::size_t ShownWidth(const std::string& cell) {
    return static_cast<std::size_t>(std::count_if(cell.begin(), cell.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void PrintCsv(const std::vector<Row>& rows, std::ostream& out) {
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            line += (i > 0 ? "," : "") + CsvCell(row[i]);
        }
        out << line << '\n';
    }
}

// Columns padded to their widest cell.
void PrintTable(const std::vector<Row>& rows, std::ostream& out) {
    const std::size_t columns = rows.front().size();
    std::vector<std::size_t> widths(columns, 0);
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < columns; ++i) {
            widths[i] = std::max(widths[i], ShownWidth(row[i]));
        }
    }
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const bool last = i + 1 == row.size();
            line += row[i];
            if (!last) {
                line += std::string(widths[i] - std::min(widths[i], ShownWidth(row[i])) + 2, ' ');
            }
        }
        while (line.ends_with(' ')) {
            line.pop_back();
        }
        out << line << '\n';
    }
}

std::optional<std::string> ReadLogFile(const std::string& path, std::ostream& err) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        err << "gwtool decode: '" << path << "' is a directory, not a console log\n";
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        err << "gwtool decode: cannot open the console log '" << path << "'\n";
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) {
        err << "gwtool decode: cannot read the console log '" << path << "'\n";
        return std::nullopt;
    }
    return text.str();
}

int DecodeLog(const DecodeOptions& options, std::ostream& out, std::ostream& err) {
    const std::optional<std::string> text = ReadLogFile(*options.logFile, err);
    if (!text) {
        return 1;
    }
    const std::vector<LogReading> readings =
        DecodeConsoleLog(*text, options.settings, !options.layoutGiven);
    int channels = 1;
    for (const LogReading& reading : readings) {
        channels = std::max(channels, reading.counterChannels);
    }
    std::vector<Row> rows = {HeaderRow(channels)};
    for (const LogReading& reading : readings) {
        rows.push_back(ReadingRow(reading, channels));
    }
    if (options.csv) {
        PrintCsv(rows, out);
    } else {
        PrintTable(rows, out);
    }
    if (readings.empty()) {
        err << "gwtool decode: no status replies in '" << *options.logFile << "'\n";
    }
    return 0;
}

} // namespace

int runDecodeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    DecodeOptions options;
    if (const std::string problem = ParseOptions(args, options); !problem.empty()) {
        return UsageError(err, problem);
    }
    return options.logFile ? DecodeLog(options, out, err) : DecodeLines(options, out);
}

} // namespace gw::tool
