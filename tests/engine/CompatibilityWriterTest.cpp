#include "engine/CompatibilityWriter.h"

#include "engine/BackgroundTable.h"
#include "engine/PointTable.h"
#include "engine/TDataType.h"
#include "profile/DefaultProfile.h"

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace gw {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t RecordSize = 990;
constexpr std::size_t SubSize = 800;
constexpr std::int16_t Afterglow = 14;
const CivilDate Today{2026, 3, 15};

// The expected bytes of a record, written at the format's offsets independently of the writer.
struct Expected {
    Bytes bytes = Bytes(RecordSize, 0);

    void Byte(std::size_t at, int value) { bytes[at] = std::uint8_t(value); }
    void Int16(std::size_t at, int value) {
        bytes[at] = std::uint8_t(value & 0xFF);
        bytes[at + 1] = std::uint8_t((value >> 8) & 0xFF);
    }
    void Double(std::size_t at, double value) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        for (int i = 0; i < 8; ++i) {
            bytes[at + std::size_t(i)] = std::uint8_t(bits >> (8 * i));
        }
    }
    void Text(std::size_t at, std::size_t capacity, const std::string& text) {
        std::fill_n(bytes.begin() + long(at), capacity + 1, 0);
        bytes[at] = std::uint8_t(text.size());
        std::memcpy(&bytes[at + 1], text.data(), text.size());
    }
    void Slot(int k, double value) { Double(190 + std::size_t(k) * 8, value); }
};

SystemProfile TestProfile() {
    SystemProfile profile = DefaultProfile(4);
    profile.AfterglowCode = Afterglow;
    profile.GammaDoseRate = 0.02;
    profile.BetaDoseRate = 0.08;
    profile.AlphaDoseRate = 0.5;
    profile.BetaIsotope = "Sr-90/Y-90";     // cut to 7 characters
    profile.Devices.BgdRate = {0x01, 0x2C}; // 300: 30 counts per second
    for (std::uint8_t i = 0; i < 8; ++i) {
        profile.RawBytes[i] = std::uint8_t(i + 1);
    }
    return profile;
}

// The header as every record starts.
Expected StartedHeader(const SystemProfile& profile) {
    Expected e;
    e.Int16(2, 5);
    e.Int16(8, Afterglow);
    e.Int16(10, 99);
    e.Byte(16, 1);
    for (int i = 0; i < 8; ++i) {
        e.Byte(26 + std::size_t(i), i + 1);
    }
    e.Double(34, profile.GammaDoseRate);
    e.Double(42, profile.BetaDoseRate);
    e.Double(50, profile.AlphaDoseRate);
    e.Text(90, 7, "Gy/sec");
    e.Text(98, 7, "Gy/sec");
    e.Text(106, 7, "u-2/sec");
    e.Text(122, 7, "Co-60");
    e.Text(130, 7, "Sr-90/Y");
    e.Text(138, 7, "Am-241");
    e.Int16(146, PackedDate::Pack(Today).Value);
    e.Text(148, 41, " ");
    return e;
}

TDataType Tl(int points, bool background = false) {
    TDataType op;
    op.Kind = OperationKind::TL;
    op.Points = points;
    op.RampRate = 5;
    op.Disk = 3;
    op.Remark = "quartz";
    op.Purpose = background ? TDataType::PurposeBackground : 0;
    return op;
}

TDataType Osl(std::array<std::int32_t, 4> n, int device = 20, bool background = false) {
    TDataType op;
    op.Kind = OperationKind::OSL;
    op.Device = device;
    op.N = n;
    op.Points = n[0] + n[1] + n[2] + n[3];
    op.Temperature = 300;
    op.Power = 90;
    op.Disk = 3;
    op.Remark = "quartz";
    op.Purpose = background ? TDataType::PurposeBackground : 0;
    return op;
}

TDataType Irradiation(char source, int seconds, double dose) {
    TDataType op;
    op.Kind = OperationKind::Irradiation;
    op.Treatment = TDataType::TreatmentWithoutData;
    op.Source = source;
    op.IrradTime = seconds;
    op.Dose = dose;
    return op;
}

TDataType Treatment(OperationKind kind, int device) {
    TDataType op = kind == OperationKind::TL ? Tl(40) : Osl({0, 50, 0, 0}, device);
    op.Kind = kind;
    op.Treatment = TDataType::TreatmentWithoutData;
    return op;
}

