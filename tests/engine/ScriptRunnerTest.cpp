#include "engine/runtime/ScriptRunner.h"

#include "EngineHarness.h"
#include "engine/ScriptStepCommands.h"
#include "engine/runtime/RecordKeeper.h"
#include "profile/DefaultProfile.h"
#include "script/PrepareHelper.h"
#include "support/Occurrences.h"

#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>

namespace gw {
namespace {

using test::Occurrences;

using testing::EngineHarness;
using testing::RunUntil;

// A graph that keeps every run panel it was shown.
class PanelGraph : public testing::RecordingGraph {
public:
    void updateRunPanel(const RunPanel& panel) override { panels.push_back(panel); }
    // Runs on the user-interface thread right after a measurement's finisher.
    void refreshChart() override {
        if (onRefresh) {
            onRefresh();
        }
    }
    std::vector<RunPanel> panels;
    std::function<void()> onRefresh;
};

// A script run on the simulated reader, its records kept in memory.
class RunBench {
public:
    static SimOptions Options(int systemType, SimFaults faults) {
        SimOptions options;
        options.systemType = systemType;
        options.faults = faults;
        return options;
    }

    explicit RunBench(int systemType, SimFaults faults = {})
        : harness(Options(systemType, faults)) {
        profile = DefaultProfile(std::int16_t(systemType));
        profile.VolID = std::filesystem::temp_directory_path().string();
        profile.BetaDoseRate = 0.1; // an external beta source
        profile.BetaCalibDate = PackedDate::Pack(2026, 1, 1);
        harness.console.profile.Profile = profile;
        harness.engine.setView(&graph);
        runner.today = CivilDate{2026, 1, 1};
        runner.writeKept = nullptr;
        runner.writeRecord = [this](const ScriptStepRecord& record) {
            if (failWrites > 0) {
                --failWrites;
                return false;
            }
            records.push_back(record);
            return true;
        };
        runner.onEvent = [this](const ScriptRunner::Event& event) {
            events.push_back(event);
            if (onEvent) {
                onEvent(event);
            }
        };
    }

    sc_Script& compile(const std::string& text) {
        scripts.push_back(test::CompileAndPlace(text, profile));
        EXPECT_FALSE(scripts.back()->script->error) << scripts.back()->script->errorMessage;
        return *scripts.back()->script;
    }

    bool ended() const {
        return !events.empty() && events.back().type == "run ended" &&
               !harness.console.runState.RunActive && !harness.console.runState.MetascriptRunning;
    }

    int count(const std::string& type) const {
        int n = 0;
        for (const auto& event : events) {
            n += event.type == type ? 1 : 0;
        }
        return n;
    }

