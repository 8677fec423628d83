#include "console/runtime/ScannerLink.h"

#include "console/runtime/Console.h"
#include "link/ScannerLine.h"

#include <atomic>

namespace gw {

bool ScannerLink::SendToScanner(const std::string& text) {
    const std::string line = text + '\r';
    return console_.ports.scanner().write(
        QByteArray(line.data(), static_cast<qsizetype>(line.size())));
}

void ScannerLink::OnScannerPacket(const std::string& line) {
    console_.ScannerIdleEvent.Reset();
    const ScannerLineOutcome outcome = InterpretScannerLine(line, stepWaiting());
    if (outcome.commandDone) {
        console_.ScannerDoneEvent.Set();
    }
    if (outcome.logLine) {
        console_.AppendLine(*outcome.logLine);
    }
    console_.ScannerIdleEvent.Set();
}

// The data-take thread sets and clears ScannerWait around its wait for the scanner.
bool ScannerLink::stepWaiting() const {
    TDataType& operation = console_.CurrentOperation;
    return std::atomic_ref<std::uint8_t>(operation.UseHoles).load() != 0 &&
           std::atomic_ref<std::uint8_t>(operation.ScannerWait).load() != 0;
}

} // namespace gw
