#pragma once

#include "platform/PseudoTerminal.h"
#include "sim/SimOptions.h"
#include "sim/SimReader.h"
#include "sim/SimScanner.h"

#include <optional>
#include <string>

namespace gw {

// Serves the simulated reader (and, when asked, its laser scanner) on pseudo-terminals, so that
// the console meets it through the system's serial layer. The owner calls serve() over and over,
// handing it the real time that has passed; nothing here blocks.
class SimPtyServer {
public:
    explicit SimPtyServer(const SimOptions& options);

    // Opens the terminals and switches the reader on; false with errorText() when that fails.
    bool open();

    const std::string& readerDevice() const { return readerLine_.deviceName(); }
    // Empty without a scanner.
    std::string scannerDevice() const;
    const std::string& errorText() const { return errorText_; }

    // Takes in what the console sent, moves the clock on by the real milliseconds that passed
    // and writes out what has come due.
    void serve(double elapsedMs);

    // Real milliseconds until the next reply is due (at least 1, at most 50).
    int msUntilNextOutput() const;
    // Waits up to the time for the console to send something to the reader; false when nothing
    // came (also at once while no console holds the line).
    bool waitForInput(int timeoutMs) { return readerLine_.waitReadable(timeoutMs); }

    SimReader& reader() { return reader_; }

private:
    void send(platform::PseudoTerminal& line, std::vector<SimOutput> outputs);

    SimOptions options_;
    SimReader reader_;
    std::optional<SimScanner> scanner_;
    platform::PseudoTerminal readerLine_;
    platform::PseudoTerminal scannerLine_;
    std::string errorText_;
};

} // namespace gw
