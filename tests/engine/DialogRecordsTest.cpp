#include "engine/DialogRecords.h"

#include "engine/LanCopy.h"
#include "engine/TakeDataOperation.h"
#include "platform/AppendRecord.h"
#include "profile/SystemProfile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace gw {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const DataFileFormat Pinned(",", [](double) { return std::string("09.12.2026 13:00:00"); });

PointTable Points(int count, int firstX = 1) {
    PointTable points;
    for (int i = 0; i < count; ++i) {
        points[i].X = firstX + i;
        points[i].Values = {100.0 + i, 150.0 + i, 0, 0};
        points[i].Valid = i == 1 ? 0 : 1;
    }
    return points;
}

TEST(DialogRecordsTest, EveryWriterLineByLine) {
    TDataType tl;
    tl.Kind = OperationKind::TL;
    tl.InfoText = "Quartz 7\r\nsecond line\r\n";
    tl.Disk = 4;
    tl.Temperature = 450;
    tl.HoldTime = 10;
    tl.RampRate = 5;
    tl.PreheatType = 'W';
    tl.PreheatTemp = 220;
    tl.PreheatTime = 10;
    tl.Points = 3;
    EXPECT_THAT(TlDialogRecord(tl, Points(3), {1, false, 1}, Pinned),
                ElementsAre("[NewRecord]", "Title=Quartz 7", "Info=second line", "Disk=4",
                            "DataType=TL", "MaxTemp=450", "HoldTime=10", "RampRate=5",
                            "PreheatType=Wash preheat", "PreheatTemp=220", "PreheatTime=10",
                            "Started=09.12.2026 13:00:00", "Stopped=09.12.2026 13:00:00",
                            "Points=3", "  0;    1,000;  100,000;  valid",
                            "  1;    2,000;  101,000;  invalid",
                            "  2;    3,000;  102,000;      152;  valid"));

    TDataType osl;
    osl.Kind = OperationKind::LMOSL;
    osl.Device = 40;
    osl.UseHoles = 1;
    osl.Hole = 7;
    osl.Disk = 2;
    osl.Temperature = 125;
    osl.Power = 49.8168;
    osl.PowerIncrement = 68;
    osl.Points = 2;
    // Compatibility: the measured points start at index 1.
    EXPECT_THAT(OslDialogRecord(osl, Points(3, 0), {2, true, 0}, Pinned),
                ElementsAre("[NewRecord]", "Title=", "SampleType=Grain", "Disk=2", "Hole=7",
                            "DataType=MOSL", "SampleTemp=125", "MaxPower=49,82", "Increment=68",
                            "TimeOfPoint=variable", "Started=09.12.2026 13:00:00",
                            "Stopped=09.12.2026 13:00:00", "Points=2",
                            "  0;    1,000;  101,000;  151,000;  invalid",
                            "  1;    2,000;  102,000;  152,000;  valid"));
    osl.XFactor = 4;
    osl.YFactor = 250;
    osl.Device = 33;
    const RecordLines ramp = OslDialogRecord(osl, Points(3), {}, Pinned);
    EXPECT_EQ(ramp[5], "DataType=uknown");
    EXPECT_EQ(ramp[6], "SampleTemp=125");
    EXPECT_EQ(ramp[7], "Power=49,82");

    TDataType mosl = osl;
    mosl.Device = 48;
    mosl.UseHoles = 0;
    mosl.Points = 1;
    EXPECT_THAT(MoslDialogRecord(mosl, Points(1), {}, Pinned),
                ElementsAre("[NewRecord]", "Title=", "SampleType=Disk", "Disk=2", "DataType=MIRSL",
                            "SampleTemp=125", "MaxPower=49,82", "Increment=68",
                            "TimeOfPoint=   1,000", "Started=09.12.2026 13:00:00",
                            "Stopped=09.12.2026 13:00:00", "Points=1",
                            "  0;    1,000;  100,000;  valid"));

    TDataType irradiation;
    irradiation.Kind = OperationKind::Irradiation;
    irradiation.Disk = 9;
    irradiation.Temperature = 20;
    irradiation.IrradTime = 120;
    irradiation.Dose = 12.345;
    EXPECT_THAT(IrradiationDialogRecord(irradiation, Pinned),
                ElementsAre("[NewRecord]", "Title=", "Disk=9", "DataType=Irrad", "SampleTemp=20",
                            "IrradTime=120", "IrradDose=12,35", "Started=09.12.2026 13:00:00",
                            "Stopped=09.12.2026 13:00:00"));
}

TEST(DialogRecordsTest, TypeWords) {
    struct Case {
        int device;
        std::uint8_t treatment, purpose;
        OperationKind kind;
        const char* script;
        const char* dialogTl;
        const char* dialogOsl;
    };
    const Case cases[] = {
        {28, 0, 3, OperationKind::OSL, "BGD NORM IRSL", "IRSL", "IRSL"},
        {15, 1, 0, OperationKind::OSL, "BLEACH ext. lamp", "unknown", "ext. lamp"},
        {0, 1, 0, OperationKind::TL, "PREHEAT TL", "TL", "TL"},
        {33, 0, 0, OperationKind::OSL, "unknown", "unknown", "uknown"},
        {100, 0, 1, OperationKind::Irradiation, "NORM Irrad", "unknown", "uknown"},
    };
    for (const Case& c : cases) {
        TDataType op;
        op.Kind = c.kind;
        op.Device = c.device;
        op.Treatment = c.treatment;
        op.Purpose = c.purpose;
        EXPECT_EQ(ScriptTypeWord(op), c.script) << c.device;
        EXPECT_EQ(DialogTlTypeWord(c.device), c.dialogTl) << c.device;
        EXPECT_EQ(DialogOslTypeWord(c.device), c.dialogOsl) << c.device;
    }
}