// Points whose counter values follow f(point, channel), from index `first` on.
PointTable Curve(int points, int first, const std::function<double(int, int)>& f) {
    PointTable table;
    for (int k = 0; k < points && first + k < PointTable::Size; ++k) {
        for (int c = 0; c < 4; ++c) {
            table[first + k].Values[std::size_t(c)] = f(first + k, c);
        }
        table[first + k].Valid = 1;
    }
    return table;
}

double Ramp(int k, int c) {
    return 1000.0 * (c + 1) + k;
}

class CompatibilityWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("gw_compat_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Open(int channels = 1, int filter = 0, const SystemProfile& profile = TestProfile()) {
        CompatibilitySettings settings;
        settings.profile = profile;
        settings.filterNumber = filter;
        for (int c = 0; c < channels; ++c) {
            const std::string base =
                (dir_ / (channels > 1 ? "run_" + std::to_string(c) : "run")).string();
            settings.channels.push_back({base + ".dat", base + ".sub"});
        }
        settings.today = [] { return Today; };
        settings.log = [this](const std::string& line) { logged.push_back(line); };
        writer = std::make_unique<CompatibilityWriter>(std::move(settings));
        ASSERT_FALSE(writer->Open());
    }

    // Hands a finished step over as the script finisher does; its step record marks it as an
    // exposed measurement of disk 2 on platter 0 (or a background).
    void Step(const TDataType& op, const PointTable& points = PointTable(), int disk = 2) {
        const CompatibilityStep step{op, points, 0, disk, [&op](StepRecord& record) {
                                         record = StepRecord{};
                                         record.exposedBefore = 1;
                                         record.notBackground = op.isBackground() ? 0 : 1;
                                         record.exposure = 1.5;
                                         return true;
                                     }};
        const FileError error = writer->AddStep(step);
        ASSERT_FALSE(error) << error.message;
    }

    Bytes File(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    Bytes DatRecord(int index, const std::string& name = "run.dat") const {
        const Bytes all = File(name);
        const auto at = all.begin() + long(std::size_t(index) * RecordSize);
        return Bytes(at, at + long(RecordSize));
    }
    std::vector<double> SubRecord(int index, const std::string& name = "run.sub") const {
        const Bytes all = File(name);
        std::vector<double> curve(100);
        std::memcpy(curve.data(), all.data() + std::size_t(index) * SubSize, SubSize);
        return curve;
    }
    void WriteFile(const std::string& name, const Bytes& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    }

    // The measurement fields every record of Step() carries.
    static void Measured(Expected& e, int lastSlot, int number, bool background = false) {
        e.Int16(0, lastSlot);
        e.Int16(4, number);
        e.Int16(6, 3);
        e.Byte(12, 1);
        e.Byte(14, background ? 0 : 1);
        e.Byte(16, 0);
        e.Double(18, 1.5);
        e.Text(148, 41, "quartz");
    }

    fs::path dir_;
    std::unique_ptr<CompatibilityWriter> writer;
    std::vector<std::string> logged;
};

TEST_F(CompatibilityWriterTest, TlRecordsHoldAtMostOneHundredPoints) {
    Open();
    const int pointCounts[] = {60, 100, 140};
    for (const int points : pointCounts) {
        Step(Tl(points), Curve(points, 0, Ramp));
    }
    const int lastSlots[] = {59, 99, 99};
    for (int r = 0; r < 3; ++r) {
        Expected e = StartedHeader(TestProfile());
        Measured(e, lastSlots[r], r);
        e.Double(26, 5.0);
        for (int k = 0; k <= lastSlots[r]; ++k) {
            e.Slot(k, Ramp(k, 0));
        }
        EXPECT_EQ(DatRecord(r), e.bytes) << "record " << r;
    }
    EXPECT_EQ(File("run.dat").size(), 3 * RecordSize);
    EXPECT_EQ(File("run.sub"), Bytes(3 * SubSize, 0)); // nothing to correct yet
    EXPECT_EQ(logged, std::vector<std::string>{
                          ": Binary record 2: data has been truncated to the first 100 points"});
}

