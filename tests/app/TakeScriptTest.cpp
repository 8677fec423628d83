#include "ConsoleTestKit.h"
#include "app/views/TConsoleForm.h"
#include "console/runtime/Console.h"
#include "console/views/ConsoleMenus.h"
#include "profile/DefaultProfile.h"
#include "profile/ProfileImage.h"
#include "script/CompileHelper.h"
#include "windows/ScriptEditorKit.h"

#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>

namespace gw {
namespace {

// The console's main window with the script editor attached, over in-memory settings.
class TakeScriptTest : public ::testing::Test, public testing::ConsoleUnderTest {
public:
    void SetUp() override {
        form.attachScriptEditor(editor);
        console.InitMainForm(ParseConsoleOptions({}), form);
        console.profile.Profile = DefaultProfile(4);
        console.profile.ProfileLoaded = true;
        form.show();
    }

    // Interprets the worked example in the editor.
    void interpretExample() {
        editor.TestEditor->setPlainText(QString::fromLatin1(test::Lines(test::WorkedExampleLines)));
        editor.TestEditor->document()->setModified(false);
        editor.Interpret();
        ASSERT_TRUE(editor.compilations().CompiledOK);
    }

    // A plain one-profile file of a 3500 named "Bench 3500".
    std::string writeProfile() {
        SystemProfile profile = DefaultProfile(2);
        profile.ProfileName = "Bench 3500";
        ProfileImage image(std::vector<std::uint8_t>(ProfileImage::PageSize * 4, 0));
        image.writeProfile(0, profile);
        const std::string path = dir.filePath("TLInfo.dta").toStdString();
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(image.bytes().data()),
                   static_cast<std::streamsize>(image.bytes().size()));
        return path;
    }

    QTemporaryDir dir;
    TConsoleForm form{console};
    test::ScriptedEditorDialogs dialogs;
    TScrptEditor editor{console.profile, console.settings(), prompter, dialogs};
};

TEST_F(TakeScriptTest, ExecuteScriptClosesTheEditorAndHandsTheScriptToTheRun) {
    interpretExample();
    int chosen = 0;
    QObject::connect(&form, &TConsoleForm::scriptExecutionChosen, [&chosen] { ++chosen; });
    bool coveredConsole = false;
    QTimer::singleShot(0, [&] {
        coveredConsole = editor.isVisible() && !form.isVisible() &&
                         !editor.SystemMenu->menuAction()->isVisible();
        editor.ActionScriptBatch->trigger();
    });
    EXPECT_TRUE(form.takeScript());
    EXPECT_TRUE(coveredConsole);
    EXPECT_EQ(chosen, 1);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(editor.isVisible());
    EXPECT_TRUE(editor.SystemMenu->menuAction()->isVisible());
    EXPECT_NE(editor.compilations().CompiledScript(), nullptr);
}

TEST_F(TakeScriptTest, ExitWithACompiledScriptTellsHowToStartIt) {
    interpretExample();
    QTimer::singleShot(0, [&] { editor.ActionFileExit->trigger(); });
    EXPECT_FALSE(form.takeScript());
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().caption, "GWScript");
    EXPECT_EQ(prompter.shown.back().text, "Select \"Script|Execute\" to start data taking");
}

TEST_F(TakeScriptTest, LoadingAnotherProfileMakesTheScriptStale) {
    interpretExample();
    console.runState.ScriptPrepared = true;
    dialogs.openChoices.push_back(QString::fromStdString(writeProfile()));
    editor.loadSystemInfo();
    EXPECT_EQ(editor.ReaderLabel->text(), QStringLiteral("Reader: Bench 3500"));
    EXPECT_EQ(console.SystemType(), 2);
    EXPECT_FALSE(editor.compilations().CompiledOK);
    EXPECT_EQ(editor.compilations().CompiledScript(), nullptr);
    EXPECT_FALSE(console.runState.ScriptPrepared);

    console.runState.RunActive = true;
    dialogs.openChoices.push_back(QString::fromStdString(writeProfile()));
    editor.ActionSysLoad->trigger();
    EXPECT_EQ(prompter.shown.back().text, "A profile cannot be loaded while a script runs.");
}

TEST_F(TakeScriptTest, EditSystemInfoUsesTheProfileEditorHook) {
    interpretExample();
    form.editProfile = [] { return true; };
    editor.editSystemInfo(); // what "Edit parameters" and "Edit system info" run
    EXPECT_FALSE(editor.compilations().CompiledOK);
}

} // namespace
} // namespace gw
