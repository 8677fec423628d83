#pragma once

#include "core/ManualResetEvent.h"
#include "engine/DataTakePlan.h"
#include "engine/TDataType.h"
#include "link/Command.h"
#include "link/ReaderState.h"

#include <QObject>
#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace gw {

class Console;
class MeasurementEngine;

// Prepares the reader for the operation in CurrentOperation and starts it: sample temperature
// and halogen lamp, cool-down, platter move, laser scanner aim, the one measurement command; then
// it marks the acquisition as running and ends. Every command, log line, watch and window update
// goes through one synchronous call to the user-interface thread; the thread itself only waits.
// After an abort it sends nothing more, cuts its waits short and ends.
//
// The synchronous call is MeasurementEngine::runOnMain: a blocking hand-over made over a
// standard mutex, which ThreadSanitizer understands (Qt's queued blocking call it cannot see).
class TDataTakeThread : public QObject {
    Q_OBJECT

public:
    // `operation` is copied: the thread works from the record as its starter left it.
    TDataTakeThread(MeasurementEngine& engine, Console& console, const TDataType& operation,
                    const DataTakeSettings& settings, unsigned abortGeneration);

    // Joins the thread when it has not returned yet.
    ~TDataTakeThread() override;

    // Runs Execute on a thread of its own; finished() follows when it returns.
    void start();
    // Waits until the thread has returned (soon, once doneWithConsole() or returned() holds).
    void join();
    bool returned() const { return returned_.load(); }

    // Ends the thread's waits at once; it then returns without sending anything more.
    void requestStop();

    // True once the thread has made its last call to the user-interface thread: it is only
    // returning, so the user-interface thread may wait for it.
    bool doneWithConsole() const { return doneWithConsole_.load(); }
    // The termination handler has run for this thread.
    bool terminationHandled = false;

    // 1 for every thread the console creates.
    std::uint8_t RunOperation = 1;

signals:
    // Emitted by the thread as its last act; handled on the user-interface thread.
    void finished();

private:
    void Execute();
    bool runSteps();
    bool prepareReader();
    bool setLampAndTemperature();
    bool coolDown();
    bool moveBack();
    bool moveToTarget();
    bool scannerStep(const std::string& name, const Command& command, int timeoutMs);
    bool startMeasurement();
    void finishOnMain();

    bool onMain(const std::function<void()>& fn);
    bool stopped() const;
    bool send(const Command& command);
    void log(const std::string& text);
    void showStatus(const std::string& text);
    ReaderState readerNow();

    WaitResult waitFor(ManualResetEvent& event, int nominalMs);
    WaitResult waitForWatch(int nominalMs);
    WaitResult pause(int nominalMs);
    bool watchPattern(const std::function<void()>& setUp, int nominalMs,
                      const std::string& watchdog);
    void logWatchdog(const std::string& name, WaitResult result);
    void logPosition();

    MeasurementEngine& engine_;
    Console& console_;
    const TDataType op_;
    const DataTakeSettings settings_;
    const unsigned generation_;
    ManualResetEvent stopEvent_{false};
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> doneWithConsole_{false};
    std::atomic<bool> returned_{false};
    std::thread thread_;
};

} // namespace gw
