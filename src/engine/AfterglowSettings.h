#pragma once

namespace gw {

// The afterglow fields of the take-data dialog's TL sheet, read by the reply handling while a TL
// runs. The dialog edits this struct; the engine never reads the widgets.
struct AfterglowSettings {
    bool RecordAfterglow = false; // "record afterglow "
    int TimeResolutionMs = 1000;  // "time resolution, ms "
    int StopTemperature = 100;    // "stop at \260C"

    bool operator==(const AfterglowSettings&) const = default;
};

} // namespace gw
