#include "DataFileTestKit.h"
#include "engine/DataFileNumber.h"
#include "engine/DataFileRecordRow.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

// Written by hand after the record layouts of the five writers: a script header and the script
// records of each kind, then the four dialog records.
const std::vector<std::string> EveryWriter = {
    "ScriptFile=C:\\GWDATA\\Quartz.seq",
    "ScriptName=SARprotocol",
    "BinaryData=C:\\GWDATA\\Quartz_0.dat",
    "BinaryData=C:\\GWDATA\\Quartz_1.dat",
    "Sample=Quartz 90-180",
    "Info=first line",
    "Info=second line",
    "ReaderID=GW-0017",
    "ReaderType=6600",
    "SingleAliquot=true",
    // 0: script OSL of a grain, two channels
    "[NewRecord]",
    "SampleType=Grain",
    "Disk=3",
    "Remark=checked",
    "Hole=17",
    "DataType=BGD NORM IRSL",
    "SampleTemp=125",
    "Power=90.00",
    "Started=09.12.2026 01:02:03",
    "Stopped=09.12.2026 01:02:13",
    "Points=2",
    "  0;    0.100;   10.000;   20.000;  valid",
    "  1;    0.200;    9.000;   19.500;  invalid",
    // 1: script bleach with an external lamp, no points
    "[NewRecord]",
    "SampleType=Disk",
    "Disk=4",
    "DataType=BLEACH ext. lamp",
    "SampleTemp=20",
    "Power=50.00",
    "Time=100.00",
    "Started=09.12.2026 01:03:00",
    "Stopped=09.12.2026 01:04:40",
    "Points=0",
    // 2: script LM-OSL
    "[NewRecord]",
    "SampleType=Disk",
    "Disk=4",
    "DataType=MOSL",
    "SampleTemp=20",
    "MaxPower=90.00",
    "Increment=4",
    "TimeOfPoint=    0.100",
    "Started=09.12.2026 01:05:00",
    "Stopped=09.12.2026 01:05:01",
    "Points=1",
    "  0;    0.100;    3.000;    4.000;  valid",
    // 3: script preheat TL
    "[NewRecord]",
    "SampleType=Disk",
    "Disk=5",
    "DataType=NORM PREHEAT TL",
    "MaxTemp=500",
    "HoldTime=10",
    "RampRate=5",
    "PreheatType=Stage preheat",
    "PreheatTemp=160",
    "PreheatTime=10",
    "Started=09.12.2026 01:06:00",
    "Stopped=09.12.2026 01:08:00",
    "Points=1",
    "  0;   25.000;    1.000;    2.000;  valid",
    // 4: script irradiation
    "[NewRecord]",
    "SampleType=Disk",
    "Disk=5",
    "DataType=Irrad",
    "SampleTemp=20",
    "IrradTime=100",
    "IrradDose=10.00",
    "Started=09.12.2026 01:09:00",
    "Stopped=09.12.2026 01:10:40",
    // 5: dialog TL with the afterglow column
    "[NewRecord]",
    "Title=Morning check",
    "Info=after the night",
    "Disk=1",
    "DataType=TL",
    "MaxTemp=450",
    "RampRate=5",
    "Started=10.12.2026 08:00:00",
    "Stopped=10.12.2026 08:02:00",
    "Points=4",
    "  0;   30.000;  100.000;  valid",
    "  1;   35.000;  150.000;  valid",
    "  2;    1.000;   80.000;      120;  valid",
    "  3;    2.000;   60.000;      110;  valid",
    // 6: dialog OSL with a ramped device
    "[NewRecord]",
    "Title=",
    "SampleType=Disk",
    "Disk=2",
    "DataType=MOSL",
    "SampleTemp=125",
    "MaxPower=90.00",
    "Increment=4",
    "TimeOfPoint=variable",
    "Started=10.12.2026 08:03:00",
    "Stopped=10.12.2026 08:04:00",
    "Points=1",
    "  0;    0.010;    5.000;  valid",
    // 7: dialog MOSL
    "[NewRecord]",
    "Title=",
    "SampleType=Grain",
    "Disk=2",
    "Hole=0",
    "DataType=MIRSL",
    "SampleTemp=50",
    "MaxPower=80.00",
    "Increment=2",
    "TimeOfPoint=   0.100",
    "Started=10.12.2026 08:05:00",
    "Stopped=10.12.2026 08:06:00",
    "Points=1",
    "  0;    0.100;    7.000;  valid",
    // 8: dialog irradiation
    "[NewRecord]",
    "Title=",
    "Disk=2",
    "DataType=Irrad",
    "SampleTemp=20",
    "IrradTime=60",
    "IrradDose=6.00",
    "Started=10.12.2026 08:07:00",
    "Stopped=10.12.2026 08:08:00",
};

