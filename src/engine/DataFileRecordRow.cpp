#include "engine/DataFileRecordRow.h"

#include "core/TrimBlanks.h"

namespace gw {

namespace {

std::string Trimmed(const DataFileRecord& record, std::string_view key) {
    const std::string* value = record.find(key);
    return value ? std::string(TrimBlanks(*value)) : std::string();
}

} // namespace

DataFileRecordRow DataFileRowOf(const DataFileRecord& record) {
    DataFileRecordRow row;
    row.index = record.index;
    row.disk = Trimmed(record, "Disk");
    row.hole = Trimmed(record, "Hole");
    row.type = record.typeWord();
    row.temperature = Trimmed(record, "MaxTemp");
    if (row.temperature.empty()) {
        row.temperature = Trimmed(record, "SampleTemp");
    }
    row.points = static_cast<int>(record.points.size());
    row.started = Trimmed(record, "Started");
    row.header = record.header;
    row.channels = record.channels;
    row.tl = record.isTl();
    row.problems = record.problems;
    row.offset = record.offset;
    row.length = record.length;
    return row;
}

} // namespace gw
