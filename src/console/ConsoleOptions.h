#pragma once

#include <optional>
#include <string>
#include <vector>

namespace gw {

// What the console's command line asks for. The "/s" and "/c" parameters matter only when no
// profile file is found; the long options always apply. Unknown parameters are kept to be
// logged, never refused: a desktop launcher may pass options of its own.
struct ConsoleOptions {
    std::vector<std::string> legacyParameters;     // the "/s" and "/c" parameters, in order
    std::optional<std::string> profileFile;        // --profile FILE: use this profile file
    std::optional<std::string> defaultProfileFile; // --default-profile FILE: when none is found
    std::optional<std::string> portName; // --port NAME: the reader port, over stored settings
    std::optional<std::string> defaultPortName; // --default-port NAME: when no port name is stored
    double timeScale = 1.0;                     // --time-scale F: every delay times F
    bool showUsage = false;                     // --help
    std::vector<std::string> ignoredParameters; // parameters the console does not know, in order
    std::string error;                          // why the command line was refused; empty if fine
};

// The system type and transmission mode the "/s" and "/c" parameters select.
struct LegacyStartChoice {
    int systemType = 4; // 6600 unless a parameter says otherwise
    bool eightBitMode = false;
    std::vector<std::string> notes; // log texts (beginning with ": ") about parameters not taken
};

ConsoleOptions ParseConsoleOptions(const std::vector<std::string>& arguments);

// Each parameter compared in lower case: "/sN" selects system type N (0 to 4; anything else gives
// the 3500, type 2), "/cN" selects 8-bit transmission when N is 8 and 7-bit otherwise. Later
// parameters override earlier ones; others are ignored.
LegacyStartChoice ReadLegacyParameters(const std::vector<std::string>& parameters);

// The text of --help.
std::string ConsoleUsage();

} // namespace gw
