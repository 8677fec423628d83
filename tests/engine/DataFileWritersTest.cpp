#include "DataFileTestKit.h"
#include "SequencerHarness.h"
#include "engine/DialogRecords.h"
#include "engine/ScriptHeader.h"
#include "engine/ScriptRecord.h"
#include "platform/AppendRecord.h"
#include "script/sc_Script.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

// The console's own writers append records to a file; the reader gives back every line as a key
// or a point, in order, with nothing left over.
class DataFileWritersTest : public ::testing::Test {
protected:
    static PointTable Points(int count, int channels) {
        PointTable points;
        for (int i = 0; i < count; ++i) {
            points[i].X = 25.0 + 2.5 * i;
            for (int c = 0; c < channels; ++c) {
                points[i].Values[static_cast<std::size_t>(c)] = 1000.0 * (c + 1) + i * 0.125;
            }
            points[i].Valid = i == 2 ? 0 : 1;
        }
        return points;
    }

    void append(const RecordLines& lines) {
        ASSERT_TRUE(platform::AppendRecord(file, lines).written);
        written.push_back(lines);
    }

    // Every key line of the written record is a key of the read record, in order, and every
    // point line a point with the table's values.
    void expectReadBack(const DataFileRecord& read, const RecordLines& lines,
                        const PointTable& table, int channels, int afterglow, int shift) {
        std::size_t key = 0;
        std::size_t point = 0;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            if (line.find('=') != std::string::npos) {
                ASSERT_LT(key, read.keys.size());
                EXPECT_EQ(read.keys[key].name + "=" + read.keys[key].value, line);
                ++key;
                continue;
            }
            ASSERT_LT(point, read.points.size()) << line;
            const DataFilePoint& p = read.points[point];
            const DataPoint& source = table[static_cast<int>(point) + shift];
            EXPECT_DOUBLE_EQ(p.x, source.X) << line;
            for (int c = 0; c < channels; ++c) {
                EXPECT_DOUBLE_EQ(p.values[static_cast<std::size_t>(c)],
                                 source.Values[static_cast<std::size_t>(c)])
                    << line;
            }
            EXPECT_EQ(p.valid, source.Valid == 1) << line;
            const bool inAfterglow = static_cast<int>(point) >= read.declaredPoints - afterglow;
            EXPECT_EQ(p.hasAfterglow, inAfterglow) << line;
            if (inAfterglow) {
                EXPECT_EQ(p.afterglow, std::round(source.Values[1])) << line;
            }
            ++point;
        }
        EXPECT_EQ(key, read.keys.size());
        EXPECT_EQ(point, read.points.size());
        EXPECT_EQ(read.channels, read.points.empty() ? 0 : channels);
        EXPECT_TRUE(read.problems.empty()) << read.problems.front();
    }

    DataFileFolder folder;
    std::string file = folder.path("dialog.txt");
    std::vector<RecordLines> written;
};

TEST_F(DataFileWritersTest, ReadsWhatTheDialogWritersWrote) {
    const struct {
        const char* decimal;
        const char* name;
    } formats[] = {{",", "decimal comma"}, {".", "decimal point"}};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.name);
        const DataFileFormat format(f.decimal);
        std::filesystem::remove(file);
        written.clear();

        TDataType tl;
        tl.Kind = OperationKind::TL;
        tl.InfoText = "Quartz 7\r\nafter the bleach";
        tl.Disk = 4;
        tl.Temperature = 450;
        tl.HoldTime = 10;
        tl.RampRate = 5;
        tl.PreheatType = 'S';
        tl.PreheatTemp = 160;
        tl.PreheatTime = 10;
        tl.Points = 6;
        PointTable tlPoints = Points(6, 1);
        for (int i = 4; i < 6; ++i) {
            tlPoints[i].Values[1] = 120.4 - i; // the afterglow's sample temperature
        }
        append(TlDialogRecord(tl, tlPoints, {1, false, 2}, format));

        TDataType osl;
        osl.Kind = OperationKind::OSL;
        osl.Device = 40;
        osl.UseHoles = 1;
        osl.Hole = 7;
        osl.Disk = 2;
        osl.Temperature = 125;
        osl.Power = 90.0;
        osl.PowerIncrement = 4;
        osl.Points = 4;
        const PointTable oslPoints = Points(5, 3);
        append(OslDialogRecord(osl, oslPoints, {3, true, 0}, format));

        TDataType mosl = osl;
        mosl.Kind = OperationKind::LMOSL;
        mosl.UseHoles = 0;
        mosl.XFactor = 1;
        mosl.YFactor = 100;
        const PointTable moslPoints = Points(4, 4);
        append(MoslDialogRecord(mosl, moslPoints, {4, false, 0}, format));

        TDataType irradiation;
        irradiation.Kind = OperationKind::Irradiation;
        irradiation.Disk = 9;
        irradiation.IrradTime = 120;
        irradiation.Dose = 12.345;
        append(IrradiationDialogRecord(irradiation, format));

        ParsedDataFile parsed;
        ASSERT_TRUE(DataFileReader::ReadWhole(file, parsed).ok());
        ASSERT_EQ(parsed.records.size(), 4u);
        EXPECT_TRUE(parsed.headers.empty());
        expectReadBack(parsed.records[0], written[0], tlPoints, 1, 2, 0);
        expectReadBack(parsed.records[1], written[1], oslPoints, 3, 0, 1);
        expectReadBack(parsed.records[2], written[2], moslPoints, 4, 0, 0);
        expectReadBack(parsed.records[3], written[3], {}, 0, 0, 0);
        EXPECT_EQ(*parsed.records[1].find("TimeOfPoint"), "variable");
        EXPECT_TRUE(parsed.records[0].isTl());
    }
}

