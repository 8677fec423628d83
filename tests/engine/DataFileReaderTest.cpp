#include "DataFileTestKit.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

std::string Record(int disk, int points) {
    std::vector<std::string> lines = {
        "[NewRecord]", "Title=",    "Disk=" + std::to_string(disk),    "DataType=TL", "MaxTemp=450",
        "Started=a",   "Stopped=b", "Points=" + std::to_string(points)};
    for (int i = 0; i < points; ++i) {
        lines.push_back("  " + std::to_string(i) + ";   30.000;  100.000;  valid");
    }
    return DataFileLines(lines);
}

TEST(DataFileReader, RefusesWhatIsNoDataFile) {
    DataFileFolder folder;
    std::string binary(5000, 'a');
    binary[100] = '\0';
    std::string noRecord(2 * DataFileReader::ProbeSize, 'x');
    noRecord += "\r\n" + Record(1, 1);
    const struct {
        const char* name;
        std::string bytes;
        DataFileReadState state;
        std::string message;
    } cases[] = {
        {"bin.dat", binary, DataFileReadState::NotDataFile,
         "\"bin.dat\" is not a data file: it holds binary data."},
        {"notes.txt", "dear operator\r\n", DataFileReadState::NotDataFile,
         "\"notes.txt\" is not a data file: it holds no \"[NewRecord]\" and no \"ScriptFile=\"."},
        {"long.txt", noRecord, DataFileReadState::NotDataFile,
         "\"long.txt\" is not a data file: its first 64 KB hold no \"[NewRecord]\" and no "
         "\"ScriptFile=\"."},
        {"empty.txt", "", DataFileReadState::Read, ""},
    };
    for (const auto& c : cases) {
        ParsedDataFile parsed;
        const auto status = DataFileReader::ReadWhole(folder.write(c.name, c.bytes), parsed);
        EXPECT_EQ(status.state, c.state) << c.name;
        EXPECT_EQ(status.message, c.message);
        EXPECT_TRUE(parsed.records.empty());
    }
    ParsedDataFile parsed;
    const std::string missing = folder.path("missing.txt");
    const auto status = DataFileReader::ReadWhole(missing, parsed);
    EXPECT_EQ(status.state, DataFileReadState::CannotRead);
    EXPECT_EQ(status.message, "The file " + missing + " does not exist.");
}

TEST(DataFileReader, FollowsAGrowingFileAndStartsAgainWhenItIsReplaced) {
    DataFileFolder folder;
    const std::string text = Record(1, 3) + Record(2, 2);
    const std::string file = folder.write("run.txt", text.substr(0, text.size() - 10));
    DataFileReader reader(file);
    ParsedDataFile done;
    ASSERT_TRUE(reader.readMore(done).ok());
    ASSERT_EQ(done.records.size(), 1u); // the second is still open
    ParsedDataFile tail;
    reader.readTail(tail);
    ASSERT_EQ(tail.records.size(), 1u);
    EXPECT_EQ(tail.records[0].index, 1);
    EXPECT_FALSE(tail.records[0].problems.empty());

    folder.write("run.txt", text.substr(text.size() - 10), std::ios::app);
    ASSERT_TRUE(reader.readMore(done).ok());
    EXPECT_EQ(done.records.size(), 1u);
    tail = {};
    reader.readTail(tail);
    ASSERT_EQ(tail.records.size(), 1u);
    EXPECT_TRUE(tail.records[0].problems.empty());
    EXPECT_EQ(tail.records[0].points.size(), 2u);
    EXPECT_EQ(ParseDataFileRecord(reader.recordBytes(done.records[0])).points.size(), 3u);

    folder.write("run.txt", Record(7, 1));
    ASSERT_TRUE(reader.readMore(done).ok());
    EXPECT_EQ(done.restarts, 1);
    tail = {};
    reader.readTail(tail);
    ASSERT_EQ(tail.records.size(), 1u);
    EXPECT_EQ(*tail.records[0].find("Disk"), "7");
}

TEST(DataFileReader, StopsWhenTheProgressSaysSo) {
    DataFileFolder folder;
    std::string text;
    while (text.size() < 3 * DataFileReader::PieceSize) {
        text += Record(1, 50);
    }
    ParsedDataFile parsed;
    std::vector<std::uint64_t> seen;
    const auto status = DataFileReader::ReadWhole(folder.write("big.txt", text), parsed,
                                                  [&](std::uint64_t done, std::uint64_t total) {
                                                      seen.push_back(done);
                                                      EXPECT_EQ(total, text.size());
                                                      return seen.size() < 2;
                                                  });
    EXPECT_EQ(status.state, DataFileReadState::Stopped);
    EXPECT_EQ(seen, (std::vector<std::uint64_t>{DataFileReader::PieceSize,
                                                2 * DataFileReader::PieceSize}));
    EXPECT_FALSE(parsed.records.empty());
}

} // namespace
} // namespace gw::test
