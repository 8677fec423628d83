// The console at the fastest line with its windows on screen (offscreen platform): status replies
// arrive at 550 a second, as 256000 baud carries long replies, and each goes the whole way a
// reply from the port goes: the reply handler decodes it, logs it and refreshes the panels, the
// engine files the point and draws it in the live graph, and the event loop paints. One iteration
// is one measurement in line time; the CPU time per iteration against its line time is the share
// of one core the screen costs. "lag_ms" is how late the latest reply was handled (a backlog
// grows it), "rss_growth_kb" the memory added since the first measurement.
#include "BenchReplies.h"
#include "ScreenBenchMain.h"
#include "app/views/ConsoleWindows.h"
#include "app/views/TConsoleForm.h"
#include "console/ConsoleOptions.h"
#include "console/LogFileSink.h"
#include "console/runtime/Console.h"
#include "core/LogClock.h"
#include "core/MemorySettingsStore.h"
#include "core/ScriptedPrompter.h"
#include "engine/LampSwitch.h"
#include "engine/runtime/MeasurementEngine.h"
#include "windows/views/LiveChart.h"
#include "windows/views/TGraphForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double RepliesPerSecond = 550;
constexpr int System6600 = 4;

class NoLogFiles : public gw::LogFileSink {
public:
    bool appendText(const std::string&, const std::string&) override { return true; }
    bool replaceText(const std::string&, const std::string&) override { return true; }
};

long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

// gwconsole's console, engine and windows as main() wires them, without ports.
struct ScreenConsole {
    gw::MemorySettingsStore store;
    gw::ScriptedPrompter prompter;
    gw::FixedLogClock clock{"10:00:00"};
    NoLogFiles logFiles;
    gw::Console console{store, prompter, clock, logFiles};
    gw::UnavailableLampSwitch lamp;
    gw::MeasurementEngine engine{console, lamp};
    gw::ConsoleWindows windows{console};

    ScreenConsole() {
        windows.consoleForm().attachEngine(engine);
        console.InitMainForm(gw::ParseConsoleOptions({"/s4"}), windows.consoleForm());
        windows.consoleForm().show();
        windows.graphForm().show();
        QApplication::processEvents();
    }

    // The operation the replies belong to, laid out in the graph and taking data.
    void start(gw::OperationKind kind, const std::vector<int>& portions) {
        gw::TDataType& op = console.CurrentOperation;
        op = gw::TDataType{};
        op.Kind = kind;
        op.Points = 0;
        for (std::size_t i = 0; i < portions.size(); ++i) {
            op.N[i] = portions[i];
            op.X[i] = 1;
            op.Y[i] = 10;
            op.Points += portions[i];
        }
        op.Increment = 1;
        op.RampRate = 5;
        const bool tl = kind == gw::OperationKind::TL;
        gw::GraphSetup setup;
        setup.showChart = true;
        setup.showsTL = tl;
        setup.title = tl ? "TL glow curve" : "OSL curve";
        setup.xAxisTitle = tl ? "temperature, \xB0"
                                "C"
                              : "time, s";
        setup.xMaximum = tl ? 550 : 1100;
        engine.graph().setUpGraph(setup);
        engine.PreparePointAxis();
        engine.state().TakingData = true;
    }
};

// Left to the end of the process: its widgets must not outlive the application, which main()
// destroys before the statics.
ScreenConsole& Screen() {
    static auto* screen = new ScreenConsole;
    return *screen;
}

// Hands the replies over in line time from the event loop, as the port's reads arrive: a precise
// timer fires when the next reply is due and hands over every reply due by then; between them the
// loop paints and idles.
double DeliverInLineTime(ScreenConsole& screen, const std::vector<std::string>& replies) {
    QElapsedTimer clock;
    QEventLoop loop;
    QTimer due;
    due.setTimerType(Qt::PreciseTimer);
    due.setSingleShot(true);
    std::size_t next = 0;
    double lagMs = 0;
    const auto dueMs = [](std::size_t i) { return 1000.0 * double(i) / RepliesPerSecond; };
    QObject::connect(&due, &QTimer::timeout, [&] {
        const double nowMs = double(clock.nsecsElapsed()) / 1e6;
        for (; next < replies.size() && dueMs(next) <= nowMs; ++next) {
            lagMs = std::max(lagMs, nowMs - dueMs(next));
            screen.console.readerReplies().OnReaderPacket(replies[next]);
        }
        if (next == replies.size()) {
            loop.quit();
            return;
        }
        // Rounded up: a timer due in 0 ms would spin the loop until the reply is due.
        due.start(int(std::ceil(std::max(0.0, dueMs(next) - double(clock.nsecsElapsed()) / 1e6))));
    });
    clock.start();
    due.start(0);
    loop.exec();
    QApplication::processEvents();
    return lagMs;
}

void RunAtLineRate(benchmark::State& run, gw::OperationKind kind, const std::vector<int>& portions,
                   int dataState) {
    ScreenConsole& screen = Screen();
    int points = 0;
    for (const int portion : portions) {
        points += portion;
    }
    const std::vector<std::string> replies =
        gw::bench::MeasurementReplies(System6600, points, dataState);
    long firstRss = 0;
    double lagMs = 0;
    for (auto _ : run) {
        screen.start(kind, portions);
        lagMs = std::max(lagMs, DeliverInLineTime(screen, replies));
        if (firstRss == 0) {
            firstRss = ResidentKb();
        }
    }
    const double lineSeconds = double(replies.size()) / RepliesPerSecond;
    run.counters["line_s"] = lineSeconds;
    run.counters["replies"] = double(replies.size());
    run.counters["lag_ms"] = lagMs;
    run.counters["rss_growth_kb"] = double(ResidentKb() - firstRss);
    screen.windows.graphForm().Chart->flush();
    run.counters["graph_points"] = double(screen.windows.graphForm().Chart->seriesPointCount(0));
}

void TlOf1020PointsAtLineRate(benchmark::State& run) {
    RunAtLineRate(run, gw::OperationKind::TL, {1020}, 6);
}
BENCHMARK(TlOf1020PointsAtLineRate)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void OslOf4x255PointsAtLineRate(benchmark::State& run) {
    RunAtLineRate(run, gw::OperationKind::OSL, {255, 255, 255, 255}, 10);
}
BENCHMARK(OslOf4x255PointsAtLineRate)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return gw::bench::RunWithWindows(argc, argv);
}
