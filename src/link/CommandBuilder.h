#pragma once

#include "link/Command.h"

#include <initializer_list>
#include <string>

namespace gw {

// Which preheat the TL measurement command asks for.
enum class PreheatKind { None, Wash, Stage };

// The closing texts after each step of a script: heater off plus purge, vacuum or move back.
enum class StepClosing { HeaterAndPurgeOff, HeaterOff, HeaterAndVacuumOff, MoveBackAndHeaterOff };

// Forms every text the console sends to the reader and the laser scanner, under the catalogue's
// names. Numbers are plain decimals; converter units are rounded halves to even.
class CommandBuilder {
public:
    // Percent of full stimulation power in converter units (percent x 40.95, not yet rounded).
    static double ConverterUnits(double percent);
    // The converter value as sent: rounded halves to even and kept within 0 ... 4095.
    static std::string FormatConverterUnits(double units);

    // Reader commands.
    static Command ResetTimer();                       // "T0 "
    static Command SetCounterChannels(int n);          // "T21 n ", n kept within 1 ... 4
    static Command SetAfterglowInterval(int m, int q); // "T22 m q "
    static Command NormalAfterglowInterval();          // "T22 4 250 "
    static Command ShortRepliesOn();                   // "T23 1 "
    static Command ShortRepliesOff();                  // "T23 0 "
    static Command PurgeOn();
    static Command PurgeOff();
    static Command CoolOn();
    static Command CoolOff();
    static Command HVOn();
    static Command HVOff();
    static Command CalibrateOn();
    static Command CalibrateOff();
    static Command VacuumOn();
    static Command VacuumOff();
    static Command GasForIrradiation();                         // "V2 "
    static Command SetTemperature(int celsius, int heaterMode); // "@t O<mode> "
    static Command HeaterMode(int mode);                        // "O<mode> "
    static Command MoveBack();                                  // "M "
    static Command Advance(int position);                       // "A%d "
    static Command Jump(int position);                          // "J%d "
    static Command TLEnd(int endCelsius, int holdSeconds);
    static Command Preheat(PreheatKind kind, int celsius, int seconds);
    static Command TLRun(int incrementCelsius, int coolingCelsius, int rateCelsiusPerSecond);
    static Command OSLRun(double powerUnits, int channel, bool compatibility);
    static Command MOSLRun(int powerIncrementUnits, int channel, bool compatibility);
    static Command Irradiate(int seconds, int irradiatorPosition);
    static Command RepeatPoint(int pointIndex);                       // "Q%d "
    static Command SetStimulation(double powerUnits, int channel);    // "N%0.0f %d "
    static Command SetTimeBase(int multiplier, int stepMilliseconds); // four segments, CR
    static Command SetSegmentPoints(int points);                      // chunks of 255, CR
    static Command StopEverything();                                  // "Z "

    // The same command followed by CR (the reply steps send "T0 ", "Q%d " and "N0 2 " so).
    static Command WithCR(Command command);

    // Several commands in one write, each keeping its closing blank.
    static Command Combine(std::initializer_list<Command> parts);

    // Combined texts.
    static Command BeforeTL(bool purge);                                          // ["P1 "]"@0 O1 "
    static Command BeforeOSL(int sampleCelsius, bool purge);                      // ["P1 "]"@t O1 "
    static Command BeforeIrradiation(int sampleCelsius, bool purgeOff, bool gas); // 6600
    static Command AfterScriptStep(StepClosing closing, bool purge);              // ... ["P1 "]
    static Command AfterMeasurement();                                            // "M O0 P0 "
    static Command AfterIrradiation(); // "@0 O0 V0 " (6600)
    static Command EndOfScriptRun();   // "M H0 O0 P0 V0 C0 J0 "
    static Command TLMeasurement(int endCelsius, int holdSeconds, PreheatKind preheat,
                                 int preheatCelsius, int preheatSeconds, int incrementCelsius,
                                 int coolingCelsius, int rateCelsiusPerSecond);
    static Command ShortOSLRun(double powerUnits, int channel, bool compatibility);
    static Command ShortMOSLRun(int powerIncrementUnits, int channel, bool compatibility);

    // A text the operator typed for the reader: the closing blank is added when missing.
    static Command OperatorText(const std::string& typed);

    // Laser scanner commands (each followed by CR; logged "to scanner").
    static Command AcquireDisk();      // "]0 "
    static Command MoveBeam(int hole); // "]5 %d "
    static Command ArmLaser();         // "]6 -1 1 "
    // A "]" text the operator typed: sent with CR, not logged.
    static Command OperatorScannerText(const std::string& typed);
};

} // namespace gw
