#include "link/DataFieldTable.h"
#include "link/PanelConversions.h"
#include "link/PanelLabels.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace gw {
namespace {

TEST(PanelConversions, ShownValues) {
    struct Case {
        const char* name;
        double value;
        int decimals;
        const char* shown;
    };
    const Case cases[] = {
        {"temp of raw 100", 4.0 * 100, 0, "400"},
        {"T err of 128", TemperatureError(128), 1, "0.0"},
        {"T err of 64", TemperatureError(64), 1, "-5.0"},
        {"T err of 127", TemperatureError(127), 1, "-0.1"},
        {"vacuum of 200", VacuumMicroHg(200), 0, "11"},
        {"vacuum of 141", VacuumMicroHg(141), 0, "31"},
        {"vacuum of 60", VacuumMicroHg(60), 0, "110"},
        {"vacuum of 5", VacuumMicroHg(5), 0, "1250"},
        {"vacuum of 255", VacuumMicroHg(255), 0, "0"},
        {"HV of 240", HighVoltage(240), 0, "-1500"},
        {"HV of 2 rounds to even", HighVoltage(2), 0, "-12"},
        {"HV of 6 rounds to even", HighVoltage(6), 0, "-38"},
        {"half to even at one decimal", 0.25, 1, "0.2"},
        {"negative zero", -0.04, 1, "0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatFieldValue(c.value, c.decimals), c.shown);
    }
}

TEST(PanelConversions, VacuumPiecesJoinAndSwitchToAtmospheres) {
    for (int v = 5; v < 255; ++v) {
        SCOPED_TRACE(v);
        // Continuous and falling: neighbouring readings differ by less than the piece's slope.
        EXPECT_GT(VacuumMicroHg(v), VacuumMicroHg(v + 1));
    }
    EXPECT_EQ(VacuumDisplay(5).unit, std::string("uHg"));
    EXPECT_EQ(VacuumDisplay(4).unit, std::string("atm"));
    EXPECT_EQ(VacuumDisplay(4).value, 1);
    EXPECT_EQ(VacuumDisplay(-3).unit, std::string("atm"));
    EXPECT_EQ(VacuumDisplay(999).value, VacuumMicroHg(255));
}

TEST(DataFieldTable, RowsMoveWithTheCounterChannels) {
    const DataFieldTable one(2, 1);
    const DataFieldTable four(2, 4);
    EXPECT_EQ(one.row(3), 2);
    EXPECT_EQ(four.row(3), 5);
    EXPECT_EQ(four.row(13), 15);
    EXPECT_EQ(four.row(2), 1);
    EXPECT_EQ(four.row(14), 2);
    EXPECT_EQ(four.row(16), 4);
    for (int field = 14; field <= 16; ++field) {
        EXPECT_FALSE(one.visible(field));
        EXPECT_TRUE(four.visible(field));
    }
    const DataFieldTable two(2, 2);
    EXPECT_TRUE(two.visible(14));
    EXPECT_FALSE(two.visible(15));
    // No two visible fields share a row, whatever the channels.
    for (int k = 1; k <= 4; ++k) {
        const DataFieldTable table(4, k);
        std::set<int> rows;
        for (int field = 1; field <= DataFieldTable::FieldCount; ++field) {
            if (field != DataFieldTable::VacuumField && table.visible(field)) {
                EXPECT_TRUE(rows.insert(table.row(field)).second)
                    << "k " << k << " field " << field;
            }
        }
    }
}

TEST(DataFieldTable, The6600HasItsOwnCaptions) {
    const DataFieldTable other(3, 1);
    const DataFieldTable sixty(4, 1);
    EXPECT_STREQ(other.field(5).caption, "T max");
    EXPECT_STREQ(sixty.field(5).caption, "OSL 2");
    EXPECT_STREQ(sixty.field(5).unit, "%");
    EXPECT_EQ(sixty.field(5).decimals, 1);
    EXPECT_STREQ(sixty.field(8).caption, "TEMtemp");
    EXPECT_FALSE(sixty.visible(8));
    EXPECT_TRUE(other.visible(8));
    EXPECT_STREQ(sixty.field(9).caption, "OSL 1");
    EXPECT_STREQ(other.field(9).unit, "mA");
    EXPECT_STREQ(other.field(12).caption, "HV");
}

TEST(PanelLabels, EveryPlaceIsUsedOnce) {
    for (int type : {2, 4}) {
        std::set<std::pair<int, int>> places;
        for (int flag = 0; flag < PanelLabels::StatusCount; ++flag) {
            const PanelLabels::Place& place = PanelLabels::status(type, flag);
            EXPECT_TRUE(places.insert({place.column, place.row}).second) << type << " " << flag;
            EXPECT_GE(place.row, 1);
            EXPECT_LE(place.row, PanelLabels::StatusRows);
        }
    }
}

TEST(PanelLabels, TextsPlacesAndHighlighting) {
    struct Case {
        int type, flag;
        const char* text;
        int column, row;
    };
    const Case cases[] = {
        {2, 0, "Elevator OK", PanelLabels::Right, 12},
        {4, 0, "Sample up", PanelLabels::Left, 5},
        {3, 19, "HV enabled", PanelLabels::Left, 1},
        {4, 21, "Busy", PanelLabels::Right, 16},
        {0, 23, "Elevator direction", PanelLabels::Right, 11},
        {4, 29, "Platter direction", PanelLabels::Right, 12},
        {4, 8, "", PanelLabels::Left, 4},
        {4, 12, "", PanelLabels::Left, 10},
        {4, 20, "", PanelLabels::Right, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const PanelLabels::Place& place = PanelLabels::status(c.type, c.flag);
        EXPECT_STREQ(place.text, c.text);
        EXPECT_EQ(place.column, c.column);
        EXPECT_EQ(place.row, c.row);
        EXPECT_EQ(PanelLabels::highlighted(place, 1), c.text[0] != '\0');
        EXPECT_FALSE(PanelLabels::highlighted(place, 0));
    }
    EXPECT_STREQ(PanelLabels::error(0).text, "T");
    EXPECT_EQ(PanelLabels::error(7).column, 2);
    EXPECT_EQ(PanelLabels::error(7).row, 4);
    EXPECT_STREQ(PanelLabels::error(11).text, "Deck error");
    EXPECT_EQ(PanelLabels::error(11).column, 3);
}

} // namespace
} // namespace gw
