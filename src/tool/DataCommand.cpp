#include "tool/DataCommand.h"

#include "core/Windows1252Text.h"
#include "engine/DataFileCsv.h"
#include "engine/DataFileReader.h"
#include "engine/DataFileRecordRow.h"
#include "profile/ProfileJson.h"

#include <algorithm>
#include <charconv>
#include <iomanip>
#include <optional>
#include <ostream>
#include <set>

namespace gw::tool {

namespace {

constexpr const char* Usage = "usage: gwtool data show FILE [--json] [--record N]\n"
                              "       gwtool data export FILE --csv [--record N]...\n";

struct DataOptions {
    std::string action;
    std::string file;
    bool json = false;
    bool csv = false;
    std::set<int> records;  // empty: every record
    std::vector<int> order; // the records as asked for
};

std::optional<int> ParseIndex(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<DataOptions> ParseOptions(const std::vector<std::string>& args, std::string& why) {
    if (args.size() < 2 || (args[0] != "show" && args[0] != "export")) {
        why = "expected show or export and a file";
        return std::nullopt;
    }
    DataOptions options;
    options.action = args[0];
    options.file = args[1];
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json" && options.action == "show") {
            options.json = true;
        } else if (arg == "--csv" && options.action == "export") {
            options.csv = true;
        } else if (arg == "--record" && i + 1 < args.size() &&
                   (options.action == "export" || options.records.empty())) {
            const auto index = ParseIndex(args[++i]);
            if (!index) {
                why = "--record takes a record index, 0 for the first: " + args[i];
                return std::nullopt;
            }
            if (options.records.insert(*index).second) {
                options.order.push_back(*index);
            }
        } else {
            why = "unexpected argument " + arg;
            return std::nullopt;
        }
    }
    if (options.action == "export" && !options.csv) {
        why = "export needs --csv";
        return std::nullopt;
    }
    return options;
}

std::string Utf8(const std::string& text) {
    return ProfileTextToUtf8(text);
}

// Keys as a JSON object in file order; a key that repeats ("Info=", "BinaryData=") gives its
// values joined by line feeds.
std::string JsonKeys(const DataFileKeys& keys) {
    std::vector<DataFileKey> joined;
    for (const DataFileKey& key : keys) {
        auto same = std::find_if(joined.begin(), joined.end(),
                                 [&](const DataFileKey& k) { return k.name == key.name; });
        if (same == joined.end()) {
            joined.push_back(key);
        } else {
            same->value += "\n" + key.value;
        }
    }
    std::string text = "{";
    for (const DataFileKey& key : joined) {
        text += (text.size() > 1 ? ", " : "") + JsonText(key.name) + ": " + JsonText(key.value);
    }
    return text + "}";
}

std::string JsonStrings(const std::vector<std::string>& texts) {
    std::string text = "[";
    for (const std::string& item : texts) {
        text += (text.size() > 1 ? ", " : "") + JsonText(item);
    }
    return text + "]";
}

std::string JsonPoint(const DataFilePoint& point, int channels) {
    std::string text = "{\"x\": " + DataFileCsvNumber(point.x) + ", \"values\": [";
    for (int c = 0; c < channels; ++c) {
        text += (c > 0 ? ", " : "") + DataFileCsvNumber(point.values[static_cast<std::size_t>(c)]);
    }
    text += std::string("], \"valid\": ") + (point.valid ? "true" : "false");
    if (point.hasAfterglow) {
        text += ", \"afterglow\": " + DataFileCsvNumber(point.afterglow);
    }
    return text + "}";
}

std::string JsonRecord(const DataFileRecord& record) {
    std::string text = "{\"index\": " + std::to_string(record.index) + ", \"header\": " +
                       (record.header < 0 ? std::string("null") : std::to_string(record.header)) +
                       ", \"keys\": " + JsonKeys(record.keys) + ", \"points\": [";
    for (std::size_t i = 0; i < record.points.size(); ++i) {
        text += (i > 0 ? ", " : "") + JsonPoint(record.points[i], record.channels);
    }
    return text + "], \"problems\": " + JsonStrings(record.problems) + "}";
}

// The chosen records of the file, each as it completes, with warnings for their problems.
class ChosenRecords : public DataFileSink {
public:
    ChosenRecords(const std::set<int>& chosen, std::ostream& err) : chosen_(chosen), err_(err) {}

    void header(DataFileHeader h) override { headers.push_back(std::move(h)); }
    void record(DataFileRecord r) override {
        ++count;
        if (!chosen_.empty() && !chosen_.contains(r.index)) {
            return;
        }
        for (const std::string& problem : r.problems) {
            err_ << "warning: record " << r.index << ": " << Utf8(problem) << '\n';
        }
        found.insert(r.index);
        take(std::move(r));
    }
    void fileProblem(const std::string& problem) override {
        err_ << "warning: " << Utf8(problem) << '\n';
    }

