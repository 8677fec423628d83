#include "ConsoleTestKit.h"
#include "app/views/TConsoleForm.h"
#include "console/ConsoleTexts.h"
#include "console/runtime/Console.h"
#include "console/views/CommandField.h"
#include "console/views/ConsoleMenus.h"
#include "console/views/ConsoleWorkArea.h"
#include "console/views/DataPanel.h"
#include "console/views/DumpView.h"
#include "console/views/HelpArea.h"
#include "console/views/PanelLabel.h"
#include "console/views/StatusPanel.h"
#include "console/views/WelcomePanel.h"
#include "engine/LampSwitch.h"
#include "engine/runtime/MeasurementEngine.h"
#include "engine/runtime/OperationSequencer.h"
#include "link/runtime/SerialDeviceFactory.h"
#include "windows/views/THolesDlg.h"
#include "windows/views/TTakeDataDlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <gtest/gtest.h>

namespace gw {
namespace {

using testing::FakeSerialDevice;

// A long 3500 reply with one counter: counts 0000FF, point 05, position 09, state 02, no errors,
// readings 64 64 80 40 00 00 00 00, a status word of all ones and timer 001E.
const std::string Reply3500 = "0000FF05090200006464804000000000FFFFFFFF001E";

class ConsoleFormActionsTest : public ::testing::Test {
public:
    void SetUp() override {
        SerialDeviceFactory::registerDevice(
            "fake", [](const std::string&) { return std::make_unique<FakeSerialDevice>(); });
        form.commandHelpPaths = {GW_BINARY_DIR "/Command.info"};
        console.InitMainForm(ParseConsoleOptions({"--port", "fake"}), form);
        FakeSerialDevice::written.clear();
    }
    void TearDown() override { SerialDeviceFactory::unregisterDevice("fake"); }

    ConsoleMenus& menus() { return *form.menus(); }

