#include "ConsoleTestKit.h"
#include "app/views/ConsoleWindows.h"
#include "app/views/TConsoleForm.h"
#include "console/ConsoleActionRules.h"
#include "console/runtime/Console.h"
#include "console/views/ConsoleMenus.h"
#include "profile/NewProfileFile.h"
#include "profile/views/TEditInfo.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace gw {
namespace {

class ProfileEditorWiringTest : public ::testing::Test {
public:
    void SetUp() override {
        const auto dir = std::filesystem::path(GW_BINARY_DIR) / "app-tests" / "editor-wiring";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        path = (dir / "TLInfo.dta").string();
        ASSERT_FALSE(CreateProfileFile(path, NewProfileOptions{}, nullptr));
        windows.consoleForm().commandHelpPaths = {GW_BINARY_DIR "/Command.info"};
        console.InitMainForm(ParseConsoleOptions({"--profile", path}), windows.consoleForm());
        // As the console's idle evaluation does once a profile is loaded.
        windows.consoleForm().menus()->applyRules(
            EvaluateActionRules({false, false, false, console.profile.ProfileLoaded, 4}));
    }

    QAction* editParameters() { return windows.consoleForm().menus()->ActionEditReader; }

    std::string path;
    MemorySettingsStore store;
    ScriptedPrompter prompter;
    FixedLogClock clock{"09:30:00"};
    testing::MemoryLogFileSink logFiles;
    Console console{store, prompter, clock, logFiles};
    ConsoleWindows windows{console};
};

TEST_F(ProfileEditorWiringTest, EditParametersOpensTheEditorAndItsEditsTakeEffect) {
    bool shown = false;
    QTimer::singleShot(0, &windows.editInfo(), [this, &shown] {
        TEditInfo& editor = windows.editInfo();
        shown = editor.isVisible() && editor.windowTitle() == "Select & edit system profile";
        editor.editor().setReaderType(2);
        editor.reject();
    });
    editParameters()->trigger();
    EXPECT_TRUE(shown);
    EXPECT_EQ(console.SystemType(), 2) << "the live profile's reader type, unsaved";
    EXPECT_TRUE(prompter.shown.empty());

    console.runState.ScriptPrepared = true;
    QTimer::singleShot(0, &windows.editInfo(), [this] {
        windows.editInfo().SaveButton->click();
        windows.editInfo().reject();
    });
    EXPECT_TRUE(windows.editProfile()) << "a save replaces the profile in use";
    EXPECT_FALSE(console.runState.ScriptPrepared);
}

TEST_F(ProfileEditorWiringTest, EditParametersIsRefusedWhileAnOperationRuns) {
    console.Finisher = [] {};
    bool shown = false;
    QTimer::singleShot(0, &windows.editInfo(), [this, &shown] {
        shown = windows.editInfo().isVisible();
        windows.editInfo().reject();
    });
    editParameters()->trigger();
    EXPECT_FALSE(shown);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Warning");
    console.Finisher = nullptr;
}

} // namespace
} // namespace gw
