#include "script/CompileHelper.h"
#include "tool/WorksheetCommand.h"
#include "windows/ScriptEditorKit.h"
#include "windows/views/TWrkShtDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace gw {
namespace {

using test::ScriptEditorKit;

// The options the operator gives in the worksheet dialog.
struct Choice {
    QString sample;
    QString worksheet; // relative to the kit's directory
    bool ok = true;
    bool open = false;
};

void Answer(ScriptEditorKit& kit, const Choice& choice) {
    kit.dialogs.modal = [&kit, choice](QDialog& dialog) {
        auto& options = dynamic_cast<TWrkShtDialog&>(dialog);
        options.SampleBox->setEditText(choice.sample);
        options.WorksheetBox->setEditText(choice.worksheet.isEmpty() ? QString()
                                                                     : kit.path(choice.worksheet));
        options.OpenWorksheet->setChecked(choice.open);
        return int(choice.ok ? QDialog::Accepted : QDialog::Rejected);
    };
}

// The shipped template in the kit's directory, which is the working directory meanwhile.
struct TemplateAtHand {
    QString previous = QDir::currentPath();
    explicit TemplateAtHand(const ScriptEditorKit& kit) {
        const std::filesystem::path source =
            std::filesystem::path(GW_TEST_DATA_DIR).parent_path().parent_path() /
            "data/Worksheet.ini";
        QFile::copy(QString::fromStdString(source.string()), kit.path("Worksheet.ini"));
        QDir::setCurrent(kit.dir.path());
    }
    ~TemplateAtHand() { QDir::setCurrent(previous); }
};

// The worked example opened and interpreted, with no printer to ask.
void Interpreted(ScriptEditorKit& kit, const std::vector<std::string>& lines) {
    ASSERT_TRUE(kit.editor.openFile(kit.writeFile("sar.txt", test::Lines(lines))));
    kit.editor.Interpret();
    kit.editor.printerPaper = [](std::string&) { return std::nullopt; };
    kit.editor.updateActions();
}

std::string DateArgument(const CivilDate& day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year, day.month, day.day);
    return text;
}

TEST(WorksheetActionTest, WritesWhatTheToolWritesAndLeavesNoStaleRun) {
    ScriptEditorKit kit;
    const TemplateAtHand shipped(kit);
    Interpreted(kit, test::WorkedExampleLines);
    ASSERT_TRUE(kit.editor.ActionWorksheets->isEnabled());
    QSignalSpy released(&kit.editor, &TScrptEditor::compiledScriptReleased);
    Answer(kit, {"quartz", "night 1"});
    kit.editor.ActionWorksheets->trigger();
    EXPECT_EQ(kit.shownTexts(), std::vector<std::string>{});
    EXPECT_EQ(released.count(), 1) << "a run prepared from the earlier compilation is stale";
    EXPECT_TRUE(kit.editor.compilations().CompiledOK);

    std::ostringstream out, err;
    ASSERT_EQ(tool::runWorksheetCommand({kit.path("sar.txt").toStdString(), "--today",
                                         DateArgument(TodayLocal()), "-o",
                                         kit.path("tool.rtf").toStdString()},
                                        out, err),
              0)
        << err.str();
    const std::string written = ScriptEditorKit::readFile(kit.path("night 1.rtf"));
    EXPECT_EQ(written.substr(0, 6), "{\\rtf1");
    EXPECT_EQ(written, ScriptEditorKit::readFile(kit.path("tool.rtf")));
}

