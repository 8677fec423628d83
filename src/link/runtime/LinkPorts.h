#pragma once

#include "link/LineErrors.h"
#include "link/runtime/ReaderPort.h"
#include "link/runtime/ScannerPort.h"

#include <QObject>
#include <QString>

namespace gw {

class SettingsStore;

// The console's two links, the reader's and the scanner's, with the state they share: the
// pending-reader-error flag (`ReaderErrorPending`), which a line error on the reader port sets and
// one on the scanner port clears, and which closing the reader port clears. The log lines of both
// ports come out of logLine().
class LinkPorts : public QObject {
    Q_OBJECT

public:
    explicit LinkPorts(QObject* parent = nullptr);

    ReaderPort& reader() { return reader_; }
    ScannerPort& scanner() { return scanner_; }
    const ReaderPort& reader() const { return reader_; }
    const ScannerPort& scanner() const { return scanner_; }

    bool readerErrorPending() const { return readerErrorPending_; }
    // The reply parser sets it for a garbled reply and clears it with the next status reply.
    void setReaderErrorPending(bool pending) { readerErrorPending_ = pending; }

    // Restores both ports from their keys; false when either load failed (the other is still
    // loaded).
    bool loadSettings(SettingsStore& store);

signals:
    void logLine(const QString& text);

private:
    ReaderPort reader_;
    ScannerPort scanner_;
    bool readerErrorPending_ = false;
};

} // namespace gw
