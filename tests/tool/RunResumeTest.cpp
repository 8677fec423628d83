#include "ToolRun.h"

#include <QByteArray>
#include <QCoreApplication>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A 3500 run over two platters (22 disks, two commands each) in random order: enough steps to be
// killed in the middle of either platter and at the platter change.
const char* const NightScript = "METHOD \"night\"\r\nGLOBAL\r\nEND GLOBAL\r\nMETHOD\r\n"
                                "RANDOM_SORT\r\nOPEN \"night\"\r\nLOOP DISKS #22\r\n"
                                "IRRAD(3, 0, 20, 2)\r\nOSL(0, 90, 125, 4, 0, 0)\r\nEND LOOP\r\n"
                                "END METHOD\r\n";

// With the compatibility switch: a TL and its background per disk, each after an irradiation
// that the TL's binary record carries.
const char* const BinaryScript = "METHOD \"night\"\r\nGLOBAL\r\nEND GLOBAL\r\nMETHOD\r\n"
                                 "OPEN \"night\"\r\nLOOP DISKS #12\r\n"
                                 "IRRAD(3, 0, 20, 2)\r\nTL(5, 0, 0, 450, 0, 0)\r\n"
                                 "TLBGD(5, 450, 20)\r\nEND LOOP\r\nEND METHOD\r\n";

std::string readFile(const fs::path& path) {
    return gw::tool::ReadFileBytes(path);
}

// What a data file holds, values aside: a line per header and per record (disk and kind).
std::vector<std::string> Summary(const std::string& text) {
    std::vector<std::string> entries;
    std::istringstream lines(text);
    std::string disk;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.rfind("ScriptFile=", 0) == 0) {
            entries.push_back("header");
        } else if (line.rfind("Disk=", 0) == 0) {
            disk = line;
        } else if (line.rfind("DataType=", 0) == 0) {
            entries.push_back(disk + " " + line);
        }
    }
    return entries;
}

bool IsBinaryFile(const fs::path& path) {
    return path.extension() == ".dat" || path.extension() == ".sub";
}

// What the binary files hold, the measured values aside: every ".dat" record's header (record
// number, disk, marks, irradiation, counts) and the head of every ".sub" record, which says
// whether and how it was subtracted.
std::vector<std::string> BinarySummary(const fs::path& dir) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (IsBinaryFile(entry.path())) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> summary;
    for (const fs::path& file : files) {
        const bool data = file.extension() == ".dat";
        const std::size_t recordSize = data ? 990 : 800;
        const std::size_t kept = data ? 190 : 24;
        const std::string bytes = readFile(file);
        summary.push_back(file.filename().string() + " " + std::to_string(bytes.size()));
        for (std::size_t at = 0; at + recordSize <= bytes.size(); at += recordSize) {
            summary.push_back(
                QByteArray::fromStdString(bytes.substr(at, kept)).toHex().toStdString());
        }
    }
    return summary;
}

using ToolRun = gw::tool::GwtoolExit;
using gw::tool::Occurrences;

class RunResume : public ::testing::Test {
protected:
    void SetUp() override {
        // The profile holds at most 40 characters of data directory.
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        // The process id keeps apart the same test run at once from other build trees.
        dir =
            fs::temp_directory_path() /
            ("gwr" + std::to_string(QCoreApplication::applicationPid()) + "-" + name.substr(0, 8));
        fs::remove_all(dir);
        fs::create_directories(dir);
        script = (dir / "night.gws").string();
        std::ofstream(script, std::ios::binary) << NightScript;
        profile = makeProfile("lab.dta", "Lab reader");
    }

    std::string makeProfile(const std::string& name, const std::string& systemId) {
        const std::string path = (dir / name).string();
        EXPECT_EQ(tool({"profile", "new", path, "--reader", "3500", "--name", systemId,
                        "--data-dir", dir.string() + "/"})
                      .code,
                  0);
        return path;
    }

    // gwtool itself; killed (SIGKILL) once the given number of records is written.
    ToolRun tool(const std::vector<std::string>& args, int killAfterRecords = -1) {
        int records = 0;
        return gw::tool::RunGwtool(args, [&](const std::string& line) {
            records += line.find("\"record written\"") != std::string::npos;
            return killAfterRecords < 0 || records < killAfterRecords;
        });
    }

    ToolRun run(std::vector<std::string> extra, int killAfterRecords = -1) {
        std::vector<std::string> args = {"run",          script,   "--profile", profile,
                                         "--time-scale", "0.0005", "--events",  "-"};
        args.insert(args.end(), extra.begin(), extra.end());
        return tool(args, killAfterRecords);
    }

    std::string dataText() const { return readFile(dir / "night.txt"); }

    // The data file's and the binary files' summaries.
    std::vector<std::string> outcome() const {
        std::vector<std::string> summary = Summary(dataText());
        const std::vector<std::string> binary = BinarySummary(dir);
        summary.insert(summary.end(), binary.begin(), binary.end());
        return summary;
    }