    MemorySettingsStore store;
    ScriptedPrompter prompter;
    FixedLogClock clock{"09:30:00"};
    testing::MemoryLogFileSink logFiles;
    Console console{store, prompter, clock, logFiles};
    TConsoleForm form{console};
};

TEST_F(ConsoleFormActionsTest, StartsWithTheShippedHelpAndTheWelcomePanel) {
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_GT(form.WorkArea->commandHelp().lastTopic(), 20);
    EXPECT_TRUE(form.WorkArea->welcomePanel()->isVisibleTo(&form));
    EXPECT_TRUE(form.WorkArea->welcomePanel()->text().contains("Glimwerk Console"));
}

TEST_F(ConsoleFormActionsTest, SystemTypeItemsChangeCaptionDecodingAndPanels) {
    EXPECT_EQ(console.SystemType(), 4);
    EXPECT_EQ(form.WorkArea->statusPanel()->label(0)->text(), "Sample up");
    menus().ActionSystem[2]->trigger();
    EXPECT_EQ(form.windowTitle(), "Glimwerk Console 3500 system");
    EXPECT_EQ(console.linkState.layout.LongLength, 44);
    EXPECT_EQ(form.WorkArea->statusPanel()->label(0)->text(), "Elevator OK");
    EXPECT_TRUE(form.WorkArea->dataPanel()->fieldVisible(8));
    // The same type again keeps the caption but lays the panels out anew.
    form.setWindowTitle("changed");
    form.DecodeDumpLine("09:00:00: " + Reply3500);
    EXPECT_EQ(form.WorkArea->dataPanel()->value(1), "9");
    menus().ActionSystem[2]->trigger();
    EXPECT_EQ(form.windowTitle(), "changed");
    EXPECT_EQ(form.WorkArea->dataPanel()->value(1), "0");
    menus().ActionSystem[4]->trigger();
    EXPECT_FALSE(form.WorkArea->dataPanel()->fieldVisible(8));
    EXPECT_EQ(form.WorkArea->dataPanel()->caption(5), "OSL 2");
}

TEST_F(ConsoleFormActionsTest, DumpScreenTogglesAndDumpLinesDecode) {
    form.show();
    console.StartTimer().stop();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(form.WorkArea->dumpShown());
    EXPECT_FALSE(form.WorkArea->dataPanel()->isVisible());
    QTest::keyClick(&form, Qt::Key_D, Qt::ControlModifier);
    EXPECT_FALSE(form.WorkArea->dumpShown());
    EXPECT_TRUE(form.WorkArea->dataPanel()->isVisible());

    console.SelectSystemType(2);
    // With the port closed the line is decoded into the live state.
    form.DecodeDumpLine("09:00:00: " + Reply3500);
    EXPECT_EQ(console.readerState.Position, 9);
    // With the port open the live state is left to the reader's own replies.
    console.openPorts();
    ASSERT_TRUE(console.ports.reader().isOpen());
    const std::string other = "0000FF05110200006464804000000000FFFFFFFF001E";
    form.DecodeDumpLine("09:00:01: " + other);
    EXPECT_EQ(console.readerState.Position, 9);
    EXPECT_EQ(form.WorkArea->dataPanel()->value(1), "17");
    prompter.answers = {Answer::No};
}

TEST_F(ConsoleFormActionsTest, ReplayOfADumpFileAndOpenPortEndingIt) {
    console.SelectSystemType(2);
    const QString path = QString::fromStdString(::testing::TempDir()) + "dump1.txt";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("10:00:00: " + Reply3500 + "\r\n10:00:01: \"P1 \"\r\n").c_str());
    file.close();
    console.openPorts();
    form.replayDumpFile(path);
    EXPECT_FALSE(console.ports.reader().isOpen());
    EXPECT_TRUE(form.WorkArea->replayMode());
    EXPECT_EQ(console.log().dump().lineCount(), 2u);
    EXPECT_EQ(console.readerState.Timer, 30);
    QTest::keyClick(form.Dump, Qt::Key_Plus);
    EXPECT_EQ(form.Dump->currentLine(), "10:00:01: \"P1 \"");
    form.ActionOpenPort->trigger();
    EXPECT_FALSE(form.WorkArea->replayMode());
    EXPECT_TRUE(console.ports.reader().isOpen());
    EXPECT_FALSE(console.log().dump().hasText() &&
                 console.log().dump().line(0).find(Reply3500) != std::string::npos);
    prompter.answers = {Answer::No};
}

TEST_F(ConsoleFormActionsTest, TypedCommandsGoToTheReaderAndTheLog) {
    console.openPorts();
    FakeSerialDevice::written.clear();
    QTest::keyClicks(form.WorkArea->commandField(), "p1");
    QTest::keyClick(form.WorkArea->commandField(), Qt::Key_Return);
    ASSERT_FALSE(FakeSerialDevice::written.empty());
    EXPECT_EQ(FakeSerialDevice::written.back(), QByteArray("P1 "));
    EXPECT_TRUE(console.linkState.PurgeSwitch);
    const Dump& dump = console.log().dump();
    EXPECT_EQ(dump.line(dump.lineCount() - 1), "09:30:00: \"P1 \"");
    QTest::keyClicks(form.WorkArea->commandField(), "T21 3");
    QTest::keyClick(form.WorkArea->commandField(), Qt::Key_Return);
    EXPECT_EQ(console.linkState.layout.CounterChannels, 3);
    prompter.answers = {Answer::No};
}

TEST_F(ConsoleFormActionsTest, HelpActionsTellTheOperator) {
    menus().ActionHelp->trigger();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "GWConsole Help");
    EXPECT_EQ(prompter.shown[0].text, CommandLineHelpText());
    // The tests' own directory holds no guide.
    menus().ActionHelpFile->trigger();
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].caption, "Open Error");
    EXPECT_EQ(prompter.shown[1].text,
              "There was an error while opening the file: Console_help.htm.");
}