TEST_F(CompatibilityWriterTest, OslRecordStartsAtSlotOneAndIsCorrectedByTheProfileRate) {
    Open();
    const TDataType osl = Osl({0, 100, 150, 0});
    Step(osl, Curve(250, 1, Ramp));
    Expected e = StartedHeader(TestProfile());
    Measured(e, 99, 0);
    e.Int16(8, Afterglow + 2000);
    e.Double(26, 90.0);
    for (const int at : {82, 83, 84, 85}) {
        e.Byte(std::size_t(at), osl.N[std::size_t(at - 82)]);
    }
    e.Byte(86, 1); // 300 C = 1 x 256 + 44
    e.Byte(87, 0x01);
    e.Byte(88, 0x2C);
    e.Byte(89, 44);
    for (int k = 1; k <= 99; ++k) {
        e.Slot(k, Ramp(k, 0));
    }
    EXPECT_EQ(DatRecord(0), e.bytes);

    const std::vector<double> corrected = SubRecord(0);
    EXPECT_EQ(corrected[0], 1.0);
    for (int k = 1; k <= 99; ++k) {
        EXPECT_DOUBLE_EQ(corrected[std::size_t(k)], Ramp(k, 0) - 30.0 * 0.1) << k;
    }
    EXPECT_EQ(writer->Table(0).At(0).processed, 1);
    EXPECT_EQ(writer->Table(0).At(0).flag, 1);

    // A background OSL of another disk leaves it; one of the same disk later corrects it again:
    // 50 channels of 0.1 s with 2 counts, 20 per second.
    Step(Osl({0, 50, 0, 0}, 20, true), Curve(50, 1, [](int, int) { return 5.0; }), 7);
    EXPECT_EQ(SubRecord(0), corrected);
    Step(Osl({0, 50, 0, 0}, 20, true), Curve(50, 1, [](int, int) { return 2.0; }));
    const std::vector<double> again = SubRecord(0);
    for (int k = 1; k <= 99; ++k) {
        EXPECT_DOUBLE_EQ(again[std::size_t(k)], Ramp(k, 0) - 20.0 * 0.1) << k;
    }
    EXPECT_EQ(writer->Table(0).At(0).flag, 0);
    EXPECT_EQ(File("run.sub").size(), SubSize); // a background has no corrected curve
}

TEST_F(CompatibilityWriterTest, WithoutABackgroundRateTheCorrectedOslIsTheMeasurement) {
    SystemProfile profile = TestProfile();
    profile.Devices.BgdRate = {0, 0};
    Open(1, 0, profile);
    Step(Osl({0, 20, 0, 0}), Curve(20, 1, Ramp));
    const std::vector<double> corrected = SubRecord(0);
    EXPECT_EQ(corrected[0], 1.0);
    for (int k = 1; k <= 20; ++k) {
        EXPECT_EQ(corrected[std::size_t(k)], Ramp(k, 0)) << k;
    }
}

TEST_F(CompatibilityWriterTest, OslOfAFullCurveReadsNoPointPastTheTable) {
    Open();
    Step(Osl({0, 0, 255, 255}), Curve(PointTable::MaxCurvePoints, 1, Ramp));
    Step(Osl({255, 255, 255, 255}), Curve(PointTable::MaxCurvePoints, 1, Ramp));
    const Bytes record = DatRecord(1);
    EXPECT_EQ(record[0], 99);
    double last = 0;
    std::memcpy(&last, record.data() + 190 + 99 * 8, 8);
    EXPECT_EQ(last, Ramp(99, 0));
}

TEST_F(CompatibilityWriterTest, IrradiationGoesIntoTheNextRecordOnly) {
    Open();
    Step(Irradiation('B', 100, 5.0));
    Step(Tl(60), Curve(60, 0, Ramp));
    Step(Tl(60), Curve(60, 0, Ramp));
    Expected irradiated = StartedHeader(TestProfile());
    Measured(irradiated, 59, 0);
    irradiated.Double(26, 5.0);
    irradiated.Double(42, 0.05);
    irradiated.Double(66, 100.0);
    Expected next = StartedHeader(TestProfile());
    Measured(next, 59, 1);
    next.Double(26, 5.0);
    for (int k = 0; k < 60; ++k) {
        irradiated.Slot(k, Ramp(k, 0));
        next.Slot(k, Ramp(k, 0));
    }
    EXPECT_EQ(DatRecord(0), irradiated.bytes);
    EXPECT_EQ(DatRecord(1), next.bytes);
}

