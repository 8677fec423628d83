#include "ToolRun.h"
#include "link/StatusLineReport.h"
#include "link/StatusReplyEncoder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace gw::tool {
namespace {

ToolRun RunDecode(std::vector<std::string> args) {
    return RunToolCommand("decode", std::move(args));
}

// A busy reader in the middle of a TL run: every field holds something.
ReaderState SampleState(int channels) {
    ReaderState state;
    state.Position = 5;
    state.PointCounter = 12;
    state.StateCode = 3;
    state.ErrorBits = 0x006;
    state.Timer = 40;
    for (int j = 0; j < channels; ++j) {
        state.Counts[static_cast<std::size_t>(j)] = 1234 + 1000 * j;
    }
    state.Data = {50, 100, 128, 200, 10, 60, 25, 240};
    for (std::size_t i = 0; i < state.Flags.size(); ++i) {
        state.Flags[i] = (i % 3 == 0) ? 1 : 0;
    }
    state.Flags[BusyFlag] = 1;
    return state;
}

std::string LongReply(int systemType, int channels, const ReaderState& state) {
    return EncodeStatusReply(state, ReplyLayout::For(systemType, channels), false);
}

std::string ShortReply(int systemType, int channels, const ReaderState& state) {
    return EncodeStatusReply(state, ReplyLayout::For(systemType, channels), true);
}

TEST(DecodeCommand, EveryLayoutDecodesItsLongAndShortReplies) {
    for (int systemType = 0; systemType <= 4; ++systemType) {
        for (int channels = 1; channels <= 4; ++channels) {
            const ReaderState state = SampleState(channels);
            const DecodeSettings settings{systemType, channels, false, false};
            const std::string where =
                "system " + std::to_string(systemType) + ", k " + std::to_string(channels);

            const StatusLineReport full =
                ReportStatusLine(LongReply(systemType, channels, state), settings);
            EXPECT_TRUE(full.ok) << where << ": " << full.problem;
            EXPECT_FALSE(full.shortForm) << where;
            EXPECT_EQ(full.state, state) << where;
            for (int field = 0; field < StatusFieldCount; ++field) {
                EXPECT_TRUE(full.has(static_cast<StatusField>(field))) << where;
            }

            const StatusLineReport brief =
                ReportStatusLine(ShortReply(systemType, channels, state), settings);
            EXPECT_TRUE(brief.ok) << where << ": " << brief.problem;
            EXPECT_TRUE(brief.shortForm) << where;
            EXPECT_EQ(brief.state.Counts, state.Counts) << where;
            EXPECT_EQ(brief.state.StateCode, 3) << where;
            EXPECT_TRUE(brief.has(StatusField::PointCounter)) << where;
            EXPECT_FALSE(brief.has(StatusField::Position)) << where;
            EXPECT_FALSE(brief.has(StatusField::Flags)) << where;

            // The other family's long reply has a length of neither form here.
            const int otherType = systemType == 4 ? 2 : 4;
            EXPECT_FALSE(ReportStatusLine(LongReply(otherType, channels, state), settings).ok)
                << where;
        }
    }
}

TEST(DecodeCommand, PrintsOneJsonObjectPerLine) {
    const ReaderState state = SampleState(1);
    const std::string reply = LongReply(4, 1, state);
    const ToolRun run = RunDecode({"--json", reply, "10:00:07: " + ShortReply(4, 1, state)});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"ok\": true, \"Position\": 5, \"PointCounter\": 12, \"StateCode\": 3, "
              "\"ErrorBits\": 6, \"Timer\": 40, \"Counts\": [1234, 0, 0, 0], "
              "\"Data\": [50, 100, 128, 200, 10, 60, 25, 240], \"Flags\": [1, 0, 0, 1, 0, 0, 1, "
              "0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0], "
              "\"ShortReplies\": false}\n"
              "{\"ok\": true, \"PointCounter\": 12, \"StateCode\": 3, \"Counts\": [1234, 0, 0, 0], "
              "\"ShortReplies\": true}\n");
}

