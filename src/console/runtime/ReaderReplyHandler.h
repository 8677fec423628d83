#pragma once

#include "link/LogLine.h"
#include "link/ReaderPacket.h"

#include <QObject>
#include <QTimer>
#include <string>

namespace gw {

class Console;

// The reply parser on the user-interface thread: every packet of the reader port's splitter comes
// here, one at a time. It keeps ReplyEvent clear while a packet is handled, writes the log lines,
// follows a reader model named by an identification text, refreshes the panels and runs the
// engine's per-reply steps after each decoded status reply, and resets the port after a garbled
// one. The decisions themselves are InterpretReaderPacket's.
class ReaderReplyHandler : public QObject {
    Q_OBJECT

public:
    // A garbled reply not followed by another packet within this time closes the reader port...
    static constexpr int RecoveryGraceMs = 100;
    // ...for this long, before it is opened again.
    static constexpr int RecoveryClosedMs = 300;

    explicit ReaderReplyHandler(Console& console, QObject* parent = nullptr);

    void OnReaderPacket(const std::string& packet);
    // Bytes the 7-bit splitter could not place in a packet.
    void OnReaderDiscard(const std::string& bytes);

    const QTimer& RecoveryTimer() const { return recoveryTimer_; }

private:
    void handleDecodedReply(const PacketOutcome& outcome);
    void startRecovery();
    void onRecoveryTimer();
    void onReaderClosed();

    Console& console_;
    QTimer recoveryTimer_;
    bool closingForRecovery_ = false;
};

} // namespace gw