    void removeOutputs() const {
        fs::remove(dir / "night.txt");
        fs::remove(dir / "night.txt.run");
        fs::remove(dir / "GWC_log.txt");
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (IsBinaryFile(entry.path())) {
                fs::remove(entry.path());
            }
        }
    }

    // The outcome of a run that was never interrupted (the same seed gives the same order).
    std::vector<std::string> uninterrupted(const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = {"--seed", "11"};
        args.insert(args.end(), extra.begin(), extra.end());
        const ToolRun whole = run(args);
        EXPECT_EQ(whole.code, 0) << whole.err;
        std::vector<std::string> summary = outcome();
        removeOutputs();
        return summary;
    }

    // Killed after each number of records and resumed, the run ends as the uninterrupted one.
    void killAndResume(const std::vector<int>& killPoints, const std::vector<std::string>& extra) {
        const std::vector<std::string> expected = uninterrupted(extra);
        ASSERT_GT(expected.size(), std::size_t(killPoints.back()) + 2);
        for (const int killAt : killPoints) {
            SCOPED_TRACE(killAt);
            std::vector<std::string> first = {"--seed", "11"};
            first.insert(first.end(), extra.begin(), extra.end());
            ASSERT_EQ(run(first, killAt).code, -9);
            // The log reached its file with every record.
            EXPECT_GE(Occurrences(readFile(dir / "GWC_log.txt"), ": Data saved"), killAt);
            // The resume draws its own seed from the journal, whatever is given now.
            std::vector<std::string> again = {"--resume", "--seed", "99"};
            again.insert(again.end(), extra.begin(), extra.end());
            const ToolRun resumed = run(again);
            EXPECT_EQ(resumed.code, 0) << resumed.err;
            EXPECT_EQ(outcome(), expected);
            removeOutputs();
        }
    }

    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
    std::string script;
    std::string profile;
};

TEST_F(RunResume, KilledAfterSeveralRecordsAndResumedGivesTheUninterruptedFile) {
    // Within the first platter, right at the platter change, within the second.
    killAndResume({1, 7, 40, 41}, {});
}

TEST_F(RunResume, WithTheCompatibilitySwitchTheBinaryFilesGoOnWhereTheyStopped) {
    std::ofstream(script, std::ios::binary | std::ios::trunc) << BinaryScript;
    // After an irradiation (carried by the next record's header), after a TL that the next
    // background corrects, after a background, near the end.
    killAndResume({1, 5, 7, 30}, {"--veltrax", "--today", "2026-12-09"});
}

TEST_F(RunResume, ARecordCutInTheMiddleIsRemovedAndItsStepMeasuredAgain) {
    // Without and with the binary files, which go back to the record before the cut one.
    for (const std::vector<std::string>& extra :
         std::vector<std::vector<std::string>>{{}, {"--veltrax", "--today", "2026-12-09"}}) {
        SCOPED_TRACE(extra.size());
        const std::vector<std::string> expected = uninterrupted(extra);
        std::vector<std::string> first = {"--seed", "11"};
        first.insert(first.end(), extra.begin(), extra.end());
        ASSERT_EQ(run(first, 5).code, -9);
        const std::string text = dataText();
        const std::size_t lastRecord = text.rfind("[NewRecord]");
        ASSERT_NE(lastRecord, std::string::npos);
        fs::resize_file(dir / "night.txt", lastRecord + 40);
        std::vector<std::string> again = {"--resume"};
        again.insert(again.end(), extra.begin(), extra.end());
        const ToolRun resumed = run(again);
        EXPECT_EQ(resumed.code, 0) << resumed.err;
        EXPECT_EQ(outcome(), expected);
        EXPECT_NE(readFile(dir / "GWC_log.txt").find("incomplete record at the end of"),
                  std::string::npos);
        removeOutputs();
    }
}

TEST_F(RunResume, AMismatchedOrFinishedRunIsRefusedAndNothingWritten) {
    ASSERT_EQ(run({"--seed", "11"}, 3).code, -9);
    const std::string before = dataText();
    const std::string journal = readFile(dir / "night.txt.run");
    const std::string otherProfile = makeProfile("other.dta", "Other reader");
    std::ofstream(script, std::ios::binary | std::ios::app) << "\r\n";
    struct Case {
        std::string name;
        std::vector<std::string> extra;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"edited script", {}, "has been changed since the run of"},
        {"other profile",
         {"--profile", otherProfile},
         "was taken with the profile of 'Lab reader'"},
        {"switch turned on", {"--veltrax"}, "was taken without the compatibility switch"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.name == "other profile") {
            std::ofstream(script, std::ios::binary | std::ios::trunc) << NightScript;
        }
        std::vector<std::string> extra = {"--resume"};
        extra.insert(extra.end(), c.extra.begin(), c.extra.end());
        const ToolRun refused = run(extra);
        EXPECT_NE(refused.code, 0);
        EXPECT_NE(refused.err.find(c.message), std::string::npos) << refused.err;
        EXPECT_EQ(dataText(), before);
        EXPECT_EQ(readFile(dir / "night.txt.run"), journal);
    }
    ASSERT_EQ(run({"--resume"}).code, 0);
    const ToolRun again = run({"--resume"});
    EXPECT_NE(again.code, 0);
    EXPECT_NE(again.err.find("has finished; there is nothing to resume"), std::string::npos)
        << again.err;
}

} // namespace
