#include "link/runtime/LinkPort.h"

#include "link/PortSettingsStorage.h"
#include "link/runtime/SerialDeviceFactory.h"
#include "platform/DeviceProbe.h"

namespace gw {

LinkPort::LinkPort(std::string componentName, PortSettings defaults, QObject* parent)
    : QObject(parent), componentName_(std::move(componentName)), settings_(std::move(defaults)) {
    splitter_.setPacketHandler([this](const std::string& packet) { deliverPacket(packet); });
    splitter_.setDiscardHandler([this](const std::string& bytes) {
        if (reportDiscards_) {
            emit bytesDiscarded(QByteArray::fromStdString(bytes));
        }
    });
}

LinkPort::~LinkPort() {
    if (device_) {
        device_->disconnect(this);
        device_->close();
    }
}

void LinkPort::setFraming(SplitterConfig config, bool reportDiscards) {
    splitter_.setConfig(std::move(config));
    reportDiscards_ = reportDiscards;
}

bool LinkPort::open() {
    if (isOpen()) {
        return true;
    }
    openFailure_.clear();
    emit beforeOpen();
    prepareOpening();
    if (settings_.portName.empty()) {
        return fail(platform::noSuchDeviceError());
    }
    provideDevice();
    if (!device_->open(settings_)) {
        return fail(device_->lastSystemError());
    }
    open_ = true;
    finishOpening();
    emit afterOpen();
    return true;
}

bool LinkPort::fail(int systemError) {
    openFailure_ = QStringLiteral("Unable to open com port (win error code: %1)").arg(systemError);
    return false;
}

// The device is made anew only when the port name changed. The old one may still be emitting the
// signal whose handler reopened the port, so it is released once that has returned.
void LinkPort::provideDevice() {
    if (device_ && devicePortName_ == settings_.portName) {
        return;
    }
    if (device_) {
        device_->disconnect(this);
        device_.release()->deleteLater();
    }
    device_ = SerialDeviceFactory::create(settings_.portName);
    devicePortName_ = settings_.portName;
    connect(device_.get(), &SerialDevice::bytesReceived, this, &LinkPort::onBytesReceived);
    connect(device_.get(), &SerialDevice::lineError, this, &LinkPort::onLineError);
    connect(device_.get(), &SerialDevice::notice, this, &LinkPort::onNotice);
    connect(device_.get(), &SerialDevice::lost, this, &LinkPort::onLost);
}

void LinkPort::close() {
    if (!isOpen()) {
        return;
    }
    open_ = false;
    device_->close();
    finishClosing();
    emit afterClose();
}

bool LinkPort::write(const QByteArray& bytes) {
    if (!isOpen()) {
        return false;
    }
    emit sending();
    return device_->write(bytes);
}

void LinkPort::clearBuffers() {
    if (device_) {
        device_->clearBuffers();
    }
    splitter_.clear();
}

bool LinkPort::storeSettings(SettingsStore& store, const std::string& keyPath) const {
    return PortSettingsStorage(store).store(keyPath, componentName_, settings_, storedGroups_);
}

bool LinkPort::loadSettings(SettingsStore& store, const std::string& keyPath) {
    return PortSettingsStorage(store).load(keyPath, componentName_, settings_, storedGroups_);
}

void LinkPort::onBytesReceived(const QByteArray& bytes) {
    emit receiving();
    std::string received = bytes.toStdString();
    if (settings_.discardNull) {
        std::erase(received, '\0');
    }
    splitter_.feed(received);
}

void LinkPort::deliverPacket(const std::string& packet) {
    // A handler may close the port; what was still in the same read is not delivered then.
    if (isOpen()) {
        emit packetReceived(QByteArray::fromStdString(packet));
    }
}

void LinkPort::onLineError(LineErrors errors) {
    emit lineErrorOccurred(errors);
    emit logLine(QStringLiteral(": %1 COM error - %2")
                     .arg(logName(), QString::fromStdString(errors.words())));
}

void LinkPort::onNotice(const QString& text) {
    emit logLine(QStringLiteral(": %1 COM port - %2").arg(logName(), text));
}

// The device vanished under the open port: say so, then close the port as "Close port" does, once
// the device's own signal has returned.
void LinkPort::onLost(const QString& reason) {
    emit logLine(QStringLiteral(": %1 COM port lost - %2").arg(logName(), reason));
    emit deviceLost();
    QMetaObject::invokeMethod(this, &LinkPort::close, Qt::QueuedConnection);
}

} // namespace gw