TEST_F(CompatibilityWriterTest, IrradiationLettersFillTheSlotsOfTheirFamily) {
    struct Case {
        char letter;
        std::size_t rate, time;
    };
    const Case cases[] = {{'A', 50, 74}, {'T', 50, 74}, {'I', 50, 74}, {'O', 50, 74},
                          {'B', 42, 66}, {'X', 42, 66}, {'H', 42, 66}, {'L', 42, 66},
                          {'G', 34, 58}, {'P', 34, 58}, {'J', 34, 58}, {'W', 34, 58}};
    Open();
    for (const Case& c : cases) {
        Step(Irradiation(c.letter, 40, 2.0));
        Step(Tl(10), Curve(10, 0, Ramp));
        const Bytes record = DatRecord(writer->RecordCount());
        double rate = 0;
        double time = 0;
        std::memcpy(&rate, record.data() + c.rate, 8);
        std::memcpy(&time, record.data() + c.time, 8);
        EXPECT_EQ(rate, 0.05) << c.letter;
        EXPECT_EQ(time, 40.0) << c.letter;
    }
}

TEST_F(CompatibilityWriterTest, TlBackgroundIsSubtractedWithEachFilter) {
    // Differences of k: every filter keeps the inside of a straight line and bends its ends.
    struct Case {
        int filter;
        double beforeLast, last; // offsets from the straight line at slots n - 1 and n
    };
    const Case cases[] = {
        {0, 0.0, 0.0}, {1, 0.0, -1.0 / 3.0}, {2, 0.0, -0.25}, {3, 1.0 - 4.04 / 3.3, -1.52 / 3.3}};
    for (const Case& c : cases) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        Open(1, c.filter);
        Step(Tl(60), Curve(60, 0, [](int k, int) { return 100.0 + 2 * k; }));
        Step(Tl(80, true), Curve(80, 0, [](int k, int) { return 100.0 + k; }), 9);
        const std::vector<double> b = SubRecord(0);
        EXPECT_EQ(b[0], 1.0);
        EXPECT_EQ(b[1], 0.0);
        EXPECT_EQ(b[2], double(c.filter));
        for (int k = 3; k <= 57; ++k) {
            EXPECT_NEAR(b[std::size_t(k)], k, 1e-9) << "filter " << c.filter << " slot " << k;
        }
        EXPECT_NEAR(b[58], 58 + c.beforeLast, 1e-9) << "filter " << c.filter;
        EXPECT_NEAR(b[59], 59 + c.last, 1e-9) << "filter " << c.filter;
        EXPECT_EQ(b[60], 0.0);
        EXPECT_EQ(writer->Table(0).At(0).processed, 1);
    }
}

TEST_F(CompatibilityWriterTest, NoSubtractionAcrossCurveCodes) {
    Open();
    Step(Osl({0, 20, 0, 0}), Curve(20, 1, Ramp));
    const std::vector<double> selfCorrected = SubRecord(0);
    Step(Osl({0, 20, 0, 0}, 28, true), Curve(20, 1, Ramp)); // infrared background
    EXPECT_EQ(SubRecord(0), selfCorrected);
    Step(Tl(20), Curve(20, 0, Ramp));
    Step(Osl({0, 20, 0, 0}, 20, true), Curve(20, 1, Ramp));
    EXPECT_EQ(SubRecord(1), std::vector<double>(100, 0.0));
    EXPECT_EQ(writer->Table(0).At(2).processed, 0);
}

TEST_F(CompatibilityWriterTest, EveryCounterChannelHasItsFilesAndItsCorrection) {
    Open(2);
    Step(Tl(30), Curve(30, 0, [](int k, int c) { return 10.0 * (c + 1) + 2 * k; }));
    Step(Tl(30, true), Curve(30, 0, [](int k, int c) { return 10.0 * (c + 1) + k; }));
    for (int c = 0; c < 2; ++c) {
        const std::string suffix = "_" + std::to_string(c);
        EXPECT_EQ(File("run" + suffix + ".dat").size(), 2 * RecordSize);
        double first = 0;
        std::memcpy(&first, DatRecord(0, "run" + suffix + ".dat").data() + 190, 8);
        EXPECT_EQ(first, 10.0 * (c + 1));
        const std::vector<double> b = SubRecord(0, "run" + suffix + ".sub");
        EXPECT_EQ(b[0], 1.0) << c;
        EXPECT_DOUBLE_EQ(b[10], 10.0) << c;
        EXPECT_EQ(writer->Table(c).At(0).processed, 1) << c;
    }
    EXPECT_FALSE(fs::exists(dir_ / "run.dat"));
}

