#include "engine/runtime/RunJournal.h"

#include "core/LocalPath.h"
#include "platform/FileSync.h"
#include "profile/FileBytes.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace gw {

namespace {

constexpr int JournalVersion = 1;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string s(const QJsonValue& value) {
    return value.toString().toStdString();
}

// A file size or offset as written (0 when missing); -1 for anything no file can have (negative,
// fractional, beyond the 2^53 bytes a JSON number holds exactly, or not a number at all).
std::int64_t i64(const QJsonValue& value) {
    constexpr double Largest = 9007199254740992.0;
    if (value.isUndefined()) {
        return 0;
    }
    const double number = value.isDouble() ? value.toDouble() : -1;
    if (!(number >= 0 && number <= Largest) || number != std::floor(number)) {
        return -1;
    }
    return std::int64_t(number);
}

QJsonArray sizesJson(const std::vector<std::int64_t>& sizes) {
    QJsonArray array;
    for (const std::int64_t size : sizes) {
        array.append(double(size));
    }
    return array;
}

std::vector<std::int64_t> sizesFrom(const QJsonValue& value) {
    std::vector<std::int64_t> sizes;
    for (const QJsonValue& size : value.toArray()) {
        sizes.push_back(i64(size));
    }
    return sizes;
}

QJsonObject recordJson(const RunJournal::Record& record) {
    QJsonObject object{{"platter", record.platter},
                       {"step", record.step},
                       {"disk", record.disk},
                       {"kind", q(record.kind)},
                       {"end", double(record.end)}};
    if (!record.binary.empty()) {
        object["binary"] = sizesJson(record.binary);
    }
    if (!record.savedTo.empty()) {
        object["savedTo"] = q(record.savedTo);
    }
    return object;
}

RunJournal::Record recordFrom(const QJsonObject& object) {
    return {object["platter"].toInt(), object["step"].toInt(), object["disk"].toInt(),
            s(object["kind"]),         i64(object["end"]),     sizesFrom(object["binary"]),
            s(object["savedTo"])};
}

// A table entry as a short array: platter, disk, subtraction index, processed, flag, measurement.
QJsonArray entryJson(const TWhichBgd& entry) {
    return {entry.platter,   entry.number, entry.subtractionIndex,
            entry.processed, entry.flag,   entry.measurement ? 1 : 0};
}

TWhichBgd entryFrom(const QJsonArray& array) {
    TWhichBgd entry;
    entry.platter = array[0].toInt();
    entry.number = array[1].toInt();
    entry.subtractionIndex = array[2].toInt();
    entry.processed = std::uint8_t(array[3].toInt());
    entry.flag = std::uint8_t(array[4].toInt());
    entry.measurement = array[5].toInt() != 0;
    return entry;
}

QJsonObject bookkeepingJson(const CompatibilityBookkeeping& kept) {
    QJsonArray tables;
    for (const std::vector<TWhichBgd>& table : kept.tables) {
        QJsonArray entries;
        for (const TWhichBgd& entry : table) {
            entries.append(entryJson(entry));
        }
        tables.append(entries);
    }
    const QByteArray header(reinterpret_cast<const char*>(kept.header.data()),
                            qsizetype(kept.header.size()));
    return {{"records", kept.recordCount},
            {"measurements", kept.measurementCount},
            {"tables", tables},
            {"header", QString::fromLatin1(header.toHex())}};
}

CompatibilityBookkeeping bookkeepingFrom(const QJsonObject& object) {
    CompatibilityBookkeeping kept;
    kept.recordCount = object["records"].toInt(-1);
    kept.measurementCount = object["measurements"].toInt(-1);
    for (const QJsonValue& table : object["tables"].toArray()) {
        std::vector<TWhichBgd>& entries = kept.tables.emplace_back();
        for (const QJsonValue& entry : table.toArray()) {
            entries.push_back(entryFrom(entry.toArray()));
        }
    }
    const QByteArray header = QByteArray::fromHex(object["header"].toString().toLatin1());
    kept.header.assign(header.begin(), header.end());
    return kept;
}

bool validSizes(const std::vector<std::int64_t>& sizes) {
    return std::none_of(sizes.begin(), sizes.end(), [](std::int64_t size) { return size < 0; });
}

// Binary sizes that follow from the earlier ones: one per file, none smaller than before.
bool followOn(const std::vector<std::int64_t>& before, const std::vector<std::int64_t>& after) {
    if (after.empty()) {
        return true;
    }
    if (after.size() != before.size() || !validSizes(after)) {
        return false;
    }
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] < before[i]) {
            return false;
        }
    }
    return true;
}

