#pragma once

#include "link/runtime/LinkPort.h"

namespace gw {

// The laser scanner's link (`ScannerComPort`): lines ended by CR LF, delivered with it.
class ScannerPort : public LinkPort {
    Q_OBJECT

public:
    static constexpr const char* kComponentName = "ScannerComPort";
    static constexpr const char* kSettingsKey =
        "HKEY_LOCAL_MACHINE\\Software\\Ostvane\\Glimwerk Console\\Scanner";

    explicit ScannerPort(QObject* parent = nullptr);

protected:
    void prepareOpening() override;
    void finishOpening() override;
    void finishClosing() override;
    QString logName() const override { return QStringLiteral("Scanner"); }
};

} // namespace gw
