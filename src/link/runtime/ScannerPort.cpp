#include "link/runtime/ScannerPort.h"

#include "link/LinkSetup.h"

namespace gw {

ScannerPort::ScannerPort(QObject* parent)
    : LinkPort(kComponentName, PortSettings::scannerDefaults(), parent) {
    setStoredGroups({.basic = true, .parity = false});
    setFraming(link_setup::scannerSplitter(), false);
}

void ScannerPort::prepareOpening() {
    setFraming(link_setup::scannerSplitter(), false);
}

void ScannerPort::finishOpening() {
    clearBuffers();
    emit logLine(QStringLiteral(": Scanner COM port open"));
}

void ScannerPort::finishClosing() {
    emit logLine(QStringLiteral(": Scanner COM port closed"));
}

} // namespace gw
