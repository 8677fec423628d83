#include "console/runtime/ReaderReplyHandler.h"

#include "console/MainFormHooks.h"
#include "console/runtime/Console.h"
#include "core/Prompter.h"
#include "core/TimeScale.h"
#include "platform/Windows1252.h"

namespace gw {

ReaderReplyHandler::ReaderReplyHandler(Console& console, QObject* parent)
    : QObject(parent), console_(console) {
    connect(&recoveryTimer_, &QTimer::timeout, this, &ReaderReplyHandler::onRecoveryTimer);
    connect(&console_.ports.reader(), &LinkPort::afterClose, this,
            &ReaderReplyHandler::onReaderClosed);
}

void ReaderReplyHandler::OnReaderPacket(const std::string& packet) {
    console_.ReplyEvent.Reset();
    const PacketOutcome outcome = InterpretReaderPacket(packet, console_.EightBitMode(),
                                                        console_.linkState, console_.readerState);
    if (outcome.extraLongLine) {
        console_.AppendLine(*outcome.extraLongLine);
    }
    switch (outcome.kind) {
    case PacketKind::Empty:
        break; // a lone CR carries nothing worth a line
    case PacketKind::TextReply:
        // An identification has switched the decoding already; the check mark, the caption and
        // the panel places stay until the operator chooses the type in the System menu.
        console_.AppendLines(outcome.logLines);
        break;
    case PacketKind::ComError:
        console_.AppendLines(outcome.logLines);
        break;
    case PacketKind::PostError:
        startRecovery();
        console_.AppendLines(outcome.logLines);
        break;
    case PacketKind::StatusReply:
        handleDecodedReply(outcome);
        break;
    }
    // After a decoded reply the engine's steps have set it already, before calling a finisher.
    console_.ReplyEvent.Set();
}

void ReaderReplyHandler::OnReaderDiscard(const std::string& bytes) {
    console_.AppendLine(ReaderDiscardLine(bytes));
}

void ReaderReplyHandler::handleDecodedReply(const PacketOutcome& outcome) {
    console_.hooks().RefreshPanels();
    console_.log().ApplyLogCapacity();
    console_.AppendLines(outcome.logLines);
    // A copy: the steps may install other steps.
    if (const Console::Slot steps = console_.PerReplySteps) {
        steps();
    }
}

void ReaderReplyHandler::startRecovery() {
    recoveryTimer_.setInterval(TimeScale::TimerMs(RecoveryGraceMs));
    recoveryTimer_.start();
}

void ReaderReplyHandler::onRecoveryTimer() {
    ReaderPort& reader = console_.ports.reader();
    if (console_.linkState.ReaderErrorPending) {
        recoveryTimer_.setInterval(TimeScale::TimerMs(RecoveryClosedMs));
        closingForRecovery_ = true;
        reader.close();
        closingForRecovery_ = false;
        console_.linkState.ReaderErrorPending = false; // also when the port was closed already
        console_.prompter().beep();
        return;
    }
    recoveryTimer_.stop();
    if (!reader.isOpen() && !reader.open()) {
        console_.AppendLog(": Reader COM port not reopened - " +
                           ToWindows1252(reader.openFailure()));
        // The device is gone as if it had vanished under the open port: a measurement under way
        // would otherwise wait for replies that cannot come, and nobody would open it again.
        emit reader.deviceLost();
    }
}

// Closed by the operator, by a vanished device or by a replay: nothing reopens it behind their
// back.
void ReaderReplyHandler::onReaderClosed() {
    if (!closingForRecovery_) {
        recoveryTimer_.stop();
    }
}

} // namespace gw
