#include "ToolRun.h"
#include "engine/DataFileTestKit.h"

#include <gtest/gtest.h>
#include <sstream>

namespace gw::tool {
namespace {

using test::DataFileFolder;
using test::DataFileLines;

ToolRun RunData(std::vector<std::string> args) {
    return RunToolCommand("data", std::move(args));
}

// A script header, an OSL of two channels with the decimal comma, and a TL cut in a point line.
const std::string NightFile = DataFileLines({"ScriptFile=C:\\GWDATA\\Night.seq",
                                             "ScriptName=DefA",
                                             "Sample=Quarz \xe4",
                                             "Info=one",
                                             "Info=two",
                                             "ReaderID=GW-1",
                                             "ReaderType=6600",
                                             "[NewRecord]",
                                             "SampleType=Grain",
                                             "Disk=3",
                                             "Hole=17",
                                             "DataType=OSL",
                                             "SampleTemp=125",
                                             "Power=90,00",
                                             "Started=09.12.2026 01:02:03",
                                             "Stopped=09.12.2026 01:02:13",
                                             "Points=2",
                                             "  0;    0,100;   10,000;   20,500;  valid",
                                             "  1;    0,200;    9,000;   19,000;  invalid",
                                             "[NewRecord]",
                                             "Title=",
                                             "Disk=4",
                                             "DataType=TL",
                                             "MaxTemp=450",
                                             "Started=09.12.2026 01:03:00",
                                             "Stopped=09.12.2026 01:04:00",
                                             "Points=3",
                                             "  0;   30.000;  100.000;  valid",
                                             "  1;    1.000;   80.000;      120;  valid"}) +
                              "  2;   ";

TEST(DataCommand, ShowsTheRecordsAsATable) {
    DataFileFolder folder;
    const std::string file = folder.write("night.txt", NightFile);
    const ToolRun run = RunData({"show", file});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "index  disk  hole  type                temperature  points  started\n"
              "0      3     17    OSL                 125          2       09.12.2026 01:02:03\n"
              "1      4     -     TL                  450          2       09.12.2026 01:03:00\n");
    EXPECT_EQ(run.err,
              "warning: record 1: cut off in the middle of point line 2 (2 of 3 points read)\n");
    const ToolRun one = RunData({"show", file, "--record", "1"});
    EXPECT_EQ(one.out.find("0      3"), std::string::npos);
    EXPECT_NE(one.out.find("1      4"), std::string::npos);
}

TEST(DataCommand, ShowsTheRecordsAsJson) {
    DataFileFolder folder;
    const std::string file = folder.write("night.txt", NightFile);
    const ToolRun run = RunData({"show", file, "--json", "--record", "0"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "{\"headers\": [\n"
              "  {\"ScriptFile\": \"C:\\\\GWDATA\\\\Night.seq\", \"ScriptName\": \"DefA\", "
              "\"Sample\": \"Quarz \xc3\xa4\", \"Info\": \"one\\u000atwo\", \"ReaderID\": "
              "\"GW-1\", \"ReaderType\": \"6600\"}\n"
              "], \"records\": [\n"
              "  {\"index\": 0, \"header\": 0, \"keys\": {\"SampleType\": \"Grain\", \"Disk\": "
              "\"3\", \"Hole\": \"17\", \"DataType\": \"OSL\", \"SampleTemp\": \"125\", \"Power\": "
              "\"90,00\", \"Started\": \"09.12.2026 01:02:03\", \"Stopped\": \"09.12.2026 "
              "01:02:13\", \"Points\": \"2\"}, \"points\": [{\"x\": 0.1, \"values\": [10, 20.5], "
              "\"valid\": true}, {\"x\": 0.2, \"values\": [9, 19], \"valid\": false}], "
              "\"problems\": []}\n"
              "]}\n");
    const ToolRun all = RunData({"show", file, "--json"});
    EXPECT_NE(all.out.find("{\"x\": 1, \"values\": [80], \"valid\": true, \"afterglow\": 120}"),
              std::string::npos);
    EXPECT_NE(all.out.find("\"problems\": [\"cut off in the middle of point line 2 (2 of 3 "
                           "points read)\"]}\n]}\n"),
              std::string::npos);
}

TEST(DataCommand, ExportsTheChosenRecordsAsCsv) {
    DataFileFolder folder;
    const std::string file = folder.write("night.txt", NightFile);
    const ToolRun run = RunData({"export", file, "--csv", "--record", "1", "--record", "0"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "point,record 1 temperature,record 1 channel 1,record 1 afterglow "
                       "temperature,record 0 time,record 0 channel 1,record 0 channel 2\r\n"
                       "0,30,100,,0.1,10,20.5\r\n"
                       "1,1,80,120,0.2,,\r\n");
}

TEST(DataCommand, RefusesBadArgumentsAndFiles) {
    DataFileFolder folder;
    const std::string file = folder.write("night.txt", NightFile);
    const std::string binary = folder.write("x.bin", std::string("\0\1\2[NewRecord]", 14));
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{"show", file, "--record", "5"},
         1,
         "gwtool data: the file has no record 5 (it holds 2 records, 0 is the first)\n"},
        {{"export", file, "--csv", "--record", "-1"}, 2, "--record takes a record index"},
        {{"export", file}, 2, "export needs --csv"},
        {{"show", file, "--csv"}, 2, "unexpected argument --csv"},
        {{"show"}, 2, "expected show or export and a file"},
        {{"show", binary}, 1, "gwtool data: \"x.bin\" is not a data file: it holds binary data.\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunData(c.args);
        EXPECT_EQ(run.status, c.status) << c.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace gw::tool
