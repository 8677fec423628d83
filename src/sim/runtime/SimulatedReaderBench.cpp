#include "sim/runtime/SimulatedReaderBench.h"

#include "core/TimeScale.h"
#include "link/runtime/SerialDeviceFactory.h"
#include "sim/runtime/SimulatedReaderDevice.h"

#include <algorithm>
#include <cmath>

namespace gw {

namespace {

constexpr int kLongestTickMs = 50;

struct Installation {
    std::optional<SimOptions> options;
    std::shared_ptr<SimulatedReaderBench> bench;
};

Installation& installation() {
    static Installation current;
    return current;
}

} // namespace

SimulatedReaderBench::SimulatedReaderBench(const SimOptions& options, QObject* parent)
    : QObject(parent), reader_(options), scanner_(options.timeScale, options.faults.silentScanner) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SimulatedReaderBench::tick);
    clock_.start();
    nextLossMs_ = options.faults.portLossAtMs < 0 ? HUGE_VAL : options.faults.portLossAtMs;
}

SimulatedReaderBench::~SimulatedReaderBench() = default;

void SimulatedReaderBench::install(std::optional<SimOptions> options) {
    installation() = Installation{std::move(options), nullptr};
    SerialDeviceFactory::registerDevice(kPortName, [](const std::string&) {
        return std::make_unique<SimulatedReaderDevice>(shared());
    });
}

void SimulatedReaderBench::uninstall() {
    SerialDeviceFactory::unregisterDevice(kPortName);
    installation() = Installation{};
}

std::shared_ptr<SimulatedReaderBench> SimulatedReaderBench::shared() {
    Installation& current = installation();
    if (!current.bench) {
        SimOptions options;
        if (current.options) {
            options = *current.options;
        } else {
            options.timeScale = TimeScale::Factor();
        }
        current.bench = std::make_shared<SimulatedReaderBench>(options);
    }
    return current.bench;
}

bool SimulatedReaderBench::attach(SimulatedReaderDevice* device, bool scannerSide, bool eightBit) {
    SimulatedReaderDevice*& side = scannerSide ? scannerDevice_ : readerDevice_;
    if (side != nullptr && side != device) {
        return false;
    }
    catchUp();
    side = device;
    if (!scannerSide) {
        reader_.setEightBit(eightBit);
        if (!poweredOn_) {
            // The reader is switched on when the console first connects, so it hears the greeting.
            poweredOn_ = true;
            reader_.powerOn();
        }
    }
    schedule();
    return true;
}

void SimulatedReaderBench::detach(SimulatedReaderDevice* device) {
    if (readerDevice_ == device) {
        readerDevice_ = nullptr;
    }
    if (scannerDevice_ == device) {
        scannerDevice_ = nullptr;
    }
}

void SimulatedReaderBench::writeFrom(SimulatedReaderDevice* device, const QByteArray& bytes) {
    catchUp();
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (device == scannerDevice_) {
        scanner_.receive(text);
    } else if (lineGone_) {
        return;
    } else if (device == readerDevice_) {
        reader_.receive(text);
    }
    schedule();
}

void SimulatedReaderBench::catchUp() {
    if (delivering_) {
        // A handler wrote back while replies were being handed over: keep their order.
        return;
    }
    const double nowMs = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
    const double elapsed = nowMs - clockMs_;
    clockMs_ = nowMs;
    reader_.advance(elapsed);
    scanner_.advance(elapsed);
    followPortLoss();
    delivering_ = true;
    for (const SimOutput& output : reader_.takeOutput()) {
        if (readerDevice_ != nullptr && !lineGone_) {
            readerDevice_->deliver(output);
        }
    }
    for (const SimOutput& output : scanner_.takeOutput()) {
        if (scannerDevice_ != nullptr) {
            scannerDevice_->deliver(output);
        }
    }
    delivering_ = false;
}

bool SimulatedReaderBench::readerLineGone() {
    catchUp();
    return lineGone_;
}

// The reader keeps measuring while its line is gone; what it sends meanwhile is lost.
void SimulatedReaderBench::followPortLoss() {
    const SimFaults& faults = reader_.options().faults;
    const double nowMs = reader_.nowMs();
    if (lineGone_) {
        lineGone_ = nowMs < lineBackMs_;
        return;
    }
    if (nowMs < nextLossMs_) {
        return;
    }
    lineGone_ = true;
    ++portLosses_;
    lineBackMs_ = nowMs + faults.portLossForMs;
    nextLossMs_ = faults.portLossEveryMs > 0 ? nowMs + faults.portLossEveryMs : HUGE_VAL;
    if (readerDevice_ != nullptr) {
        readerDevice_->vanish();
    }
}

void SimulatedReaderBench::tick() {
    catchUp();
    schedule();
}

void SimulatedReaderBench::schedule() {
    if (!poweredOn_ && scannerDevice_ == nullptr) {
        return;
    }
    const double next = std::min(reader_.nextOutputMs() - reader_.nowMs(),
                                 scanner_.nextOutputMs() - scanner_.nowMs());
    const int waitMs = std::isfinite(next)
                           ? std::clamp(static_cast<int>(std::ceil(next)), 1, kLongestTickMs)
                           : kLongestTickMs;
    timer_.start(waitMs);
}

} // namespace gw
