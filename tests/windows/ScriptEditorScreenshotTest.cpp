#include "script/CompileHelper.h"
#include "windows/ScriptEditorKit.h"
#include "windows/views/ScriptListingViewer.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <gtest/gtest.h>

namespace gw {
namespace {

// Pictures of the editor for a look by eye: run with GW_SCREENSHOT_DIR set (under Xvfb for the
// desktop's own rendering). Skipped otherwise.
TEST(ScriptEditorScreenshotTest, EditorWithACompiledScriptAndItsDisks) {
    const QString target = qEnvironmentVariable("GW_SCREENSHOT_DIR");
    if (target.isEmpty()) {
        GTEST_SKIP() << "GW_SCREENSHOT_DIR not set";
    }
    test::ScriptEditorKit kit;
    TScrptEditor& editor = kit.editor;
    editor.setReaderLabel(QStringLiteral("Reader: Demo 6600"));
    editor.openFile(kit.writeFile("sar.txt", test::Lines(test::WorkedExampleLines)));
    editor.resize(1000, 700);
    editor.show();
    editor.Interpret();
    editor.updateActions();
    QApplication::processEvents();
    QDir().mkpath(target);
    EXPECT_TRUE(editor.grab().save(QDir(target).filePath("script-editor-compiled.png")));
    editor.ActionViewDisks->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(editor.grab().save(QDir(target).filePath("script-editor-disks.png")));
    editor.ViewerBox->OKButton->click();
    editor.TestEditor->setPlainText(editor.TestEditor->text().replace("MEASURE\n", "MEASURED\n"));
    editor.Interpret();
    QApplication::processEvents();
    EXPECT_TRUE(editor.grab().save(QDir(target).filePath("script-editor-error.png")));
    kit.dialogs.modal = [&target](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        EXPECT_TRUE(dialog.grab().save(QDir(target).filePath("worksheet-options.png")));
        return int(QDialog::Rejected);
    };
    editor.TestEditor->setPlainText(editor.TestEditor->text().replace("MEASURED\n", "MEASURE\n"));
    editor.Interpret();
    editor.ActionWorksheets->trigger();
}

} // namespace
} // namespace gw
