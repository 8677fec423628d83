#include "engine/DataTakePlan.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TDataType Op(OperationKind kind) {
    TDataType op;
    op.Kind = kind;
    return op;
}

TEST(DataTakePlanTest, WhenThePlatterIsPrepared) {
    struct Case {
        const char* name;
        OperationKind kind;
        int useHoles;
        int disk;
        int position;
        int forceMove;
        bool prepared;
    };
    const Case cases[] = {
        {"TL without holes at the disk", OperationKind::TL, 0, 3, 3, 0, true},
        {"OSL without holes", OperationKind::OSL, 0, 3, 9, 0, true},
        {"query without holes", OperationKind::PointQuery, 0, 3, 9, 0, false},
        {"nothing to do", OperationKind::None, 0, 3, 9, 0, false},
        {"holes, disk in place", OperationKind::OSL, 1, 3, 3, 0, false},
        {"holes, other disk", OperationKind::OSL, 1, 3, 4, 0, true},
        {"holes, forced move", OperationKind::TL, 1, 3, 3, 1, true},
        {"holes, irradiation", OperationKind::Irradiation, 1, 3, 3, 0, true},
        {"holes, query in place", OperationKind::PointQuery, 1, 3, 3, 0, false},
    };
    for (const Case& c : cases) {
        TDataType op = Op(c.kind);
        op.UseHoles = std::uint8_t(c.useHoles);
        op.Disk = c.disk;
        op.ForceMove = std::uint8_t(c.forceMove);
        EXPECT_EQ(NeedsPreparation(op, c.position), c.prepared) << c.name;
    }
}

TEST(DataTakePlanTest, PlatterTargets) {
    EXPECT_EQ(PlatterPositions(0), 1);
    EXPECT_EQ(PlatterPositions(1), 1);
    EXPECT_EQ(PlatterPositions(2), 20);
    EXPECT_EQ(PlatterPositions(3), 60);
    EXPECT_EQ(PlatterPositions(4), 60);

    TDataType irradiation = Op(OperationKind::Irradiation);
    irradiation.Disk = 50;
    irradiation.PositionOffset = 15;
    EXPECT_EQ(MoveCommand(irradiation, 4).text, "J5 ");
    EXPECT_EQ(MoveCommand(irradiation, 2).text, "J5 "); // 65 mod 20
    EXPECT_EQ(MoveCommand(irradiation, 1).text, "J0 ");
    TDataType tl = Op(OperationKind::TL);
    tl.Disk = 50;
    tl.PositionOffset = 15;
    EXPECT_EQ(MoveCommand(tl, 4).text, "A50 ");
}

TEST(DataTakePlanTest, MeasurementCommands) {
    DataTakeSettings plain;
    DataTakeSettings shortData;
    shortData.ShortDataAllowed = true;
    DataTakeSettings compatible;
    compatible.CompatibilityMode = true;

    TDataType tl = Op(OperationKind::TL);
    tl.Temperature = 500;
    tl.HoldTime = 10;
    tl.PreheatType = 'S';
    tl.PreheatTemp = 160;
    tl.PreheatTime = 10;
    tl.Increment = 1;
    tl.CoolTemp = 50;
    tl.RampRate = 5;
    TDataType wash = tl;
    wash.PreheatType = 'W';
    TDataType noPreheat = tl;
    noPreheat.PreheatType = 'X';

    TDataType osl = Op(OperationKind::OSL);
    osl.Power = 20;
    osl.Device = 20;
    TDataType irsl = osl;
    irsl.Device = 28;
    TDataType lm = Op(OperationKind::LMOSL);
    lm.PowerIncrement = 4;
    lm.Device = 40;
    TDataType lmIr = lm;
    lmIr.Kind = OperationKind::VMOSL;
    lmIr.Device = 48;

    TDataType beta = Op(OperationKind::Irradiation);
    beta.Source = 'X';
    beta.IrradTime = 100;
    beta.IrradPosition = 1;
    beta.ArmOffset = 4;
    TDataType external = beta;
    external.Source = 'B';
    TDataType query = Op(OperationKind::PointQuery);
    query.QueryPoint = 17;

    struct Case {
        const TDataType& op;
        const DataTakeSettings& settings;
        const char* text;
    };
    const Case cases[] = {
        {tl, plain, "E500 10 W0 0 S160 10 D1 L50 R5 G1 "},
        {wash, plain, "E500 10 W160 10 S0 0 D1 L50 R5 G1 "},
        {noPreheat, plain, "E500 10 W0 0 S0 0 D1 L50 R5 G1 "},
        {osl, plain, "U819 2 0 "},
        {osl, compatible, "U819 2 1 "},
        {osl, shortData, "T23 1 U819 2 0 "},
        {irsl, plain, "U819 1 0 "},
        {lm, plain, "U4 6 0 "},
        {lmIr, shortData, "T23 1 U4 5 0 "},
        {beta, plain, "I100 5 "},
        {external, plain, ""},
        {query, plain, "Q17 "},
        {Op(OperationKind::None), plain, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MeasurementCommand(c.op, c.settings).text, c.text) << c.text;
    }
}

