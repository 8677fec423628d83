#include "sim/runtime/SimPtyServer.h"

#include <algorithm>
#include <cmath>

namespace gw {

namespace {

constexpr int kLongestWaitMs = 50;

// A serial line cannot carry a line error over a pseudo-terminal; the reply arrives garbled.
std::string spoiled(std::string bytes) {
    if (bytes.size() > 2) {
        bytes[bytes.size() / 2] = '\x7F';
    }
    return bytes;
}

} // namespace

SimPtyServer::SimPtyServer(const SimOptions& options) : options_(options), reader_(options) {
    if (options.hasScanner) {
        scanner_.emplace(options.timeScale, options.faults.silentScanner);
    }
}

bool SimPtyServer::open() {
    if (!readerLine_.open()) {
        errorText_ = "cannot open a pseudo-terminal for the reader: " + readerLine_.errorText();
        return false;
    }
    if (scanner_ && !scannerLine_.open()) {
        errorText_ = "cannot open a pseudo-terminal for the scanner: " + scannerLine_.errorText();
        return false;
    }
    reader_.powerOn();
    return true;
}

std::string SimPtyServer::scannerDevice() const {
    return scanner_ ? scannerLine_.deviceName() : std::string();
}

void SimPtyServer::serve(double elapsedMs) {
    reader_.advance(elapsedMs);
    const std::string commands = readerLine_.readAvailable();
    if (!commands.empty()) {
        reader_.receive(commands);
    }
    send(readerLine_, reader_.takeOutput());
    if (scanner_) {
        scanner_->advance(elapsedMs);
        const std::string lines = scannerLine_.readAvailable();
        if (!lines.empty()) {
            scanner_->receive(lines);
        }
        send(scannerLine_, scanner_->takeOutput());
    }
}

void SimPtyServer::send(platform::PseudoTerminal& line, std::vector<SimOutput> outputs) {
    for (const SimOutput& output : outputs) {
        // While no console listens the bytes are lost, as on a real line.
        line.writeWithoutWaiting(output.lineError ? spoiled(output.bytes) : output.bytes);
    }
}

int SimPtyServer::msUntilNextOutput() const {
    double next = reader_.nextOutputMs() - reader_.nowMs();
    if (scanner_) {
        next = std::min(next, scanner_->nextOutputMs() - scanner_->nowMs());
    }
    if (!std::isfinite(next)) {
        return kLongestWaitMs;
    }
    return std::clamp(static_cast<int>(std::ceil(next)), 1, kLongestWaitMs);
}

} // namespace gw
