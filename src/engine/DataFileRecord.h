#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// One "KEY=value" line of a data file, as written (Windows-1252 bytes, the value untrimmed).
struct DataFileKey {
    std::string name;
    std::string value;

    bool operator==(const DataFileKey&) const = default;
};

using DataFileKeys = std::vector<DataFileKey>;

// The first value of the key, or nullptr when the lines have none.
const std::string* FindDataFileKey(const DataFileKeys& keys, std::string_view name);

// One point line: "  i;        X;  value; ... valid". A TL point of the afterglow carries one
// more number after the counter values, the sample's temperature.
struct DataFilePoint {
    static constexpr int MaxChannels = 4;

    double x = 0.0;                           // degrees C for a TL, seconds otherwise
    std::array<double, MaxChannels> values{}; // one per counter channel of the record
    double afterglow = 0.0;                   // the sample's temperature, when hasAfterglow
    bool hasAfterglow = false;
    bool valid = false;

    bool operator==(const DataFilePoint&) const = default;
};

// A script header block: the keys from "ScriptFile=" up to the next record.
struct DataFileHeader {
    int index = 0;
    DataFileKeys keys;
    std::uint64_t offset = 0; // byte offset of its first line
    int line = 0;             // line number of its first line, 1 based

    bool operator==(const DataFileHeader&) const = default;
};

// One "[NewRecord]" with its keys in file order, its points and what was wrong with it.
struct DataFileRecord {
    int index = 0;   // 0 based, in file order
    int header = -1; // index of the script header block it follows, -1 for none
    DataFileKeys keys;
    std::vector<DataFilePoint> points;
    int channels = 0;        // counter values per point line
    int declaredPoints = -1; // the "Points=" value, -1 when the record has none
    std::vector<std::string> problems;
    std::uint64_t offset = 0; // byte offset of "[NewRecord]"
    std::uint64_t length = 0; // bytes up to the next header block, record or the end
    int line = 0;             // line number of "[NewRecord]", 1 based

    const std::string* find(std::string_view name) const { return FindDataFileKey(keys, name); }
    // The "DataType=" word without blanks around it, empty when missing.
    std::string typeWord() const;
    // A glow curve: its points run over temperature rather than time.
    bool isTl() const;
    // The number of points that carry the afterglow column.
    int afterglowPoints() const;

    bool operator==(const DataFileRecord&) const = default;
};

} // namespace gw