TEST(DataTakePlanTest, PreparationCommands) {
    DataTakeSettings on6600;
    DataTakeSettings on3500;
    on3500.SystemType = 2;
    DataTakeSettings gas = on6600;
    gas.GasOnIrrad = true;

    TDataType tl = Op(OperationKind::TL);
    TDataType osl = Op(OperationKind::OSL);
    osl.Temperature = 125;
    TDataType cold = Op(OperationKind::Irradiation);
    cold.Temperature = 20;
    TDataType warm = cold;
    warm.Temperature = 50;

    EXPECT_EQ(PreparationCommand(tl, on6600, false, false).text, "@0 O1 ");
    EXPECT_EQ(PreparationCommand(tl, on6600, true, false).text, "P1 @0 O1 ");
    EXPECT_EQ(PreparationCommand(osl, on3500, true, false).text, "P1 @125 O1 ");
    EXPECT_EQ(PreparationCommand(cold, on6600, false, false).text, "@20 O2 ");
    EXPECT_EQ(PreparationCommand(cold, on6600, false, true).text, "P0 @20 O2 ");
    EXPECT_EQ(PreparationCommand(warm, on6600, false, false).text, "V2 @50 O2 ");
    EXPECT_EQ(PreparationCommand(cold, gas, false, true).text, "V2 @20 O2 ");
    EXPECT_EQ(PreparationCommand(cold, on3500, false, true).text, "P0 ");
    EXPECT_EQ(PreparationCommand(cold, on3500, false, false).text, "");
    EXPECT_EQ(PreparationCommand(Op(OperationKind::PointQuery), on6600, true, true).text, "");
}

TEST(DataTakePlanTest, HalogenLamp) {
    DataTakeSettings settings;
    settings.HalogenSwitch = true;
    settings.LampOffTime = 100;
    TDataType tl = Op(OperationKind::TL);
    tl.HoldTime = 60;
    tl.PreheatTime = 60;
    TDataType osl = Op(OperationKind::OSL);
    osl.Device = 20;
    TDataType irsl = osl;
    irsl.Device = 28;
    TDataType irradiation = Op(OperationKind::Irradiation);
    irradiation.IrradTime = 50;

    EXPECT_EQ(LampActionFor(tl, settings, false), LampAction::Keep);
    EXPECT_EQ(LampActionFor(tl, settings, true), LampAction::SwitchOff); // OSLonTL off
    settings.OSLonTL = true;
    EXPECT_EQ(LampActionFor(tl, settings, true), LampAction::SwitchOff); // 120 s > 100 s
    tl.HoldTime = 0;
    EXPECT_EQ(LampActionFor(tl, settings, true), LampAction::Keep);

    EXPECT_EQ(LampActionFor(osl, settings, false), LampAction::SwitchOnAndStabilize);
    EXPECT_EQ(LampActionFor(osl, settings, true), LampAction::Keep);
    EXPECT_EQ(LampActionFor(irsl, settings, false), LampAction::Keep);

    EXPECT_EQ(LampActionFor(irradiation, settings, true), LampAction::SwitchOff);
    settings.OSLonIrrad = true;
    EXPECT_EQ(LampActionFor(irradiation, settings, true), LampAction::Keep);
    settings.HalogenSwitch = false;
    EXPECT_EQ(LampActionFor(osl, settings, false), LampAction::Keep);
}

} // namespace
} // namespace gw
