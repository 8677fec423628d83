#include "console/ConsoleLog.h"

#include "console/LogFileSink.h"
#include "core/LogClock.h"
#include "core/ScriptedPrompter.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace gw {
namespace {

class MemoryLogFileSink : public LogFileSink {
public:
    std::map<std::string, std::string> files;
    bool failing = false;
    int writes = 0;

    bool appendText(const std::string& path, const std::string& text) override {
        ++writes;
        if (failing) {
            return false;
        }
        files[path] += text;
        return true;
    }
    bool replaceText(const std::string& path, const std::string& text) override {
        ++writes;
        if (failing) {
            return false;
        }
        files[path] = text;
        return true;
    }
};

struct ConsoleLogTest : ::testing::Test {
    FixedLogClock clock{"10:11:12"};
    MemoryLogFileSink sink;
    ScriptedPrompter prompter;
    ConsoleLog log{clock, sink};

    ConsoleLogTest() {
        log.setLogFilePath([] { return std::string("/data/GWC_log.txt"); });
    }
    // Lines of the given length until the text holds exactly `length` characters.
    void fillTo(std::size_t length) {
        while (log.dump().textLength() < length) {
            const std::size_t separator = log.dump().lineCount() == 0 ? 0 : 2;
            const std::size_t room = length - log.dump().textLength() - separator;
            std::size_t size = std::min<std::size_t>(room, 99);
            if (room - size == 1) {
                --size; // leaves room for one more line break
            }
            log.appendLine(std::string(size, 'x'));
        }
        ASSERT_EQ(log.dump().textLength(), length);
    }
};

TEST_F(ConsoleLogTest, AppendLogPutsTheTimeOfDayFirst) {
    log.AppendLog(": Reader COM port opened");
    clock.set("10:11:13");
    log.AppendLog(": \"P1 \"");
    log.appendLine("  reader error - ramp");
    ASSERT_EQ(log.dump().lineCount(), 3u);
    EXPECT_EQ(log.dump().line(0), "10:11:12: Reader COM port opened");
    EXPECT_EQ(log.dump().line(1), "10:11:13: \"P1 \"");
    EXPECT_EQ(log.dump().text(), "10:11:12: Reader COM port opened\r\n10:11:13: \"P1 \"\r\n"
                                 "  reader error - ramp");
    EXPECT_EQ(log.dump().textLength(), log.dump().text().size());
}

TEST_F(ConsoleLogTest, FlushesAtTheNextDecodedReplyNotAtOnce) {
    fillTo(63999);
    log.ApplyLogCapacity();
    EXPECT_EQ(log.flushCount(), 0);
    log.appendLine(""); // the line break makes it 64001
    EXPECT_EQ(sink.writes, 0) << "appending alone never flushes";
    const std::string text = log.dump().text();
    log.ApplyLogCapacity();
    EXPECT_EQ(log.flushCount(), 1);
    EXPECT_FALSE(log.dump().hasText());
    EXPECT_EQ(sink.files["/data/GWC_log.txt"], text + "\r\n");
}

TEST_F(ConsoleLogTest, FlushesAtExactly64000Characters) {
    fillTo(64000);
    log.ApplyLogCapacity();
    EXPECT_EQ(log.flushCount(), 1);
    fillTo(100);
    log.ApplyLogCapacity();
    EXPECT_EQ(log.flushCount(), 1);
    EXPECT_EQ(sink.files.size(), 1u);
}

TEST_F(ConsoleLogTest, UnlimitedCapacityTrimsTheOldestLinesBelow65000) {
    log.setCapacity(LogCapacity::Unlimited);
    fillTo(64999);
    log.ApplyLogCapacity();
    EXPECT_EQ(log.dump().textLength(), 64999u);
    log.AppendLog(": newest");
    const std::string secondLine = log.dump().line(1);
    log.ApplyLogCapacity();
    EXPECT_LT(log.dump().textLength(), 65000u);
    EXPECT_GT(log.dump().textLength(), 65000u - 110) << "only as many lines as needed go";
    EXPECT_EQ(log.dump().line(0), secondLine);
    EXPECT_EQ(log.dump().line(log.dump().lineCount() - 1), "10:11:12: newest");
    EXPECT_EQ(log.flushCount(), 0);
    EXPECT_EQ(sink.writes, 0);
}

TEST_F(ConsoleLogTest, AFailedFlushKeepsTheTextAndSaysSoOnce) {
    sink.failing = true;
    fillTo(64000);
    log.ApplyLogCapacity();
    log.ApplyLogCapacity();
    EXPECT_EQ(log.flushCount(), 0);
    EXPECT_EQ(log.dump().line(log.dump().lineCount() - 1),
              "10:11:12: Log file could not be written: /data/GWC_log.txt");
    EXPECT_LT(log.dump().textLength(), 65000u) << "trimming still bounds the dump";
    EXPECT_GT(log.dump().textLength(), 64000u);

    sink.failing = false;
    log.ApplyLogCapacity();
    EXPECT_EQ(log.flushCount(), 1);
    EXPECT_FALSE(log.dump().hasText());
}

struct CloseCase {
    const char* label;
    LogCapacity capacity;
    bool dumpText;
    int earlierFlushes;
    Answer answer;
    bool asks;
    std::string fileAfter; // content of the log file afterwards
    bool tellsCreated;
};

TEST_F(ConsoleLogTest, CloseRules) {
    const std::string oldFile = "old\r\n";
    const std::vector<CloseCase> cases = {
        {"empty, never flushed", LogCapacity::Flushing, false, 0, Answer::Yes, false, oldFile,
         false},
        {"text, No", LogCapacity::Flushing, true, 0, Answer::No, true, oldFile, false},
        {"text, Yes, flushing appends", LogCapacity::Flushing, true, 0, Answer::Yes, true,
         oldFile + "10:11:12: last\r\n", true},
        {"text, Yes, unlimited replaces", LogCapacity::Unlimited, true, 0, Answer::Yes, true,
         "10:11:12: last\r\n", true},
        {"empty after flushes, Yes", LogCapacity::Flushing, false, 1, Answer::Yes, true,
         oldFile + std::string(64000, 'x') + "\r\n", true},
    };
    for (const auto& c : cases) {
        MemoryLogFileSink files;
        ScriptedPrompter answers;
        ConsoleLog closing(clock, files);
        closing.setCapacity(c.capacity);
        closing.setLogFilePath([] { return std::string("log.txt"); });
        files.files["log.txt"] = oldFile;
        for (int i = 0; i < c.earlierFlushes; ++i) {
            closing.appendLine(std::string(64000, 'x'));
            closing.ApplyLogCapacity();
        }
        if (c.dumpText) {
            closing.AppendLog(": last");
        }
        answers.answers = {c.answer};
        EXPECT_TRUE(closing.SaveLogOnClose(answers)) << c.label;
        EXPECT_EQ(files.files["log.txt"], c.fileAfter) << c.label;
        std::vector<ScriptedPrompter::Shown> expected;
        if (c.asks) {
            expected.push_back({"question", "Closing application", "Save log to a file?"});
        }
        if (c.tellsCreated) {
            expected.push_back({"message", "Log file created", "Log written to file\r\n\nlog.txt"});
            EXPECT_FALSE(closing.dump().hasText()) << c.label;
        }
        ASSERT_EQ(answers.shown.size(), expected.size()) << c.label;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(answers.shown[i].kind, expected[i].kind) << c.label;
            EXPECT_EQ(answers.shown[i].caption, expected[i].caption) << c.label;
            EXPECT_EQ(answers.shown[i].text, expected[i].text) << c.label;
        }
    }
}

