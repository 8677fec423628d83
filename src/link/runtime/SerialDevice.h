#pragma once

#include "link/LineErrors.h"
#include "link/PortSettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace gw {

// The byte-level device behind a link port: a serial port of the system, or an in-process
// implementation such as the simulated reader. Every call and signal happens on the thread that
// owns the device (the user-interface thread).
class SerialDevice : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~SerialDevice() override = default;

    // Opens the device with the settings. On failure the device stays closed and
    // lastSystemError() tells why.
    virtual bool open(const PortSettings& settings) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Hands the bytes to the device, unchanged; false when they could not be written.
    virtual bool write(const QByteArray& bytes) = 0;

    // Discards pending received and pending sent bytes.
    virtual void clearBuffers() = 0;

    // The system's error number of the last failed opening (0 when none is known).
    virtual int lastSystemError() const = 0;

signals:
    void bytesReceived(const QByteArray& bytes);
    void lineError(gw::LineErrors errors);
    // Something the operator should know that does not stop the device ("DTR cannot be set").
    void notice(const QString& text);
    // The device went away while open (an adapter pulled out, the far side of a terminal gone).
    // The port closes the device in answer.
    void lost(const QString& reason);
};

} // namespace gw
