#pragma once

#include "engine/TakeDataValues.h"

#include <functional>
#include <string>

namespace gw {

class Prompter;

// A single measurement (or its disk range or hole sequence) without windows: a console on the
// reader port, the measurement engine and the sequencer of the take-data dialog, run to the end.
// The same starters, finishers and records as the console's.
class HeadlessTake {
public:
    enum class Outcome { Finished, Failed, Aborted };

    struct Options {
        TakeDataValues values;    // the dialog's values, the confirmed sheet in values.Sheet
        std::string port = "sim"; // "sim": the in-process simulated reader
        int channels = 0;         // counter channels to set (1 ... 4); 0 keeps the reader's
        std::string profilePath;  // empty: a 6600's default profile
        double timeScale = 1.0;
    };

    // Progress and failures, one line each; `stopRequested` is polled while the operation runs
    // and aborts it (the reader gets "Z "); records that could not be written go to `keptRecord`
    // line by line, so that they are not lost.
    struct Reporting {
        std::function<void(const std::string&)> progress;
        std::function<bool()> stopRequested;
        std::function<void(const std::string& path, const std::string& lines)> keptRecord;
    };

    HeadlessTake(Options options, Prompter& prompter, Reporting reporting);

    Outcome run();

private:
    Options options_;
    Prompter& prompter_;
    Reporting reporting_;
};

} // namespace gw
