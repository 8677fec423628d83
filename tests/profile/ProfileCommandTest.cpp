#include "tool/ToolCommand.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace gw {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

class ProfileCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::path(GW_BINARY_DIR) / "profile-tool-tests" /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = (dir / "TLInfo.dta").string();
    }

    ToolRun run(std::vector<std::string> args) {
        args.insert(args.begin(), "profile");
        std::ostringstream out;
        std::ostringstream err;
        const int code = tool::runTool(args, out, err);
        return {code, out.str(), err.str()};
    }

    std::uintmax_t size() const { return fs::file_size(file); }

    fs::path dir;
    std::string file;
};

TEST_F(ProfileCommandTest, CreatesListsSelectsEditsAndShowsAFile) {
    ASSERT_EQ(run({"new", file, "--profiles", "3", "--reader", "3550", "--name", "Lab 7"}).code, 0);
    EXPECT_EQ(size(), 9600u);
    EXPECT_EQ(run({"list", file}).out, "* 0  Lab 7 1\n  1  Lab 7 2\n  2  Lab 7 3\n");

    ASSERT_EQ(run({"select", file, "1"}).code, 0);
    const ToolRun edit = run({"set", file, "ReaderType=4", "Devices.Cwl[0]=525", "DTCorr=on"});
    ASSERT_EQ(edit.code, 0) << edit.err;
    EXPECT_EQ(edit.out, "Saved profile 1 of " + file + "\n");

    const ToolRun shown = run({"show", file, "--json"});
    ASSERT_EQ(shown.code, 0) << shown.err;
    for (const char* expected :
         {"\"file\": {\"profiles\": 3, \"current\": 1, \"pagesPerProfile\": 4, \"names\": "
          "[\"Lab 7 1\", \"Lab 7 2\", \"Lab 7 3\"]}",
          "\"ReaderType\": 4", "\"DTCorr\": true", "\"Cwl\": [525,", "\"SystemID\": \"Lab 7\""}) {
        EXPECT_NE(shown.out.find(expected), std::string::npos) << expected;
    }
    const ToolRun other = run({"show", file, "--index", "2"});
    EXPECT_NE(other.out.find("ReaderType = 3\n"), std::string::npos) << other.out;
    EXPECT_NE(other.out.find("pages per profile\n  0  Lab 7 1\n* 1  Lab 7 2\n  2  Lab 7 3\n"
                             "Profile 2:\n"),
              std::string::npos)
        << "the text names the file's profiles as its header says";
    EXPECT_NE(other.out.find("Devices.Cwl = [470,"), std::string::npos);
}

TEST_F(ProfileCommandTest, SwitchingOnFivePagesConvertsTheFile) {
    ASSERT_EQ(run({"new", file, "--profiles", "3"}).code, 0);
    ASSERT_EQ(run({"set", file, "HasFivePages=on", "WhatAIrrad=2"}).code, 0);
    EXPECT_EQ(size(), 12000u);
    EXPECT_EQ(fs::file_size(dir / "TLInfo.bak"), 9600u);
    EXPECT_FALSE(fs::exists(dir / "TLInfo.tmp"));
    EXPECT_NE(run({"show", file}).out.find("WhatAIrrad = 2\n"), std::string::npos);
    for (const char* index : {"0", "1", "2"}) {
        EXPECT_NE(run({"show", file, "--index", index}).out.find("BetaPort = 15\n"),
                  std::string::npos)
            << "the 6600's beta port on profile " << index;
    }
    EXPECT_NE(run({"convert", file}).out.find("already"), std::string::npos);
}

struct FailCase {
    std::vector<std::string> args;
    int code;
    const char* message;
};

TEST_F(ProfileCommandTest, RefusesBadRequestsAndLeavesTheFileAlone) {
    ASSERT_EQ(run({"new", file, "--profiles", "2"}).code, 0);
    std::ofstream(dir / "short.dta") << "too short";
    const std::string shortFile = (dir / "short.dta").string();
    const FailCase cases[] = {
        {{"new", file}, 1, "exists"},
        {{"set", file, "Nonsense=1"}, 1, "no profile field"},
        {{"set", file, "ReaderType=4", "GammaIsotope=X-ray tube"}, 1, "at most 7 characters"},
        {{"set", file, "ReaderType"}, 2, "NAME=VALUE"},
        {{"select", file, "2"}, 1, "has no profile 2"},
        {{"show", file, "--index", "5"}, 1, "no profile 5"},
        {{"show", shortFile}, 1, "too short"},
        {{"convert", shortFile}, 1, "too short"},
        {{"new", (dir / "x.dta").string(), "--name", "A name far too long"}, 2, "1 to 15"},
        {{"frobnicate", file}, 2, "usage"},
    };
    const auto before = size();
    for (const FailCase& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.message);
        const ToolRun result = run(c.args);
        EXPECT_EQ(result.code, c.code);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_EQ(size(), before);
    EXPECT_NE(run({"show", file}).out.find("ReaderType = 4\n"), std::string::npos);
    EXPECT_EQ(fs::file_size(shortFile), 9u);
}

} // namespace
} // namespace gw
