#include "PrepareHelper.h"
#include "script/Device_type.h"
#include "script/WorksheetTableBuilder.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using test::Lines;

// A 3500 (20 positions a platter) with external gamma and beta sources besides its internal
// beta source.
SystemProfile ExternalSourcesProfile() {
    SystemProfile profile = DefaultProfile(2);
    profile.GammaDoseRate = 0.5;
    profile.GammaDoseRateUnit = "Gy/min";
    profile.GammaCalibDate = PackedDate::Pack(2026, 1, 1);
    profile.BetaDoseRate = 0.1;
    return profile;
}

struct Tables {
    std::unique_ptr<test::Prepared> prepared;
    WorksheetTables tables;
    WorksheetTablesResult result;

    Tables(const std::string& text, const SystemProfile& profile)
        : prepared(test::CompileAndPlace(text, profile)) {
        EXPECT_FALSE(prepared->script->error) << prepared->script->errorMessage;
        StepRecordContext context{prepared->prompter, prepared->today};
        result = BuildWorksheetTables(*prepared->script, tables, context);
    }
};

std::string Name(const Device_type* device) {
    return device ? device->description : "-";
}

// The groups, one line each, then the positions of every platter as position:group.
std::string Dump(const WorksheetTables& tables) {
    std::string dump;
    for (const ws_Group& group : tables.groups) {
        dump += std::to_string(group.number) + " [" + group.sequence + "] disks";
        for (const int disk : group.disks) {
            dump += " " + std::to_string(disk);
        }
        if (group.measurement) {
            dump += " | " + Name(group.measurement->device) + " " +
                    std::to_string(group.measurement->temperature);
        }
        if (group.preheat) {
            dump += " | " + Name(group.preheat->device) + " " +
                    std::to_string(group.preheat->temperature) + "/" +
                    std::to_string(group.preheat->time) + (group.preheat->stage ? "S" : "W");
        }
        if (group.bleaching) {
            dump += " | " + Name(group.bleaching->device) + " " +
                    std::to_string(group.bleaching->time) +
                    (group.bleaching->beforeIrradiation ? " before" : " after");
        }
        if (group.irradiation.irradiator) {
            dump += " | " + Name(group.irradiation.irradiator->device) + " " +
                    std::to_string(group.irradiation.time);
        }
        dump += "\n";
    }
    for (std::size_t p = 0; p < tables.platters.size(); ++p) {
        dump += "platter " + std::to_string(p) + " (" +
                std::to_string(tables.platters[p].diskCount) + "):";
        for (const ws_Position& position : tables.platters[p].positions) {
            if (position.group) {
                dump += " " + std::to_string(position.number) + ":" +
                        std::to_string(position.group->number);
            }
        }
        dump += "\n";
    }
    return dump;
}

const std::vector<std::string> SeveralGroupsLines = {
    "METHOD TEMPLATE \"Worksheet test\"",
    "GLOBAL",
    "LIST DOSES = 10, 20",
    "END GLOBAL",
    "METHOD",
    "LOOP DOSES",
    "LOOP DISKS #6",
    "BLEACH(0, 90, 125, 120)",
    "TL(5, 160, 10, 450, 0, 0)",
    "IRRAD(2, 0, 20, &DOSES)",
    "TL(5, 160, 10, 450, 0, 0)",
    "END LOOP",
    "END LOOP",
    "LOOP DISKS #12",
    "IRRAD(1, 0, 20, 30)",
    "BLEACH(0, 90, 125, 60)",
    "PREHEAT(5, 200, 10, 20)",
    "OSL(0, 90, 125, 40, 0, 0)",
    "END LOOP",
    "END METHOD",
};

TEST(WorksheetTablesTest, GroupsBleachingExternalSourcesAndTwoPlatters) {
    Tables t(Lines(SeveralGroupsLines), ExternalSourcesProfile());
    ASSERT_TRUE(t.result.ok) << t.result.message;
    EXPECT_EQ(t.result.stepRecords, 24);
    EXPECT_EQ(t.tables.stepRecords, 24);
    EXPECT_EQ(
        Dump(t.tables),
        "1 [BL0 90% @125/120; ph 160C/10s  TL 450C 5C/s; Irrad eG @20C 10Gy; ph 160C/10s  TL "
        "450C 5C/s] disks 1 2 3 4 5 6 | TL heater 450 | Pre-heater 160/10S | Bleaching lamp "
        "120 before | External gamma irradiator 20\n"
        "2 [BL0 90% @125/120; ph 160C/10s  TL 450C 5C/s; Irrad eG @20C 20Gy; ph 160C/10s  TL "
        "450C 5C/s] disks 7 8 9 10 11 12 | TL heater 450 | Pre-heater 160/10S | Bleaching "
        "lamp 120 before | External gamma irradiator 40\n"
        "3 [Irrad eB @20C 30Gy; BL0 90% @125/60; Ph 200C/10s;  OSL0 90% @125/40/0/0] disks 13 "
        "14 15 16 17 18 19 20 21 22 23 24 | OSL 125 | Pre-heater 200/10W | Bleaching lamp 60 "
        "after | External beta irradiator 300\n"
        "platter 0 (20): 0:1 1:1 2:1 3:1 4:1 5:1 6:2 7:2 8:2 9:2 10:2 11:2 12:3 13:3 14:3 "
        "15:3 16:3 17:3 18:3 19:3\n"
        "platter 1 (4): 0:3 1:3 2:3 3:3\n");
    EXPECT_EQ(t.tables.bleachings.size(), 2U);
    EXPECT_EQ(t.tables.irradiators.size(), 2U);
}

TEST(WorksheetTablesTest, TablesAlreadyFilledAreLeftAlone) {
    auto compiled = test::CompileAndPlace(Lines(SeveralGroupsLines), ExternalSourcesProfile());
    WorksheetTables tables;
    tables.platters.resize(1);
    StepRecordContext context{compiled->prompter, compiled->today};
    EXPECT_EQ(BuildWorksheetTables(*compiled->script, tables, context).stepRecords, 0);
    EXPECT_TRUE(tables.groups.empty());
}

// The step record of a disk whose irradiator is missing can never be built, so the builder
// stops with the disk and the irradiator instead of trying the same record for ever.
TEST(WorksheetTablesTest, MissingIrradiatorStopsNamingDiskAndIrradiator) {
    Tables t(
        test::OneDisk({"TL(5, 0, 0, 450, 0, 0)", "IRRAD(0, 0, 20, 5)", "TL(5, 0, 0, 450, 0, 0)"}),
        ExternalSourcesProfile());
    EXPECT_FALSE(t.result.ok);
    EXPECT_EQ(t.result.message, "Disk 1: no step record can be built, the irradiator External "
                                "alpha is not defined in the profile");
}

TEST(WorksheetTablesTest, DiskTextsBecomeStepDescriptions) {
    Tables t(test::OneDisk(
                 {"IRRAD(3, 0, 20, 10)", "PREHEAT(5, 160, 10, 20)", "OSL(0, 90, 125, 40, 0, 0)"}),
             DefaultProfile(4));
    EXPECT_EQ(t.prepared->Disk(0).text, "Irrad BT @20C 10Gy; Ph 160C/10s;  OSL0 90% @125/40/0/0");
    ASSERT_EQ(t.tables.groups.size(), 1U);
    EXPECT_EQ(t.tables.platters.size(), 1U);
    EXPECT_EQ(t.tables.platters[0].positions.size(), 60U); // positions 0 to 59 of a 6600
}

} // namespace
} // namespace gw
