#include "link/DataPanelModel.h"

#include "link/DumpLine.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

ReaderState sampleState() {
    ReaderState s;
    s.Position = 7;
    s.PointCounter = 12;
    s.StateCode = 3;
    s.Timer = 99;
    s.Counts = {1000, 11, 22, 33};
    s.Data = {100, 100, 64, 200, 50, 25, 10, 2};
    return s;
}

TEST(DataPanelModel, ShowsEveryFieldConverted) {
    const auto fields = DataFieldViews(sampleState(), 2, 1);
    struct Case {
        int field;
        const char* caption;
        const char* value;
        const char* unit;
    };
    const Case cases[] = {
        {1, "sample", "7", ""},    {2, "photons", "1000", ""}, {3, "point", "12", ""},
        {4, "ramp seg", "3", ""},  {5, "T max", "400", "C"},   {6, "temp", "400", "C"},
        {7, "T err", "-5.0", "C"}, {8, "vacuum", "11", "uHg"}, {9, "gauge", "4.0", "mA"},
        {10, "ramp", "100", "C"},  {11, "LTDF", "4.0", "%"},   {12, "HV", "-12", "V"},
        {13, "time", "99", "s"},   {14, "photons1", "11", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        const DataFieldView& view = fields[static_cast<std::size_t>(c.field - 1)];
        EXPECT_EQ(view.caption, c.caption);
        EXPECT_EQ(view.value, c.value);
        EXPECT_EQ(view.unit, c.unit);
    }
    EXPECT_FALSE(fields[13].visible);
}

TEST(DataPanelModel, The6600AndTheVacuumInAtmospheres) {
    ReaderState s = sampleState();
    const auto sixty = DataFieldViews(s, 4, 4);
    EXPECT_EQ(sixty[4].caption, "OSL 2");
    EXPECT_EQ(sixty[4].value, "39.2");
    EXPECT_EQ(sixty[8].value, "19.6");
    EXPECT_FALSE(sixty[7].visible);
    EXPECT_TRUE(sixty[15].visible);
    EXPECT_EQ(sixty[15].value, "33");
    EXPECT_EQ(sixty[2].row, 5);
    s.Data[3] = 4;
    const auto other = DataFieldViews(s, 3, 1);
    EXPECT_TRUE(other[7].visible);
    EXPECT_EQ(other[7].value, "1");
    EXPECT_EQ(other[7].unit, "atm");
    const auto cleared = ClearedDataFields(3, 1);
    EXPECT_EQ(cleared[6].value, "0.0");
    EXPECT_EQ(cleared[7].unit, "uHg");
}

TEST(DumpLine, DecodesTheTextAfterTheFirstColonBlank) {
    // A long 3500 reply with one counter: counts 0000FF, point 05, position 09, state 02,
    // no errors, eight readings, a status word of all ones and timer 001E.
    const std::string reply = "0000FF0509020000"
                              "6464804000000000"
                              "FFFFFFFF001E";
    ASSERT_EQ(reply.size(), 44u);
    struct Case {
        std::string line;
        bool decodes;
    };
    const Case cases[] = {
        {"10:15:02: " + reply, true}, {"10:15:02 PostError: " + reply + "\r", true}, {reply, true},
        {"10:15:02: \"P1 \"", false}, {"10:15:02: " + reply.substr(1), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ReaderLinkState link;
        link.setSystemType(2);
        ReaderState state;
        EXPECT_EQ(DecodeDumpLine(c.line, link, state), c.decodes);
        if (c.decodes) {
            EXPECT_EQ(state.Counts[0], 255);
            EXPECT_EQ(state.Position, 9);
            EXPECT_EQ(state.Timer, 30);
            EXPECT_EQ(state.Data[1], 0x64);
        }
    }
    EXPECT_EQ(DumpLineText("a: b: c"), "b: c");
}

} // namespace
} // namespace gw
