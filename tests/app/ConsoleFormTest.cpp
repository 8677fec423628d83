#include "ConsoleTestKit.h"
#include "GwVersion.h"
#include "app/views/TConsoleForm.h"
#include "console/CommandHelp.h"
#include "console/runtime/Console.h"
#include "console/views/ConsoleWorkArea.h"
#include "console/views/DumpView.h"
#include "core/TimeScale.h"
#include "link/runtime/SerialDeviceFactory.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <gtest/gtest.h>

namespace gw {
namespace {

using testing::FakeSerialDevice;
using testing::ProcessEventsUntil;

class ConsoleFormTest : public ::testing::Test {
public:
    void SetUp() override {
        SerialDeviceFactory::registerDevice(
            "fake", [](const std::string&) { return std::make_unique<FakeSerialDevice>(); });
        console.InitMainForm(ParseConsoleOptions({"--port", "fake"}), form);
        helpMessages = prompter.shown;
        prompter.shown.clear();
    }
    void TearDown() override { SerialDeviceFactory::unregisterDevice("fake"); }

    MemorySettingsStore store;
    ScriptedPrompter prompter;
    FixedLogClock clock{"09:30:00"};
    testing::MemoryLogFileSink logFiles;
    Console console{store, prompter, clock, logFiles};
    TConsoleForm form{console};
    std::vector<ScriptedPrompter::Shown> helpMessages;
};

TEST_F(ConsoleFormTest, StartsWithTheHelpAndTheDumpHidden) {
    EXPECT_FALSE(form.WorkArea->dumpShown());
    // The tests run where no help file lies; the operator is told and start-up goes on.
    if (!QFileInfo::exists(QString::fromLatin1(CommandHelp::FileName)) &&
        !QFileInfo::exists(QDir(QCoreApplication::applicationDirPath())
                               .filePath(QString::fromLatin1(CommandHelp::FileName)))) {
        ASSERT_EQ(helpMessages.size(), 1u);
        EXPECT_EQ(helpMessages[0].text, "Can't open help file Command.info");
    }
}

TEST_F(ConsoleFormTest, ShowsTheVersionAndTheInitialCaption) {
    EXPECT_EQ(form.VersionLabel->text(), QStringLiteral("v. " GW_VERSION_TEXT));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Glimwerk Console"));
    EXPECT_TRUE(form.ActionSystem[4]->isChecked());
    console.SelectSystemType(2);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Glimwerk Console 3500 system"));
    EXPECT_TRUE(form.ActionSystem[2]->isChecked());
}

TEST_F(ConsoleFormTest, TheDumpViewFollowsTheLog) {
    const auto dumpText = [this] {
        form.Dump->flushPendingLines();
        return form.Dump->toPlainText();
    };
    console.AppendLog(": first");
    console.AppendLog(": second \x80");
    EXPECT_EQ(dumpText(), QString::fromUtf8("09:30:00: first\n09:30:00: second \u20ac"));
    EXPECT_TRUE(form.Dump->isReadOnly());
    console.log().dump().removeOldest(1);
    EXPECT_EQ(dumpText(), QString::fromUtf8("09:30:00: second \u20ac"));
    console.log().dump().clear();
    EXPECT_EQ(dumpText(), QString());
}

TEST_F(ConsoleFormTest, ShowingTheWindowOpensThePortAfterTheStartDelay) {
    ScopedTimeScale fast(0.001);
    form.show();
    EXPECT_TRUE(form.ActionOpenPort->isEnabled());
    EXPECT_FALSE(form.ActionClosePort->isEnabled());
    ASSERT_TRUE(ProcessEventsUntil([&] { return console.ports.reader().isOpen(); }));
    EXPECT_FALSE(form.ActionOpenPort->isEnabled());
    EXPECT_TRUE(form.ActionClosePort->isEnabled());
    prompter.answers = {Answer::No};
    form.ActionExit->trigger();
    EXPECT_FALSE(console.ports.reader().isOpen());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(ConsoleFormTest, ClosingAsksOnlyWhenThereIsALog) {
    form.show();
    console.StartTimer().stop();
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(prompter.shown.empty());

    form.show();
    console.AppendLog(": something");
    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(form.close());
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "Save log to a file?");
    EXPECT_EQ(prompter.shown[1].caption, "Log file created");
    EXPECT_EQ(logFiles.files["GWC_log.txt"], "09:30:00: something\r\n");
    EXPECT_EQ(form.Dump->toPlainText(), QString());
}

} // namespace
} // namespace gw
