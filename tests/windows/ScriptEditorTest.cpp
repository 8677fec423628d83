#include "script/CompileHelper.h"
#include "script/ScriptListings.h"
#include "windows/ScriptEditorKit.h"
#include "windows/views/ScriptFindReplace.h"
#include "windows/views/ScriptListingViewer.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace gw {
namespace {

using test::Lines;
using test::ScriptEditorKit;
using test::WorkedExampleLines;

std::string WorkedExample() {
    return Lines(WorkedExampleLines);
}

// The worked example with line 16 replaced by a word the method body does not know.
std::string ExampleWithErrorOnLine16() {
    std::vector<std::string> lines = WorkedExampleLines;
    lines[15] = "MEASURED";
    return Lines(lines);
}

TEST(ScriptEditorTest, LoadAndSaveKeepWindows1252TextWithCrLf) {
    ScriptEditorKit kit;
    const std::string bytes = "METHOD \"Caf\xE9 \x80 \xA0x\"\r\nSAMPLE \"\xB5m\"\r\n\r\nEND\r\n";
    ASSERT_TRUE(kit.editor.openFile(kit.writeFile("in.txt", bytes)));
    EXPECT_EQ(
        kit.editor.TestEditor->text(),
        QString::fromUtf8("METHOD \"Caf\u00E9 \u20AC \u00A0x\"\nSAMPLE \"\u00B5m\"\n\nEND\n"));
    EXPECT_FALSE(kit.editor.TestEditor->document()->isModified());
    ASSERT_TRUE(kit.editor.saveAs(kit.path("out.txt")));
    EXPECT_EQ(ScriptEditorKit::readFile(kit.path("out.txt")), bytes);
    EXPECT_EQ(kit.editor.windowTitle(), QStringLiteral("Glimwerk Script Editor - out"));
    EXPECT_EQ(kit.settings.ReadSettingText("", "Scripts", true),
              kit.dir.path().toStdString() + "/");
}

TEST(ScriptEditorTest, FindAndReplace) {
    struct Case {
        const char* name;
        int selectStart, selectEnd; // -1: nothing selected
        FindRequest request;
        std::string action; // find, replace, all
        QString expectedText;
        QString expectedSelection;
        std::string expectedMessage;
    };
    const QString text = QStringLiteral("TL(1)\nOSL(2)\nTL(3)\nTLBGD(4)");
    const std::vector<Case> cases = {
        {"find from the selection's end", 0, 2, {"TL", "", true, false}, "find", text, "TL", ""},
        {"find whole words skips TLBGD",
         13,
         15,
         {"TL", "", true, true},
         "find",
         text,
         "",
         "Error: Text not found."},
        {"replace a non-matching selection leaves it",
         6,
         12,
         {"TL", "XX", false, false},
         "replace",
         "XX(1)\nOSL(2)\nTL(3)\nTLBGD(4)",
         "",
         ""},
        {"replace a matching selection",
         13,
         15,
         {"TL", "XX", false, false},
         "replace",
         "TL(1)\nOSL(2)\nXX(3)\nTLBGD(4)",
         "",
         ""},
        {"replace without a match",
         -1,
         -1,
         {"IRRAD", "XX", false, false},
         "replace",
         text,
         "",
         "Information: \"IRRAD\" not found."},
        {"replace all from a selection",
         13,
         15,
         {"TL", "T", true, false},
         "all",
         "TL(1)\nOSL(2)\nT(3)\nTBGD(4)",
         "",
         "Information: 2 replace(s) made."},
        {"replace all whole words",
         -1,
         -1,
         {"TL", "T", true, true},
         "all",
         "T(1)\nOSL(2)\nT(3)\nTLBGD(4)",
         "",
         "Information: 2 replace(s) made."},
        {"replace all without a match",
         -1,
         -1,
         {"tl", "x", true, false},
         "all",
         text,
         "",
         "Information: No replaces made."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptEditorKit kit;
        QPlainTextEdit& edit = *kit.editor.TestEditor;
        edit.setPlainText(text);
        QTextCursor cursor(edit.document());
        if (c.selectStart >= 0) {
            cursor.setPosition(c.selectStart);
            cursor.setPosition(c.selectEnd, QTextCursor::KeepAnchor);
        }
        edit.setTextCursor(cursor);
        ScriptFindReplace finder(edit, kit.prompter);
        if (c.action == "find") {
            finder.findNext(c.request);
        } else if (c.action == "replace") {
            finder.replace(c.request);
        } else {
            finder.replaceAll(c.request);
        }
        EXPECT_EQ(edit.toPlainText(), c.expectedText);
        if (!c.expectedSelection.isEmpty()) {
            EXPECT_EQ(edit.textCursor().selectedText(), c.expectedSelection);
            EXPECT_EQ(edit.textCursor().selectionStart(), 13);
        }
        const auto shown = kit.shownTexts();
        EXPECT_EQ(shown.empty() ? "" : shown.back(), c.expectedMessage);
    }
}

TEST(ScriptEditorTest, InterpretMarksTheLineOfTheFirstError) {
    ScriptEditorKit kit;
    kit.editor.openFile(kit.writeFile("bad.txt", ExampleWithErrorOnLine16()));
    kit.editor.Interpret();
    ASSERT_EQ(kit.prompter.shown.size(), 1u);
    EXPECT_EQ(kit.prompter.shown[0].caption, "Syntax error");
    EXPECT_EQ(kit.prompter.shown[0].text, " Unknown symbol MEASURED \r\n\r\nLine 16 of bad.txt");
    EXPECT_EQ(kit.editor.TestEditor->errorLine(), 16);
    const QTextCursor caret = kit.editor.TestEditor->textCursor();
    EXPECT_EQ(caret.selectedText(), QStringLiteral("MEASURED"));
    EXPECT_EQ(caret.block().blockNumber(), 15);
    EXPECT_FALSE(kit.editor.compilations().CompiledOK);
    kit.editor.updateActions();
    EXPECT_FALSE(kit.editor.ActionScriptBatch->isEnabled());

    kit.editor.TestEditor->insertPlainText(QStringLiteral("MEASURE"));
    EXPECT_EQ(kit.editor.TestEditor->errorLine(), 0) << "an edit removes the mark";
}

TEST(ScriptEditorTest, InterpretedScriptShowsItsListingsAndCanBeExecuted) {
    ScriptEditorKit kit;
    kit.editor.openFile(kit.writeFile("sar.txt", WorkedExample()));
    kit.editor.Interpret();
    EXPECT_TRUE(kit.prompter.shown.empty());
    ASSERT_TRUE(kit.editor.compilations().CompiledOK);
    const sc_Script* script = kit.editor.compilations().CompiledScript();
    ASSERT_NE(script, nullptr);
    EXPECT_EQ(script->Disks().disks.Size(), 2u);
    EXPECT_EQ(kit.editor.compilations().TemplateName, "SAR example");
    kit.editor.updateActions();
    EXPECT_TRUE(kit.editor.ActionScriptBatch->isEnabled());
    EXPECT_TRUE(kit.editor.ActionWorksheets->isEnabled());

    kit.editor.ActionViewDisks->trigger();
    EXPECT_TRUE(kit.editor.ViewerBox->isVisibleTo(&kit.editor));
    EXPECT_EQ(kit.editor.ViewerBox->caption(), QStringLiteral("Disk viewer"));
    QString expected = QString::fromLatin1(ListDisks(*script));
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(kit.editor.ViewerBox->ViewerMemo->toPlainText() + "\n", expected);

    kit.editor.TestEditor->insertPlainText(QStringLiteral(" "));
    EXPECT_FALSE(kit.editor.compilations().CompiledOK) << "an edit needs a new Interpret";
}

TEST(ScriptEditorTest, MetascriptOfThreeScriptsStopsAtTheOneWithAnError) {
    ScriptEditorKit kit;
    kit.writeFile("one.txt", WorkedExample());
    kit.writeFile("two.txt", ExampleWithErrorOnLine16());
    kit.writeFile("three.txt", WorkedExample());
    const QString meta = kit.writeFile(
        "meta.txt", "METASCRIPT\r\nSCRIPT=one.txt\r\nscript=two.txt\r\nSCRIPT=three.txt\r\n");
    kit.editor.openFile(meta);
    kit.editor.Interpret();
    const ScriptCompilations& compilations = kit.editor.compilations();
    EXPECT_FALSE(compilations.MetascriptOK);
    ASSERT_EQ(compilations.MetaScripts().size(), 3u);
    EXPECT_NE(compilations.MetaScripts()[0].script, nullptr);
    EXPECT_EQ(compilations.MetaScripts()[1].script, nullptr);
    EXPECT_EQ(compilations.MetaScripts()[2].script, nullptr);
    EXPECT_EQ(compilations.MetaIndex(), -1);
    // The failing script stays in the editor, bound to its own file, its line marked.
    EXPECT_EQ(kit.editor.scriptFileName(), kit.path("two.txt"));
    EXPECT_EQ(kit.editor.windowTitle(), QStringLiteral("Glimwerk Script Editor - two"));
    EXPECT_EQ(kit.editor.TestEditor->errorLine(), 16);

    // Mended, the metascript compiles whole and the editor is back on the metascript itself.
    kit.writeFile("two.txt", WorkedExample());
    kit.prompter.shown.clear();
    kit.editor.openFile(meta);
    kit.editor.Interpret();
    EXPECT_TRUE(kit.prompter.shown.empty());
    EXPECT_TRUE(compilations.MetascriptOK);
    EXPECT_FALSE(compilations.CompiledOK);
    for (const MetascriptEntry& entry : compilations.MetaScripts()) {
        EXPECT_NE(entry.script, nullptr) << entry.path;
    }
    EXPECT_EQ(kit.editor.scriptFileName(), meta);
    EXPECT_EQ(kit.editor.windowTitle(), QStringLiteral("Glimwerk Script Editor - meta"));
    EXPECT_FALSE(kit.editor.TestEditor->document()->isModified());
    EXPECT_TRUE(kit.editor.TestEditor->text().startsWith(QStringLiteral("METASCRIPT\n")));
    kit.editor.Save();
    EXPECT_EQ(ScriptEditorKit::readFile(meta),
              "METASCRIPT\r\nSCRIPT=one.txt\r\nscript=two.txt\r\nSCRIPT=three.txt\r\n");
}

TEST(ScriptEditorTest, PrintsTheTextToPdf) {
    ScriptEditorKit kit;
    kit.editor.openFile(kit.writeFile("sar.txt", WorkedExample()));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(kit.path("sar.pdf"));
    kit.editor.printText(printer);
    EXPECT_EQ(ScriptEditorKit::readFile(kit.path("sar.pdf")).substr(0, 5), "%PDF-");
    EXPECT_EQ(printer.docName(), kit.path("sar.txt")) << "the job carries the file name";
}

TEST(ScriptEditorTest, UnsavedTextQuestions) {
    enum class Step { Close, Exit, Open };
    struct Case {
        const char* name;
        Step step;
        std::deque<Answer> answers;
        std::deque<QString> saveChoices;
        bool textKept;
        bool fileWritten;
    };
    const std::vector<Case> cases = {
        {"Close, Cancel keeps the text", Step::Close, {Answer::Cancel}, {}, true, false},
        {"Close, Yes but the save dialog cancelled", Step::Close, {Answer::Yes}, {}, true, false},
        {"Close, Yes and a name", Step::Close, {Answer::Yes}, {"saved"}, false, true},
        {"Close, No discards", Step::Close, {Answer::No}, {}, false, false},
        {"Exit, Cancel stays open", Step::Exit, {Answer::Cancel}, {}, true, false},
        {"Open, Cancel asks no file", Step::Open, {Answer::Cancel}, {}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptEditorKit kit;
        kit.editor.show();
        kit.editor.TestEditor->setPlainText(QStringLiteral("METHOD"));
        kit.editor.TestEditor->document()->setModified(true);
        kit.prompter.answers = c.answers;
        for (const QString& name : c.saveChoices) {
            kit.dialogs.saveChoices.push_back(kit.path(name));
        }
        switch (c.step) {
        case Step::Close:
            kit.editor.Close();
            break;
        case Step::Exit:
            kit.editor.Exit();
            EXPECT_TRUE(kit.editor.isVisible());
            break;
        case Step::Open:
            kit.editor.Open();
            EXPECT_EQ(kit.dialogs.opened, 0);
            break;
        }
        EXPECT_EQ(kit.editor.TestEditor->text() == QStringLiteral("METHOD"), c.textKept);
        EXPECT_EQ(QFile::exists(kit.path("saved.TXT")), c.fileWritten);
        ASSERT_EQ(kit.prompter.shown.size(), 1u);
        EXPECT_EQ(kit.prompter.shown[0].text, "Save changes to Untitled?");
    }
}

TEST(ScriptEditorTest, OpenOfAnUnreadableFileKeepsTheText) {
    ScriptEditorKit kit;
    kit.editor.TestEditor->setPlainText(QStringLiteral("METHOD"));
    kit.dialogs.openChoices.push_back(kit.path("missing.txt"));
    kit.editor.Open();
    EXPECT_EQ(kit.editor.TestEditor->text(), QStringLiteral("METHOD"));
    EXPECT_EQ(kit.prompter.shown.back().caption, "Open Error");
    EXPECT_TRUE(kit.editor.scriptFileName().isEmpty());
}

TEST(ScriptEditorTest, ReleasesTellTheRunAndRecentScriptsAreRemembered) {
    ScriptEditorKit kit;
    std::vector<ReleasedCompilation> released;
    QObject::connect(&kit.editor, &TScrptEditor::compiledScriptReleased,
                     [&released](ReleasedCompilation which) { released.push_back(which); });
    const QString first = kit.writeFile("a.txt", WorkedExample());
    kit.editor.openFile(first);
    kit.editor.Interpret();
    kit.editor.Interpret(); // replaces the compilation
    kit.editor.openFile(kit.writeFile("b.txt", WorkedExample()));
    EXPECT_EQ(released, std::vector<ReleasedCompilation>(2, ReleasedCompilation::EditorScript));
    kit.editor.Interpret();
    kit.editor.Close();
    EXPECT_EQ(released.size(), 3u);
    EXPECT_EQ(kit.editor.compilations().CompiledScript(), nullptr);
    EXPECT_EQ(kit.editor.windowTitle(), QStringLiteral("Glimwerk Script Editor - Untitled"));

    emit kit.editor.RecentMenu->aboutToShow();
    ASSERT_EQ(kit.editor.RecentMenu->actions().size(), 2);
    EXPECT_TRUE(kit.editor.RecentMenu->actions()[0]->text().endsWith(QStringLiteral("b.txt")));
}

TEST(ScriptEditorTest, ExitAndCutHaveTheirOwnShortcuts) {
    ScriptEditorKit kit;
    EXPECT_EQ(kit.editor.ActionEditCut->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(kit.editor.ActionFileExit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST(ScriptEditorTest, EnlargeKeepsTheViewerInsideTheWindow) {
    ScriptEditorKit kit;
    kit.editor.resize(600, 600);
    kit.editor.ViewerBox->showListing(QStringLiteral("Disk viewer"), QStringLiteral("x"), 1024);
    EXPECT_EQ(kit.editor.ViewerBox->geometry(), QRect(224, 120, 361, 193));
    kit.editor.ViewerBox->enlarge();
    EXPECT_EQ(kit.editor.ViewerBox->width(), 451);
    EXPECT_EQ(kit.editor.ViewerBox->geometry().right() + 1, 600);
    EXPECT_EQ(kit.editor.ViewerBox->ViewerMemo->width(), 431);
}

} // namespace
} // namespace gw
