#include "ConsoleTestKit.h"
#include "app/views/TConsoleForm.h"
#include "console/runtime/Console.h"
#include "console/views/CommandField.h"
#include "console/views/ConsoleWorkArea.h"
#include "console/views/DataPanel.h"
#include "console/views/PanelLabel.h"
#include "console/views/StatusPanel.h"
#include "core/TimeScale.h"
#include "sim/runtime/SimulatedReaderBench.h"

#include <QTest>
#include <gtest/gtest.h>

namespace gw {
namespace {

using testing::ProcessEventsUntil;

constexpr double Scale = 0.01; // a reader second lasts 10 ms

// gwconsole's console and main window against the in-process simulated reader ("--port sim"),
// driven through the command field as the operator would.
class SimulatedReaderConsoleTest : public ::testing::Test {
public:
    void start(SimOptions options, const std::vector<std::string>& arguments) {
        options.timeScale = Scale;
        SimulatedReaderBench::install(options);
        std::vector<std::string> all = {"--port", "sim"};
        all.insert(all.end(), arguments.begin(), arguments.end());
        console.InitMainForm(ParseConsoleOptions(all), form);
        prompter.shown.clear(); // the missing help file
        console.PerReplySteps = [this] { ++replies; };
        console.openPorts();
        ASSERT_TRUE(console.ports.reader().isOpen());
        ASSERT_TRUE(ProcessEventsUntil([&] { return !linesContaining(": SYS").empty(); }))
            << "the reader greets";
    }
    void TearDown() override {
        console.closePorts();
        SimulatedReaderBench::uninstall();
    }

    void type(const QString& command) {
        CommandField* field = form.WorkArea->commandField();
        QTest::keyClicks(field, command);
        QTest::keyClick(field, Qt::Key_Return);
    }

    // Until the reader state passes the test; then the panels show it.
    bool waitFor(const std::function<bool(const ReaderState&)>& test) {
        const bool met = ProcessEventsUntil([&] { return test(console.readerState); });
        form.flushPanelRefresh();
        return met;
    }

    // Decoded status replies so far (each runs the engine's steps).
    int statusReplies() const { return replies; }

    std::vector<std::string> linesContaining(const std::string& part) const {
        std::vector<std::string> found;
        for (std::size_t i = 0; i < console.log().dump().lineCount(); ++i) {
            if (console.log().dump().line(i).find(part) != std::string::npos) {
                found.push_back(console.log().dump().line(i));
            }
        }
        return found;
    }

    QString dataValue(const QString& caption) const {
        for (int field = 1; field <= DataFieldTable::FieldCount; ++field) {
            if (form.WorkArea->dataPanel()->caption(field) == caption) {
                return form.WorkArea->dataPanel()->value(field);
            }
        }
        return QStringLiteral("no field ") + caption;
    }

    ScopedTimeScale scale{Scale};
    MemorySettingsStore store;
    ScriptedPrompter prompter;
    FixedLogClock clock{"10:00:00"};
    testing::MemoryLogFileSink logFiles;
    mutable Console console{store, prompter, clock, logFiles};
    TConsoleForm form{console};
    int replies = 0;
};

TEST_F(SimulatedReaderConsoleTest, TypedCommandsChangeWhatThePanelsShow) {
    start(SimOptions{}, {});
    EXPECT_EQ(console.SystemType(), 4);

    type(QStringLiteral("P1"));
    ASSERT_TRUE(waitFor([](const ReaderState& s) { return s.Flags[PurgeFlag] == 1; }));
    EXPECT_TRUE(console.linkState.PurgeSwitch);
    EXPECT_TRUE(form.WorkArea->statusPanel()->label(PurgeFlag)->highlighted());

    type(QStringLiteral("A5"));
    ASSERT_TRUE(
        waitFor([](const ReaderState& s) { return s.Position == 5 && s.Flags[BusyFlag] == 0; }));
    EXPECT_EQ(dataValue(QStringLiteral("sample")), QStringLiteral("5"));

    type(QStringLiteral("H1"));
    ASSERT_TRUE(waitFor([](const ReaderState& s) { return s.Data[7] != 0; }));
    EXPECT_NE(dataValue(QStringLiteral("HV")), QStringLiteral("0"));

    EXPECT_EQ(linesContaining(": \"P1 \"").size(), 1u);
    EXPECT_TRUE(linesContaining("PostError").empty());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(SimulatedReaderConsoleTest, TheReaderNamesItsModelAndTheConsoleDecodesIt) {
    SimOptions options;
    options.systemType = 2;
    start(options, {"/s4"});
    EXPECT_EQ(console.SystemType(), 2);
    EXPECT_TRUE(form.ActionSystem[4]->isChecked()) << "the menu keeps the operator's choice";
    const int before = statusReplies();
    ASSERT_TRUE(ProcessEventsUntil([&] { return statusReplies() > before + 2; }));
    EXPECT_TRUE(linesContaining("PostError").empty());
}

TEST_F(SimulatedReaderConsoleTest, CounterChannelsAndShortRepliesFollowTypedCommands) {
    start(SimOptions{}, {});
    console.profile.Profile.ReaderType = 4;
    console.profile.Profile.ShortDataMode = true;
    type(QStringLiteral("T21 3"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return console.linkState.layout.CounterChannels == 3; }));
    // The reader may send short data: the command goes out whole, and the decoder follows the
    // reader's short replies (a long one still on its way switches it back for a moment).
    type(QStringLiteral("T23 1"));
    EXPECT_EQ(linesContaining(": \"T23 1 \"").size(), 1u);
    const int before = statusReplies();
    ASSERT_TRUE(ProcessEventsUntil([&] { return statusReplies() > before + 3; }));
    EXPECT_TRUE(console.linkState.ShortReplies);
    EXPECT_TRUE(linesContaining("PostError").empty());
    EXPECT_TRUE(linesContaining("ComError").empty());

    console.profile.Profile.ShortDataMode = false;
    type(QStringLiteral("A2 T23 1"));
    EXPECT_EQ(linesContaining(": \"A2 \"").size(), 1u)
        << "a reader without short data is not asked";
}

TEST_F(SimulatedReaderConsoleTest, AGarbledReplyIsRecoveredFrom) {
    SimOptions options;
    options.faults.garbledShare = 1.0;
    start(options, {});
    ASSERT_TRUE(ProcessEventsUntil([&] { return !linesContaining("PostError").empty(); }));
    ASSERT_TRUE(
        ProcessEventsUntil([&] { return !linesContaining("Reader COM port closed").empty(); }));
    ASSERT_TRUE(ProcessEventsUntil([&] { return console.ports.reader().isOpen(); }));
}

} // namespace
} // namespace gw
