#include "link/CommandBuilder.h"

#include <cmath>
#include <gtest/gtest.h>

namespace gw {
namespace {

using B = CommandBuilder;

struct CommandCase {
    Command command;
    std::string name;
    std::string text;
};

void PrintTo(const CommandCase& c, std::ostream* os) {
    *os << c.name << " \"" << c.text << '"';
}

class EveryCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(EveryCommand, HasItsNameAndExactText) {
    EXPECT_EQ(GetParam().command.name, GetParam().name);
    EXPECT_EQ(GetParam().command.text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, EveryCommand,
    testing::Values(
        CommandCase{B::ResetTimer(), "ResetTimer", "T0 "},
        CommandCase{B::SetCounterChannels(3), "SetCounterChannels", "T21 3 "},
        CommandCase{B::SetCounterChannels(9), "SetCounterChannels", "T21 4 "},
        CommandCase{B::SetCounterChannels(0), "SetCounterChannels", "T21 1 "},
        CommandCase{B::SetAfterglowInterval(1, 200), "SetAfterglowInterval", "T22 1 200 "},
        CommandCase{B::NormalAfterglowInterval(), "SetAfterglowInterval", "T22 4 250 "},
        CommandCase{B::ShortRepliesOn(), "ShortRepliesOn", "T23 1 "},
        CommandCase{B::ShortRepliesOff(), "ShortRepliesOff", "T23 0 "},
        CommandCase{B::PurgeOn(), "PurgeOn", "P1 "}, CommandCase{B::PurgeOff(), "PurgeOff", "P0 "},
        CommandCase{B::CoolOn(), "CoolOn", "C1 "}, CommandCase{B::CoolOff(), "CoolOff", "C0 "},
        CommandCase{B::HVOn(), "HVOn", "H1 "}, CommandCase{B::HVOff(), "HVOff", "H0 "},
        CommandCase{B::CalibrateOn(), "CalibrateOn", "K1 "},
        CommandCase{B::CalibrateOff(), "CalibrateOff", "K0 "},
        CommandCase{B::VacuumOn(), "VacuumOn", "V1 "},
        CommandCase{B::VacuumOff(), "VacuumOff", "V0 "},
        CommandCase{B::GasForIrradiation(), "GasForIrradiation", "V2 "},
        CommandCase{B::SetTemperature(120, 1), "SetTemperature", "@120 O1 "},
        CommandCase{B::SetTemperature(30, 2), "SetTemperature", "@30 O2 "},
        CommandCase{B::HeaterMode(0), "HeaterMode", "O0 "},
        CommandCase{B::MoveBack(), "MoveBack", "M "},
        CommandCase{B::Advance(17), "Advance", "A17 "}, CommandCase{B::Jump(0), "Jump", "J0 "},
        CommandCase{B::TLEnd(500, 10), "TLEnd", "E500 10 "},
        CommandCase{B::Preheat(PreheatKind::Wash, 220, 10), "Preheat", "W220 10 S0 0 "},
        CommandCase{B::Preheat(PreheatKind::Stage, 160, 10), "Preheat", "W0 0 S160 10 "},
        CommandCase{B::Preheat(PreheatKind::None, 160, 10), "Preheat", "W0 0 S0 0 "},
        CommandCase{B::TLRun(1, 50, 5), "TLRun", "D1 L50 R5 G1 "},
        CommandCase{B::OSLRun(B::ConverterUnits(20), 2, false), "OSLRun", "U819 2 0 "},
        CommandCase{B::OSLRun(B::ConverterUnits(90), 1, true), "OSLRun", "U3686 1 1 "},
        CommandCase{B::MOSLRun(12, 5, false), "MOSLRun", "U12 5 0 "},
        CommandCase{B::MOSLRun(3, 6, true), "MOSLRun", "U3 6 1 "},
        CommandCase{B::Irradiate(100, 4), "Irradiate", "I100 4 "},
        CommandCase{B::RepeatPoint(42), "RepeatPoint", "Q42 "},
        CommandCase{B::SetStimulation(B::ConverterUnits(20), 2), "SetStimulation", "N819 2 "},
        CommandCase{B::SetStimulation(0, 0), "SetStimulation", "N0 0 "},
        CommandCase{B::SetTimeBase(4, 250), "SetTimeBase", "B4 250 4 250 4 250 4 250 \r"},
        CommandCase{B::SetSegmentPoints(600), "SetSegmentPoints", "X255 255 90 0 \r"},
        CommandCase{B::StopEverything(), "StopEverything", "Z "}));

INSTANTIATE_TEST_SUITE_P(Scanner, EveryCommand,
                         testing::Values(CommandCase{B::AcquireDisk(), "AcquireDisk", "]0 \r"},
                                         CommandCase{B::MoveBeam(37), "MoveBeam", "]5 37 \r"},
                                         CommandCase{B::ArmLaser(), "ArmLaser", "]6 -1 1 \r"},
                                         CommandCase{B::OperatorScannerText("]9"),
                                                     "OperatorScannerText", "]9\r"}));

INSTANTIATE_TEST_SUITE_P(
    Combined, EveryCommand,
    testing::Values(
        CommandCase{B::BeforeTL(false), "SetTemperature", "@0 O1 "},
        CommandCase{B::BeforeTL(true), "PurgeOn+SetTemperature", "P1 @0 O1 "},
        CommandCase{B::BeforeOSL(125, true), "PurgeOn+SetTemperature", "P1 @125 O1 "},
        CommandCase{B::BeforeIrradiation(40, true, true),
                    "PurgeOff+GasForIrradiation+SetTemperature", "P0 V2 @40 O2 "},
        CommandCase{B::BeforeIrradiation(20, false, false), "SetTemperature", "@20 O2 "},
        CommandCase{B::AfterScriptStep(StepClosing::HeaterAndPurgeOff, false),
                    "HeaterMode+PurgeOff", "O0 P0 "},
        CommandCase{B::AfterScriptStep(StepClosing::HeaterOff, true), "HeaterMode+PurgeOn",
                    "O0 P1 "},
        CommandCase{B::AfterScriptStep(StepClosing::HeaterAndVacuumOff, false),
                    "HeaterMode+VacuumOff", "O0 V0 "},
        CommandCase{B::AfterScriptStep(StepClosing::MoveBackAndHeaterOff, true),
                    "MoveBack+HeaterMode+PurgeOn", "M O0 P1 "},
        CommandCase{B::AfterMeasurement(), "MoveBack+HeaterMode+PurgeOff", "M O0 P0 "},
        CommandCase{B::AfterIrradiation(), "SetTemperature+VacuumOff", "@0 O0 V0 "},
        CommandCase{B::EndOfScriptRun(),
                    "MoveBack+HVOff+HeaterMode+PurgeOff+VacuumOff+CoolOff+Jump",
                    "M H0 O0 P0 V0 C0 J0 "},
        CommandCase{B::TLMeasurement(500, 10, PreheatKind::Stage, 160, 10, 1, 50, 5),
                    "TLEnd+Preheat+TLRun", "E500 10 W0 0 S160 10 D1 L50 R5 G1 "},
        CommandCase{B::ShortOSLRun(819, 1, false), "ShortRepliesOn+OSLRun", "T23 1 U819 1 0 "},
        CommandCase{B::ShortMOSLRun(7, 6, true), "ShortRepliesOn+MOSLRun", "T23 1 U7 6 1 "},
        CommandCase{B::WithCR(B::ResetTimer()), "ResetTimer", "T0 \r"},
        CommandCase{B::WithCR(B::RepeatPoint(3)), "RepeatPoint", "Q3 \r"},
        CommandCase{B::WithCR(B::SetStimulation(0, 2)), "SetStimulation", "N0 2 \r"},
        CommandCase{B::WithCR(B::HVOn()), "HVOn", "H1 \r"},
        CommandCase{B::WithCR(B::SetTimeBase(1, 1)), "SetTimeBase", "B1 1 1 1 1 1 1 1 \r"},
        CommandCase{B::OperatorText("P1"), "OperatorText", "P1 "},
        CommandCase{B::OperatorText("A5 "), "OperatorText", "A5 "}));

TEST(CommandBuilder, ConverterUnitsRoundHalvesToEven) {
    const std::vector<std::pair<double, std::string>> cases = {
        {0.5, "0"},     {1.5, "2"},          {2.5, "2"},       {818.5, "818"},
        {819.5, "820"}, {0.49, "0"},         {4095.0, "4095"}, {1e9, "4095"},
        {-3.0, "0"},    {std::nan(""), "0"}, {-0.4, "0"},
    };
    for (const auto& [units, text] : cases) {
        EXPECT_EQ(B::FormatConverterUnits(units), text) << units;
    }
    // 100 % is the converter's full scale.
    EXPECT_EQ(B::FormatConverterUnits(B::ConverterUnits(100)), "4095");
}

TEST(CommandBuilder, SegmentPointsFillSegmentsOf255InTurn) {
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "X0 0 0 0 \r"},
        {1, "X1 0 0 0 \r"},
        {254, "X254 0 0 0 \r"},
        {255, "X255 0 0 0 \r"},
        {256, "X255 1 0 0 \r"},
        {600, "X255 255 90 0 \r"},
        {765, "X255 255 255 0 \r"},
        {1020, "X255 255 255 255 \r"},
        {5000, "X255 255 255 255 \r"},
        {-7, "X0 0 0 0 \r"},
    };
    for (const auto& [points, text] : cases) {
        EXPECT_EQ(B::SetSegmentPoints(points).text, text) << points;
    }
}

struct LogCase {
    Command command;
    std::optional<LogLine> line;
};

TEST(CommandBuilder, EverySenderLogsByTheSameRules) {
    const std::vector<LogCase> cases = {
        {B::PurgeOn(), StampedLine(": \"P1 \"")},
        {B::WithCR(B::ResetTimer()), StampedLine(": \"T0 \"")},
        {B::SetTimeBase(4, 250), StampedLine(": \"B4 250 4 250 4 250 4 250 \"")},
        {B::SetSegmentPoints(600), StampedLine("\"X255 255 90 0 \"")},
        {B::AfterMeasurement(), StampedLine(": \"M O0 P0 \"")},
        {B::MoveBeam(5), StampedLine(": to scanner \"]5 5 \"")},
        {B::AcquireDisk(), StampedLine(": to scanner \"]0 \"")},
        {B::OperatorScannerText("]0 "), std::nullopt},
        {B::OperatorText("h1"), StampedLine(": \"h1 \"")},
    };
    for (const auto& [command, line] : cases) {
        EXPECT_EQ(CommandLogLine(command), line) << command.name;
    }
}

TEST(CommandBuilder, ScannerCommandsGoToTheScannerPort) {
    for (const Command& command : {B::AcquireDisk(), B::MoveBeam(1), B::ArmLaser()}) {
        EXPECT_EQ(command.target, CommandTarget::Scanner) << command.name;
    }
    EXPECT_EQ(B::PurgeOn().target, CommandTarget::Reader);
}

} // namespace
} // namespace gw
