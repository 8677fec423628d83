#include "tool/ToolCommand.h"

#include <QTimer>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace gw::tool {
namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

class TakeCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 (std::string("gw-take-tool-") +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string dataFile() const { return (folder / "data.txt").string(); }

    ToolRun Take(std::vector<std::string> args) {
        std::ostringstream out;
        std::ostringstream err;
        args.insert(args.begin(), "take");
        const int status = runTool(args, out, err);
        return {status, out.str(), err.str()};
    }

    // A quick TL on the simulated reader at a small time scale.
    std::vector<std::string> QuickTl(std::vector<std::string> more = {}) {
        std::vector<std::string> args = {
            "tl",  "--data-file",     dataFile(),    "--time-scale", "0.01",       "--hv",
            "yes", "Temperature=100", "Increment=2", "RampRate=25",  "preheat=off"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    std::vector<std::string> FileLines() const {
        std::ifstream in(dataFile(), std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            EXPECT_EQ(line.back(), '\r');
            line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    std::filesystem::path folder;
};

TEST_F(TakeCommandTest, HelpListsTheNamesAndBadArgumentsAreRefused) {
    const ToolRun help = Take({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* name : {"Temperature", "RampRate", "Increment", "HoldTime", "CoolTemp",
                             "PreheatTemp", "PreheatTime", "PreheatType", "Power", "IrradTime",
                             "MaxPower", "RampTime", "preheat", "os", "afterglow"}) {
        EXPECT_NE(help.out.find("  " + std::string(name) + " "), std::string::npos) << name;
    }
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {{"tl"}, 2, "--data-file F is required"},
        {{"xl", "--data-file", "x"}, 2, "tl, osl, mosl or irrad"},
        {{"tl", "--data-file", "x", "Colour=3"}, 2, "unknown field 'Colour'"},
        {{"tl", "--data-file", "x", "preheat=maybe"}, 2, "no value for preheat"},
        {{"tl", "--data-file", "x", "--channels", "5"}, 2, "--channels needs a valid value"},
        {{"tl", "--data-file", "x", "--holes", "1,2"}, 2, "take an osl"},
        {{"tl", "--data-file", "x", "--port", "sim", "--time-scale", "0.01", "Increment=0"},
         1,
         "error: \"Data space, \260C\""},
    };
    for (const Case& c : cases) {
        const ToolRun run = Take(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
}

TEST_F(TakeCommandTest, ARangeOnTheSimulatedReaderWithTwoChannels) {
    const ToolRun run =
        Take(QuickTl({"--disk", "2", "--to-disk", "3", "--channels", "2", "--info", "Quartz"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("disk 3: record appended to " + dataFile()), std::string::npos);
    const std::vector<std::string> lines = FileLines();
    ASSERT_EQ(lines.size(), 2u * (9 + 50));
    EXPECT_EQ(lines[0], "[NewRecord]");
    EXPECT_EQ(lines[1], "Title=Quartz");
    EXPECT_EQ(lines[2], "Disk=2");
    EXPECT_EQ(lines[61], "Disk=3");
    // Two counter channels: two value columns.
    EXPECT_EQ(std::count(lines[9].begin(), lines[9].end(), ';'), 4) << lines[9];
}

TEST_F(TakeCommandTest, SigintAbortsAndWritesNothingMore) {
    bool raised = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!raised && std::filesystem::exists(dataFile())) {
            raised = true;
            std::raise(SIGINT);
        }
    });
    poll.start(5);
    const ToolRun run = Take(QuickTl({"--disk", "1", "--to-disk", "9"}));
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_NE(run.err.find("aborting: \"Z \" sent to the reader"), std::string::npos);
    EXPECT_EQ(FileLines().size(), 9u + 50u) << "the first record alone";
}

TEST_F(TakeCommandTest, ARecordTheFileRefusesGoesToStandardOutput) {
    std::vector<std::string> args = QuickTl();
    args[2] = (folder / "missing" / "data.txt").string();
    const ToolRun run = Take(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("error: the record could not be written to " + args[2]),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.out.rfind("[NewRecord]\r\nTitle=\r\nDisk=0\r\n", 0), 0u) << run.out;
}

} // namespace
} // namespace gw::tool
