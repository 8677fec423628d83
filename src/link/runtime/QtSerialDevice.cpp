#include "link/runtime/QtSerialDevice.h"

#include "platform/DeviceProbe.h"

#include <cerrno>

namespace gw {

namespace {

QSerialPort::DataBits qtDataBits(DataBits bits) {
    switch (bits) {
    case DataBits::Five:
        return QSerialPort::Data5;
    case DataBits::Six:
        return QSerialPort::Data6;
    case DataBits::Seven:
        return QSerialPort::Data7;
    case DataBits::Eight:
        break;
    }
    return QSerialPort::Data8;
}

QSerialPort::StopBits qtStopBits(StopBits bits) {
    switch (bits) {
    case StopBits::OneAndHalf:
        return QSerialPort::OneAndHalfStop;
    case StopBits::Two:
        return QSerialPort::TwoStop;
    case StopBits::One:
        break;
    }
    return QSerialPort::OneStop;
}

QSerialPort::Parity qtParity(Parity parity) {
    switch (parity) {
    case Parity::Odd:
        return QSerialPort::OddParity;
    case Parity::Even:
        return QSerialPort::EvenParity;
    case Parity::Mark:
        return QSerialPort::MarkParity;
    case Parity::Space:
        return QSerialPort::SpaceParity;
    case Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

// The serial library offers the two named set-ups; any other combination runs without handshake
// and drives DTR and RTS as configured.
QSerialPort::FlowControl qtFlowControl(const PortSettings& settings) {
    switch (settings.flowControl()) {
    case FlowControl::Hardware:
        return QSerialPort::HardwareControl;
    case FlowControl::Software:
        return QSerialPort::SoftwareControl;
    default:
        return QSerialPort::NoFlowControl;
    }
}

} // namespace

QtSerialDevice::QtSerialDevice(QObject* parent) : SerialDevice(parent) {
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialDevice::onReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialDevice::onError);
}

bool QtSerialDevice::open(const PortSettings& settings) {
    lastSystemError_ = 0;
    lostReported_ = false;
    port_.setPortName(QString::fromStdString(settings.portName));
    applyLineSettings(settings);
    if (!port_.open(QIODevice::ReadWrite)) {
        lastSystemError_ = openErrorNumber();
        port_.clearError();
        return false;
    }
    // Some rates or line settings are only checked once the device is open.
    if (port_.error() != QSerialPort::NoError) {
        emit notice(port_.errorString());
        port_.clearError();
    }
    applyModemLines(settings);
    return true;
}

void QtSerialDevice::applyLineSettings(const PortSettings& settings) {
    port_.setBaudRate(settings.bitsPerSecond());
    port_.setDataBits(qtDataBits(settings.dataBits));
    port_.setStopBits(qtStopBits(settings.stopBits));
    port_.setParity(qtParity(settings.parity));
    port_.setFlowControl(qtFlowControl(settings));
}

// A pseudo-terminal or a plain adapter may have no modem-control lines: that is reported once and
// the port works on without them.
void QtSerialDevice::applyModemLines(const PortSettings& settings) {
    bool linesSet = port_.setDataTerminalReady(settings.controlDtr != LineControl::Disable);
    if (settings.flowControl() != FlowControl::Hardware) {
        linesSet = port_.setRequestToSend(settings.controlRts == LineControl::Enable) && linesSet;
    }
    if (!linesSet) {
        emit notice(QStringLiteral("DTR/RTS cannot be set on %1 (%2), going on without them")
                        .arg(port_.portName(), port_.errorString()));
        port_.clearError();
    }
}

int QtSerialDevice::openErrorNumber() const {
    if (const int probed = platform::deviceOpenError(port_.portName().toStdString())) {
        return probed;
    }
    // The device itself opens, so something else stood in the way (a lock held by another program).
    switch (port_.error()) {
    case QSerialPort::DeviceNotFoundError:
        return ENOENT;
    case QSerialPort::PermissionError:
        return EBUSY;
    default:
        return EIO;
    }
}

void QtSerialDevice::close() {
    if (port_.isOpen()) {
        port_.close();
    }
    port_.clearError();
}

bool QtSerialDevice::isOpen() const {
    return port_.isOpen();
}

bool QtSerialDevice::write(const QByteArray& bytes) {
    if (!port_.isOpen()) {
        return false;
    }
    if (port_.write(bytes) != bytes.size()) {
        return false;
    }
    port_.flush();
    return true;
}

void QtSerialDevice::clearBuffers() {
    if (port_.isOpen()) {
        port_.clear(QSerialPort::AllDirections);
        port_.readAll();
    }
}

void QtSerialDevice::onReadyRead() {
    const QByteArray bytes = port_.readAll();
    if (!bytes.isEmpty()) {
        emit bytesReceived(bytes);
    }
}

void QtSerialDevice::onError(QSerialPort::SerialPortError error) {
    if (!port_.isOpen() || lostReported_) {
        return;
    }
    // A device that can no longer be read or written is gone (an adapter pulled out, the far side
    // of a pseudo-terminal closed); the error would repeat at every event, so it is reported once.
    QString reason;
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::DeviceNotFoundError:
        reason = QStringLiteral("the device is no longer available");
        break;
    case QSerialPort::ReadError:
        reason = QStringLiteral("the device cannot be read");
        break;
    case QSerialPort::WriteError:
        reason = QStringLiteral("the device cannot be written");
        break;
    default:
        // Set-up errors are reported by open() itself.
        return;
    }
    lostReported_ = true;
    emit lineError(LineError::InputOutput);
    emit lost(reason);
}

} // namespace gw
