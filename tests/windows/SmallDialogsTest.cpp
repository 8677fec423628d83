#include "windows/views/HelpFile.h"
#include "windows/views/RecolourControls.h"
#include "windows/views/TAboutBox.h"
#include "windows/views/TErrorMsgDlg.h"
#include "windows/views/TValueDlg.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(TValueDlg, NumberModeEnablesOkOnlyForANumber) {
    TValueDlg dlg;
    dlg.prepareNumber("Dose has no valid value", "old value: x");
    dlg.show();
    EXPECT_FALSE(dlg.OKBtn->isEnabled());
    EXPECT_FALSE(dlg.VarString->isVisible());
    QTest::keyClicks(dlg.NumIO1, "-");
    EXPECT_FALSE(dlg.OKBtn->isEnabled());
    QTest::keyClicks(dlg.NumIO1, "2.5");
    EXPECT_TRUE(dlg.OKBtn->isEnabled());
    EXPECT_EQ(dlg.number(), -2.5);
    dlg.NumIO1->clear();
    EXPECT_FALSE(dlg.OKBtn->isEnabled());
    dlg.hide();
}

TEST(TValueDlg, TextModeFollowsTheTextAndFocusReturnsToTheNumber) {
    TValueDlg dlg;
    dlg.prepareText("Reader name", "the profile has no reader name", "");
    dlg.show();
    EXPECT_FALSE(dlg.OKBtn->isEnabled());
    QTest::keyClicks(dlg.VarString, "R");
    EXPECT_TRUE(dlg.OKBtn->isEnabled());
    dlg.VarString->clear();
    EXPECT_FALSE(dlg.OKBtn->isEnabled());
    dlg.hide();

    dlg.prepareNumber("n has no valid value", "", 0);
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    EXPECT_TRUE(dlg.OKBtn->isEnabled());
    EXPECT_EQ(dlg.focusWidget(), dlg.NumIO1);
    EXPECT_FALSE(dlg.VarString->isVisible());
    dlg.hide();
}

TEST(TValueDlg, CentresTheValueLabelWithoutClamping) {
    TValueDlg dlg;
    dlg.prepareNumber("h", "short");
    const int frameLeft = dlg.Bevel1->x();
    const int expected = frameLeft + (dlg.Bevel1->width() - dlg.ValLabel->width()) / 2;
    EXPECT_EQ(dlg.ValLabel->x(), expected);
    dlg.prepareNumber("h", QString(200, 'W'));
    EXPECT_GT(dlg.ValLabel->width(), dlg.Bevel1->width());
    EXPECT_LT(dlg.ValLabel->x(), frameLeft);
}

TEST(TErrorMsgDlg, ButtonsAndTheBorderGiveTheirResults) {
    struct Case {
        const char* name;
        std::function<void(TErrorMsgDlg&)> act;
        WarningResult result;
    };
    const Case cases[] = {
        {"Abort", [](TErrorMsgDlg& d) { d.OKBtn->click(); }, WarningResult::Abort},
        {"Ignore", [](TErrorMsgDlg& d) { d.CancelBtn->click(); }, WarningResult::Ignore},
        {"Ignore all", [](TErrorMsgDlg& d) { d.IgnoreAllBtn->click(); }, WarningResult::IgnoreAll},
        {"close box", [](TErrorMsgDlg& d) { d.close(); }, WarningResult::Cancel},
        {"Escape", [](TErrorMsgDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); },
         WarningResult::Cancel},
    };
    TErrorMsgDlg dlg;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dlg.prepare("Disk 3 is out of range", true, true);
        QTimer::singleShot(0, &dlg, [&] { c.act(dlg); });
        const int result = dlg.exec();
        EXPECT_EQ(result, int(c.result));
        EXPECT_EQ(dlg.warningResult(), c.result);
    }
    dlg.prepare("m", false, false);
    EXPECT_TRUE(dlg.CancelBtn->isHidden());
    EXPECT_TRUE(dlg.IgnoreAllBtn->isHidden());
    EXPECT_EQ(dlg.Label1->text(), "m");
}

TEST(RecolourControls, OnlyControlsOfTheFoundColourChange) {
    QWidget window;
    auto* light = new QLineEdit(&window);
    auto* white = new QLineEdit(&window);
    auto* label = new QLabel(&window);
    auto* plainLabel = new QLabel(&window);
    auto* frame = new QFrame(&window);
    const QColor find(227, 227, 227);
    for (QWidget* w : std::initializer_list<QWidget*>{light, label, plainLabel, frame}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, find);
        p.setColor(QPalette::Window, find);
        w->setPalette(p);
    }
    QPalette p = white->palette();
    p.setColor(QPalette::Base, Qt::white);
    white->setPalette(p);
    label->setAutoFillBackground(true);
    RecolourControls(&window, find, ReplacementColour());
    EXPECT_EQ(light->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(white->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(plainLabel->palette().color(QPalette::Window), find);
    EXPECT_EQ(frame->palette().color(QPalette::Window), find);
}

TEST(TAboutBox, ShowsTheCallersTitleAndVersion) {
    TAboutBox box;
    box.prepare("Script editor", "ver. 1.0");
    EXPECT_EQ(box.windowTitle(), "About");
    EXPECT_EQ(box.ProductName->text(), "Script editor");
    EXPECT_EQ(box.Version->text(), "ver. 1.0");
    QTimer::singleShot(0, &box, [&] { box.OKButton->click(); });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
}

TEST(HelpFile, TellsAMissingFileFromAMissingViewer) {
    // A folder of its own: the directory of the executable is shared with other tests.
    const QString path = QString::fromStdString(::testing::TempDir()) + HelpFileName;
    QFile::remove(path);
    const auto opens = [](bool result) { return [result](const QUrl&) { return result; }; };
    EXPECT_EQ(OpenHelpFile(opens(true), path), HelpFileResult::Failed);
    EXPECT_TRUE(HelpFilePath().endsWith("/Console_help.htm"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QUrl opened;
    EXPECT_EQ(OpenHelpFile(
                  [&](const QUrl& url) {
                      opened = url;
                      return true;
                  },
                  path),
              HelpFileResult::Opened);
    EXPECT_EQ(opened.toLocalFile(), path);
    EXPECT_EQ(OpenHelpFile(opens(false), path), HelpFileResult::NoApplication);
    QFile::remove(path);
}

} // namespace
} // namespace gw
