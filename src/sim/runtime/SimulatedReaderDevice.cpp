#include "sim/runtime/SimulatedReaderDevice.h"

#include "sim/runtime/SimulatedReaderBench.h"

#include <cerrno>

namespace gw {

SimulatedReaderDevice::SimulatedReaderDevice(std::shared_ptr<SimulatedReaderBench> bench,
                                             QObject* parent)
    : SerialDevice(parent), bench_(std::move(bench)) {}

SimulatedReaderDevice::~SimulatedReaderDevice() {
    close();
}

bool SimulatedReaderDevice::isScannerSetup(const PortSettings& settings) {
    return settings.dataBits == DataBits::Eight && settings.parity == Parity::None;
}

bool SimulatedReaderDevice::open(const PortSettings& settings) {
    if (open_) {
        return true;
    }
    const bool scanner = isScannerSetup(settings);
    const bool eightBit = settings.dataBits == DataBits::Eight && settings.parity == Parity::Even;
    if (!scanner && bench_->readerLineGone()) {
        lastError_ = ENOENT;
        return false;
    }
    if (!bench_->attach(this, scanner, eightBit)) {
        lastError_ = EBUSY;
        return false;
    }
    lastError_ = 0;
    open_ = true;
    isScanner_ = scanner;
    return true;
}

void SimulatedReaderDevice::close() {
    if (open_) {
        open_ = false;
        bench_->detach(this);
    }
}

bool SimulatedReaderDevice::write(const QByteArray& bytes) {
    if (!open_ || (!isScanner_ && bench_->readerLineGone())) {
        return false;
    }
    bench_->writeFrom(this, bytes);
    return true;
}

void SimulatedReaderDevice::vanish() {
    if (!open_) {
        return;
    }
    emit lineError(LineErrors(LineError::InputOutput));
    emit lost(QStringLiteral("the device is no longer available"));
}

void SimulatedReaderDevice::deliver(const SimOutput& output) {
    if (!open_) {
        return;
    }
    if (output.lineError) {
        emit lineError(LineErrors(LineError::Parity));
    }
    emit bytesReceived(
        QByteArray(output.bytes.data(), static_cast<qsizetype>(output.bytes.size())));
}

} // namespace gw