TEST_F(ConsoleLogTest, AFailedSaveAtCloseKeepsTheDumpAndTheWindow) {
    log.AppendLog(": last");
    sink.failing = true;
    prompter.answers = {Answer::Yes};
    EXPECT_FALSE(log.SaveLogOnClose(prompter));
    EXPECT_TRUE(log.dump().hasText());
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].caption, "Error");
    EXPECT_EQ(prompter.shown[1].text, "Could not write the log file\r\n\n/data/GWC_log.txt");
}

TEST(DiskLogFileSink, AppendsCreatesAndReplaces) {
    const auto dir = std::filesystem::temp_directory_path() / "gw_log_sink_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "GWC_log.txt").string();
    DiskLogFileSink sink;
    const auto read = [&] {
        std::ifstream file(path, std::ios::binary);
        std::stringstream content;
        content << file.rdbuf();
        return content.str();
    };
    EXPECT_TRUE(sink.appendText(path, "a\r\n"));
    EXPECT_TRUE(sink.appendText(path, "b\r\n"));
    EXPECT_EQ(read(), "a\r\nb\r\n");
    EXPECT_TRUE(sink.replaceText(path, "c\r\n"));
    EXPECT_EQ(read(), "c\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    EXPECT_FALSE(sink.appendText((dir / "missing" / "x.txt").string(), "a"));
    EXPECT_FALSE(sink.replaceText((dir / "missing" / "x.txt").string(), "a"));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace gw
