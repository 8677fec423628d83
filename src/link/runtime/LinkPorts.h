#pragma once

#include "link/LineErrors.h"
#include "link/runtime/ReaderPort.h"
#include "link/runtime/ScannerPort.h"

#include <QObject>
#include <QString>

namespace gw {

class SettingsStore;

// The console's two links, the reader's and the scanner's, and what they do to the
// pending-reader-error flag (`ReaderErrorPending` of the reply parser's state): a line error on the
// reader port sets it, one on the scanner port clears it, and closing the reader port clears it;
// readerErrorPendingSet() tells the flag's owner the new value. The log lines of both ports come
// out of logLine().
class LinkPorts : public QObject {
    Q_OBJECT

public:
    explicit LinkPorts(QObject* parent = nullptr);

    ReaderPort& reader() { return reader_; }
    ScannerPort& scanner() { return scanner_; }
    const ReaderPort& reader() const { return reader_; }
    const ScannerPort& scanner() const { return scanner_; }

    // Restores both ports from their keys; false when either load failed (the other is still
    // loaded).
    bool loadSettings(SettingsStore& store);

signals:
    void logLine(const QString& text);
    void readerErrorPendingSet(bool pending);

private:
    ReaderPort reader_;
    ScannerPort scanner_;
};

} // namespace gw
