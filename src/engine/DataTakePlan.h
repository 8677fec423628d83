#pragma once

#include "engine/TDataType.h"
#include "link/Command.h"

namespace gw {

// What the data-take thread reads of the profile and the console's switches, copied when the
// thread is created so that it never reads them while the user-interface thread may change them.
struct DataTakeSettings {
    int SystemType = 4;
    bool ShortDataAllowed = false; // a 6600 whose profile allows short data
    bool CompatibilityMode = false;
    bool HalogenSwitch = false;
    int LampOnTime = 0;  // s the halogen lamp needs to stabilize
    int LampOffTime = 0; // s of treatment after which the lamp is better switched off
    bool OSLonTL = false;
    bool OSLonIrrad = false;
    bool GasOnIrrad = false;

    bool operator==(const DataTakeSettings&) const = default;
};

// What happens to the halogen stimulation lamp before the operation.
enum class LampAction { Keep, SwitchOff, SwitchOnAndStabilize };

// Platter positions of a system type: manual and 3400 1, 3500 20, 3550 and 6600 60.
int PlatterPositions(int systemType);

// Whether the platter and the reader are prepared (steps "T0 " to "until warm"): always for an
// operation without holes, and with holes for an irradiation, a move to another disk or a forced
// move. Point queries on the disk in place are never prepared.
bool NeedsPreparation(const TDataType& operation, int readerPosition);

LampAction LampActionFor(const TDataType& operation, const DataTakeSettings& settings, bool lampOn);

// The lamp and temperature command before the operation: "@0 O1 " before a TL, "@t O1 " before
// an OSL kind (both after "P1 " when purgeOn), before an irradiation "P0 " when the reader purges
// and gas is not wanted, and on a 6600 ["V2 "] "@t O2 ". Empty for other kinds.
Command PreparationCommand(const TDataType& operation, const DataTakeSettings& settings,
                           bool purgeOn, bool readerPurges);

// The platter target: for an irradiation (disk + offset) modulo the positions, moved with "J";
// for every other kind the disk, moved with "A".
int TargetPosition(const TDataType& operation, int systemType);
Command MoveCommand(const TDataType& operation, int systemType);

// The one command that starts the operation's measurement (empty for an external irradiation
// and for kinds without one).
Command MeasurementCommand(const TDataType& operation, const DataTakeSettings& settings);

} // namespace gw
