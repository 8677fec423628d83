#pragma once

#include "console/LogFileSink.h"
#include "console/MainFormHooks.h"
#include "console/runtime/Console.h"
#include "core/LogClock.h"
#include "core/MemorySettingsStore.h"
#include "core/ScriptedPrompter.h"
#include "link/runtime/SerialDevice.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace gw::testing {

// Records what start-up and the system-type selection asked of the windows.
class RecordingHooks : public MainFormHooks {
public:
    std::vector<int> checkedItems;
    std::vector<std::string> captions;
    std::vector<int> layouts;
    std::string readerLabel;
    std::vector<std::string> steps;
    std::optional<bool> scannerMenuVisible;

    void setReaderLabel(const std::string& text) override { readerLabel = text; }
    void checkSystemTypeItem(int type) override { checkedItems.push_back(type); }
    void setCaption(const std::string& caption) override { captions.push_back(caption); }
    void layOutPanels(int type) override { layouts.push_back(type); }
    void loadCommandHelp() override { steps.push_back("help"); }
    void showFirstHelpTopic() override { steps.push_back("topic 0"); }
    void endDumpReplay() override { steps.push_back("replay off"); }
    void resetAcquisition() override { steps.push_back("acquisition"); }
    void setScannerMenuVisible(bool visible) override { scannerMenuVisible = visible; }
    void selectAllHoles() override { steps.push_back("holes"); }
    void fillWelcomePanel() override { steps.push_back("welcome"); }
};

class MemoryLogFileSink : public LogFileSink {
public:
    std::map<std::string, std::string> files;
    bool appendText(const std::string& path, const std::string& text) override {
        files[path] += text;
        return true;
    }
    bool replaceText(const std::string& path, const std::string& text) override {
        files[path] = text;
        return true;
    }
};

// A serial device that opens at once and keeps what is written to it.
class FakeSerialDevice : public SerialDevice {
public:
    static inline int opened = 0;
    static inline std::vector<QByteArray> written;

    bool open(const PortSettings&) override {
        ++opened;
        open_ = true;
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool write(const QByteArray& bytes) override {
        written.push_back(bytes);
        return true;
    }
    void clearBuffers() override {}
    int lastSystemError() const override { return 0; }

private:
    bool open_ = false;
};

// Runs the event loop until the condition holds or two seconds have passed.
inline bool ProcessEventsUntil(const std::function<bool()>& condition) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition() && elapsed.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return condition();
}

// A console over in-memory settings, scripted answers, a fixed clock and log files in memory.
struct ConsoleUnderTest {
    MemorySettingsStore store;
    ScriptedPrompter prompter;
    FixedLogClock clock{"09:30:00"};
    MemoryLogFileSink logFiles;
    Console console{store, prompter, clock, logFiles};
};

} // namespace gw::testing
