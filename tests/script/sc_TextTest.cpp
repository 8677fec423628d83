#include "script/sc_Text.h"

#include "script/ScriptPositionSink.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gw {
namespace {

struct OffsetRecorder : ScriptPositionSink {
    std::vector<std::size_t> offsets;
    void LinePosition(std::size_t offset) override { offsets.push_back(offset); }
};

TEST(ScriptText, LoadingRejectsOverlongTextsAndNulCharacters) {
    sc_Text text;
    EXPECT_EQ(text.LoadText(std::string(sc_Text::MaxLength, 'a')), std::nullopt);
    EXPECT_EQ(text.LoadText(std::string(sc_Text::MaxLength + 1, 'a')),
              std::optional<std::string>(" Script file too long "));
    EXPECT_EQ(text.LoadText(std::string("A\0B", 3)),
              std::optional<std::string>(" Script file containes null character "));
}

TEST(ScriptText, RunsOfLineBreaksCountAsOneAndOffsetsAreTold) {
    for (const std::string breaks : {"\r\n\r\n\r\n", "\n\r", "\n", "\r"}) {
        sc_Text text;
        OffsetRecorder sink;
        ASSERT_FALSE(text.LoadText("A" + breaks + "B"));
        text.SetPositionSink(&sink);
        EXPECT_EQ(text.ReadLine(), "A");
        EXPECT_FALSE(text.AtEnd());
        EXPECT_EQ(text.ReadLine(), "B");
        EXPECT_TRUE(text.AtEnd());
        EXPECT_EQ(text.ReadLine(), "");
        EXPECT_TRUE(text.AtEnd());
        EXPECT_EQ(sink.offsets,
                  (std::vector<std::size_t>{0, 1 + breaks.size(), 2 + breaks.size()}));
    }
}

TEST(ScriptText, BlankLinesComeBackUnchangedAndCanBeReread) {
    sc_Text text;
    ASSERT_FALSE(text.LoadText("x\r\n \t \r\nlast"));
    text.ReadLine();
    EXPECT_EQ(text.ReadLine(), " \t ");
    EXPECT_EQ(text.RereadLine(), " \t ");
    EXPECT_EQ(text.ReadLine(), "last");
}

TEST(ScriptText, PartsTellOffsetsOfTheWholeText) {
    sc_Text text;
    OffsetRecorder sink;
    text.LoadPart("L1\nL2\n", 100);
    text.SetPositionSink(&sink);
    text.ReadLine();
    text.ReadLine();
    EXPECT_EQ(sink.offsets, (std::vector<std::size_t>{100, 103}));
}

TEST(ScriptText, LongQuotedTextJoinsLinesUntilTheClosingQuote) {
    sc_Text text;
    ASSERT_FALSE(text.LoadText("INFO \"first\nsecond\" tail\nnext"));
    const std::string line = text.ReadLine();
    EXPECT_EQ(text.LongQuotedText(line), std::optional<std::string>("first \r\nsecond"));
    EXPECT_EQ(text.ReadLine(), "next");

    EXPECT_EQ(text.LongQuotedText("INFO \"a \" b \" c"), std::optional<std::string>("a \" b "));
    EXPECT_EQ(text.LongQuotedText("INFO none"), std::optional<std::string>(""));
}

TEST(ScriptText, LongQuotedTextStopsAtTheEndOfTheText) {
    sc_Text text;
    ASSERT_FALSE(text.LoadText("INFO \"never closed\nmore"));
    const std::string line = text.ReadLine();
    EXPECT_EQ(text.LongQuotedText(line), std::nullopt);
    EXPECT_TRUE(text.AtEnd());
}

} // namespace
} // namespace gw
