#pragma once

#include "sim/SimOptions.h"
#include "sim/SimReader.h"
#include "sim/SimScanner.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

namespace gw {

class SimulatedReaderDevice;

// The simulated reader and laser scanner of this process, running in real time at the time scale
// and driven by a timer on the user-interface thread. The port name "sim" reaches it: the device
// opened with the reader's framing talks to the reader, the one opened with the scanner's (8 data
// bits, no parity) to the scanner. The reader keeps its state while its port is closed, as a real
// reader would; what it sends meanwhile is lost.
class SimulatedReaderBench : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kPortName = "sim";

    explicit SimulatedReaderBench(const SimOptions& options, QObject* parent = nullptr);
    ~SimulatedReaderBench() override;

    // Registers the port name "sim". Without options the bench is built at the first opening
    // with the defaults and the console's time scale of that moment.
    static void install(std::optional<SimOptions> options = std::nullopt);
    static void uninstall();
    // The bench the next "sim" device will use (built now when it does not exist yet).
    static std::shared_ptr<SimulatedReaderBench> shared();

    SimReader& reader() { return reader_; }
    SimScanner& scanner() { return scanner_; }

    // False when that side is already taken by another open device.
    bool attach(SimulatedReaderDevice* device, bool scannerSide, bool eightBit);
    void detach(SimulatedReaderDevice* device);

    void writeFrom(SimulatedReaderDevice* device, const QByteArray& bytes);

    // The reader's line is gone (its port vanished, as the fault injection asks); nothing passes
    // and the port cannot be opened until it is back.
    bool readerLineGone();
    int portLosses() const { return portLosses_; }

private:
    void tick();
    void catchUp();
    void schedule();
    void followPortLoss();

    SimReader reader_;
    SimScanner scanner_;
    QTimer timer_;
    QElapsedTimer clock_;
    double clockMs_ = 0.0;
    bool poweredOn_ = false;
    bool delivering_ = false;
    SimulatedReaderDevice* readerDevice_ = nullptr;
    SimulatedReaderDevice* scannerDevice_ = nullptr;
    bool lineGone_ = false;
    double lineBackMs_ = 0.0;
    double nextLossMs_ = 0.0;
    int portLosses_ = 0;
};

} // namespace gw