    std::vector<DataFileHeader> headers;
    std::set<int> found;
    int count = 0;

protected:
    virtual void take(DataFileRecord record) = 0;

private:
    const std::set<int>& chosen_;
    std::ostream& err_;
};

class TableSink : public ChosenRecords {
public:
    TableSink(const std::set<int>& chosen, std::ostream& out, std::ostream& err)
        : ChosenRecords(chosen, err), out_(out) {
        row("index", "disk", "hole", "type", "temperature", "points", "started");
    }

private:
    void take(DataFileRecord record) override {
        const DataFileRecordRow r = DataFileRowOf(record);
        row(std::to_string(r.index), r.disk, r.hole, r.type, r.temperature,
            std::to_string(r.points), r.started);
    }
    void row(const std::string& index, const std::string& disk, const std::string& hole,
             const std::string& type, const std::string& temperature, const std::string& points,
             const std::string& started) {
        const auto cell = [](const std::string& text) { return text.empty() ? "-" : Utf8(text); };
        out_ << std::left << std::setw(7) << cell(index) << std::setw(6) << cell(disk)
             << std::setw(6) << cell(hole) << std::setw(20) << cell(type) << std::setw(13)
             << cell(temperature) << std::setw(8) << cell(points) << cell(started) << '\n';
    }
    std::ostream& out_;
};

class JsonSink : public ChosenRecords {
public:
    JsonSink(const std::set<int>& chosen, std::ostream& out, std::ostream& err)
        : ChosenRecords(chosen, err), out_(out) {}

private:
    void take(DataFileRecord record) override {
        out_ << (found.size() > 1 ? ",\n  " : "\n  ") << JsonRecord(record);
    }
    std::ostream& out_;
};

class CollectSink : public ChosenRecords {
public:
    using ChosenRecords::ChosenRecords;
    std::vector<DataFileRecord> records;

private:
    void take(DataFileRecord record) override { records.push_back(std::move(record)); }
};

// Headers only: the JSON lists them before the records.
class HeaderSink : public DataFileSink {
public:
    void header(DataFileHeader h) override { headers.push_back(std::move(h)); }
    void record(DataFileRecord) override {}
    std::vector<DataFileHeader> headers;
};

int ReadFailed(const DataFileReadStatus& status, std::ostream& err) {
    err << "gwtool data: " << Utf8(status.message) << '\n';
    return 1;
}

int MissingRecords(const ChosenRecords& sink, const std::set<int>& chosen, std::ostream& err) {
    for (int index : chosen) {
        if (!sink.found.contains(index)) {
            err << "gwtool data: the file has no record " << index << " (it holds " << sink.count
                << (sink.count == 1 ? " record" : " records") << ", 0 is the first)\n";
            return 1;
        }
    }
    return 0;
}

int ShowJson(const DataOptions& options, std::ostream& out, std::ostream& err) {
    HeaderSink headers;
    const DataFileReadStatus first = DataFileReader::ReadWhole(options.file, headers);
    if (!first.ok()) {
        return ReadFailed(first, err);
    }
    out << "{\"headers\": [";
    for (std::size_t i = 0; i < headers.headers.size(); ++i) {
        out << (i > 0 ? ",\n  " : "\n  ") << JsonKeys(headers.headers[i].keys);
    }
    out << (headers.headers.empty() ? "" : "\n") << "], \"records\": [";
    JsonSink sink(options.records, out, err);
    const DataFileReadStatus status = DataFileReader::ReadWhole(options.file, sink);
    out << (sink.found.empty() ? "" : "\n") << "]}\n";
    return status.ok() ? MissingRecords(sink, options.records, err) : ReadFailed(status, err);
}

int Show(const DataOptions& options, std::ostream& out, std::ostream& err) {
    if (options.json) {
        return ShowJson(options, out, err);
    }
    TableSink sink(options.records, out, err);
    const DataFileReadStatus status = DataFileReader::ReadWhole(options.file, sink);
    return status.ok() ? MissingRecords(sink, options.records, err) : ReadFailed(status, err);
}

int Export(const DataOptions& options, std::ostream& out, std::ostream& err) {
    CollectSink sink(options.records, err);
    const DataFileReadStatus status = DataFileReader::ReadWhole(options.file, sink);
    if (!status.ok()) {
        return ReadFailed(status, err);
    }
    if (const int missing = MissingRecords(sink, options.records, err); missing != 0) {
        return missing;
    }
    // In the order asked for, as the columns of a sheet are chosen.
    std::vector<DataFileRecord> ordered;
    for (int index : options.order) {
        for (DataFileRecord& record : sink.records) {
            if (record.index == index) {
                ordered.push_back(std::move(record));
            }
        }
    }
    out << DataFileCsv(options.records.empty() ? sink.records : ordered);
    return 0;
}

} // namespace

int runDataCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string why;
    const auto options = ParseOptions(args, why);
    if (!options) {
        err << "gwtool data: " << why << '\n' << Usage;
        return 2;
    }
    return options->action == "show" ? Show(*options, out, err) : Export(*options, out, err);
}

} // namespace gw::tool
