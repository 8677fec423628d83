#include "link/runtime/LinkPorts.h"

namespace gw {

LinkPorts::LinkPorts(QObject* parent) : QObject(parent) {
    connect(&reader_, &LinkPort::lineErrorOccurred, this,
            [this](LineErrors) { emit readerErrorPendingSet(true); });
    connect(&scanner_, &LinkPort::lineErrorOccurred, this,
            [this](LineErrors) { emit readerErrorPendingSet(false); });
    connect(&reader_, &LinkPort::afterClose, this, [this] { emit readerErrorPendingSet(false); });
    connect(&reader_, &LinkPort::logLine, this, &LinkPorts::logLine);
    connect(&scanner_, &LinkPort::logLine, this, &LinkPorts::logLine);
}

bool LinkPorts::loadSettings(SettingsStore& store) {
    const bool readerLoaded = reader_.loadSettings(store, ReaderPort::kSettingsKey);
    const bool scannerLoaded = scanner_.loadSettings(store, ScannerPort::kSettingsKey);
    return readerLoaded && scannerLoaded;
}

} // namespace gw
