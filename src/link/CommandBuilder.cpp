#include "link/CommandBuilder.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace gw {

namespace {

constexpr double UnitsPerPercent = 40.95;
constexpr double FullScaleUnits = 4095.0;
constexpr int PointsPerSegment = 255;
constexpr int Segments = 4;

std::string Num(int value) {
    return std::to_string(value);
}

// Appends the parts in turn (GCC 12 warns falsely about chains of "literal" + std::string).
std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text.append(part);
    }
    return text;
}

Command Reader(std::string name, std::string text) {
    return {std::move(name), std::move(text), CommandTarget::Reader, CommandLogStyle::Quoted};
}

Command Scanner(std::string name, std::string text) {
    return {std::move(name), Join({text, "\r"}), CommandTarget::Scanner,
            CommandLogStyle::ToScanner};
}

Command Switch(std::string name, char letter, bool on) {
    return Reader(std::move(name), Join({std::string(1, letter), on ? "1 " : "0 "}));
}

Command MaybePurgeOn(bool purge) {
    return purge ? CommandBuilder::PurgeOn() : Command{};
}

} // namespace

double CommandBuilder::ConverterUnits(double percent) {
    return percent * UnitsPerPercent;
}

std::string CommandBuilder::FormatConverterUnits(double units) {
    if (std::isnan(units)) {
        units = 0.0;
    }
    // nearbyint follows the default rounding mode, which rounds halves to the even neighbour.
    const double rounded = std::nearbyint(std::clamp(units, 0.0, FullScaleUnits));
    return Num(static_cast<int>(rounded));
}

Command CommandBuilder::ResetTimer() {
    return Reader("ResetTimer", "T0 ");
}

Command CommandBuilder::SetCounterChannels(int n) {
    return Reader("SetCounterChannels", Join({"T21 ", Num(std::clamp(n, 1, 4)), " "}));
}

Command CommandBuilder::SetAfterglowInterval(int m, int q) {
    return Reader("SetAfterglowInterval", Join({"T22 ", Num(m), " ", Num(q), " "}));
}

Command CommandBuilder::NormalAfterglowInterval() {
    return SetAfterglowInterval(4, 250);
}

Command CommandBuilder::ShortRepliesOn() {
    return Reader("ShortRepliesOn", "T23 1 ");
}
Command CommandBuilder::ShortRepliesOff() {
    return Reader("ShortRepliesOff", "T23 0 ");
}
Command CommandBuilder::PurgeOn() {
    return Switch("PurgeOn", 'P', true);
}
Command CommandBuilder::PurgeOff() {
    return Switch("PurgeOff", 'P', false);
}
Command CommandBuilder::CoolOn() {
    return Switch("CoolOn", 'C', true);
}
Command CommandBuilder::CoolOff() {
    return Switch("CoolOff", 'C', false);
}
Command CommandBuilder::HVOn() {
    return Switch("HVOn", 'H', true);
}
Command CommandBuilder::HVOff() {
    return Switch("HVOff", 'H', false);
}
Command CommandBuilder::CalibrateOn() {
    return Switch("CalibrateOn", 'K', true);
}
Command CommandBuilder::CalibrateOff() {
    return Switch("CalibrateOff", 'K', false);
}
Command CommandBuilder::VacuumOn() {
    return Switch("VacuumOn", 'V', true);
}
Command CommandBuilder::VacuumOff() {
    return Switch("VacuumOff", 'V', false);
}
Command CommandBuilder::GasForIrradiation() {
    return Reader("GasForIrradiation", "V2 ");
}

Command CommandBuilder::SetTemperature(int celsius, int heaterMode) {
    return Reader("SetTemperature", Join({"@", Num(celsius), " ", HeaterMode(heaterMode).text}));
}

Command CommandBuilder::HeaterMode(int mode) {
    return Reader("HeaterMode", Join({"O", Num(mode), " "}));
}
Command CommandBuilder::MoveBack() {
    return Reader("MoveBack", "M ");
}
Command CommandBuilder::Advance(int position) {
    return Reader("Advance", Join({"A", Num(position), " "}));
}
Command CommandBuilder::Jump(int position) {
    return Reader("Jump", Join({"J", Num(position), " "}));
}

Command CommandBuilder::TLEnd(int endCelsius, int holdSeconds) {
    return Reader("TLEnd", Join({"E", Num(endCelsius), " ", Num(holdSeconds), " "}));
}

Command CommandBuilder::Preheat(PreheatKind kind, int celsius, int seconds) {
    const std::string given = Join({Num(celsius), " ", Num(seconds)});
    switch (kind) {
    case PreheatKind::Wash:
        return Reader("Preheat", Join({"W", given, " S0 0 "}));
    case PreheatKind::Stage:
        return Reader("Preheat", Join({"W0 0 S", given, " "}));
    case PreheatKind::None:
        break;
    }
    return Reader("Preheat", "W0 0 S0 0 ");
}

Command CommandBuilder::TLRun(int incrementCelsius, int coolingCelsius, int rateCelsiusPerSecond) {
    return Reader("TLRun", Join({"D", Num(incrementCelsius), " L", Num(coolingCelsius), " R",
                                 Num(rateCelsiusPerSecond), " G1 "}));
}

Command CommandBuilder::OSLRun(double powerUnits, int channel, bool compatibility) {
    return Reader("OSLRun", Join({"U", FormatConverterUnits(powerUnits), " ", Num(channel),
                                  (compatibility ? " 1 " : " 0 ")}));
}

Command CommandBuilder::MOSLRun(int powerIncrementUnits, int channel, bool compatibility) {
    return Reader("MOSLRun", Join({"U", Num(powerIncrementUnits), " ", Num(channel),
                                   (compatibility ? " 1 " : " 0 ")}));
}

