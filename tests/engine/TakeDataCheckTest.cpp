#include "engine/TakeDataCheck.h"

#include "engine/MoslSearch.h"

#include <functional>
#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(MoslSearchTest, DefaultsGiveTheFullTable) {
    const MoslRamp ramp = MoslSearch(100, 50, 1020);
    EXPECT_EQ(ramp.points, 1020);
    EXPECT_EQ(ramp.increment, 4);
    EXPECT_EQ(ramp.msPerPoint, 49);
    EXPECT_EQ(ramp.factorX, 1);
    EXPECT_EQ(ramp.factorY, 49);
    EXPECT_NEAR(ramp.actualPower, 99.6, 0.05);
    EXPECT_NEAR(ramp.actualTime, 49.980, 1e-9);
}

TEST(MoslSearchTest, FortyPointsFindNothingAndOutOfRangeInputsKeepTheResult) {
    EXPECT_FALSE(MoslSearch(100, 50, 40).found());
    MoslSheetValues sheet;
    UpdateMoslSearch(sheet);
    const MoslRamp before = sheet.Ramp;
    sheet.MaxPower = 10; // below the search's range
    UpdateMoslSearch(sheet);
    EXPECT_EQ(sheet.Ramp, before);
    sheet.MaxPower = 100;
    sheet.MaxPoints = 40;
    UpdateMoslSearch(sheet);
    EXPECT_FALSE(sheet.Ramp.found());
}

TakeDataValues Valid(TakeDataSheet sheet) {
    TakeDataValues values;
    values.Sheet = sheet;
    UpdateMoslSearch(values.Mosl);
    values.Irradiation.IrradTime = 10;
    return values;
}

TEST(TakeDataCheckTest, RefusesNamingTheField) {
    struct Case {
        const char* name;
        TakeDataSheet sheet;
        std::function<void(TakeDataValues&)> change;
        int systemType;
        const char* named; // empty: accepted
    };
    const Case cases[] = {
        {"defaults OSL", TakeDataSheet::OSL, [](auto&) {}, 4, ""},
        {"defaults MOSL", TakeDataSheet::MOSL, [](auto&) {}, 4, ""},
        {"defaults TL", TakeDataSheet::TL, [](auto&) {}, 4, ""},
        {"irradiation", TakeDataSheet::Irradiate, [](auto&) {}, 4, ""},
        {"ramp of 0 points", TakeDataSheet::OSL,
         [](auto& v) {
             v.Osl.DeviceItem = 2;
             v.Osl.Segments[2].points = 0;
         },
         4, "Total points"},
        {"one OSL point", TakeDataSheet::OSL, [](auto& v) { v.Osl.Segments[2].points = 1; }, 4,
         "Total points"},
        {"negative x", TakeDataSheet::OSL, [](auto& v) { v.Osl.Segments[0].x = -1; }, 4, "\"x\""},
        {"data space 0", TakeDataSheet::TL, [](auto& v) { v.Tl.DataSpace = 0; }, 4, "Data space"},
        {"one TL point", TakeDataSheet::TL, [](auto& v) { v.Tl.DataSpace = 300; }, 4, "Data space"},
        {"end temperature past its limit", TakeDataSheet::TL, [](auto& v) { v.Tl.EndTemp = 701; },
         4, "End  temp"},
        {"ramp rate 0", TakeDataSheet::TL, [](auto& v) { v.Tl.RampRate = 0; }, 4, "Ramp rate"},
        {"negative hold", TakeDataSheet::TL, [](auto& v) { v.Tl.HoldTime = -5; }, 4, "Hold"},
        {"afterglow resolution 0", TakeDataSheet::TL,
         [](auto& v) {
             v.Tl.Afterglow.RecordAfterglow = true;
             v.Tl.Afterglow.TimeResolutionMs = 0;
         },
         4, "time resolution"},
        {"no MOSL found", TakeDataSheet::MOSL,
         [](auto& v) {
             v.Mosl.MaxPoints = 40;
             UpdateMoslSearch(v.Mosl);
         },
         4, "No MOSL setting"},
        {"MOSL off a 6600", TakeDataSheet::MOSL, [](auto&) {}, 2, "6600"},
        {"irradiation of 0 s", TakeDataSheet::Irradiate,
         [](auto& v) { v.Irradiation.IrradTime = 0; }, 4, "Irradiation time"},
        {"disk beyond a 3500 platter", TakeDataSheet::TL, [](auto& v) { v.Disk = 20; }, 2,
         "Disk #"},
        {"range backwards", TakeDataSheet::TL,
         [](auto& v) {
             v.Disk = 5;
             v.Range = true;
             v.ToDisk = 3;
         },
         4, "\"to\""},
        {"all holes on a disk without one", TakeDataSheet::OSL,
         [](auto& v) {
             v.UseScanner = v.AllHoles = true;
             for (int hole = 0; hole < 100; ++hole) {
                 v.Holes.set(0, hole, false);
             }
         },
         4, "no selected hole"},
        {"hole beyond the grid", TakeDataSheet::OSL,
         [](auto& v) {
             v.UseScanner = true;
             v.Holes.setGridSize(3);
             v.Hole = 9;
         },
         4, "Hole #"},
        {"preheat form ignores the OS fields", TakeDataSheet::TL,
         [](auto& v) {
             v.PreheatForm = true;
             v.Tl.SwitchOsOn = true;
             v.Tl.OsPower = -1;
         },
         4, ""},
    };
    for (const Case& c : cases) {
        TakeDataValues values = Valid(c.sheet);
        c.change(values);
        const TakeDataVerdict verdict = CheckTakeData(values, {c.systemType});
        if (std::string(c.named).empty()) {
            EXPECT_TRUE(verdict.accepted()) << c.name << ": " << verdict.refusal;
        } else {
            EXPECT_NE(verdict.refusal.find(c.named), std::string::npos)
                << c.name << ": " << verdict.refusal;
        }
    }
}

TEST(TakeDataCheckTest, ASmallRampPowerIsNoticedNotRefused) {
    TakeDataValues values = Valid(TakeDataSheet::OSL);
    values.Osl.DeviceItem = 2;
    values.Osl.Segments[2].points = 255;
    values.Osl.Segments[3].points = 255;
    values.Osl.Power = 1;
    const TakeDataVerdict verdict = CheckTakeData(values, {4});
    EXPECT_TRUE(verdict.accepted()) << verdict.refusal;
    ASSERT_EQ(verdict.notices.size(), 1u);
    EXPECT_NE(verdict.notices[0].find("one power step per point"), std::string::npos);
}

} // namespace
} // namespace gw
