#pragma once

#include "link/LineErrors.h"
#include "link/PacketSplitter.h"
#include "link/PortSettings.h"
#include "link/runtime/SerialDevice.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <string>

namespace gw {

class SettingsStore;

// One serial link of the console (the reader's or the scanner's): its settings, its device, its
// packet splitter and its events. All calls and signals are on the user-interface thread; a packet
// signal is handled completely before the next is emitted.
//
// Log lines go out through logLine() as texts beginning with ": "; the console adds the time.
class LinkPort : public QObject {
    Q_OBJECT

public:
    ~LinkPort() override;

    // Applies the settings and opens the device, then raises afterOpen(). Opening an open port
    // does nothing. On failure the port stays closed and openFailure() holds the message
    // "Unable to open com port (win error code: N)" for the operator.
    bool open();
    QString openFailure() const { return openFailure_; }

    // Stops reception, releases the device, raises afterClose(). Closing a closed port does
    // nothing.
    void close();
    bool isOpen() const { return open_; }

    // Sends the bytes unchanged, adding nothing; false when the port is closed or the write fails.
    bool write(const QByteArray& bytes);

    // Discards pending received and sent bytes, the splitter's partial packet included.
    void clearBuffers();

    const PortSettings& settings() const { return settings_; }
    // Takes effect at the next opening.
    void setSettings(const PortSettings& settings) { settings_ = settings; }

    // The groups this port writes to and reads from the settings store.
    SettingsGroups storedGroups() const { return storedGroups_; }
    void setStoredGroups(SettingsGroups groups) { storedGroups_ = groups; }

    // The port's own key component, "ComPort" or "ScannerComPort".
    const std::string& componentName() const { return componentName_; }

    // False when the store fails; report PortSettingsStorage::kStoreFailed / kLoadFailed.
    bool storeSettings(SettingsStore& store, const std::string& keyPath) const;
    bool loadSettings(SettingsStore& store, const std::string& keyPath);

    const PacketSplitter& splitter() const { return splitter_; }

signals:
    void beforeOpen();
    void afterOpen();
    void afterClose();
    void packetReceived(const QByteArray& packet);
    // Bytes the splitter could not place in a packet (only where the link reports them).
    void bytesDiscarded(const QByteArray& bytes);
    void lineErrorOccurred(gw::LineErrors errors);
    void logLine(const QString& text);
    // The device vanished under the open port; the port closes right after.
    void deviceLost();
    // Activity, for the indicator lamps.
    void receiving();
    void sending();

protected:
    LinkPort(std::string componentName, PortSettings defaults, QObject* parent);

    // The link's set-up before each opening (settings and splitter).
    virtual void prepareOpening() = 0;
    // The link's own steps after opening and closing, and its name in log lines.
    virtual void finishOpening() = 0;
    virtual void finishClosing() = 0;
    virtual QString logName() const = 0;

    PortSettings& mutableSettings() { return settings_; }
    // The framing; discarded bytes are reported by bytesDiscarded() only when asked for.
    void setFraming(SplitterConfig config, bool reportDiscards);

private:
    bool fail(int systemError);
    void provideDevice();
    void deliverPacket(const std::string& packet);
    void onBytesReceived(const QByteArray& bytes);
    void onLineError(LineErrors errors);
    void onNotice(const QString& text);
    void onLost(const QString& reason);

    std::string componentName_;
    PortSettings settings_;
    SettingsGroups storedGroups_;
    PacketSplitter splitter_;
    std::unique_ptr<SerialDevice> device_;
    std::string devicePortName_;
    QString openFailure_;
    bool reportDiscards_ = false;
    bool open_ = false;
};

} // namespace gw