TEST(DecodeCommand, ShortAndCorrectSettings) {
    ReaderState counts;
    counts.Counts = {0x0FF, 0x1FF, 0, 0};
    const std::string line = LongReply(2, 2, counts); // field 1 holds Counts[1] = 1FFh
    const struct {
        std::vector<std::string> options;
        std::string reply;
        std::string expected; // a part of the JSON
    } cases[] = {
        {{"--system", "2", "--channels", "2"}, line, "\"Counts\": [255, 511, 0, 0]"},
        {{"--system", "2", "--channels", "2", "--correct"}, line, "\"Counts\": [-1, 255, 0, 0]"},
        // A long reply while short replies are on switches them off.
        {{"--system", "2", "--channels", "2", "--short"}, line, "\"ShortReplies\": false}"},
        // A reply of the short length switches them on, with or without --short.
        {{"--system", "3"}, ShortReply(3, 1, SampleState(1)), "\"ShortReplies\": true}"},
        {{"--system", "3", "--short"},
         ShortReply(3, 1, SampleState(1)),
         "\"ok\": true, \"PointCounter\": 12"},
        // A 6600 point counter is a signed 16-bit number.
        {{}, "000000FFFF", "\"PointCounter\": -1"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.options;
        args.push_back("--json");
        args.push_back(c.reply);
        const ToolRun run = RunDecode(args);
        EXPECT_NE(run.out.find(c.expected), std::string::npos) << c.reply << "\n" << run.out;
    }
}

TEST(DecodeCommand, SaysWhyALineDoesNotDecode) {
    const std::string good = LongReply(4, 1, SampleState(1)); // 46 characters
    std::string badPosition = good;
    badPosition.replace(10, 2, "G1");
    std::string badState = good;
    badState.replace(12, 2, "0B");
    std::string badWord = good;
    badWord.replace(34, 1, " ");
    const struct {
        std::string line;
        std::string problem;
        std::string lastField; // the last field the line still set, "" for none
    } cases[] = {
        {"", "counter field 1 (characters 1-6) is missing", ""},
        {"0004Z2" + good.substr(6),
         "counter field 1 \"0004Z2\" (characters 1-6) is not hexadecimal", ""},
        {good.substr(0, 40), "the reply has 40 characters; a long reply has 46 and a short one 12",
         "\"PointCounter\": 12"},
        {good + "0", "the reply has 47 characters", "\"PointCounter\": 12"},
        {badPosition, "Position \"G1\" (characters 11-12) is not hexadecimal",
         "\"PointCounter\": 12"},
        {badState, "StateCode \"0B\" (characters 13-14) is above 10", "\"Position\": 5"},
        {badWord,
         "status word \"" + badWord.substr(34, 8) + "\" (characters 35-42) is not hexadecimal",
         "\"Data\": [50, 100, 128, 200, 10, 60, 25, 240]"},
        {"10:00:04 PostError: " + badState, "StateCode \"0B\"", "\"Position\": 5"},
    };
    for (const auto& c : cases) {
        const ToolRun json = RunDecode({"--json", c.line});
        EXPECT_EQ(json.status, 1) << c.line;
        EXPECT_EQ(json.out.rfind("{\"ok\": false", 0), 0u) << json.out;
        std::string jsonProblem;
        for (const char ch : c.problem) {
            jsonProblem += ch == '"' ? std::string("\\\"") : std::string(1, ch);
        }
        EXPECT_NE(json.out.find(jsonProblem), std::string::npos) << c.line << "\n" << json.out;
        if (!c.lastField.empty()) {
            EXPECT_NE(json.out.find(c.lastField), std::string::npos) << json.out;
        } else {
            EXPECT_EQ(json.out.find("\"Counts\""), std::string::npos) << json.out;
        }
        EXPECT_EQ(json.out.find("\"Timer\""), std::string::npos) << json.out;

        const ToolRun text = RunDecode({c.line});
        EXPECT_EQ(text.status, 1);
        EXPECT_NE(text.out.find("does not decode (6600 system, 1 counter channel): " + c.problem),
                  std::string::npos)
            << text.out;
    }
}

// Every cut and every spoilt character of a reply is either a reply of another form or a
// problem that names a place in the text.
TEST(DecodeCommand, EveryCutOrSpoiltCharacterIsExplained) {
    const DecodeSettings settings{4, 2, false, false};
    const std::string good = LongReply(4, 2, SampleState(2));
    for (std::size_t length = 0; length <= good.size() + 1; ++length) {
        const std::string line = length <= good.size() ? good.substr(0, length) : good + "0";
        const StatusLineReport report = ReportStatusLine(line, settings);
        const bool wholeForm = length == good.size() || length == 18; // long, short
        EXPECT_EQ(report.ok, wholeForm) << length;
        EXPECT_EQ(report.problem.empty(), wholeForm) << length << ": " << report.problem;
    }
    for (std::size_t at = 0; at < good.size(); ++at) {
        std::string line = good;
        line[at] = 'Z';
        const StatusLineReport report = ReportStatusLine(line, settings);
        EXPECT_FALSE(report.ok) << at;
        EXPECT_NE(report.problem.find("is not hexadecimal"), std::string::npos) << report.problem;
        // The problem names the characters of the field that holds the spoilt one.
        int first = 0;
        int last = 0;
        const std::size_t where = report.problem.find("(characters ");
        ASSERT_NE(where, std::string::npos) << report.problem;
        ASSERT_EQ(std::sscanf(report.problem.c_str() + where, "(characters %d-%d)", &first, &last),
                  2);
        EXPECT_LE(first, static_cast<int>(at) + 1) << report.problem;
        EXPECT_GE(last, static_cast<int>(at) + 1) << report.problem;
    }
}

TEST(DecodeCommand, TextFormShowsEveryFieldAndThePanelReadings) {
    const ToolRun run = RunDecode({"--system", "2", LongReply(2, 1, SampleState(1))});
    EXPECT_EQ(run.status, 0);
    for (const char* part : {"  long reply, 3500 system, 1 counter channel\n", "  Position = 5\n",
                             "  ErrorBits = 0x006 (high voltage, ramp)\n",
                             "  Counts = 1234 0 0 0\n", "temp 400 C, T err 0.0 C, vacuum 11 uHg",
                             "HV -1500 V)", "Busy", "  ShortReplies = off\n"}) {
        EXPECT_NE(run.out.find(part), std::string::npos) << part << "\n" << run.out;
    }
}

TEST(DecodeCommand, MalformedArgumentsGiveTheUsage) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"--json"},
                                               {"--system", "5", "00"},
                                               {"--system"},
                                               {"--channels", "0", "00"},
                                               {"--channels", "12", "00"},
                                               {"--fast", "00"},
                                               {"--csv", "00"},
                                               {"--log"},
                                               {"--log", "x.txt", "00"},
                                               {"--log", "x.txt", "--json"}}) {
        const ToolRun run = RunDecode(args);
        EXPECT_EQ(run.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(run.err.find("usage: gwtool decode"), std::string::npos) << run.err;
    }
}

class DecodeLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("gw_decode_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
    }
    void TearDown() override { std::filesystem::remove(path_); }

    std::string write(const std::string& text) {
        std::ofstream(path_, std::ios::binary) << text;
        return path_.string();
    }

    std::filesystem::path path_;
};

TEST_F(DecodeLogTest, ReadsTheRepliesOfAConsoleLogIntoCsv) {
    const ReaderState a = SampleState(1);
    ReaderState b = a;
    b.PointCounter = 14;
    b.ErrorBits = 0;
    b.Data[1] = 101;
    ReaderState c = SampleState(2);
    c.ErrorBits = 0x004;
    std::string garbled = LongReply(4, 1, a);
    garbled.replace(10, 2, "G1");
    const std::string log = "10:00:00: Reader COM port opened\r\n"
                            "10:00:01: \"L1 5 \"\r\n"
                            "10:00:02: " +
                            LongReply(4, 1, a) +
                            "\r\n"
                            "  reader error - high voltage\r\n"
                            "  reader error - ramp\r\n"
                            "\r\n"
                            "10:00:03: " +
                            ShortReply(4, 1, b) +
                            "\n"
                            "extra long: 0000\r\n"
                            "10:00:04 PostError: " +
                            garbled +
                            "\r\n"
                            "10:00:05 ComError: " +
                            LongReply(4, 1, b) +
                            "\r\n"
                            "10:00:06: \x1aSYS6600 \xE9t\xE9\r\n"
                            "10:00:06: \"T21 2 \"\r\n"
                            "10:00:07: " +
                            LongReply(4, 2, c) + "\r\n";
    const ToolRun run = RunDecode({"--log", write(log), "--csv"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "line,time,reply,position,state,point,photons,photons1,temp (\xC2\xB0"
              "C),errors,problem\n"
              "3,10:00:02,long,5,3,12,1234,,400,\"high voltage, ramp\",\n"
              "7,10:00:03,short,,3,14,1234,,,,\n"
              "9,10:00:04,not decoded,,,,,,,,\"Position \"\"G1\"\" (characters 11-12) is not "
              "hexadecimal\"\n"
              "10,10:00:05,long,5,3,14,1234,,404,,\n"
              "13,10:00:07,long,5,3,12,1234,2234,400,ramp,\n");
}

TEST_F(DecodeLogTest, TableAndLayoutFromTheFirstLongReply) {
    ReaderState state = SampleState(3);
    state.ErrorBits = 0;
    // A 3500 with three channels, the file without line ends of CR and without a last line end.
    const std::string log =
        "09:15:00: " + ShortReply(2, 3, state) + "\n09:15:01: " + LongReply(2, 3, state);
    const ToolRun run = RunDecode({"--log", write(log)});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "line  time      reply  position  state  point  photons  photons1  photons2  "
              "temp (\xC2\xB0"
              "C)  errors  problem\n"
              "1     09:15:00  short            3      12     1234     2234      3234\n"
              "2     09:15:01  long   5         3      12     1234     2234      3234      400\n");
}

TEST_F(DecodeLogTest, MissingOrEmptyLogs) {
    const ToolRun missing = RunDecode({"--log", "/nonexistent/GWC_log.txt"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("cannot open the console log '/nonexistent/GWC_log.txt'"),
              std::string::npos)
        << missing.err;

    const ToolRun folder = RunDecode({"--log", path_.parent_path().string()});
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err.find("is a directory"), std::string::npos) << folder.err;

    const ToolRun none =
        RunDecode({"--log", write("10:00:00: Reader COM port opened\r\n\r\n"), "--csv"});
    EXPECT_EQ(none.status, 0);
    EXPECT_NE(none.err.find("no status replies"), std::string::npos) << none.err;
}

} // namespace
} // namespace gw::tool