TEST_F(DataFileWritersTest, ReadsWhatTheScriptWriterWrote) {
    sc_Script script;
    script.fileName = "C:\\GWDATA\\Quartz.seq";
    script.definitionName = "SAR";
    script.methodName = "Quartz";
    script.sampleText = "Quartz 90-180";
    script.infoText = "first line\r\nsecond line";
    script.singleAliquot = true;
    script.profile.ReaderType = 4;
    const RecordLines header =
        ScriptHeaderLines(script, {"C:\\GWDATA\\Quartz_0.dat", "C:\\GWDATA\\Quartz_1.dat"});
    const DataFileFormat format(",");

    const auto step = [](OperationKind kind, int device) {
        TDataType op;
        op.Kind = kind;
        op.Device = device;
        op.Disk = 4;
        op.Temperature = 125;
        op.Points = 4;
        return op;
    };
    TDataType tl = step(OperationKind::TL, 0);
    tl.Treatment = TDataType::TreatmentWithoutData;
    tl.HoldTime = 10;
    tl.RampRate = 5;
    tl.PreheatType = 'S';
    tl.PreheatTemp = 160;
    tl.PreheatTime = 10;
    TDataType osl = step(OperationKind::OSL, 28);
    osl.Purpose = TDataType::PurposeNormalization | TDataType::PurposeBackground;
    osl.UseHoles = 1;
    osl.Hole = 12;
    osl.Remark = "checked";
    osl.Power = 90;
    TDataType lamp = step(OperationKind::OSL, 15);
    lamp.Treatment = TDataType::TreatmentWithoutData;
    lamp.Power = 50;
    lamp.BleachTime = 100;
    lamp.Points = 0;
    TDataType ramp = step(OperationKind::LMOSL, 40);
    ramp.Power = 100;
    ramp.PowerIncrement = 4;
    ramp.XFactor = 2;
    ramp.YFactor = 250;
    TDataType irradiation = step(OperationKind::Irradiation, 103);
    irradiation.IrradTime = 50;
    irradiation.Dose = 5;

    const PointTable points = Points(6, 2);
    const PointLineOptions options{2, true, 0}; // compatibility: OSL points start at 1
    RecordLines first = header;
    const RecordLines tlLines = ScriptRecordLines(tl, points, options, format);
    first.insert(first.end(), tlLines.begin(), tlLines.end());
    append(first);
    for (const TDataType* op : {&osl, &lamp, &ramp, &irradiation}) {
        append(ScriptRecordLines(*op, points, options, format));
    }
    append(header); // the next platter's header, its record still to come

    ParsedDataFile parsed;
    ASSERT_TRUE(DataFileReader::ReadWhole(file, parsed).ok());
    ASSERT_EQ(parsed.headers.size(), 2u);
    ASSERT_EQ(parsed.headers[0].keys.size(), header.size());
    for (std::size_t i = 0; i < header.size(); ++i) {
        const DataFileKey& key = parsed.headers[0].keys[i];
        EXPECT_EQ(key.name + "=" + key.value, header[i]);
    }
    ASSERT_EQ(parsed.records.size(), 5u);
    const RecordLines tlRecord(first.begin() + static_cast<long>(header.size()), first.end());
    expectReadBack(parsed.records[0], tlRecord, points, 2, 0, 0);
    expectReadBack(parsed.records[1], written[1], points, 2, 0, 1);
    expectReadBack(parsed.records[2], written[2], points, 2, 0, 1);
    expectReadBack(parsed.records[3], written[3], points, 2, 0, 1);
    expectReadBack(parsed.records[4], written[4], {}, 0, 0, 0);
    const char* types[] = {"PREHEAT TL", "BGD NORM IRSL", "BLEACH ext. lamp", "MOSL", "Irrad"};
    for (std::size_t i = 0; i < parsed.records.size(); ++i) {
        EXPECT_EQ(parsed.records[i].typeWord(), types[i]);
        EXPECT_EQ(parsed.records[i].header, 0);
    }
    EXPECT_EQ(parsed.records[2].declaredPoints, 0);
}

// A TL with its afterglow measured on the simulated reader and written by the console's finisher.
TEST(DataFileWritersEndToEnd, ReadsATlTheConsoleMeasured) {
    testing::SequencerHarness h;
    ASSERT_TRUE(h.bench.open());
    TakeDataValues& v = h.sequencer.values;
    v.Sheet = TakeDataSheet::TL;
    v.Disk = 1;
    v.Range = true;
    v.ToDisk = 2;
    v.Tl.EndTemp = 100;
    v.Tl.DataSpace = 2;
    v.Tl.RampRate = 25;
    v.Tl.DoPreheat = false;
    v.Tl.Afterglow = {true, 100, 120};
    ASSERT_TRUE(h.run()) << h.bench.logText();
    ParsedDataFile parsed;
    ASSERT_TRUE(DataFileReader::ReadWhole(h.dataFile(), parsed).ok());
    ASSERT_EQ(parsed.records.size(), 2u);
    for (const DataFileRecord& r : parsed.records) {
        EXPECT_TRUE(r.problems.empty()) << r.problems.front();
        EXPECT_TRUE(r.isTl());
        EXPECT_EQ(r.channels, 1);
        EXPECT_EQ(static_cast<int>(r.points.size()), r.declaredPoints);
        EXPECT_EQ(r.points.front().x, 2.0);
        EXPECT_GT(r.afterglowPoints(), 0);
        EXPECT_EQ(r.points.size() - static_cast<std::size_t>(r.afterglowPoints()), 50u);
        EXPECT_TRUE(r.points.back().hasAfterglow);
    }
    EXPECT_EQ(*parsed.records[1].find("Disk"), "2");
}

} // namespace
} // namespace gw::test
