#include "link/runtime/ReaderPort.h"

#include "link/LinkSetup.h"

namespace gw {

ReaderPort::ReaderPort(QObject* parent)
    : LinkPort(kComponentName, PortSettings::readerDefaults(), parent) {
    setStoredGroups({.basic = true, .parity = true});
    setFraming(link_setup::readerSplitter(false), true);
}

void ReaderPort::setEightBitMode(bool on) {
    if (on != eightBitMode_) {
        eightBitMode_ = on;
        emit eightBitModeChanged(on);
    }
}

void ReaderPort::prepareOpening() {
    link_setup::applyReaderMode(mutableSettings(), eightBitMode_);
    // In 7-bit mode stray bytes are logged; in 8-bit mode they are dropped silently.
    setFraming(link_setup::readerSplitter(eightBitMode_), !eightBitMode_);
}

void ReaderPort::finishOpening() {
    setEightBitMode(link_setup::isEightBitSetup(settings()));
    clearBuffers();
    emit logLine(QStringLiteral(": Reader COM port opened"));
}

void ReaderPort::finishClosing() {
    emit logLine(QStringLiteral(": Reader COM port closed"));
}

} // namespace gw