TEST(DataFileParser, ReadsTheRecordsOfEveryWriter) {
    const ParsedDataFile parsed = ParseDataFileText(DataFileLines(EveryWriter));
    ASSERT_EQ(parsed.headers.size(), 1u);
    EXPECT_EQ(parsed.headers[0].keys.size(), 10u);
    EXPECT_EQ(parsed.headers[0].keys[3], (DataFileKey{"BinaryData", "C:\\GWDATA\\Quartz_1.dat"}));
    const struct {
        std::string type;
        std::size_t keys;
        int channels;
        std::size_t points;
        int afterglow;
        bool tl;
    } expected[] = {
        {"BGD NORM IRSL", 10, 2, 2, 0, false}, {"BLEACH ext. lamp", 9, 0, 0, 0, false},
        {"MOSL", 10, 2, 1, 0, false},          {"NORM PREHEAT TL", 12, 2, 1, 0, true},
        {"Irrad", 8, 0, 0, 0, false},          {"TL", 9, 1, 4, 2, true},
        {"MOSL", 11, 1, 1, 0, false},          {"MIRSL", 12, 1, 1, 0, false},
        {"Irrad", 8, 0, 0, 0, false},
    };
    ASSERT_EQ(parsed.records.size(), std::size(expected));
    for (std::size_t i = 0; i < parsed.records.size(); ++i) {
        const DataFileRecord& r = parsed.records[i];
        SCOPED_TRACE("record " + std::to_string(i));
        EXPECT_EQ(r.index, static_cast<int>(i));
        EXPECT_EQ(r.header, 0);
        EXPECT_EQ(r.typeWord(), expected[i].type);
        EXPECT_EQ(r.keys.size(), expected[i].keys);
        EXPECT_EQ(r.channels, expected[i].channels);
        EXPECT_EQ(r.points.size(), expected[i].points);
        EXPECT_EQ(r.afterglowPoints(), expected[i].afterglow);
        EXPECT_EQ(r.isTl(), expected[i].tl);
        EXPECT_TRUE(r.problems.empty()) << r.problems.front();
    }
    const DataFileRecord& osl = parsed.records[0];
    EXPECT_EQ(osl.points[1], (DataFilePoint{0.2, {9.0, 19.5, 0, 0}, 0.0, false, false}));
    const DataFileRecord& tl = parsed.records[5];
    EXPECT_EQ(tl.points[1], (DataFilePoint{35.0, {150.0, 0, 0, 0}, 0.0, false, true}));
    EXPECT_EQ(tl.points[2], (DataFilePoint{1.0, {80.0, 0, 0, 0}, 120.0, true, true}));
    EXPECT_EQ(*tl.find("Info"), "after the night");
    const DataFileRecordRow row = DataFileRowOf(parsed.records[7]);
    EXPECT_EQ(std::tie(row.index, row.disk, row.hole, row.type, row.temperature, row.points,
                       row.started, row.channels, row.tl),
              std::make_tuple(7, "2", "0", "MIRSL", "50", 1, "10.12.2026 08:05:00", 1, false));
    EXPECT_EQ(DataFileRowOf(tl).temperature, "450");
}

TEST(DataFileParser, ReadsAlikeWhateverTheLineEndsAndPieces) {
    const ParsedDataFile reference = ParseDataFileText(DataFileLines(EveryWriter));
    std::string noFinalBreak = DataFileLines(EveryWriter, "\n");
    noFinalBreak.pop_back();
    const struct {
        const char* name;
        std::string text;
    } variants[] = {
        {"LF", DataFileLines(EveryWriter, "\n")},
        {"CR", DataFileLines(EveryWriter, "\r")},
        {"no final line break", noFinalBreak},
        {"blank lines between", DataFileLines(EveryWriter, "\r\n\r\n")},
    };
    for (const auto& v : variants) {
        for (std::size_t piece : {0, 1, 2, 7, 64}) {
            SCOPED_TRACE(std::string(v.name) + ", pieces of " + std::to_string(piece));
            const ParsedDataFile parsed = ParseDataFileText(v.text, piece);
            ASSERT_EQ(parsed.records.size(), reference.records.size());
            for (std::size_t i = 0; i < parsed.records.size(); ++i) {
                EXPECT_EQ(parsed.records[i].keys, reference.records[i].keys);
                EXPECT_EQ(parsed.records[i].points, reference.records[i].points);
                EXPECT_EQ(parsed.records[i].problems, reference.records[i].problems);
            }
            EXPECT_EQ(parsed.headers.size(), 1u);
        }
    }
    // Offsets and lengths cover the file: each record's bytes read alone give the same record.
    const std::string text = DataFileLines(EveryWriter);
    const ParsedDataFile pieces = ParseDataFileText(text, 3);
    for (const DataFileRecord& r : pieces.records) {
        const DataFileRecord alone = ParseDataFileRecord(text.substr(r.offset, r.length));
        EXPECT_EQ(alone.keys, r.keys);
        EXPECT_EQ(alone.points, r.points);
    }
    EXPECT_EQ(pieces.records.back().offset + pieces.records.back().length, text.size());
}

