#pragma once

#include "sim/SimOutput.h"

#include <string>
#include <string_view>
#include <vector>

namespace gw {

// The single-grain laser scanner's line protocol: it takes CR-ended command lines and answers
// "!0" CR LF when "]0 " (acquire the disk), "]5 n " (move the beam to hole n) or "]6 -1 1 " (arm
// the laser) is done; any other line comes back as it was sent. A silent scanner never answers.
class SimScanner {
public:
    SimScanner(double timeScale, bool silent);

    void receive(std::string_view bytes);
    void advance(double consoleMs);
    std::vector<SimOutput> takeOutput();

    double nowMs() const { return now_ * timeScale_; }
    double nextOutputMs() const;

    // Reader milliseconds a command takes, 0 for a line that is only echoed.
    static double commandDurationMs(const std::string& line);

private:
    struct Pending {
        double dueMs;
        std::string bytes;
    };

    void handleLine(const std::string& line);

    double timeScale_;
    bool silent_;
    double now_ = 0.0;
    std::string line_;
    std::vector<Pending> pending_;
    std::vector<SimOutput> ready_;
};

} // namespace gw
