#pragma once

namespace gw {

// What the enable rules of the main window's actions look at.
struct ConsoleActionInputs {
    bool readerPortOpen = false;
    bool runActive = false;
    bool metascriptRunning = false;
    bool profileLoaded = false;
    int systemType = 4;
    // A single measurement, an irradiation or their sequence is in flight.
    bool operationInFlight = false;
};

// Whether each action with an enable rule is enabled; actions not listed are always enabled.
struct ConsoleActionEnabling {
    bool openPort = false;
    bool closePort = false;
    bool takeMOSL = false;
    bool takeScript = false;
    bool stopScript = false;
    bool abortOperation = false;
    bool editReader = false;
    bool saveReader = false;
    // "Take &OSL", "Take &TL" and "&Irradiate" (and "Take &MOSL" on a 6600): refused while an
    // operation or a script runs.
    bool takeSingle = false;

    bool operator==(const ConsoleActionEnabling&) const = default;
};

// The enable rules, evaluated whenever the console is idle.
ConsoleActionEnabling EvaluateActionRules(const ConsoleActionInputs& in);

} // namespace gw
