#pragma once

#include "link/runtime/SerialDevice.h"

#include <QByteArray>
#include <optional>

namespace gw::testing {

// A device under test control: records what is written and the settings it was opened with, and
// lets the test deliver bytes, line errors and the loss of the device.
// No signals of its own, so it needs no meta-object of its own.
class FakeSerialDevice : public SerialDevice {
public:
    bool open(const PortSettings& settings) override {
        if (failWith != 0) {
            return false;
        }
        openedWith = settings;
        open_ = true;
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool write(const QByteArray& bytes) override {
        written += bytes;
        return open_;
    }
    void clearBuffers() override { ++clears; }
    int lastSystemError() const override { return failWith; }

    void deliver(const QByteArray& bytes) { emit bytesReceived(bytes); }
    void failLine(LineErrors errors) { emit lineError(errors); }
    void vanish(const QString& reason) { emit lost(reason); }

    int failWith = 0;
    std::optional<PortSettings> openedWith;
    QByteArray written;
    int clears = 0;

private:
    bool open_ = false;
};

} // namespace gw::testing
