#pragma once

#include "link/runtime/LinkPort.h"

namespace gw {

// The reader's link (`ComPort`). Before each opening the transmission mode sets data bits,
// parity, stop bits, null discarding and the framing; after opening the mode follows the settings
// actually applied.
class ReaderPort : public LinkPort {
    Q_OBJECT

public:
    static constexpr const char* kComponentName = "ComPort";
    static constexpr const char* kSettingsKey =
        "HKEY_LOCAL_MACHINE\\Software\\Ostvane\\Glimwerk Console\\Reader";

    explicit ReaderPort(QObject* parent = nullptr);

    // `EightBitMode`: 7-bit text lines (off) or 8-bit frames (on).
    bool eightBitMode() const { return eightBitMode_; }
    void setEightBitMode(bool on);

signals:
    void eightBitModeChanged(bool on);

protected:
    void prepareOpening() override;
    void finishOpening() override;
    void finishClosing() override;
    QString logName() const override { return QStringLiteral("Reader"); }

private:
    bool eightBitMode_ = false;
};

} // namespace gw