Command CommandBuilder::Irradiate(int seconds, int irradiatorPosition) {
    return Reader("Irradiate", Join({"I", Num(seconds), " ", Num(irradiatorPosition), " "}));
}

Command CommandBuilder::RepeatPoint(int pointIndex) {
    return Reader("RepeatPoint", Join({"Q", Num(pointIndex), " "}));
}

Command CommandBuilder::SetStimulation(double powerUnits, int channel) {
    return Reader("SetStimulation",
                  Join({"N", FormatConverterUnits(powerUnits), " ", Num(channel), " "}));
}

Command CommandBuilder::SetTimeBase(int multiplier, int stepMilliseconds) {
    std::string text = "B";
    for (int segment = 0; segment < Segments; ++segment) {
        text += Join({segment ? " " : "", Num(multiplier), " ", Num(stepMilliseconds)});
    }
    return Reader("SetTimeBase", Join({text, " \r"}));
}

Command CommandBuilder::SetSegmentPoints(int points) {
    int remaining = std::clamp(points, 0, Segments * PointsPerSegment);
    std::string text = "X";
    for (int segment = 0; segment < Segments; ++segment) {
        const int inSegment = std::min(remaining, PointsPerSegment);
        remaining -= inSegment;
        text += Join({segment ? " " : "", Num(inSegment)});
    }
    Command command = Reader("SetSegmentPoints", Join({text, " \r"}));
    command.logStyle = CommandLogStyle::QuotedNoColon;
    return command;
}

Command CommandBuilder::StopEverything() {
    return Reader("StopEverything", "Z ");
}

Command CommandBuilder::WithCR(Command command) {
    if (command.text.empty() || command.text.back() != '\r') {
        command.text += '\r';
    }
    return command;
}

Command CommandBuilder::Combine(std::initializer_list<Command> parts) {
    Command combined = Reader("", "");
    for (const Command& part : parts) {
        if (part.text.empty()) {
            continue; // an optional element left out
        }
        combined.name += Join({combined.name.empty() ? "" : "+", part.name});
        combined.text += part.text;
    }
    return combined;
}

Command CommandBuilder::BeforeTL(bool purge) {
    return Combine({MaybePurgeOn(purge), SetTemperature(0, 1)});
}

Command CommandBuilder::BeforeOSL(int sampleCelsius, bool purge) {
    return Combine({MaybePurgeOn(purge), SetTemperature(sampleCelsius, 1)});
}

Command CommandBuilder::BeforeIrradiation(int sampleCelsius, bool purgeOff, bool gas) {
    return Combine({purgeOff ? PurgeOff() : Command{}, gas ? GasForIrradiation() : Command{},
                    SetTemperature(sampleCelsius, 2)});
}

Command CommandBuilder::AfterScriptStep(StepClosing closing, bool purge) {
    switch (closing) {
    case StepClosing::HeaterAndPurgeOff:
        return Combine({HeaterMode(0), PurgeOff(), MaybePurgeOn(purge)});
    case StepClosing::HeaterAndVacuumOff:
        return Combine({HeaterMode(0), VacuumOff(), MaybePurgeOn(purge)});
    case StepClosing::MoveBackAndHeaterOff:
        return Combine({MoveBack(), HeaterMode(0), MaybePurgeOn(purge)});
    case StepClosing::HeaterOff:
        break;
    }
    return Combine({HeaterMode(0), MaybePurgeOn(purge)});
}

Command CommandBuilder::AfterMeasurement() {
    return Combine({MoveBack(), HeaterMode(0), PurgeOff()});
}

Command CommandBuilder::AfterIrradiation() {
    return Combine({SetTemperature(0, 0), VacuumOff()});
}

Command CommandBuilder::EndOfScriptRun() {
    return Combine(
        {MoveBack(), HVOff(), HeaterMode(0), PurgeOff(), VacuumOff(), CoolOff(), Jump(0)});
}

Command CommandBuilder::TLMeasurement(int endCelsius, int holdSeconds, PreheatKind preheat,
                                      int preheatCelsius, int preheatSeconds, int incrementCelsius,
                                      int coolingCelsius, int rateCelsiusPerSecond) {
    return Combine({TLEnd(endCelsius, holdSeconds),
                    Preheat(preheat, preheatCelsius, preheatSeconds),
                    TLRun(incrementCelsius, coolingCelsius, rateCelsiusPerSecond)});
}

Command CommandBuilder::ShortOSLRun(double powerUnits, int channel, bool compatibility) {
    return Combine({ShortRepliesOn(), OSLRun(powerUnits, channel, compatibility)});
}

Command CommandBuilder::ShortMOSLRun(int powerIncrementUnits, int channel, bool compatibility) {
    return Combine({ShortRepliesOn(), MOSLRun(powerIncrementUnits, channel, compatibility)});
}

Command CommandBuilder::OperatorText(const std::string& typed) {
    if (typed.empty() || typed.back() == ' ') {
        return Reader("OperatorText", typed);
    }
    return Reader("OperatorText", Join({typed, " "}));
}

Command CommandBuilder::AcquireDisk() {
    return Scanner("AcquireDisk", "]0 ");
}
Command CommandBuilder::MoveBeam(int hole) {
    return Scanner("MoveBeam", Join({"]5 ", Num(hole), " "}));
}
Command CommandBuilder::ArmLaser() {
    return Scanner("ArmLaser", "]6 -1 1 ");
}

Command CommandBuilder::OperatorScannerText(const std::string& typed) {
    Command command = Scanner("OperatorScannerText", typed);
    command.logStyle = CommandLogStyle::NotLogged;
    return command;
}

} // namespace gw