TEST_F(ConsoleFormActionsTest, EnableRulesFollowPortAndProfile) {
    EXPECT_TRUE(form.ActionOpenPort->isEnabled());
    EXPECT_FALSE(form.ActionClosePort->isEnabled());
    EXPECT_FALSE(menus().ActionEditReader->isEnabled());
    EXPECT_FALSE(menus().ActionSaveReader->isEnabled());
    console.openPorts();
    EXPECT_FALSE(form.ActionOpenPort->isEnabled());
    EXPECT_TRUE(form.ActionClosePort->isEnabled());
    console.runState.RunActive = true;
    console.SelectSystemType(3);
    QTimer::singleShot(0, [] {});
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_FALSE(form.ActionClosePort->isEnabled());
    EXPECT_FALSE(menus().ActionTakeMOSL->isEnabled());
    EXPECT_TRUE(menus().ActionAbortOperation->isEnabled());
    console.runState.RunActive = false;
    prompter.answers = {Answer::No};
}

TEST_F(ConsoleFormActionsTest, SaveParametersCopiesTheProfileAndUsesTheCopy) {
    const std::string dir = ::testing::TempDir();
    const std::string original = dir + "TLInfo-save.dta";
    std::FILE* file = std::fopen(original.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("profile bytes", file);
    std::fclose(file);
    console.profile.ProfilePath = original;
    console.profile.ProfileLoaded = true;
    const QString copy = QString::fromStdString(dir + "Copy-save.dta");
    QFile::remove(copy);
    ASSERT_TRUE(form.saveParametersAs(copy));
    QFile copied(copy);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("profile bytes"));
    EXPECT_EQ(QString::fromStdString(console.profile.ProfilePath),
              QFileInfo(copy).absoluteFilePath());
    EXPECT_EQ(console.settings().ReadSettingText("", "System info", true),
              console.profile.ProfilePath);
    // A path that cannot be written changes nothing and shows nothing.
    const std::string before = console.profile.ProfilePath;
    EXPECT_FALSE(form.saveParametersAs("/nonexistent-dir/x.dta"));
    EXPECT_EQ(console.profile.ProfilePath, before);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ConsoleFormActionsTest, ActionsOfLaterPartsSayTheyAreNotAvailable) {
    menus().ActionTakeTL->trigger();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Take TL is not available in this version.");
}

TEST_F(ConsoleFormActionsTest, TakeDataActionsShowTheDialogOnTheirSheet) {
    UnavailableLampSwitch lamp;
    MeasurementEngine engine(console, lamp);
    OperationSequencer sequencer(console, engine, DataFileFormat());
    form.attachEngine(engine);
    THolesDlg holes;
    TTakeDataDlg dialog(prompter, holes);
    form.attachSequencer(sequencer, dialog);
    std::vector<TakeDataSheet> shown;
    sequencer.showDialog = [&](TakeDataValues& values) {
        shown.push_back(values.Sheet);
        return false; // Cancel: nothing starts
    };
    menus().ActionTakeOSL->trigger();
    menus().ActionTakeMOSL->trigger();
    menus().ActionTakeTL->trigger();
    menus().ActionIrradiate->trigger();
    EXPECT_EQ(shown, (std::vector<TakeDataSheet>{TakeDataSheet::OSL, TakeDataSheet::MOSL,
                                                 TakeDataSheet::TL, TakeDataSheet::Irradiate}));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_FALSE(sequencer.inFlight());
}

