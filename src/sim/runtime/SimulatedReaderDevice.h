#pragma once

#include "link/runtime/SerialDevice.h"
#include "sim/SimOutput.h"

#include <memory>

namespace gw {

class SimulatedReaderBench;

// A serial device whose far end is the in-process simulated reader (or its laser scanner).
class SimulatedReaderDevice : public SerialDevice {
    Q_OBJECT

public:
    explicit SimulatedReaderDevice(std::shared_ptr<SimulatedReaderBench> bench,
                                   QObject* parent = nullptr);
    ~SimulatedReaderDevice() override;

    bool open(const PortSettings& settings) override;
    void close() override;
    bool isOpen() const override { return open_; }
    bool write(const QByteArray& bytes) override;
    void clearBuffers() override {}
    int lastSystemError() const override { return lastError_; }

    // Bytes from the simulated side, with a line error when they came with one.
    void deliver(const SimOutput& output);
    // The device disappears as a pulled-out adapter does: an i/o error, then the loss.
    void vanish();

    // The scanner's set-up: 8 data bits without parity (the reader's are 7 bits, or 8 with even
    // parity).
    static bool isScannerSetup(const PortSettings& settings);

private:
    std::shared_ptr<SimulatedReaderBench> bench_;
    bool open_ = false;
    bool isScanner_ = false;
    int lastError_ = 0;
};

} // namespace gw
