#pragma once

#include <string>

namespace gw {

class Console;

// The console's side of the laser scanner: commands out, lines in. The scanner handler brackets
// each line with ScannerIdleEvent and sets ScannerDoneEvent when a waiting step's command is done.
class ScannerLink {
public:
    explicit ScannerLink(Console& console) : console_(console) {}

    // Writes the text followed by CR to the scanner port; false when the port is closed or the
    // write failed. Nothing is logged here: the data-take thread logs its commands, the
    // operator's typed ones are not logged.
    bool SendToScanner(const std::string& text);

    // One line from the scanner's splitter, with its CR LF.
    void OnScannerPacket(const std::string& line);

private:
    bool stepWaiting() const;

    Console& console_;
};

} // namespace gw