TEST_F(CompatibilityWriterTest, TreatmentsWriteNoRecord) {
    Open();
    Step(Treatment(OperationKind::TL, 0));     // preheat
    Step(Treatment(OperationKind::OSL, 10));   // bleach
    Step(Treatment(OperationKind::LMOSL, 40)); // preshine
    Step(Irradiation('X', 10, 1.0));
    EXPECT_EQ(File("run.dat").size(), 0u);
    EXPECT_EQ(File("run.sub").size(), 0u);
    EXPECT_EQ(writer->RecordCount(), -1);
}

TEST_F(CompatibilityWriterTest, TlAfterATreatmentIsATlAndIsCorrected) {
    Open();
    Step(Treatment(OperationKind::OSL, 10)); // a bleach sets an OSL curve code
    Step(Tl(20), Curve(20, 0, Ramp));
    Step(Tl(20, true), Curve(20, 0, Ramp));
    EXPECT_EQ(DatRecord(0)[8], Afterglow);
    EXPECT_EQ(DatRecord(0)[9], 0);
    EXPECT_EQ(writer->Table(0).At(0).processed, 1);
}

TEST_F(CompatibilityWriterTest, BackgroundBeforeAnyMeasurementIsRecordedWithNothingToCorrect) {
    Open();
    Step(Tl(20, true), Curve(20, 0, [](int, int) { return 50.0; }));
    EXPECT_EQ(File("run.dat").size(), RecordSize);
    EXPECT_EQ(File("run.sub").size(), 0u);
    Step(Tl(20), Curve(20, 0, [](int k, int) { return 60.0 + k; }));
    Step(Tl(20, true), Curve(20, 0, [](int, int) { return 55.0; }));
    const std::vector<double> b = SubRecord(0);
    EXPECT_DOUBLE_EQ(b[10], 15.0); // corrected by the background after it
    EXPECT_FALSE(writer->Table(0).At(0).measurement);
}

TEST_F(CompatibilityWriterTest, AddToFileKeepsOldRecordsAndCorrectsThisRunsOwn) {
    const Bytes oldData(2 * RecordSize + 10, 0xAB); // two records and a torn third
    const Bytes oldSub(SubSize, 0xCD);
    WriteFile("run.dat", oldData);
    WriteFile("run.sub", oldSub);
    Open();
    Step(Tl(20), Curve(20, 0, [](int k, int) { return 40.0 + k; }));
    Step(Tl(20, true), Curve(20, 0, [](int, int) { return 30.0; }));

    const Bytes data = File("run.dat");
    ASSERT_EQ(data.size(), 5 * RecordSize);
    EXPECT_EQ(Bytes(data.begin(), data.begin() + long(oldData.size())), oldData);
    EXPECT_EQ(Bytes(data.begin() + long(oldData.size()), data.begin() + long(3 * RecordSize)),
              Bytes(3 * RecordSize - oldData.size(), 0));
    EXPECT_EQ(DatRecord(3)[4], 0); // this run's first record
    EXPECT_EQ(DatRecord(4)[4], 1);

    const Bytes sub = File("run.sub");
    ASSERT_EQ(sub.size(), 2 * SubSize);
    EXPECT_EQ(Bytes(sub.begin(), sub.begin() + long(SubSize)), oldSub);
    const std::vector<double> b = SubRecord(1);
    EXPECT_EQ(b[0], 1.0);
    EXPECT_DOUBLE_EQ(b[12], 22.0);
}

TEST_F(CompatibilityWriterTest, RecordWithoutStepRecordIsMarkedFromItsOperation) {
    Open();
    const TDataType background = Tl(10, true);
    const PointTable points = Curve(10, 0, Ramp);
    const FileError error =
        writer->AddStep({background, points, 0, 4, [](StepRecord&) { return false; }});
    ASSERT_FALSE(error) << error.message;
    EXPECT_EQ(DatRecord(0)[14], 0);
    EXPECT_EQ(writer->MeasurementCount(), -1);
    EXPECT_EQ(logged, std::vector<std::string>{": Binary record 0: no step record for disk 4"});
}

TEST(BackgroundTableTest, GrowsByTwentyPastItsEnd) {
    BackgroundTable table;
    EXPECT_EQ(table.Capacity(), 400);
    EXPECT_EQ(table.Entry(399).subtractionIndex, -1);
    EXPECT_EQ(table.Capacity(), 400);
    table.Entry(400).platter = 1;
    EXPECT_EQ(table.Capacity(), 420);
    table.Entry(445);
    EXPECT_EQ(table.Capacity(), 460);
    EXPECT_EQ(table.At(400).platter, 1);
}

} // namespace
} // namespace gw