TEST(WorksheetActionTest, OptionsPaperAndOpening) {
    struct Case {
        const char* what;
        Choice choice;
        std::optional<WorksheetPaper> paper;
        std::string printerProblem;
        bool opens = true;
        bool written;
        std::vector<std::string> messages;
        std::vector<int> opened; // times the worksheet was handed to the desktop
    };
    const std::vector<Case> cases = {
        {"cancel", {"quartz", "w", false}, std::nullopt, "", true, false, {}, {}},
        {"no sample name", {" ", "w"}, std::nullopt, "", true, false, {}, {}},
        {"no printer",
         {"quartz", "w"},
         std::nullopt,
         "There is no default printer currently selected.",
         true,
         true,
         {"Warning: There is no default printer currently selected."},
         {}},
        {"landscape printer",
         {"quartz", "w"},
         WorksheetPaper{16838, 11906, true},
         "",
         true,
         true,
         {},
         {}},
        {"opened", {"quartz", "w", true, true}, std::nullopt, "", true, true, {}, {1}},
        {"no program for RTF",
         {"quartz", "w", true, true},
         std::nullopt,
         "",
         false,
         true,
         {"Open Error: There was an error while opening the file."},
         {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptEditorKit kit;
        const TemplateAtHand shipped(kit);
        Interpreted(kit, test::WorkedExampleLines);
        kit.editor.printerPaper = [&c](std::string& problem) {
            problem = c.printerProblem;
            return c.paper;
        };
        std::vector<int> opened;
        kit.editor.worksheetOpener = [&](const QUrl& url) {
            EXPECT_EQ(url.toLocalFile(), kit.path("w.rtf"));
            opened.push_back(1);
            return c.opens;
        };
        Answer(kit, c.choice);
        kit.editor.ActionWorksheets->trigger();
        EXPECT_EQ(QFileInfo::exists(kit.path("w.rtf")), c.written);
        EXPECT_EQ(kit.shownTexts(), c.messages);
        EXPECT_EQ(opened, c.opened);
        const std::string text = c.written ? ScriptEditorKit::readFile(kit.path("w.rtf")) : "";
        EXPECT_EQ(text.find("\\paperw16838\\paperh11906") != std::string::npos,
                  c.paper.has_value());
        // Both names join their histories whatever the answer, once.
        kit.editor.ActionWorksheets->trigger();
        EXPECT_EQ(kit.editor.WorksheetDialog->SampleBox->itemText(0), c.choice.sample.trimmed());
        EXPECT_EQ(kit.editor.WorksheetDialog->WorksheetBox->count(), 1);
    }
}

// The worksheet name follows the sample name when empty; "&>>" proposes a path relative to the
// executable's directory.
TEST(WorksheetActionTest, DialogFillsTheWorksheetName) {
    ScriptEditorKit kit;
    TWrkShtDialog& dialog = *kit.editor.WorksheetDialog;
    dialog.executableDirectory = kit.dir.path();
    dialog.SampleBox->setEditText(QStringLiteral("quartz 7"));
    emit dialog.SampleBox->lineEdit()->editingFinished();
    EXPECT_EQ(dialog.worksheetName(), QStringLiteral("quartz 7"));
    kit.dialogs.saveChoices = {kit.path("Worksheets/night.rtf")};
    dialog.SaveWrk->click();
    EXPECT_EQ(dialog.worksheetName(), QStringLiteral("Worksheets/night.rtf"));
}

// The worksheet is made from the editor's own text: off for a plain script and for a metascript,
// even one whose scripts declare TEMPLATE.
TEST(WorksheetActionTest, OffWithoutTemplateText) {
    std::vector<std::string> plain = test::WorkedExampleLines;
    plain[0] = "METHOD \"no template\"";
    const std::vector<std::pair<const char*, std::vector<std::string>>> cases = {
        {"plain script", plain},
        {"metascript", {"METASCRIPT", "SCRIPT=sar.txt"}},
    };
    for (const auto& [what, lines] : cases) {
        ScriptEditorKit kit;
        ASSERT_TRUE(
            kit.editor.openFile(kit.writeFile("sar.txt", test::Lines(test::WorkedExampleLines))));
        kit.editor.Interpret(); // a template first
        ASSERT_TRUE(kit.editor.openFile(kit.writeFile("edited.txt", test::Lines(lines))));
        kit.editor.Interpret();
        kit.editor.updateActions();
        EXPECT_TRUE(kit.editor.ActionScriptBatch->isEnabled()) << what;
        EXPECT_FALSE(kit.editor.ActionWorksheets->isEnabled()) << what;
        EXPECT_EQ(kit.editor.ActionWorksheets->statusTip(),
                  QStringLiteral("Worksheets need an interpreted script that declares TEMPLATE"));
    }
}

} // namespace
} // namespace gw
