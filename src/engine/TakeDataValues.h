#pragma once

#include "engine/AfterglowSettings.h"
#include "engine/HoleSelection.h"

#include <array>
#include <string>

namespace gw {

// The sheets of the take-data dialog, by their tab index.
enum class TakeDataSheet { OSL = 0, MOSL = 1, TL = 2, Irradiate = 3 };

// The range a numeric field accepts at OK, and the caption that names it in a refusal
// (Windows-1252, without the accelerator '&'). Fields whose range depends on the reader or on other
// fields say so where they are declared; OK applies those rules too (TakeDataValidation).
struct FieldLimit {
    const char* caption;
    double min;
    double max;

    constexpr bool admits(double value) const { return value >= min && value <= max; }
};

// One segment of the OSL sheet's time base: `points` points of x * y ms each.
struct TimeBaseSegment {
    int x = 1;
    int y = 10;
    int points = 0;

    bool operator==(const TimeBaseSegment&) const = default;
};

// The "Take OSL" sheet.
struct OslSheetValues {
    static constexpr FieldLimit XLimit{"x", 1, 255};
    static constexpr FieldLimit YLimit{"y", 1, 255};
    static constexpr FieldLimit PointsLimit{"points", 0, 255};
    // The sum of the four point counts: at least two points, at most the point table.
    static constexpr FieldLimit TotalPointsLimit{"Total points", 2, 1020};
    static constexpr FieldLimit TemperatureLimit{"@ temp, \260C", 0, 500};
    static constexpr FieldLimit PowerLimit{"power, %", 0, 100};
    // The "&OSL device" list: "  0 - green/blue OSL", "  8 - IRSL", "40 - green/blue MOSL",
    // "48 - MIRSL".
    static constexpr std::array<int, 4> DeviceCodes{20, 28, 40, 48};

    // TB1 ... TB4. Only a 6600 takes x and y from the operator; the other readers use these.
    static constexpr std::array<TimeBaseSegment, 4> PresetSegments{
        {{1, 10, 0}, {1, 100, 0}, {4, 250, 30}, {40, 250, 0}}};
    std::array<TimeBaseSegment, 4> Segments = PresetSegments;
    int DeviceItem = 0;    // index into DeviceCodes
    int Temperature = 125; // "&@ temp, \260C"
    double Power = 100.0;  // "CW &power, %" or "VM max &power %", two decimals

    int device() const;
    bool ramped() const { return device() >= 40; }
    int totalPoints() const;
    double segmentSeconds(int segment) const; // x * y * points * 0.001
    double totalSeconds() const;

    bool operator==(const OslSheetValues&) const = default;
};

// The result of the MOSL search: the ramp that comes nearest to the wanted power and ramp time
// with the most points. All zero when nothing was found.
struct MoslRamp {
    double actualPower = 0.0; // %, one decimal shown
    double actualTime = 0.0;  // s, three decimals shown
    int points = 0;
    int increment = 0;  // converter units per point, 4095 = 100 %
    int msPerPoint = 0; // factorX * factorY
    int factorX = 0;    // m of "m x q"
    int factorY = 0;    // q of "m x q"

    bool found() const { return points > 0; }
    bool operator==(const MoslRamp&) const = default;
};

// The "Take MOSL" sheet (a 6600 only).
struct MoslSheetValues {
    // The ranges the search runs on; outside them the last result stands.
    static constexpr FieldLimit MaxPowerLimit{"Maximum power, %", 20, 100};
    static constexpr FieldLimit RampTimeLimit{"Ramp time, s", 10, 66325.5};
    static constexpr FieldLimit MaxPointsLimit{"Max points", 40, 1020};
    static constexpr FieldLimit TemperatureLimit{"@ temp, \260C", 0, 500};
    // The "&MOSL device" list: "40 - blue/green MOSL", "48 - IRSL ".
    static constexpr std::array<int, 2> DeviceCodes{40, 48};

    double MaxPower = 100.0;
    double RampTime = 50.0; // s
    int MaxPoints = 1020;
    int DeviceItem = 0;
    int Temperature = 125;
    // Kept up to date by UpdateSearch() (MoslSearch.h) after every change of the three inputs.
    MoslRamp Ramp{};

    int device() const;

