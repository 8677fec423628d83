#pragma once

#include "profile/PackedDate.h"
#include "script/ArgumentEvaluation.h"
#include "script/ArgumentReader.h"
#include "script/ProfileWarnings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace gw {

class Prompter;
class TimeBaseCalculator;
struct Device_type;
struct SystemProfile;
struct TDataType;
struct sc_Command;
struct sc_Item;
struct sc_Script;

// What the preparation of a script step needs from the console besides the script itself.
struct PreparationContext {
    Prompter& prompter;
    // The console's one time-base calculator; its state carries over from step to step.
    TimeBaseCalculator& calculator;
    // The console's current profile (not the script's copy): the reader series of the time bases
    // and the transfer arm of irradiations come from it.
    const SystemProfile& consoleProfile;
    bool veltraxCompatible = false;
    CivilDate today; // the day the irradiators' source decay is reckoned to
};

// The outcome of preparing one step. A failed step carries the reason; the reason is empty when
// the operator answered a warning with Abort. PrepareNextOperation shows a reason the operator
// has not seen yet as an error message.
struct PreparationResult {
    bool ok = true;
    std::string message;
    bool shown = false;

    static PreparationResult Failed(std::string why) { return {false, std::move(why)}; }
};

// The script's command flags: bit 1 is set once a DOSL or DMOSL step has been prepared.
inline constexpr std::uint8_t CommandFlagExplicitTimeBase = 0x02;

// Turns the disk's next command (its run cursor) into an operation record. Without a next
// command nothing changes and the result is ok. On success the prepared record keeps
// operation's DataFile, replaces operation, and the run cursor moves on; on failure neither
// changes. ignoreAll belongs to the caller: "Ignore all" sets it, and while it is set the profile
// checks warn no more.
PreparationResult PrepareNextOperation(sc_Script& script, sc_Item& disk, TDataType& operation,
                                       bool& ignoreAll, PreparationContext& context);

// Prepares one command of a disk into a cleared record, with the profile checks, the time bases
// and the disk's bookkeeping. One object per command.
class OperationPreparer {
public:
    OperationPreparer(sc_Script& script, sc_Item& disk, bool& ignoreAll,
                      PreparationContext& context);

    PreparationResult Prepare(const sc_Command& command, TDataType& record);

private:
    // The next argument of the command, evaluated; not ok after the last one.
    ArgumentValue Next();
    std::int32_t NextRounded(std::int32_t whenNotOk = 0);
    // A failed profile check: warns unless all are ignored. False when the operator aborts.
    bool Warn(const std::string& message);
    bool CheckOslDevice(int device, bool forRamp);
    // A calibration date after today warns: the source-decay correction needs a past date.
    bool CheckCalibrationDate(const Device_type& irradiator);

    PreparationResult PrepareCommand(const std::string& word, TDataType& record);
    PreparationResult PrepareTl(TDataType& record);
    PreparationResult PrepareTlBackground(TDataType& record);
    PreparationResult PreparePreheat(TDataType& record);
    // Closes a heating step once its arguments are read: the points, the checks, the time-out
    // (the ramp plus the seconds after it) and the hot mark.
    std::optional<PreparationResult> FinishHeating(const std::string& command, TDataType& record,
                                                   double secondsAfterRamp);
    PreparationResult PrepareOsl(TDataType& record);
    PreparationResult PrepareExplicitTimeBase(TDataType& record, bool ramp);
    PreparationResult PrepareMosl(TDataType& record);
    PreparationResult PrepareBleach(TDataType& record);
    PreparationResult PrepareIrradiation(TDataType& record);
    PreparationResult FinishIrradiation(TDataType& record, const Device_type& irradiator,
                                        double dose);
    void ReadPowerAndTemperature(TDataType& record);
    void ReadSegments(TDataType& record);
    // The disk's bookkeeping, staged while the command is prepared and kept only on success.
    struct DiskMarks {
        bool irradiated = false;
        bool exposed = false;
        bool heated = false;
        bool hot = false;
        double exposure = 0; // minutes
    };

    sc_Script& script_;
    sc_Item& disk_;
    PreparationContext& context_;
    ArgumentReader arguments_;
    ProfileWarnings warnings_;
    bool normalization_ = false;
    DiskMarks marks_;
};

} // namespace gw