TEST_F(ConsoleFormActionsTest, AbortOperationStopsTheReaderAndTheRun) {
    UnavailableLampSwitch lamp;
    MeasurementEngine engine(console, lamp);
    form.attachEngine(engine);
    console.openPorts();
    console.runState.RunActive = true;
    console.TakeData = [] {};
    menus().ActionAbortOperation->setEnabled(true); // as the idle-time rules do while a run is on
    FakeSerialDevice::written.clear();
    menus().ActionStopScript->setChecked(true);
    menus().ActionAbortOperation->trigger();
    ASSERT_FALSE(FakeSerialDevice::written.empty());
    EXPECT_EQ(FakeSerialDevice::written.front(), QByteArray("Z "));
    EXPECT_FALSE(menus().ActionAbortOperation->isChecked());
    EXPECT_FALSE(menus().ActionStopScript->isChecked());
    EXPECT_FALSE(console.runState.RunActive);
    EXPECT_FALSE(console.TakeData);
}

// Reply3500 with another state code.
std::string Reply3500InState(int stateCode) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", stateCode);
    std::string reply = Reply3500;
    reply.replace(10, 2, digits);
    return reply;
}

TEST_F(ConsoleFormActionsTest, TheApplicationIconFollowsTheStateCode) {
    UnavailableLampSwitch lamp;
    MeasurementEngine engine(console, lamp);
    form.attachEngine(engine);
    console.SelectSystemType(2);
    console.openPorts();
    int changes = 0;
    std::vector<bool> busy;
    for (const int code : {0, 3, 3, 0}) {
        const qint64 before = QApplication::windowIcon().cacheKey();
        console.readerReplies().OnReaderPacket(Reply3500InState(code));
        changes += QApplication::windowIcon().cacheKey() != before ? 1 : 0;
        busy.push_back(form.applicationIcon().showsBusy());
    }
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(busy, (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(console.readerState.StateCode, 0);
    prompter.answers = {Answer::No};
}

TEST_F(ConsoleFormActionsTest, RepliesReachThePanelsTogetherWithinARefresh) {
    console.SelectSystemType(2);
    console.openPorts();
    for (const char* position : {"07", "08", "0A"}) {
        std::string reply = Reply3500;
        reply.replace(8, 2, position);
        console.readerReplies().OnReaderPacket(reply);
    }
    EXPECT_EQ(form.WorkArea->dataPanel()->value(1), "0") << "not painted for every reply";
    EXPECT_TRUE(testing::ProcessEventsUntil([&] {
        return form.WorkArea->dataPanel()->value(1) == "10";
    })) << "the newest reply shown within a refresh";
    prompter.answers = {Answer::No};
}

TEST_F(ConsoleFormActionsTest, CtrlCInTheCommandFieldCopiesASelectionElseClosesThePort) {
    form.show();
    console.StartTimer().stop();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    console.openPorts();
    ASSERT_TRUE(form.ActionClosePort->isEnabled());
    QLineEdit* field = form.WorkArea->commandField();
    field->setFocus();
    QTest::keyClicks(field, "h1");
    field->selectAll();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(console.ports.reader().isOpen()) << "a selection is copied";
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "H1");
    field->clear();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(console.ports.reader().isOpen()) << "an empty field leaves Ctrl+C to Close port";
    // Elsewhere in the window too.
    for (QWidget* focus :
         {static_cast<QWidget*>(form.WorkArea->helpArea()), static_cast<QWidget*>(form.Dump)}) {
        console.openPorts();
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
        EXPECT_FALSE(console.ports.reader().isOpen()) << focus->objectName().toStdString();
    }
    prompter.answers = {Answer::No};
}

TEST_F(ConsoleFormActionsTest, VeltraxCompatibleIsTheEnginesCompatibilitySwitch) {
    UnavailableLampSwitch lamp;
    MeasurementEngine engine(console, lamp);
    form.attachEngine(engine);
    QAction* veltrax = menus().ActionVeltrax;
    EXPECT_FALSE(veltrax->isChecked());
    veltrax->trigger();
    EXPECT_TRUE(engine.compatibilityMode());
    EXPECT_TRUE(engine.dataTakeSettings().CompatibilityMode) << "the next operation sees it";
    veltrax->trigger();
    EXPECT_FALSE(engine.compatibilityMode());
    EXPECT_FALSE(veltrax->isChecked());
}

} // namespace
} // namespace gw
