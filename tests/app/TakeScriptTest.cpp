#include "ConsoleTestKit.h"
#include "app/views/TConsoleForm.h"
#include "console/runtime/Console.h"
#include "console/views/ConsoleMenus.h"
#include "engine/LampSwitch.h"
#include "engine/ScriptDataFileName.h"
#include "engine/runtime/MeasurementEngine.h"
#include "engine/runtime/RecordKeeper.h"
#include "engine/runtime/RunJournal.h"
#include "engine/runtime/ScriptRunner.h"
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

// The run engine attached to the console, over a profile that writes to the test's folder.
struct AttachedRunner {
    AttachedRunner(Console& console, TConsoleForm& form, const QTemporaryDir& dir)
        : engine(console, lamp), keeper(console),
          runner(console, engine, keeper, DataFileFormat()) {
        runner.today = CivilDate{2026, 1, 1};
        form.attachScriptRunner(runner);
        console.TakeData = nullptr; // the start-up port opening, which never fires here
        console.profile.Profile.VolID = dir.path().toStdString() + "/";
        console.profile.Profile.BetaDoseRate = 0.1;
        console.profile.Profile.BetaCalibDate = PackedDate::Pack(2026, 1, 1);
    }

    UnavailableLampSwitch lamp;
    MeasurementEngine engine;
    RecordKeeper keeper;
    ScriptRunner runner;
};

TEST_F(TakeScriptTest, ExecuteScriptPreparesTheRunAndAFreedScriptLeavesNothingToStart) {
    AttachedRunner attached(console, form, dir);
    ScriptRunner& runner = attached.runner;
    interpretExample();
    QTimer::singleShot(0, [&] { editor.ActionScriptBatch->trigger(); });
    EXPECT_TRUE(form.takeScript());
    EXPECT_TRUE(console.runState.ScriptPrepared);
    EXPECT_FALSE(runner.run().empty());
    editor.Interpret(); // frees the compiled script the run was prepared from
    EXPECT_FALSE(runner.StartRun());
}

// Execute on a script whose data file has an unfinished journal asks whether to resume it: Yes
// resumes, No prepares a new run, Cancel leaves everything as it was.
TEST_F(TakeScriptTest, ExecuteOnAnInterruptedRunAsksToResumeIt) {
    AttachedRunner attached(console, form, dir);
    const std::string scriptPath = dir.filePath("example.gws").toStdString();
    std::ofstream(scriptPath, std::ios::binary) << test::Lines(test::WorkedExampleLines);
    ASSERT_TRUE(editor.openFile(QString::fromStdString(scriptPath)));
    editor.Interpret();
    ASSERT_TRUE(editor.compilations().CompiledOK);
    RunJournal journal;
    journal.scriptFile = scriptPath;
    journal.scriptDigest = RunJournal::Digest(test::Lines(test::WorkedExampleLines));
    journal.systemId = console.profile.Profile.SystemID;
    journal.dataFile = PrepareDataFileName(editor.compilations().CompiledScript()->openText,
                                           console.profile.Profile.VolID);
    std::string problem;
    ASSERT_TRUE(journal.save(problem)) << problem;
    struct Case {
        Answer answer;
        bool prepared;
        const char* logged;
    };
    const std::vector<Case> cases = {
        {Answer::Cancel, false, nullptr},
        {Answer::No, true, "is not resumed; a new run is prepared"},
        {Answer::Yes, true, "resuming the run of"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.answer));
        const std::size_t shown = prompter.shown.size();
        const std::string logBefore = console.log().dump().text();
        prompter.answers = {c.answer};
        QTimer::singleShot(0, [&] { editor.ActionScriptBatch->trigger(); });
        EXPECT_TRUE(form.takeScript());
        ASSERT_GT(prompter.shown.size(), shown);
        EXPECT_EQ(prompter.shown[shown].text, "Resume the interrupted run at platter 1, step 1?");
        EXPECT_EQ(console.runState.ScriptPrepared, c.prepared);
        const std::string logged = console.log().dump().text().substr(logBefore.size());
        if (c.logged != nullptr) {
            EXPECT_NE(logged.find(c.logged), std::string::npos) << logged;
        } else {
            EXPECT_EQ(logged.find("prepared"), std::string::npos) << logged;
        }
        // Nothing was started: the journal still waits for its resume.
        EXPECT_TRUE(attached.runner.InterruptedRun(*editor.compilations().CompiledScript()));
    }
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
    console.TakeData = nullptr; // the start-up port opening, which never fires here
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
    EXPECT_EQ(prompter.shown.back().text, console.ProfileChangeRefusal());
}

TEST_F(TakeScriptTest, EditSystemInfoUsesTheProfileEditorHook) {
    interpretExample();
    form.editProfile = [] { return true; };
    editor.editSystemInfo(); // what "Edit parameters" and "Edit system info" run
    EXPECT_FALSE(editor.compilations().CompiledOK);
}

} // namespace
} // namespace gw
