#include "engine/runtime/RunJournal.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

// A journal of two records with binary files, as a run writes it.
RunJournal TwoRecords() {
    RunJournal journal;
    journal.dataFile = "q.txt";
    journal.dataStart = 120;
    journal.binaryFiles = {"q_0.dat", "q_0.sub"};
    journal.binaryStart = {990, 800};
    journal.records = {{0, 0, 1, "TL", 900, {1980, 1600}, {}},
                       {0, 1, 2, "OSL", 1700, {2970, 2400}, {}}};
    journal.pending = RunJournal::Pending{0, 2, 1700, 640};
    return journal;
}

// A resume cuts the files back to the journal's sizes: a journal whose sizes no run can have
// written is refused, so that nothing written before the run can be cut.
TEST(RunJournalTest, JournalWithImpossibleSizesIsRefused) {
    const struct {
        const char* name;
        void (*spoil)(RunJournal&);
        const char* problem; // empty: read
    } cases[] = {
        {"as written", [](RunJournal&) {}, ""},
        {"record saved elsewhere, the files as they were",
         [](RunJournal& j) {
             j.records[1].end = 0; // the data file was gone
             j.records[1].binary = {1980, 1600};
             j.records[1].savedTo = "C:\\GWDATA\\saved.txt";
         },
         ""},
        {"record before the run's start", [](RunJournal& j) { j.records[0].end = 100; },
         "do not follow"},
        {"records going back", [](RunJournal& j) { j.records[1].end = 800; }, "do not follow"},
        {"binary file shrinking", [](RunJournal& j) { j.records[1].binary[0] = 990; },
         "do not follow"},
        {"binary size missing", [](RunJournal& j) { j.records[1].binary.pop_back(); },
         "do not follow"},
        {"negative start", [](RunJournal& j) { j.dataStart = -1; }, "starting sizes"},
        {"start of a file missing", [](RunJournal& j) { j.binaryStart.pop_back(); },
         "starting sizes"},
        {"negative pending length", [](RunJournal& j) { j.pending->length = -5; }, "being written"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunJournal journal = TwoRecords();
        c.spoil(journal);
        std::string problem;
        const auto read = RunJournal::FromJson(journal.toJson(), problem);
        EXPECT_EQ(read.has_value(), *c.problem == '\0');
        EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    }
}

// Numbers that no file size can be are refused however they are written (a fractional, huge or
// negative number used to be converted as it came, or undefined).
TEST(RunJournalTest, SizeThatIsNoFileSizeIsRefused) {
    const std::string sizes[] = {"1e300", "-1", "12.5", "\"12\"", "1e16"};
    for (const std::string& size : sizes) {
        SCOPED_TRACE(size);
        std::string problem;
        EXPECT_FALSE(RunJournal::FromJson(R"({"version": 1, "dataStart": )" + size + "}", problem));
        EXPECT_FALSE(problem.empty());
    }
    std::string problem;
    EXPECT_TRUE(RunJournal::FromJson(R"({"version": 1, "dataStart": 4096})", problem)) << problem;
}

// A record saved elsewhere is done wherever the data file stands, and never moves the point the
// data file is cut back to (its size was taken from a file that was gone).
TEST(RunJournalTest, RecordSavedElsewhereKeepsTheDataFileWhole) {
    RunJournal journal = TwoRecords();
    journal.pending.reset();
    journal.records[1] = {0, 1, 2, "OSL", 0, {1980, 1600}, "saved.txt"};
    const RunJournal::Holdings holdings = journal.Trust(900);
    EXPECT_TRUE(holdings.valid);
    EXPECT_EQ(holdings.whole, 2u);
    EXPECT_EQ(holdings.keep, 900);
}

} // namespace
} // namespace gw
