#include "engine/DataFileCurve.h"

#include "DataFileTestKit.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

using Points = std::vector<std::pair<double, double>>;

DataFileRecord TlWithAfterglow() {
    return ParseDataFileText(
               DataFileLines({"[NewRecord]", "Disk=4", "Hole=7", "DataType=TL", "Stopped=b",
                              "Points=5", "  0;   30.000;    0.000;   10.000;  valid",
                              "  1;   35.000;   40.000;   20.000;  valid",
                              "  2;   40.000;   80.000;   40.000;  invalid",
                              "  3;   45.000;   20.000;    5.000;  valid",
                              "  4;    1.000;    9.000;    9.000;      120;  valid"}))
        .records.front();
}

TEST(DataFileCurve, PlotsEachChannelNormalisedAsAsked) {
    const DataFileRecord record = TlWithAfterglow();
    const struct {
        CurveNormalisation normalisation;
        bool log;
        Points first;
        Points second;
        std::string firstNote;
    } cases[] = {
        {CurveNormalisation::None,
         false,
         {{30, 0}, {35, 40}, {45, 20}},
         {{30, 10}, {35, 20}, {45, 5}},
         ""},
        {CurveNormalisation::None, true, {{35, 40}, {45, 20}}, {{30, 10}, {35, 20}, {45, 5}}, ""},
        {CurveNormalisation::Maximum,
         false,
         {{30, 0}, {35, 1}, {45, 0.5}},
         {{30, 0.5}, {35, 1}, {45, 0.25}},
         ""},
        {CurveNormalisation::FirstPoint,
         false,
         {{30, 0}, {35, 40}, {45, 20}},
         {{30, 1}, {35, 2}, {45, 0.5}},
         "not normalised: its first point is not above 0"},
    };
    for (const auto& c : cases) {
        const auto curves = DataFileCurvesOf(record, c.normalisation, c.log);
        ASSERT_EQ(curves.size(), 2u);
        EXPECT_EQ(curves[0].points, c.first);
        EXPECT_EQ(curves[1].points, c.second);
        EXPECT_EQ(curves[0].note, c.firstNote);
        EXPECT_EQ(curves[1].label, "#0 disk 4 hole 7 ch2");
        EXPECT_TRUE(curves[1].tl);
    }
}

} // namespace
} // namespace gw::test
