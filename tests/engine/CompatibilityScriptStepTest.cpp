#include "engine/CompatibilityScriptStep.h"

#include "engine/CompatibilityWriter.h"
#include "engine/PointTable.h"
#include "script/PrepareHelper.h"
#include "script/StepRecordBuilder.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace gw {
namespace {

namespace fs = std::filesystem;

double DoubleAt(const std::vector<char>& bytes, std::size_t at) {
    double value = 0;
    std::memcpy(&value, bytes.data() + at, 8);
    return value;
}

// A disk's steps prepared as a run prepares them and handed over after each step: the records
// carry the disk's step records.
TEST(CompatibilityScriptStepTest, RunOfOneDiskWritesItsMeasurementsWithTheirStepRecords) {
    const fs::path dir = fs::temp_directory_path() / "gw_compat_script_step";
    fs::remove_all(dir);
    fs::create_directories(dir);
    SystemProfile profile = DefaultProfile(4);
    profile.AfterglowCode = 14;
    auto prepared =
        test::CompileAndPlace(test::OneDisk({"IRRAD(3, 0, 20, 10)", "PREHEAT(5, 160, 10, 20)",
                                             "TL(5, 0, 0, 300, 0, 0)", "TLBGD(5, 300, 0)"}),
                              profile);
    sc_Item& disk = prepared->Disk(0);
    RestartStepRecords(disk);

    CompatibilitySettings settings;
    settings.profile = prepared->script->profile;
    settings.channels = {{(dir / "run.dat").string(), (dir / "run.sub").string()}};
    settings.today = [&] { return prepared->today; };
    CompatibilityWriter writer(settings);
    ASSERT_FALSE(writer.Open());

    TDataType operation;
    for (int step = 0; step < 4; ++step) {
        ASSERT_TRUE(prepared->Next(disk, operation).ok);
        PointTable points;
        for (int k = 0; k < operation.Points; ++k) {
            points[k].Values[0] = step == 2 ? 50.0 + k : 20.0;
        }
        const FileError error = WriteCompatibilityStep(writer, *prepared->script, disk, operation,
                                                       points, prepared->prompter, prepared->today);
        ASSERT_FALSE(error) << error.message;
    }

    std::ifstream in(dir / "run.dat", std::ios::binary);
    const std::vector<char> data{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(data.size(), 2 * 990u);
    EXPECT_EQ(data[14], 1);               // the TL is a measurement
    EXPECT_EQ(data[16], 1);               // of a disk not heated above 300 C before
    EXPECT_EQ(data[8], 14);               // curve code of a TL
    EXPECT_EQ(DoubleAt(data, 42), 0.1);   // beta slot: 10 Gy in 100 s
    EXPECT_EQ(DoubleAt(data, 66), 100.0); // beta slot: time
    EXPECT_EQ(data[990 + 14], 0);         // the background TL
    EXPECT_EQ(DoubleAt(data, 990 + 66), 0.0);
    EXPECT_EQ(writer.Table(0).At(0).number, 1);
    EXPECT_EQ(writer.Table(0).At(0).processed, 1);
    EXPECT_EQ(disk.recordCursor, disk.commands.End());
    fs::remove_all(dir);
}

} // namespace
} // namespace gw
