#include "PrepareHelper.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace gw {
namespace {

using test::Lines;

// Where each disk ended up, in list order: creation name, number, platter, position.
struct Place {
    std::string name;
    int number, platter, position;
    bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Place& p) {
    return out << p.name << " #" << p.number << " " << p.platter << "/" << p.position;
}

std::vector<Place> Places(const sc_Script& script) {
    std::vector<Place> places;
    for (const sc_Item& disk : script.Disks().disks) {
        places.push_back({disk.name, disk.number, disk.platter, disk.position});
    }
    return places;
}

// count disks, each irradiated with the dose of its list element ("0#5, 10#20").
std::string DosedDisks(const std::string& doses, const std::vector<std::string>& methodLines = {},
                       const std::string& methodWord = "METHOD") {
    std::vector<std::string> lines = {"METHOD \"x\"", "GLOBAL", "LIST DOSES = " + doses};
    lines.insert(lines.end(), {"END GLOBAL", methodWord});
    lines.insert(lines.end(), methodLines.begin(), methodLines.end());
    lines.insert(lines.end(), {"LOOP DOSES", "LOOP DISKS", "IRRAD(3, 0, 20, &DOSES)",
                               "TL(5, 0, 0, 450, 0, 50)", "END LOOP", "END LOOP", "END METHOD"});
    return Lines(lines);
}

std::unique_ptr<test::Prepared> Place3500(const std::string& text) {
    auto prepared = test::CompileAndPlace(text, DefaultProfile(2));
    EXPECT_FALSE(prepared->script->error) << prepared->script->errorMessage;
    return prepared;
}

TEST(ExpandDisks, NaturalDisksLeadEveryPlatter) {
    auto prepared = Place3500(DosedDisks("0#5, 10#20"));
    const std::vector<Place> places = Places(*prepared->script);
    ASSERT_EQ(places.size(), 25u);
    const std::vector<std::string> firstOfPlatter0 = {"Disk#3", "Disk#4", "Disk#5", "Disk#6"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(places[i].name, firstOfPlatter0[i]);
    }
    EXPECT_EQ(places[20], (Place{"Disk#1", 21, 1, 0}));
    EXPECT_EQ(places[21], (Place{"Disk#2", 22, 1, 1}));
    EXPECT_EQ(places[22], (Place{"Disk#23", 23, 1, 2}));
    EXPECT_EQ(places[19], (Place{"Disk#22", 20, 0, 19}));
    const sc_Item& first = prepared->Disk(0);
    EXPECT_EQ(first.text, "Disk#1");
    EXPECT_EQ(first.runCursor, first.commands.begin());
}

TEST(ExpandDisks, SingleAliquotScriptsAreNotRegrouped) {
    auto prepared = Place3500(DosedDisks("0#5, 10#20", {}, "METHOD SINGLE_ALIQUOT"));
    EXPECT_EQ(Places(*prepared->script).front().name, "Disk#1");
}

TEST(ExpandDisks, AutomaticPlacesOfEveryReaderType) {
    const struct {
        int readerType;
        int disks;
        std::vector<std::pair<int, Place>> expected; // list index, place
    } cases[] = {
        {3,
         60,
         {{0, {"Disk#1", 1, 0, 1}},
          {18, {"Disk#19", 19, 0, 19}},
          {19, {"Disk#20", 20, 0, 21}},
          {37, {"Disk#38", 38, 0, 39}},
          {38, {"Disk#39", 39, 0, 41}},
          {56, {"Disk#57", 57, 0, 59}},
          {57, {"Disk#58", 58, 1, 1}},
          {59, {"Disk#60", 60, 1, 3}}}},
        {0, 3, {{0, {"Disk#1", 1, 0, 0}}, {2, {"Disk#3", 3, 2, 0}}}},
        {1, 2, {{1, {"Disk#2", 2, 1, 0}}}},
        {4, 61, {{59, {"Disk#60", 60, 0, 59}}, {60, {"Disk#61", 61, 1, 0}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.readerType);
        const std::string text = Lines({"METHOD \"x\"", "METHOD SINGLE_ALIQUOT",
                                        "LOOP DISKS #" + std::to_string(c.disks),
                                        "TL(5, 0, 0, 450, 0, 50)", "END LOOP", "END METHOD"});
        auto prepared = test::CompileAndPlace(text, DefaultProfile(std::int16_t(c.readerType)));
        ASSERT_FALSE(prepared->script->error);
        const std::vector<Place> places = Places(*prepared->script);
        ASSERT_EQ(places.size(), std::size_t(c.disks));
        for (const auto& [index, place] : c.expected) {
            EXPECT_EQ(places[index], place);
        }
    }
}

TEST(ExpandDisks, PositionsFromTheList) {
    const struct {
        int readerType;
        std::string positions;
        std::vector<std::pair<int, int>> places; // platter, position per disk
        std::vector<std::string> labels;
    } cases[] = {
        {2, "0, 0, 5", {{0, 0}, {0, 5}}, {"", ""}},
        {2, "25, 3", {{1, 5}, {0, 3}}, {"", ""}},
        {2, "-1, 4\"left\", 2.6\"right\"", {{0, 4}, {0, 3}}, {"left", "right"}},
        {2, "x, 4, 9", {{0, 4}, {0, 9}}, {"", ""}}, // not a number: skipped
        {3, "20, 40, 0, 59, 61", {{0, 59}, {1, 1}}, {"", ""}},
        {4, "130, 7", {{2, 10}, {0, 7}}, {"", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.positions);
        const std::string text =
            Lines({"METHOD \"x\"", "GLOBAL", "LIST POSITIONS = " + c.positions, "END GLOBAL",
                   "METHOD", "LOOP DISKS #2", "TL(5, 0, 0, 450, 0, 50)", "END LOOP", "END METHOD"});
        auto prepared = test::CompileAndPlace(text, DefaultProfile(std::int16_t(c.readerType)));
        ASSERT_FALSE(prepared->script->error) << prepared->script->errorMessage;
        EXPECT_TRUE(prepared->prompter.shown.empty());
        for (int k = 0; k < 2; ++k) {
            const sc_Item& disk = prepared->Disk(k);
            EXPECT_EQ(std::pair(disk.platter, disk.position), c.places[k]);
            EXPECT_EQ(disk.label, c.labels[k]);
            EXPECT_EQ(disk.number, k + 1);
            EXPECT_EQ(disk.text, "") << "numbers and texts stay as created";
            EXPECT_EQ(disk.runCursor, disk.commands.begin());
        }
        EXPECT_TRUE(prepared->script->lists.FindNode("POSITIONS")->used);
    }
}

TEST(ExpandDisks, TooFewPositionsAsksAndFollowsTheAnswer) {
    const std::string text =
        Lines({"METHOD \"x\"", "GLOBAL", "LIST POSITIONS = 9", "END GLOBAL", "METHOD",
               "LOOP DISKS #2", "TL(5, 0, 0, 450, 0, 50)", "END LOOP", "END METHOD"});
    for (const WarningResult answer : {WarningResult::Abort, WarningResult::Ignore}) {
        SCOPED_TRACE(int(answer));
        auto prepared = std::make_unique<test::Prepared>();
        prepared->script = CreateScript(text, "t.gws", DefaultProfile(2));
        CompileScript(*prepared->script, prepared->prompter);
        ASSERT_FALSE(prepared->script->error);
        prepared->script->errorMessage = "stale";
        prepared->prompter.warnings = {answer};
        ExpandDisks(*prepared->script, prepared->prompter);
        ASSERT_EQ(prepared->prompter.shown.size(), 1u);
        EXPECT_EQ(prepared->prompter.shown[0].text, " Too few positions in POSITIONS ");
        const bool aborted = answer == WarningResult::Abort;
        EXPECT_EQ(prepared->script->error, aborted);
        if (aborted) {
            EXPECT_EQ(prepared->script->errorMessage, "");
        } else {
            EXPECT_EQ(Places(*prepared->script)[1], (Place{"Disk#2", 2, 0, 1}));
            EXPECT_FALSE(prepared->script->lists.FindNode("POSITIONS")->used);
        }
    }
}

TEST(ExpandDisks, DoseSortHandsOutZigZagSlots) {
    auto prepared = Place3500(DosedDisks("10#1, 0#1, 10#1, 5#1", {"SORT_BY_DOSE"}));
    const std::vector<Place> places = Places(*prepared->script);
    const std::vector<Place> expected = {
        {"Disk#1", 1, 0, 1}, {"Disk#2", 2, 0, 0}, {"Disk#3", 3, 0, 18}, {"Disk#4", 4, 0, 19}};
    EXPECT_EQ(places, expected);
}

TEST(ExpandDisks, DoseSortFillsAPlatterBeforeTheNext) {
    // 21 disks of rising dose on a 3500: 0, 19, 1, 18 ... 9, 10, then the next platter.
    std::string doses;
    for (int i = 1; i <= 21; ++i) {
        doses += (i > 1 ? ", " : "") + std::to_string(i) + "#1";
    }
    auto prepared = test::CompileAndPlace(
        DosedDisks(doses, {"SORT_BY_DOSE"}, "METHOD SINGLE_ALIQUOT"), DefaultProfile(2));
    const std::vector<Place> places = Places(*prepared->script);
    ASSERT_EQ(places.size(), 21u);
    const int expectedPositions[] = {0,  19, 1,  18, 2,  17, 3,  16, 4,  15, 5,
                                     14, 6,  13, 7,  12, 8,  11, 9,  10, 0};
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(places[i].position, expectedPositions[i]) << i;
        EXPECT_EQ(places[i].platter, i < 20 ? 0 : 1) << i;
    }
}

TEST(ExpandDisks, NormalizationAndOtherSourcesDoNotCountAsDose) {
    auto prepared =
        Place3500(Lines({"METHOD \"x\"", "METHOD SINGLE_ALIQUOT", "SORT_BY_DOSE", "LOOP DISKS #1",
                         "NORM IRRAD(3, 0, 20, 50)", "IRRAD(2, 0, 20, 40)", "IRRAD(3, 0, 20, 0)",
                         "IRRAD(3, 0, 20, 7)", "END LOOP", "LOOP DISKS #1", "IRRAD(3, 0, 20, 6)",
                         "END LOOP", "END METHOD"}));
    // The first disk's dose is 7, the second's 6: the second takes slot 0.
    EXPECT_EQ(prepared->Disk(0).position, 19);
    EXPECT_EQ(prepared->Disk(1).position, 0);
}

TEST(ExpandDisks, TraceFileOnlyWhereAsked) {
    const auto dir =
        std::filesystem::temp_directory_path() /
        ("gw_trace_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    const std::string text = DosedDisks("10#1, 0#1", {"SORT_BY_DOSE"});
    auto script = CreateScript(text, "t.gws", DefaultProfile(2));
    ScriptedPrompter prompter;
    CompileScript(*script, prompter);
    DiskPlacementTrace trace;
    trace.file = dir / "testpos.txt";
    ExpandDisks(*script, prompter, &trace);
    EXPECT_TRUE(trace.written);
    std::ifstream in(trace.file, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), "  1: 0/19\r\n  2: 0/0\r\n\r\n  1  0/19\r\n  2  0/0\r\n");

    DiskPlacementTrace unwritable;
    unwritable.file = dir / "missing" / "testpos.txt";
    auto again = CreateScript(text, "t.gws", DefaultProfile(2));
    CompileScript(*again, prompter);
    ExpandDisks(*again, prompter, &unwritable);
    EXPECT_FALSE(unwritable.written);
    EXPECT_NE(unwritable.error.find("testpos.txt"), std::string::npos);
    EXPECT_FALSE(again->error) << "a trace that cannot be written does not spoil the script";
    std::filesystem::remove_all(dir);
}

TEST(ExpandDisks, TraceTextWithoutDoseSort) {
    EXPECT_EQ(DiskExpander::TraceText({{0, 0}, {0, 1}}, {{0, 0}, {0, 0}}, false),
              "  1  0/0\r\n  2  0/0\r\n");
}

} // namespace
} // namespace gw
