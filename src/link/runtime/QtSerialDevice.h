#pragma once

#include "link/runtime/SerialDevice.h"

#include <QSerialPort>

namespace gw {

// A serial port of the system, through QSerialPort. Reception runs on the owning thread's event
// loop (readyRead), so every byte reaches the port on the user-interface thread.
class QtSerialDevice : public SerialDevice {
    Q_OBJECT

public:
    explicit QtSerialDevice(QObject* parent = nullptr);

    bool open(const PortSettings& settings) override;
    void close() override;
    bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    void clearBuffers() override;
    int lastSystemError() const override { return lastSystemError_; }

private:
    void applyLineSettings(const PortSettings& settings);
    void applyModemLines(const PortSettings& settings);
    int openErrorNumber() const;
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    int lastSystemError_ = 0;
    bool lostReported_ = false;
};

} // namespace gw