TEST(DataFileParser, ReadsTheDecimalCommaAndKeepsUnknownKeys) {
    const ParsedDataFile parsed = ParseDataFileText(DataFileLines(
        {"[NewRecord]", "Title=", "Disk=1", "DataType=OSL", "SampleTemp=125", "Power=90,00",
         "Operator=Ann", "Started=10.12.2026 08:00:00", "Stopped=10.12.2026 08:00:10", "Points=2",
         "  0;    0,100;   12,500;  valid", "  1;    0,200; -1234,875;  valid"},
        "\n"));
    ASSERT_EQ(parsed.records.size(), 1u);
    const DataFileRecord& r = parsed.records[0];
    EXPECT_EQ(*r.find("Power"), "90,00");
    EXPECT_EQ(*r.find("Operator"), "Ann");
    EXPECT_EQ(r.points[0], (DataFilePoint{0.1, {12.5, 0, 0, 0}, 0.0, false, true}));
    EXPECT_EQ(r.points[1].values[0], -1234.875);
    EXPECT_TRUE(r.problems.empty());
}

TEST(DataFileParser, ReportsCutAndDamagedRecords) {
    const std::vector<std::string> start = {
        "[NewRecord]", "Title=",      "Disk=1",
        "DataType=TL", "MaxTemp=450", "Started=a",
        "Stopped=b",   "Points=3",    "  0;   30.000;  100.000;  valid"};
    const auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> lines = start;
        lines.insert(lines.end(), more.begin(), more.end());
        return DataFileLines(lines);
    };
    std::string cutInLine = with({"  1;   35.000;  1"});
    cutInLine.resize(cutInLine.size() - 2);
    const struct {
        const char* name;
        std::string text;
        std::size_t records;
        std::size_t points;
        std::string problem;
    } cases[] = {
        {"cut in a point line", cutInLine, 1, 1,
         "cut off in the middle of point line 1 (1 of 3 points read)"},
        {"cut after a point line", with({}), 1, 1,
         "cut off at the end of the file after 1 of 3 points"},
        {"cut before Stopped", DataFileLines({"[NewRecord]", "Disk=1", "DataType=Irrad"}), 1, 0,
         "cut off at the end of the file"},
        {"followed by a record", with({"[NewRecord]", "Disk=2", "Stopped=c"}), 2, 1,
         "only 1 of 3 points"},
        {"a damaged point line",
         with({"  1;   35.000;  abc;  valid", "  2;   40.000;  3.000;  valid"}), 1, 2,
         "line 10: point line not understood: \"  1;   35.000;  abc;  valid\""},
        {"points out of order",
         with({"  2;   35.000;  2.000;  valid", "  1;   40.000;  3.000;  valid"}), 1, 3,
         "line 10: point 2 where point 1 was due"},
        {"a line that is no key", with({"garbage here"}), 1, 1,
         "line 10: not understood: \"garbage here\""},
        {"a line too long", with({std::string(DataFileParser::MaxLineLength + 10, 'x')}), 1, 1,
         "line 10: longer than 65536 bytes, skipped"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ParsedDataFile parsed = ParseDataFileText(c.text, 5);
        ASSERT_EQ(parsed.records.size(), c.records);
        const DataFileRecord& r = parsed.records[0];
        EXPECT_EQ(r.points.size(), c.points);
        ASSERT_FALSE(r.problems.empty());
        EXPECT_EQ(r.problems.front(), c.problem);
    }
}

TEST(DataFileParser, KeysBeforeAnyRecordFormAHeaderBlock) {
    const ParsedDataFile parsed = ParseDataFileText(DataFileLines(
        {"Operator=Ann", "ScriptFile=a.seq", "Sample=x", "[NewRecord]", "Disk=1", "Stopped=s",
         "ScriptFile=b.seq", "ScriptFile=c.seq", "[NewRecord]", "Disk=2", "Stopped=s", "stray"}));
    ASSERT_EQ(parsed.headers.size(), 3u);
    EXPECT_EQ(parsed.headers[0].keys.size(), 3u); // a header block is opened by its first key
    EXPECT_EQ(parsed.headers[2].keys[0].value, "c.seq");
    ASSERT_EQ(parsed.records.size(), 2u);
    EXPECT_EQ(parsed.records[0].header, 0);
    EXPECT_EQ(parsed.records[1].header, 2);
    EXPECT_EQ(parsed.records[1].problems,
              std::vector<std::string>{"line 12: not understood: \"stray\""});
}

TEST(DataFileNumber, ReadsFixedPointWithEitherSeparator) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"  25.000", 25.0},    {"  25,125", 25.125},
        {"-0.500", -0.5},      {"     123", 123.0},
        {"1e3", 1000.0},       {"12345678901234567.5", 12345678901234567.5},
        {"", std::nullopt},    {"1.2.3", std::nullopt},
        {"12a", std::nullopt}, {" - ", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDataFileNumber(c.text), c.value) << c.text;
    }
}

} // namespace
} // namespace gw::test
