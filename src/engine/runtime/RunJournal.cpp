#include "engine/runtime/RunJournal.h"

#include "core/LocalPath.h"
#include "platform/FileSync.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstring>
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

std::int64_t i64(const QJsonValue& value) {
    return std::int64_t(value.toDouble());
}

QJsonObject recordJson(const RunJournal::Record& record) {
    return QJsonObject{{"platter", record.platter},
                       {"step", record.step},
                       {"disk", record.disk},
                       {"kind", q(record.kind)},
                       {"end", double(record.end)}};
}

RunJournal::Record recordFrom(const QJsonObject& object) {
    return {object["platter"].toInt(), object["step"].toInt(), object["disk"].toInt(),
            s(object["kind"]), i64(object["end"])};
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
    journal.seed = std::uint32_t(i64(root["seed"]));
    journal.dataStart = i64(root["dataStart"]);
    journal.platter = root["platter"].toInt();
    journal.step = root["step"].toInt();
    journal.platterChanged = root["platterChanged"].toInt();
    journal.resumed = root["resumed"].toInt();
    for (const QJsonValue& record : root["records"].toArray()) {
        journal.records.push_back(recordFrom(record.toObject()));
    }
    if (root["pending"].isObject()) {
        const QJsonObject pending = root["pending"].toObject();
        journal.pending = Pending{pending["platter"].toInt(), pending["step"].toInt(),
                                  i64(pending["start"]), i64(pending["length"])};
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
        if (record.end > fileSize) {
            break;
        }
        ++holdings.whole;
        holdings.keep = record.end;
    }
    // Written but not yet journalled: the crash came between the record and the journal.
    if (pending && holdings.whole == records.size() && pending->start == holdings.keep &&
        pending->start + pending->length <= fileSize) {
        holdings.pendingWhole = true;
        ++holdings.whole;
        holdings.keep = pending->start + pending->length;
    }
    return holdings;
}

bool RunJournal::save(std::string& problem) const {
    const std::filesystem::path target = LocalPath(PathFor(dataFile));
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << toJson();
        out.close();
        if (!out) {
            problem = std::strerror(errno);
            return false;
        }
    }
    if (!platform::SyncFileToDisk(temporary)) {
        problem = "cannot force " + temporary.string() + " to disk";
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        problem = error.message();
        return false;
    }
    return true;
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
