#pragma once

#include "console/LogFileSink.h"
#include "console/runtime/Console.h"
#include "core/LogClock.h"
#include "core/MemorySettingsStore.h"
#include "core/ScriptedPrompter.h"
#include "core/TimeScale.h"
#include "engine/LampSwitch.h"
#include "engine/LiveGraphView.h"
#include "engine/runtime/MeasurementEngine.h"
#include "link/ReaderPacket.h"
#include "link/runtime/ReaderPort.h"
#include "link/runtime/ScannerPort.h"
#include "sim/runtime/SimulatedReaderBench.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace gw::testing {

class MemoryLogSink : public LogFileSink {
public:
    bool appendText(const std::string&, const std::string&) override { return true; }
    bool replaceText(const std::string&, const std::string&) override { return true; }
};

// A lamp switch that records what was done to it.
class RecordingLampSwitch : public LampSwitch {
public:
    bool available() const override { return present; }
    void SelectPortBase(int base, std::uint8_t configuration) override {
        actions.push_back("base " + std::to_string(base) + " " + std::to_string(configuration));
    }
    bool LampIsOn() override { return on; }
    void SwitchLamp(bool value) override {
        on = value;
        actions.push_back(value ? "on" : "off");
    }

    bool present = true;
    bool on = false;
    std::vector<std::string> actions;
};

// Records the graph set-ups and status texts.
class RecordingGraph : public LiveGraphView {
public:
    void showStatus(const std::string& text) override { statuses.push_back(text); }
    void setUpGraph(const GraphSetup& setup) override {
        setups.push_back(setup);
        tl = setup.showsTL;
    }
    bool showsTL() const override { return tl; }
    void addCurvePoint(int, double, double) override { ++curvePoints; }

    std::vector<std::string> statuses;
    std::vector<GraphSetup> setups;
    bool tl = false;
    int curvePoints = 0;
};

// Runs the event loop until the condition holds or the (real) time is up.
inline bool RunUntil(const std::function<bool()>& condition, int realMs = 30000) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition() && elapsed.elapsed() < realMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return condition();
}

// A console on the in-process simulated reader with the measurement engine, a minimal reply
// handler (decode, log, the engine's per-reply hook) and a finisher in the manner of the
// single-operation finishers: closing command, point check, record kept.
class EngineHarness {
public:
    static constexpr double Scale = 0.01;

    explicit EngineHarness(SimOptions options) : scale_(Scale) {
        options.timeScale = Scale;
        SimulatedReaderBench::install(options);
        console.setSystemType(options.systemType);
        console.profile.Profile.ReaderType = std::int16_t(options.systemType);
        engine.setView(&graph);
        PortSettings settings = console.ports.reader().settings();
        settings.portName = "sim";
        console.ports.reader().setSettings(settings);
        settings = console.ports.scanner().settings();
        settings.portName = "sim";
        console.ports.scanner().setSettings(settings);
        engine.queryFinishers.tl = engine.queryFinishers.osl =
            engine.queryFinishers.mosl = [this] { finish(); };
    }

    ~EngineHarness() {
        RunUntil([this] { return !engine.dataTakeRunning(); }, 10000);
        console.ports.reader().close();
        console.ports.scanner().close();
        SimulatedReaderBench::uninstall();
    }

    bool open() {
        if (!console.ports.reader().open()) {
            return false;
        }
        // The detector's high voltage on, as a decoded status reply shows.
        console.ports.reader().write("H1 \r");
        return RunUntil([this] { return console.readerState.Flags[18] != 0; });
    }

    SimReader& sim() { return SimulatedReaderBench::shared()->reader(); }

    // The test starter: the record, the point axis, the finisher and the thread.
    bool start(const TDataType& operation) {
        finished = false;
        console.CurrentOperation = operation;
        engine.PreparePointAxis();
        logMark = console.log().dump().lineCount();
        console.Finisher = [this] { finish(); };
        return engine.startDataTake();
    }

    bool runToEnd(const TDataType& operation, int realMs = 30000) {
        return start(operation) && RunUntil([this] { return finished; }, realMs);
    }

    // The finisher: "M O0 P0 " (none after an irradiation), the point check, the record.
    void finish() {
        TDataType& op = console.CurrentOperation;
        if (op.Kind != OperationKind::Irradiation) {
            send("M O0 P0 ");
        }
        if (op.Kind == OperationKind::PointQuery) {
            op.Kind = op.QueryKind;
        }
        if (beforeCheck) {
            beforeCheck();
        }
        if (op.Kind != OperationKind::Irradiation && !engine.AllPointsValid()) {
            return;
        }
        ++finisherRecords;
        console.Finisher = nullptr;
        record = op;
        recordPoints = engine.points();
        engine.points().Clear();
        finished = true;
    }

    void send(const std::string& text) {
        console.ports.reader().write(QByteArray::fromStdString(text));
        console.AppendLog(": \"" + text + "\"");
    }

    // The texts sent to the reader since the operation started, from the console log.
    std::vector<std::string> commandsSent() {
        std::vector<std::string> commands;
        const Dump& dump = console.log().dump();
        for (std::size_t i = logMark; i < dump.lineCount(); ++i) {
            const std::string& line = dump.line(i);
            std::string text;
            if (line.rfind("T: \"Z \" - aborting everything", 0) == 0) {
                commands.push_back("Z "); // the abort's own line
                continue;
            }
            if (line.rfind("T: to scanner \"", 0) == 0 && line.back() == '"') {
                commands.push_back("scanner " + line.substr(15, line.size() - 16));
                continue;
            }
            if (line.rfind("T: \"", 0) == 0 && line.back() == '"') {
                text = line.substr(4, line.size() - 5);
            } else if (line.rfind("T\"", 0) == 0 && line.back() == '"') {
                text = line.substr(2, line.size() - 3);
            } else {
                continue;
            }
            if (text.find("sent from TakeDatum") != std::string::npos ||
                text.rfind("Recovered", 0) == 0 || text.rfind("Gave up", 0) == 0) {
                continue;
            }
            commands.push_back(text);
        }
        return commands;
    }

    bool logged(const std::string& text) {
        const Dump& dump = console.log().dump();
        for (std::size_t i = logMark; i < dump.lineCount(); ++i) {
            if (dump.line(i).find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    std::string logText() { return console.log().dump().text(); }

    MemorySettingsStore store;
    ScriptedPrompter prompter;
    FixedLogClock clock{"T"};
    MemoryLogSink sink;
    Console console{store, prompter, clock, sink};
    RecordingLampSwitch lamp;
    RecordingGraph graph;
    MeasurementEngine engine{console, lamp};

    // Called by the finisher before its point check.
    std::function<void()> beforeCheck;
    bool finished = false;
    int finisherRecords = 0;
    TDataType record;
    PointTable recordPoints;
    std::size_t logMark = 0;

private:
    ScopedTimeScale scale_;
};

} // namespace gw::testing