    bool operator==(const MoslSheetValues&) const = default;
};

// The "Take TL" sheet. In preheat form the end temperature and hold time carry the preheat's
// temperature and time.
struct TlSheetValues {
    static constexpr FieldLimit DataSpaceLimit{"Data space, \260C", 1, 500};
    static constexpr FieldLimit RampRateLimit{"Ramp rate, \260C/s", 1, 25};
    static constexpr FieldLimit EndTempLimit{"End  temp, \260C", 1, 700};
    // End temperature / data space: at least two points, at most the point table.
    static constexpr FieldLimit PointsLimit{"Data space, \260C", 2, 1020};
    static constexpr FieldLimit HoldTimeLimit{"Hold  time, s", 0, 32000};
    static constexpr FieldLimit CoolTempLimit{"Cooling temp, \260C", 0, 250};
    static constexpr FieldLimit PreheatTempLimit{"Temp, \260C", 1, 500};
    static constexpr FieldLimit PreheatTimeLimit{"time, s", 0, 32000};
    static constexpr FieldLimit OsStartLimit{"start at \260C", 0, 450};
    static constexpr FieldLimit OsStopLimit{"stop at \260C", 0, 500};
    static constexpr FieldLimit OsPowerLimit{"OS power %", 0, 100};
    static constexpr FieldLimit AfterglowResolutionLimit{"time resolution, ms ", 1, 65000};
    static constexpr FieldLimit AfterglowStopLimit{"stop at \260C", 0, 65000};
    // The OS device list: "  0 - green/blue OSL", "  8 - IRSL".
    static constexpr std::array<int, 2> OsDeviceCodes{20, 28};

    int DataSpace = 5;
    int RampRate = 10;
    int EndTemp = 500;
    int HoldTime = 0;
    double CoolTemp = 60.0;
    double PreheatTemp = 220.0; // group " Preheat "
    double PreheatTime = 10.0;
    bool PreheatWithCooling = true; // "&with cooling" ('W'), else "&stage preheat" ('S')
    bool DoPreheat = true;          // "d&o it"
    bool SwitchOsOn = false;        // "switch OS on"
    int OsDeviceItem = 0;
    int OsStart = 40;
    int OsStop = 200;
    double OsPower = 100.0;
    // "record afterglow ", "time resolution, ms " and the afterglow "stop at \260C".
    AfterglowSettings Afterglow{};

    int osDevice() const;

    bool operator==(const TlSheetValues&) const = default;
};

// The "Irradiate" sheet.
struct IrradiationSheetValues {
    static constexpr FieldLimit TimeLimit{"Irradiation time, s", 1, 2147483};
    static constexpr FieldLimit TemperatureLimit{"@ temp, \260C", 0, 500};
    static constexpr std::array<const char*, 3> PositionNames{"Top", "Low", "High"};

    int IrradTime = 0;           // "Irradiation &time, s"
    int PositionItem = 0;        // "position": 0 top, 1 low, 2 high
    bool HasTransferArm = false; // "has &585 with x-fer arm" (3400, 3500, 3550 only)
    int Temperature = 0;         // "&@ temp, \260C" (6600 only)

    bool operator==(const IrradiationSheetValues&) const = default;
};

// Everything the take-data dialog edits, kept between showings: the common area and the four
// sheets. The dialog shows and edits this struct; the starters and finishers read it (and the
// finishers advance Disk and Hole). Defaults are the dialog's at program start.
struct TakeDataValues {
    // The highest disk number is the last position of the reader's platter (at most 59).
    static constexpr FieldLimit DiskLimit{"Disk #", 0, 59};
    static constexpr FieldLimit ToDiskLimit{"to", 0, 59};
    // The hole number runs up to holes per disk - 1.
    static constexpr FieldLimit HoleLimit{"Hole #", 0, HoleSelection::MaxHoles - 1};

    TakeDataSheet Sheet = TakeDataSheet::OSL; // the sheet shown, and confirmed at OK
    std::string InfoText;                     // "Text &info", lines separated by CR LF
    std::string DataFileName = "FileName";    // "Data &file name"
    int Disk = 0;                             // "&Disk #"
    bool Range = false;                       // "range"
    int ToDisk = 0;                           // "to"
    bool UseScanner = false;                  // "use scanner"
    int Hole = 0;                             // "Hole #"
    bool AllHoles = false;                    // "all"
    // Holes per disk and the hole selection matrix ("select holes").
    HoleSelection Holes{};

    // Set only while the live graph window's "Preheat" shows the dialog: the TL sheet then makes
    // a preheat, and its OS fields are neither read nor changed.
    bool PreheatForm = false;

    OslSheetValues Osl{};
    MoslSheetValues Mosl{};
    TlSheetValues Tl{};
    IrradiationSheetValues Irradiation{};

    bool operator==(const TakeDataValues&) const = default;
};

} // namespace gw