TEST(DialogRecordsTest, NumericDateTimeCountsFromTheRecordsEpoch) {
    EXPECT_EQ(NumericDateTime(46000.5), "09.12.2025 12:00:00");
    EXPECT_EQ(DataFileFormat().fixed(-1.5, 8, 3), "  -1.500");
}

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("gw-records-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    static std::string Read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void Write(const std::filesystem::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    std::filesystem::path dir;
};

TEST_F(DataFileTest, AppendKeepsEveryExistingByte) {
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {nullptr, "[NewRecord]\r\nDisk=1\r\n"},
        {"", "[NewRecord]\r\nDisk=1\r\n"},
        {"old\r\n", "old\r\n[NewRecord]\r\nDisk=1\r\n"},
        {"old", "old\r\n[NewRecord]\r\nDisk=1\r\n"},
        {"old\n", "old\n[NewRecord]\r\nDisk=1\r\n"},
        {"old\r", "old\r[NewRecord]\r\nDisk=1\r\n"},
    };
    for (const Case& c : cases) {
        const auto path = dir / "data.txt";
        std::filesystem::remove(path);
        if (c.before != nullptr) {
            Write(path, c.before);
        }
        const auto outcome = platform::AppendRecord(path.string(), {"[NewRecord]", "Disk=1"});
        EXPECT_TRUE(outcome.written) << outcome.reason;
        EXPECT_EQ(Read(path), c.after) << (c.before ? c.before : "(none)");
    }
}

TEST_F(DataFileTest, AFailedAppendNamesTheReasonAndTouchesNothing) {
    const auto outcome =
        platform::AppendRecord((dir / "missing" / "data.txt").string(), {"[NewRecord]"});
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.reason, std::strerror(ENOENT));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST_F(DataFileTest, LanCopyNeverReplacesAnEarlierCopy) {
    Write(dir / "data.txt", "record\r\n");
    std::filesystem::create_directories(dir / "lan");
    Write(dir / "lan" / "data.txt", "first");
    Write(dir / "lan" / "data.txt.new", "second");
    std::string error;
    const std::string target =
        CopyToLanDirectory((dir / "data.txt").string(), (dir / "lan").string(), error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(target, (dir / "lan" / "data.txt.new.new").string());
    EXPECT_EQ(Read(target), "record\r\n");
    EXPECT_EQ(std::filesystem::last_write_time(target),
              std::filesystem::last_write_time(dir / "data.txt"));
    EXPECT_EQ(Read(dir / "lan" / "data.txt"), "first");
    EXPECT_EQ(CopyToLanDirectory((dir / "none.txt").string(), (dir / "lan").string(), error), "");
    EXPECT_NE(error, "");
}

TEST(TakeDataOperationTest, TheSheetsBecomeTheRecord) {
    TakeDataValues values;
    values.Osl.DeviceItem = 2; // 40, ramped
    values.Osl.Power = 50;
    TDataType op;
    ConfirmTakeData(values, ".\\data\\", op);
    FillOslFields(values, ".\\data\\", op);
    EXPECT_EQ(op.Kind, OperationKind::LMOSL);
    EXPECT_EQ(op.DataFile, "data\\FileName");
    EXPECT_EQ(op.PowerIncrement, 68);
    EXPECT_NEAR(op.Power, 49.82, 0.005);
    EXPECT_EQ(op.XFactor, 4);
    EXPECT_EQ(op.YFactor, 250);
    values.Osl.Segments[0].points = 5;
    FillOslFields(values, "", op);
    EXPECT_EQ(op.XFactor * op.YFactor, 0) << "points of different lengths";
    EXPECT_EQ(RampPowerIncrement(1, 1000), 1) << "never about full power";

    values.Sheet = TakeDataSheet::MOSL;
    values.Mosl.Ramp = {49.9, 49.98, 600, 4, 49, 1, 49};
    FillMoslFields(values, "", op);
    EXPECT_EQ(op.N, (std::array<int, 4>{255, 255, 90, 0}));

    values.Sheet = TakeDataSheet::TL;
    values.Tl.EndTemp = 450;
    values.Tl.OsStop = 600;
    ConfirmTakeData(values, "", op);
    EXPECT_EQ(values.Tl.OsStop, 450);
    FillTlFields(values, "", op);
    EXPECT_EQ(op.Points, 90);
    EXPECT_EQ(op.PreheatType, 'W');

    // The preheat form neither reads nor changes the OS fields.
    values.PreheatForm = true;
    values.Tl.SwitchOsOn = true;
    values.Tl.EndTemp = 200;
    ConfirmTakeData(values, "", op);
    FillTlFields(values, "", op);
    EXPECT_EQ(values.Tl.OsStop, 450);
    EXPECT_EQ(op.OSPower, 0.0);
    EXPECT_EQ(op.PreheatTemp, 0);

    // The irradiator offset follows the extended profile, as a script's does.
    SystemProfile profile;
    profile.HasFivePages = true;
    profile.BetaPort = 7;
    FillIrradiationFields(values, "", profile, 4, op);
    EXPECT_EQ(op.PositionOffset, 7);
    profile.HasFivePages = false;
    FillIrradiationFields(values, "", profile, 2, op);
    EXPECT_EQ(op.PositionOffset, 10);
    FillIrradiationFields(values, "", profile, 1, op);
    EXPECT_EQ(op.PositionOffset, 0);
}

} // namespace
} // namespace gw