// A resume cuts the files back to the sizes the journal gives, so a journal whose sizes no run
// can have written (negative, shrinking, one missing) is refused rather than trusted: it could
// otherwise cut records that were in the files before the run.
std::string sizesProblem(const RunJournal& journal) {
    if (journal.dataStart < 0 || !validSizes(journal.binaryStart) ||
        journal.binaryStart.size() != journal.binaryFiles.size()) {
        return "the journal's starting sizes are not valid";
    }
    std::int64_t end = journal.dataStart;
    std::vector<std::int64_t> binary = journal.binaryStart;
    for (const RunJournal::Record& record : journal.records) {
        // A record saved elsewhere left the data file as it was, or found it gone.
        const bool inDataFile = record.savedTo.empty();
        if ((inDataFile && record.end < end) || !followOn(binary, record.binary)) {
            return "the journal's records do not follow each other";
        }
        end = inDataFile ? record.end : end;
        if (!record.binary.empty()) {
            binary = record.binary;
        }
    }
    if (journal.pending && (journal.pending->start < 0 || journal.pending->length < 0)) {
        return "the journal's record being written is not valid";
    }
    return {};
}

} // namespace

std::string RunJournal::Digest(const std::string& scriptText) {
    return QCryptographicHash::hash(QByteArray::fromStdString(scriptText),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

std::string RunJournal::toJson() const {
    QJsonArray answers;
    for (const auto& [name, value] : variables) {
        answers.append(QJsonObject{{"name", q(name)}, {"value", q(value)}});
    }
    QJsonArray written;
    for (const Record& record : records) {
        written.append(recordJson(record));
    }
    QJsonObject root{{"version", JournalVersion},
                     {"state", finished ? "finished" : "running"},
                     {"script", q(scriptFile)},
                     {"scriptSha256", q(scriptDigest)},
                     {"systemId", q(systemId)},
                     {"dataFile", q(dataFile)},
                     {"variables", answers},
                     {"seed", double(seed)},
                     {"dataStart", double(dataStart)},
                     {"platter", platter},
                     {"step", step},
                     {"platterChanged", platterChanged},
                     {"resumed", resumed},
                     {"records", written}};
    if (!binaryFiles.empty()) {
        QJsonArray files;
        for (const std::string& file : binaryFiles) {
            files.append(q(file));
        }
        root["binaryFiles"] = files;
        root["binaryStart"] = sizesJson(binaryStart);
    }
    if (!binaryStates.empty()) {
        QJsonArray states;
        for (const BinaryState& state : binaryStates) {
            QJsonObject object = bookkeepingJson(state.kept);
            object["afterRecords"] = double(state.records);
            states.append(object);
        }
        root["binaryStates"] = states;
    }
    if (pending) {
        root["pending"] = QJsonObject{{"platter", pending->platter},
                                      {"step", pending->step},
                                      {"start", double(pending->start)},
                                      {"length", double(pending->length)}};
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

std::optional<RunJournal> RunJournal::FromJson(const std::string& text, std::string& problem) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    if (!document.isObject()) {
        problem = "the journal is not readable (" + error.errorString().toStdString() + ")";
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    if (root["version"].toInt() != JournalVersion) {
        problem = "the journal has an unknown version";
        return std::nullopt;
    }
    RunJournal journal;
    journal.finished = root["state"].toString() == "finished";
    journal.scriptFile = s(root["script"]);
    journal.scriptDigest = s(root["scriptSha256"]);
    journal.systemId = s(root["systemId"]);
    journal.dataFile = s(root["dataFile"]);
    for (const QJsonValue& answer : root["variables"].toArray()) {
        journal.variables.emplace_back(s(answer["name"]), s(answer["value"]));
    }
    journal.seed = std::uint32_t(root["seed"].toInteger());
    journal.dataStart = i64(root["dataStart"]);
    for (const QJsonValue& file : root["binaryFiles"].toArray()) {
        journal.binaryFiles.push_back(s(file));
    }
    journal.binaryStart = sizesFrom(root["binaryStart"]);
    journal.platter = root["platter"].toInt();
    journal.step = root["step"].toInt();
    journal.platterChanged = root["platterChanged"].toInt();
    journal.resumed = root["resumed"].toInt();
    for (const QJsonValue& record : root["records"].toArray()) {
        journal.records.push_back(recordFrom(record.toObject()));
    }
    for (const QJsonValue& state : root["binaryStates"].toArray()) {
        journal.binaryStates.push_back(
            {std::size_t(i64(state["afterRecords"])), bookkeepingFrom(state.toObject())});
    }
    if (root["pending"].isObject()) {
        const QJsonObject pending = root["pending"].toObject();
        journal.pending = Pending{pending["platter"].toInt(), pending["step"].toInt(),
                                  i64(pending["start"]), i64(pending["length"])};
    }
    problem = sizesProblem(journal);
    if (!problem.empty()) {
        return std::nullopt;
    }
    return journal;
}

RunJournal::Holdings RunJournal::Trust(std::int64_t fileSize) const {
    Holdings holdings;
    if (fileSize < dataStart) {
        holdings.valid = false;
        return holdings;
    }
    holdings.keep = dataStart;
    for (const Record& record : records) {
        if (!record.savedTo.empty()) {
            ++holdings.whole; // done, though not in this file: nothing of the file goes with it
            continue;
        }
        if (record.end > fileSize) {
            break;
        }
        ++holdings.whole;
        holdings.keep = record.end;
    }
    // Written but not yet journalled: the crash came between the record and the journal. With
    // binary files the record's binary data may be missing, so the step is measured again.
    if (pending && binaryFiles.empty() && holdings.whole == records.size() &&
        pending->start == holdings.keep && pending->start + pending->length <= fileSize) {
        holdings.pendingWhole = true;
        ++holdings.whole;
        holdings.keep = pending->start + pending->length;
    }
    return holdings;
}

std::vector<std::int64_t> RunJournal::BinarySizes(std::size_t whole) const {
    if (whole == 0 || whole > records.size() || records[whole - 1].binary.empty()) {
        return binaryStart;
    }
    return records[whole - 1].binary;
}

void RunJournal::KeepBinaryState(CompatibilityBookkeeping kept) {
    binaryStates.push_back({records.size(), std::move(kept)});
    if (binaryStates.size() > 2) {
        binaryStates.erase(binaryStates.begin());
    }
}

const CompatibilityBookkeeping* RunJournal::BinaryStateAfter(std::size_t whole) const {
    for (const BinaryState& state : binaryStates) {
        if (state.records == whole) {
            return &state.kept;
        }
    }
    return nullptr;
}

bool RunJournal::save(std::string& problem) const {
    const std::filesystem::path target = LocalPath(PathFor(dataFile));
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    const std::string json = toJson();
    const FileError error = ReplaceFile(target, std::vector<std::uint8_t>(json.begin(), json.end()),
                                        temporary, platform::SyncFileToDisk);
    problem = error.message;
    return !error;
}

std::optional<RunJournal> RunJournal::Load(const std::string& dataFile, std::string& problem) {
    std::ifstream in(LocalPath(PathFor(dataFile)), std::ios::binary);
    if (!in) {
        problem = "no journal " + PathFor(dataFile);
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return FromJson(text.str(), problem);
}

} // namespace gw