    EngineHarness harness;
    PanelGraph graph;
    SystemProfile profile;
    RecordKeeper keeper{harness.console};
    ScriptRunner runner{harness.console, harness.engine, keeper, DataFileFormat()};
    std::vector<std::unique_ptr<test::Prepared>> scripts;
    std::vector<ScriptStepRecord> records;
    std::vector<ScriptRunner::Event> events;
    std::function<void(const ScriptRunner::Event&)> onEvent;
    int failWrites = 0;
};

std::string ExternalBetaDisks(int disks, int commands) {
    std::vector<std::string> lines = {"METHOD \"beta\"", "GLOBAL", "END GLOBAL", "METHOD",
                                      "LOOP DISKS #" + std::to_string(disks)};
    for (int i = 0; i < commands; ++i) {
        lines.push_back("IRRAD(1, 0, 20, 5)");
    }
    lines.insert(lines.end(), {"END LOOP", "END METHOD"});
    return test::Lines(lines);
}

TEST(ScriptRunner, TwoPlattersOfA3500WithAHeaderOnEachAndThePlatterQuestion) {
    RunBench bench(2);
    bench.harness.prompter.answers = {Answer::Ok};
    ASSERT_TRUE(bench.runner.PrepareScripts(bench.compile(ExternalBetaDisks(25, 3))));
    ASSERT_EQ(bench.runner.run().RunList.size(), 2u);
    ASSERT_TRUE(bench.runner.StartRun());
    ASSERT_TRUE(RunUntil([&] { return bench.ended(); }, 20000));
    ASSERT_EQ(bench.records.size(), 75u);
    for (std::size_t i = 0; i < bench.records.size(); ++i) {
        EXPECT_EQ(!bench.records[i].header.empty(), i == 0 || i == 60) << i;
        // An external step runs no thread, and is dated when it was taken.
        EXPECT_GT(bench.records[i].operation.Started, 40000.0);
    }
    const auto& shown = bench.harness.prompter.shown;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Change the platter!");
    EXPECT_EQ(bench.events.back().text, "finished");
    EXPECT_FALSE(bench.harness.console.runState.ScriptPrepared);
    EXPECT_TRUE(bench.harness.console.runState.LastStep);
    EXPECT_FALSE(bench.runner.StartRun()) << "Go does nothing after the last step";
}

// A 3500 script whose disks sit at the given positions (24 to a platter).
std::string PlacedDisks(const std::string& positions, const std::vector<std::string>& commands,
                        bool batch = false) {
    const int disks = int(std::count(positions.begin(), positions.end(), ',')) + 1;
    std::vector<std::string> lines = {"METHOD \"placed\"", "GLOBAL",
                                      "LIST POSITIONS = " + positions, "END GLOBAL", "METHOD"};
    if (batch) {
        lines.push_back("BATCH_MODE");
    }
    lines.push_back("LOOP DISKS #" + std::to_string(disks));
    lines.insert(lines.end(), commands.begin(), commands.end());
    lines.insert(lines.end(), {"END LOOP", "END METHOD"});
    return test::Lines(lines);
}

// Cancel at "Change the platter!" ends the run as finished, whichever platter it came at, with
// every record written before the question kept, the end commands sent, and nothing taken after.
TEST(ScriptRunner, CancelAtThePlatterChangeEndsTheRun) {
    const std::vector<std::string> osl = {"OSL(0, 90, 125, 1, 0, 0)"};
    const std::vector<std::string> beta = {"IRRAD(1, 0, 20, 5)"};
    const struct {
        const char* name;
        std::string script;
        std::deque<Answer> answers;
        bool metascript;
        std::size_t records;
    } cases[] = {
        {"measured, after the first platter",
         PlacedDisks("1, 2, 25", osl),
         {Answer::Cancel},
         false,
         2},
        {"measured, after the second platter",
         PlacedDisks("1, 25, 49", osl),
         {Answer::Ok, Answer::Cancel},
         false,
         2},
        {"external steps", PlacedDisks("1, 25", beta), {Answer::Cancel}, false, 1},
        {"batch mode", PlacedDisks("1, 25", {osl[0], osl[0]}, true), {Answer::Cancel}, false, 2},
        {"first script of a metascript", PlacedDisks("1, 25", osl), {Answer::Cancel}, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunBench bench(2);
        ASSERT_TRUE(bench.harness.open());
        bench.harness.prompter.answers = c.answers;
        std::size_t recordsAtQuestion = 0;
        bench.onEvent = [&](const ScriptRunner::Event& event) {
            if (event.type == "run ended") {
                recordsAtQuestion = bench.records.size();
            }
        };
        sc_Script& first = bench.compile(c.script);
        if (c.metascript) {
            ASSERT_TRUE(
                bench.runner.PrepareMetascript({&first, &bench.compile(PlacedDisks("1", osl))}));
        } else {
            ASSERT_TRUE(bench.runner.PrepareScripts(first));
        }
        ASSERT_TRUE(bench.runner.StartRun());
        ASSERT_TRUE(RunUntil([&] { return bench.ended(); }, 60000));
        RunUntil([] { return false; }, 50); // nothing may start after the end
        EXPECT_EQ(bench.records.size(), c.records);
        EXPECT_EQ(recordsAtQuestion, c.records);
        EXPECT_EQ(bench.harness.prompter.shown.size(), c.answers.size());
        EXPECT_EQ(bench.count("run ended"), 1);
        EXPECT_EQ(bench.events.back().text, "finished");
        EXPECT_EQ(bench.graph.panels.back().DataTakeStatus, "finished");
        const RunState& flags = bench.harness.console.runState;
        EXPECT_TRUE(flags.LastStep);
        EXPECT_FALSE(flags.ScriptPrepared || flags.RunActive || flags.Metascript ||
                     flags.MetascriptRunning);
        EXPECT_EQ(bench.harness.console.Finisher, nullptr);
        EXPECT_EQ(bench.harness.console.TakeData, nullptr);
        EXPECT_FALSE(bench.runner.continueOffered());
        EXPECT_FALSE(bench.runner.StartRun());
        EXPECT_NE(bench.harness.logText().find("M H0 O0 P0 V0 C0 J0 "), std::string::npos);
    }
}

TEST(ScriptRunner, StopAtStep7Of20AndContinue) {
    RunBench bench(2);
    bench.onEvent = [&](const ScriptRunner::Event& event) {
        if (event.type == "step started" && event.step == 6 && bench.records.size() == 6) {
            bench.runner.StopScript(true);
        }
    };
    ASSERT_TRUE(bench.runner.PrepareScripts(bench.compile(ExternalBetaDisks(20, 1))));
    ASSERT_TRUE(bench.runner.StartRun());
    ASSERT_TRUE(RunUntil([&] { return bench.ended(); }, 20000));
    EXPECT_EQ(bench.records.size(), 7u);
    EXPECT_EQ(bench.events.back().text, "stopped by user");
    EXPECT_EQ(bench.graph.panels.back().DataTakeStatus, "stopped by user");
    ASSERT_TRUE(bench.runner.continueOffered());
    bench.onEvent = nullptr;
    ASSERT_TRUE(bench.runner.ContinueScript());
    ASSERT_TRUE(RunUntil([&] { return bench.ended(); }, 20000));
    ASSERT_EQ(bench.records.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(bench.records[std::size_t(i)].operation.Disk, i) << "each disk once, in order";
    }
}

TEST(ScriptRunner, StopDuringTheLastStepFinishesAndOffersNoContinue) {
    RunBench bench(2);
    bench.onEvent = [&](const ScriptRunner::Event& event) {
        if (event.type == "step started" && event.step == 2) {
            bench.runner.StopScript(true);
        }
    };
    ASSERT_TRUE(bench.runner.PrepareScripts(bench.compile(ExternalBetaDisks(3, 1))));
    ASSERT_TRUE(bench.runner.StartRun());
    ASSERT_TRUE(RunUntil([&] { return bench.ended(); }, 20000));
    EXPECT_EQ(bench.records.size(), 3u);
    EXPECT_EQ(bench.events.back().text, "finished");
    EXPECT_FALSE(bench.runner.continueOffered());
    EXPECT_FALSE(bench.runner.ContinueScript());
    EXPECT_FALSE(bench.runner.StartRun());
}

TEST(ScriptRunner, AMetascriptOfThreeRunsOneAfterAnotherWithoutGo) {
    RunBench bench(2);
    std::vector<sc_Script*> scripts;
    for (int i = 0; i < 3; ++i) {
        scripts.push_back(&bench.compile(ExternalBetaDisks(2, 1)));
    }
    ASSERT_TRUE(bench.runner.PrepareMetascript(scripts));
    EXPECT_EQ(bench.graph.panels.back().ScriptNo, "1 of 3");
    ASSERT_TRUE(bench.runner.StartRun());
    ASSERT_TRUE(RunUntil([&] { return bench.ended() && bench.records.size() == 6; }, 20000));
    std::vector<std::string> numbers;
    for (const RunPanel& panel : bench.graph.panels) {
        if (numbers.empty() || numbers.back() != panel.ScriptNo) {
            numbers.push_back(panel.ScriptNo);
        }
    }
    EXPECT_EQ(numbers, (std::vector<std::string>{"1 of 3", "2 of 3", "3 of 3"}));
    EXPECT_EQ(bench.count("run ended"), 3);
    EXPECT_EQ(bench.harness.logText().find("M H0 O0 P0 V0 C0 J0 "), std::string::npos);
    EXPECT_FALSE(bench.harness.console.runState.Metascript);
}

// The next script starts even while the last step's data-take thread is still returning.
TEST(ScriptRunner, AMetascriptOfMeasuredStepsGoesOnWhileTheThreadReturns) {
    RunBench bench(2);
    ASSERT_TRUE(bench.harness.open());
    const std::string script = PlacedDisks("1", {"OSL(0, 90, 125, 1, 0, 0)"});
    ASSERT_TRUE(bench.runner.PrepareMetascript({&bench.compile(script), &bench.compile(script)}));
    bench.onEvent = [&](const ScriptRunner::Event& event) {
        if (event.type == "record written" && bench.records.size() == 1) {
            auto& underWay = bench.harness.console.MeasurementUnderWay;
            QTimer::singleShot(20, [&underWay, engine = underWay] { underWay = engine; });
            underWay = [] { return true; }; // the thread is still returning
        }
    };
    ASSERT_TRUE(bench.runner.StartRun());
    ASSERT_TRUE(RunUntil([&] { return bench.ended() && bench.records.size() == 2; }, 60000));
    EXPECT_EQ(bench.events.back().text, "finished");
}

TEST(ScriptRunner, ARecordThatCannotBeWrittenPausesTheRunWithTheRecordKept) {
    RunBench bench(2);
    bench.failWrites = 1;
    ASSERT_TRUE(bench.runner.PrepareScripts(bench.compile(ExternalBetaDisks(3, 1))));
    ASSERT_TRUE(bench.runner.StartRun());
    ASSERT_TRUE(RunUntil([&] { return bench.ended(); }, 20000));
    EXPECT_TRUE(bench.records.empty());
    EXPECT_EQ(bench.events.back().text, "record not written");
    ASSERT_TRUE(bench.runner.ContinueScript());
    ASSERT_TRUE(RunUntil([&] { return bench.ended() && bench.records.size() == 3; }, 20000));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bench.records[std::size_t(i)].operation.Disk, i);
    }
}

TEST(ScriptRunner, OneBusyGuardAndNoStaleRun) {
    RunBench bench(2);
    sc_Script& script = bench.compile(ExternalBetaDisks(2, 1));
    bench.harness.console.Finisher = [] {}; // a dialog operation in flight
    EXPECT_FALSE(bench.runner.PrepareScripts(script));
    EXPECT_FALSE(bench.harness.console.runState.ScriptPrepared);
    bench.harness.console.Finisher = nullptr;
    ASSERT_TRUE(bench.runner.PrepareScripts(script));
    bench.harness.console.TakeData = [] {};
    EXPECT_FALSE(bench.runner.StartRun()) << "Go starts nothing over a waiting starter";
    bench.harness.console.TakeData = nullptr;
    // The editor frees the script: nothing of it may start.
    bench.runner.ScriptReleased();
    EXPECT_FALSE(bench.harness.console.runState.ScriptPrepared);
    EXPECT_FALSE(bench.runner.StartRun());
    ASSERT_TRUE(bench.runner.PrepareScripts(script));
    // A failed preparation leaves nothing to start.
    bench.harness.prompter.warnings = {WarningResult::Abort};
    EXPECT_FALSE(bench.runner.PrepareScripts(bench.compile(
        test::Lines({"METHOD \"x\"", "GLOBAL", "END GLOBAL", "METHOD", "LOOP DISKS #1",
                     "IRRAD(5, 0, 20, 5)", "END LOOP", "END METHOD"}))));
    EXPECT_FALSE(bench.harness.console.runState.ScriptPrepared);
    EXPECT_FALSE(bench.runner.StartRun());
}

// One guard answers every "busy?": the profile refusal and the starters ask the same one, the
// starters counting besides any starter held, the profile a run between its steps.
TEST(ScriptRunner, OneGuardForProfileChangesAndStarters) {
    const struct {
        const char* name;
        std::function<void(Console&, MeasurementEngine&)> busy;
        bool profileRefused;
        bool startRefused;
    } cases[] = {
        {"a finisher", [](Console& c, MeasurementEngine&) { c.Finisher = [] {}; }, true, true},
        {"an acquisition", [](Console&, MeasurementEngine& e) { e.state().TakingData = true; },
         true, true},
        {"an irradiation", [](Console&, MeasurementEngine& e) { e.state().Irradiating = true; },
         true, true},
        {"a starter held without the timer",
         [](Console& c, MeasurementEngine&) { c.TakeData = [] {}; }, false, true},
        {"a starter on the start timer",
         [](Console& c, MeasurementEngine&) {
             c.TakeData = [] {};
             c.armStartTimer(60000);
         },
         true, true},
        {"a run between steps", [](Console& c, MeasurementEngine&) { c.runState.RunActive = true; },
         true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunBench bench(2);
        sc_Script& script = bench.compile(ExternalBetaDisks(1, 1));
        Console& console = bench.harness.console;
        c.busy(console, bench.harness.engine);
        EXPECT_EQ(!console.ProfileChangeRefusal().empty(), c.profileRefused);
        EXPECT_EQ(console.StarterHeld(), c.startRefused);
        EXPECT_EQ(bench.runner.PrepareScripts(script), !c.startRefused);
        console.StartTimer().stop();
        bench.harness.engine.state() = AcquisitionState();
        console.Finisher = console.TakeData = nullptr;
        console.runState.RunActive = false;
    }
}

TEST(ScriptRunner, AbortedRunIsNotContinued) {
    RunBench bench(2);
    bench.onEvent = [&](const ScriptRunner::Event& event) {
        if (event.type == "step started" && event.step == 1) {
            bench.runner.StopScript(true);
        }
    };
    ASSERT_TRUE(bench.runner.PrepareScripts(bench.compile(ExternalBetaDisks(4, 1))));
    ASSERT_TRUE(bench.runner.StartRun());
    ASSERT_TRUE(RunUntil([&] { return bench.ended(); }, 20000));
    bench.runner.AbortOperation();
    EXPECT_FALSE(bench.runner.ContinueScript());
    EXPECT_FALSE(bench.runner.StartRun());
    EXPECT_EQ(bench.records.size(), 2u);
}

TEST(ScriptRunner, TlStepsOnTheReaderInBatchMode) {
    RunBench bench(4);
    ASSERT_TRUE(bench.harness.open());
    ASSERT_TRUE(bench.runner.PrepareScripts(bench.compile(test::Lines(
        {"METHOD \"tl\"", "GLOBAL", "END GLOBAL", "METHOD", "BATCH_MODE", "LOOP DISKS #2",
         "TLBGD(20, 100, 20)", "TLBGD(20, 120, 20)", "END LOOP", "END METHOD"}))));
    ASSERT_TRUE(bench.runner.StartRun());
    ASSERT_TRUE(RunUntil([&] { return bench.ended(); }, 60000));
    ASSERT_EQ(bench.records.size(), 4u);
    const std::vector<std::pair<int, int>> expected = {{0, 100}, {1, 100}, {0, 120}, {1, 120}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(bench.records[i].operation.Disk, expected[i].first);
        EXPECT_EQ(bench.records[i].operation.Temperature, expected[i].second);
        EXPECT_EQ(bench.records[i].points[0].Valid, 1);
    }
    const std::string log = bench.harness.logText();
    EXPECT_NE(log.find("T22 4 250 "), std::string::npos) << "a TL on a 6600";
    EXPECT_NE(log.find("background TL finished"), std::string::npos);
    EXPECT_NE(log.find("M H0 O0 P0 V0 C0 J0 "), std::string::npos);
}

TEST(ScriptRunner, WritesTheDataFileAndCopiesItToTheLanDirectoryAtTheEnd) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "gw-script-run-lan";
    fs::remove_all(root);
    fs::create_directories(root / "lan");
    RunBench bench(2);
    bench.profile.VolID = root.string();
    bench.harness.console.profile.Profile = bench.profile;
    bench.harness.console.settings().WriteSettingFlag("", "LAN data", true);
    bench.harness.console.settings().WriteSettingText("", "LAN directory", (root / "lan").string());
    // The default writer of a runner of its own, as the console and gwtool use it.
    ScriptRunner runner(bench.harness.console, bench.harness.engine, bench.keeper,
                        DataFileFormat());
    runner.today = CivilDate{2026, 1, 1};
    bool ended = false;
    std::string lastEvent;
    runner.onEvent = [&](const ScriptRunner::Event& event) {
        ended = event.type == "run ended";
        lastEvent = event.type + ": " + event.text;
    };
    sc_Script& script = bench.compile(
        test::Lines({"METHOD \"lan\"", "GLOBAL", "END GLOBAL", "METHOD", "OPEN \"night\"",
                     "LOOP DISKS #2", "IRRAD(1, 0, 20, 5)", "END LOOP", "END METHOD"}));
    for (int run = 0; run < 3; ++run) {
        ended = false;
        bench.harness.console.runState.LastStep = false;
        ASSERT_TRUE(runner.PrepareScripts(script)) << run << " " << lastEvent;
        ASSERT_TRUE(runner.StartRun());
        ASSERT_TRUE(RunUntil([&] { return ended; }, 20000));
    }
    EXPECT_TRUE(fs::exists(root / "lan" / "night.txt"));
    EXPECT_TRUE(fs::exists(root / "lan" / "night.txt.new"));
    EXPECT_TRUE(fs::exists(root / "lan" / "night.txt.new.new"));
    std::ifstream in(root / "night.txt", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(Occurrences(text, "[NewRecord]"), 6);
    EXPECT_EQ(text.rfind("ScriptFile=test.gws\r\nScriptName=lan", 0), 0u);
    EXPECT_NE(text.find("DataType=Irrad\r\nSampleTemp=20\r\nIrradTime=50\r\nIrradDose=5.00\r\n"),
              std::string::npos);
    fs::remove_all(root);
}

// TL steps against a reader that loses points and garbles replies: every step leaves one record,
// each point re-read or written as invalid, and the log tells what happened.
// A run of TL steps against a reader with faults, the test acting as the operator: a vanished
// port is opened again as soon as it is back, and a run it stopped is continued.
void RunWithFaults(int steps, SimFaults faults, const std::string& expectedLine = {}) {
    RunBench bench(4, faults);
    bench.harness.prompter.answers = {Answer::Ok};
    ASSERT_TRUE(bench.harness.open());
    ASSERT_TRUE(bench.runner.PrepareScripts(
        bench.compile(test::Lines({"METHOD \"faults\"", "GLOBAL", "END GLOBAL", "METHOD",
                                   "LOOP DISKS #" + std::to_string(steps), "TLBGD(25, 100, 20)",
                                   "END LOOP", "END METHOD"}))));
    ASSERT_TRUE(bench.runner.StartRun());
    ReaderPort& port = bench.harness.console.ports.reader();
    int continued = 0;
    const auto operatorGoesOn = [&] {
        if (!port.isOpen() && !port.open()) {
            return false;
        }
        if (bench.runner.continueOffered() && bench.runner.ContinueScript()) {
            ++continued;
        }
        return bench.ended() && bench.events.back().text == "finished";
    };
    ASSERT_TRUE(RunUntil(operatorGoesOn, 4000 * steps))
        << bench.records.size() << " records; last event " << bench.events.back().type << ": "
        << bench.events.back().text << "\n"
        << bench.harness.logText().substr(
               bench.harness.logText().size() > 3000 ? bench.harness.logText().size() - 3000 : 0);
    // Every step once, in order: a step stopped before it measured was taken again.
    ASSERT_EQ(bench.records.size(), std::size_t(steps));
    int invalid = 0;
    for (int i = 0; i < steps; ++i) {
        const ScriptStepRecord& record = bench.records[std::size_t(i)];
        EXPECT_EQ(record.operation.Disk, i % 60);
        EXPECT_EQ(record.operation.Points, 20);
        for (int p = 0; p < record.operation.Points; ++p) {
            invalid += record.points[p].Valid == 0 ? 1 : 0;
        }
    }
    const std::string log = bench.harness.logText();
    const auto count = [&log](const std::string& text) { return Occurrences(log, text); };
    const SimFaultCounts& sim = bench.harness.sim().faultCounts();
    // The log in memory keeps only its latest lines: the counts come from the records.
    std::cout << steps << " records, " << steps * 20 << " points, " << sim.lostPoints
              << " points lost on the line, " << invalid << " written as invalid; " << sim.garbled
              << " garbled, " << sim.shortReplies << " short replies, " << sim.lineErrors
              << " line errors, " << SimulatedReaderBench::shared()->portLosses()
              << " port losses, " << continued << " runs continued\n";
    if (sim.lostPoints > 0) {
        EXPECT_GT(count("AllPointsValid starts quering"), 0) << "lost points were asked for again";
    }
    if (!expectedLine.empty()) {
        // Where the loss falls depends on the machine's pace: the log says what happened.
        EXPECT_GE(count(expectedLine) + count(": the reader goes on measuring") +
                      count(": the operation being prepared is stopped"),
                  1)
            << expectedLine;
    }
}

SimFaults LineFaults() {
    SimFaults faults;
    faults.lostPointShare = 0.05;
    faults.garbledShare = 0.02;
    faults.shortShare = 0.02;
    return faults;
}

// The port vanishes once, while the first step is prepared or while it measures.
TEST(ScriptRunner, EveryRecordOfARunAgainstAFaultyReader) {
    const struct {
        double lossAtMs;
        const char* line;
    } cases[] = {
        {150, ": the operation being prepared is stopped - nothing was measured"},
        {700, ": the reader goes on measuring; open the reader port again to finish the "
              "operation (points lost meanwhile are read again)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lossAtMs);
        SimFaults faults = LineFaults();
        faults.portLossAtMs = c.lossAtMs;
        faults.portLossForMs = 300;
        RunWithFaults(2, faults, c.line);
    }
}

// The reader port closes (as the line-error recovery closes it) just before a command of the
// data-take thread is due and stays closed: the thread waits for it a bounded time, then the step
// is stopped with a log line, and "Continue script" takes it again. No record is lost or doubled.
TEST(ScriptRunner, ACommandDueWhileThePortIsClosedStopsTheStepForContinue) {
    const struct {
        const char* closeWhen; // the log line after which the port closes
        const char* line;
    } cases[] = {
        {"TakeScript starts a new operation", ": the reader port stayed closed - the measurement "
                                              "was not started"},
        {"AllPointsValid starts quering", ": the query for a lost point is stopped - the measured "
                                          "points are kept and the point is asked for again"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.closeWhen);
        SimFaults faults;
        faults.lostPointShare = 0.2;
        RunBench bench(4, faults);
        ASSERT_TRUE(bench.harness.open());
        ReaderPort& port = bench.harness.console.ports.reader();
        bool closed = false;
        const auto closeOnce = [&] {
            if (!closed && bench.harness.logText().find(c.closeWhen) != std::string::npos) {
                closed = true;
                port.close();
            }
        };
        // Both hooks run on the user-interface thread before the data-take thread can send.
        bench.onEvent = [&](const ScriptRunner::Event&) { closeOnce(); };
        bench.graph.onRefresh = closeOnce;
        ASSERT_TRUE(bench.runner.PrepareScripts(bench.compile(
            test::Lines({"METHOD \"closed\"", "GLOBAL", "END GLOBAL", "METHOD", "LOOP DISKS #2",
                         "TLBGD(25, 100, 20)", "END LOOP", "END METHOD"}))));
        ASSERT_TRUE(bench.runner.StartRun());
        ASSERT_TRUE(RunUntil([&] { return bench.ended(); }, 20000));
        EXPECT_TRUE(closed);
        EXPECT_EQ(bench.events.back().text, "port lost");
        EXPECT_NE(bench.harness.logText().find(c.line), std::string::npos);
        ASSERT_TRUE(port.open());
        // As the operator would: again until the stopped thread has returned.
        bool continued = false;
        ASSERT_TRUE(RunUntil(
            [&] { return continued || (continued = bench.runner.ContinueScript()); }, 5000));
        ASSERT_TRUE(RunUntil([&] { return bench.ended(); }, 20000));
        EXPECT_EQ(bench.events.back().text, "finished");
        ASSERT_EQ(bench.records.size(), 2u);
        for (int disk = 0; disk < 2; ++disk) {
            EXPECT_EQ(bench.records[std::size_t(disk)].operation.Disk, disk);
        }
    }
}

// The reliability measurement of 100 steps; run by hand with --gtest_also_run_disabled_tests.
TEST(ScriptRunner, DISABLED_HundredStepsAgainstAFaultyReader) {
    SimFaults faults = LineFaults();
    faults.portLossAtMs = 60000; // console ms at the time scale of 0.01: ten minutes in
    faults.portLossForMs = 3000;
    RunWithFaults(std::getenv("GW_FAULT_STEPS") ? std::atoi(std::getenv("GW_FAULT_STEPS")) : 100,
                  faults);
}

// A run of four external irradiations with a journal, writing to a folder of its own; the test
// stops it after some records and resumes it.
struct ResumeBench {
    explicit ResumeBench(const std::string& name)
        : root(std::filesystem::temp_directory_path() / name), bench(2),
          runner(bench.harness.console, bench.harness.engine, bench.keeper, DataFileFormat()) {
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
        bench.profile.VolID = root.string() + "/";
        bench.harness.console.profile.Profile = bench.profile;
        runner.today = CivilDate{2026, 1, 1};
        runner.scriptFile = "beta.gws";
        runner.scriptText = text;
        runner.onEvent = [this](const ScriptRunner::Event& event) {
            ended = event.type == "run ended";
            if (event.type == "record written" && ++written == stopAfter) {
                runner.StopScript(true);
            }
            if (event.type == "record written" && afterRecord) {
                afterRecord(written);
            }
        };
    }
    ~ResumeBench() { std::filesystem::remove_all(root); }

    bool runToEnd() {
        ended = false;
        return runner.StartRun() && RunUntil([&] { return ended; }, 20000);
    }

    std::string dataText() const {
        std::ifstream in(root / "Default.txt", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The disks of the data file's records, in file order.
    std::vector<std::string> disks() const {
        const std::string data = dataText();
        std::vector<std::string> found;
        for (std::size_t at = data.find("\r\nDisk="); at != std::string::npos;
             at = data.find("\r\nDisk=", at + 1)) {
            found.push_back(data.substr(at + 7, data.find('\r', at + 2) - at - 7));
        }
        return found;
    }

    std::filesystem::path root;
    RunBench bench;
    ScriptRunner runner;
    const std::string text = ExternalBetaDisks(4, 1);
    bool ended = false;
    int written = 0;
    int stopAfter = 2;
    std::function<void(int)> afterRecord;
};

// "Execute script" on a script whose run was cut short offers to resume it where it stopped.
TEST(ScriptRunner, ExecuteOnAnInterruptedRunAsksToResumeIt) {
    ResumeBench resume("gw-script-run-resume");
    sc_Script& script = resume.bench.compile(resume.text);
    ASSERT_TRUE(resume.runner.PrepareScripts(script));
    ASSERT_TRUE(resume.runToEnd());
    auto& prompter = resume.bench.harness.prompter;
    prompter.answers = {Answer::Cancel};
    EXPECT_FALSE(resume.runner.PrepareOrResume(script));
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text, "Resume the interrupted run at platter 1, step 3?");
    prompter.answers = {Answer::Yes};
    ASSERT_TRUE(resume.runner.PrepareOrResume(script));
    ASSERT_TRUE(resume.runToEnd());
    // Each disk once, in list order: the two finished steps were not measured again.
    const std::vector<std::string> disks = resume.disks();
    ASSERT_EQ(disks.size(), 4u);
    EXPECT_TRUE(std::is_sorted(disks.begin(), disks.end()) &&
                std::adjacent_find(disks.begin(), disks.end()) == disks.end());
    EXPECT_EQ(resume.dataText().find("ScriptFile=", 1), std::string::npos) << "one header";
    EXPECT_FALSE(resume.runner.InterruptedRun(script).has_value()) << "the journal is finished";
}

// A record the data file could not take and the operator saved elsewhere is done: its disk was
// measured, so a resume does not measure it again but says where its record is.
TEST(ScriptRunner, ARecordSavedElsewhereIsNotMeasuredAgainOnResume) {
    namespace fs = std::filesystem;
    ResumeBench resume("gw-script-run-saved");
    const fs::path dataFile = resume.root / "Default.txt";
    const fs::path aside = resume.root / "aside.txt";
    const fs::path elsewhere = resume.root / "elsewhere.txt";
    resume.stopAfter = 3;
    resume.afterRecord = [&](int written) {
        if (written == 1) { // the data file is replaced by a folder: the next append fails
            fs::rename(dataFile, aside);
            fs::create_directory(dataFile);
        } else if (written == 2) {
            fs::remove(dataFile);
            fs::rename(aside, dataFile);
        }
    };
    auto& prompter = resume.bench.harness.prompter;
    prompter.recordChoices = {UnwrittenRecordChoice::SaveAs};
    prompter.fileNames = {elsewhere.string()};
    sc_Script& script = resume.bench.compile(resume.text);
    ASSERT_TRUE(resume.runner.PrepareScripts(script));
    ASSERT_TRUE(resume.runToEnd());
    std::string problem;
    const std::optional<RunJournal> journal = RunJournal::Load(dataFile.string(), problem);
    ASSERT_TRUE(journal) << problem;
    ASSERT_EQ(journal->records.size(), 3u);
    EXPECT_EQ(journal->records[1].savedTo, elsewhere.string());
    EXPECT_TRUE(journal->records[2].savedTo.empty());
    prompter.answers = {Answer::Yes};
    ASSERT_TRUE(resume.runner.PrepareOrResume(script));
    ASSERT_TRUE(resume.runToEnd());
    EXPECT_EQ(resume.disks().size(), 3u) << "the second disk's record stays where it was saved";
    EXPECT_TRUE(fs::exists(elsewhere));
    EXPECT_NE(resume.bench.harness.logText().find("step 2 is in " + elsewhere.string()),
              std::string::npos);
}

TEST(ScriptStepCommands, PreCommandsPerReaderType) {
    TDataType tl;
    tl.Kind = OperationKind::TL;
    TDataType osl;
    osl.Kind = OperationKind::OSL;
    osl.Device = 20;
    osl.X = {1, 2, 1, 1};
    osl.Y = {10, 20, 30, 40};
    osl.N = {5, 6, 0, 0};
    TDataType beta;
    beta.Kind = OperationKind::Irradiation;
    beta.Source = 'B';
    const struct {
        const TDataType* step;
        int system;
        std::vector<std::string> texts;
    } cases[] = {
        {&tl, 1, {}},
        {&tl, 4, {"T22 4 250 "}},
        {&osl, 2, {"X5 6 0 0 "}},
        {&osl, 4, {"B1 10 2 20 1 30 1 40 ", "X5 6 0 0 "}},
        {&beta, 4, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> texts;
        for (const Command& command : ScriptPreCommands(*c.step, c.system)) {
            texts.push_back(command.text);
        }
        EXPECT_EQ(texts, c.texts) << int(c.step->Kind) << " on " << c.system;
    }
}

TEST(ScriptStepCommands, EndCommandsAndWords) {
    TDataType osl;
    osl.Kind = OperationKind::OSL;
    osl.Purpose = TDataType::PurposeNormalization | TDataType::PurposeBackground;
    EXPECT_EQ(StepWords(osl), "background normalization OSL");
    EXPECT_EQ(ScriptEndCommand(osl, {})->text, "O0 P0 ");
    osl.UseHoles = 1;
    EXPECT_FALSE(ScriptEndCommand(osl, {}).has_value()) << "the same disk goes on";
    EXPECT_EQ(ScriptEndCommand(osl, {.runEnds = true})->text, "M O0 ");
    TDataType irradiation;
    irradiation.Kind = OperationKind::Irradiation;
    EXPECT_EQ(ScriptEndCommand(irradiation, {.systemType = 4, .purgeWanted = true})->text,
              "O0 V0 P1 ");
    EXPECT_EQ(ScriptEndCommand(irradiation, {.systemType = 2})->text, "O0 ");
}

} // namespace
} // namespace gw

namespace gw {
namespace {

TEST(ScriptRunnerBinary, AVeltraxRunWritesOneBinaryRecordPerMeasurement) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "gw-script-run-binary";
    fs::remove_all(root);
    fs::create_directories(root);
    RunBench bench(2);
    bench.profile.VolID = root.string() + "/";
    bench.harness.console.profile.Profile = bench.profile;
    bench.runner.veltraxCompatible = true;
    ASSERT_TRUE(bench.harness.open());
    ASSERT_TRUE(bench.runner.PrepareScripts(bench.compile(
        test::Lines({"METHOD \"tl\"", "GLOBAL", "END GLOBAL", "METHOD", "LOOP DISKS #2",
                     "TLBGD(20, 100, 20)", "IRRAD(1, 0, 20, 5)", "END LOOP", "END METHOD"}))));
    ASSERT_TRUE(bench.runner.StartRun());
    ASSERT_TRUE(RunUntil([&] { return bench.ended(); }, 60000));
    ASSERT_EQ(bench.records.size(), 4u);
    ASSERT_TRUE(fs::exists(root / "Default.dat"));
    EXPECT_EQ(fs::file_size(root / "Default.dat"), 2u * 990u) << "one record per TL";
    EXPECT_TRUE(fs::exists(root / "Default.sub"));
}

} // namespace
} // namespace gw

namespace gw {
namespace {

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Binary files of the data file's name exist already: the run does what the operator answered,
// and no file is lost on the way (an older ".bak" goes to the trash, never away).
TEST(ScriptRunnerBinary, ExistingBinaryFilesAreSettledAsAnswered) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "gw-script-run-existing";
    const struct {
        const char* name;
        ExistingFilesChoice choice;
        bool prepared;
        const char* binaryName; // of channel 0
        const char* message;
    } cases[] = {
        {"append", ExistingFilesChoice::Append, true, "Default.dat",
         "Existing files will be appended."},
        {"overwrite", ExistingFilesChoice::Overwrite, true, "Default.dat",
         "Existing files have been backuped or moved to 'Recycle bin'."},
        {"other name", ExistingFilesChoice::OtherName, true, "night.dat", nullptr},
        {"cancel", ExistingFilesChoice::Cancel, false, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root);
        fs::create_directories(root / "xdg");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((root / "xdg").string()));
        std::ofstream(root / "Default.dat", std::ios::binary) << "old";
        std::ofstream(root / "Default.sub", std::ios::binary) << "oldsub";
        std::ofstream(root / "Default.dat.bak", std::ios::binary) << "older";
        RunBench bench(2);
        bench.profile.VolID = root.string() + "/";
        bench.harness.console.profile.Profile = bench.profile;
        bench.runner.veltraxCompatible = true;
        std::string asked;
        bench.runner.answerExistingFiles = [&](const std::string& binaryFile,
                                               const std::vector<std::string>& existing) {
            asked = binaryFile;
            EXPECT_EQ(existing.size(), 2u);
            ExistingFilesAnswer answer;
            answer.choice = c.choice;
            answer.otherName = (root / "night.dat").string();
            return answer;
        };
        EXPECT_EQ(bench.runner.PrepareScripts(bench.compile(ExternalBetaDisks(1, 1))), c.prepared);
        EXPECT_EQ(asked, (root / "Default.dat").string());
        EXPECT_EQ(bench.harness.console.runState.ScriptPrepared, c.prepared);
        if (c.binaryName != nullptr) {
            ASSERT_EQ(bench.runner.binaryFiles.size(), 1u);
            EXPECT_EQ(bench.runner.binaryFiles[0], (root / c.binaryName).string());
            EXPECT_EQ(bench.runner.run().DataFile, (root / "Default.txt").string())
                << "the text data file keeps its name";
        }
        const auto& shown = bench.harness.prompter.shown;
        if (c.message != nullptr) {
            ASSERT_FALSE(shown.empty());
            EXPECT_EQ(shown.back().caption, "GW Console");
            EXPECT_EQ(shown.back().text, c.message);
        }
        if (c.choice == ExistingFilesChoice::Overwrite) {
            EXPECT_EQ(FileText(root / "Default.dat.bak"), "old");
            EXPECT_EQ(FileText(root / "Default.sub.bak"), "oldsub");
            const bool trashed = FileText(root / "xdg/Trash/files/Default.dat.bak") == "older";
            EXPECT_TRUE(trashed || FileText(root / "Default.dat.bak.1") == "older");
        } else {
            EXPECT_EQ(FileText(root / "Default.dat").substr(0, 3), "old");
            EXPECT_EQ(FileText(root / "Default.dat.bak"), "older");
        }
    }
    qunsetenv("XDG_DATA_HOME");
    fs::remove_all(root);
}

} // namespace
} // namespace gw
