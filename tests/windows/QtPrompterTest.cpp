#include "windows/views/QtPrompter.h"

#include "windows/views/TErrorMsgDlg.h"
#include "windows/views/TValueDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace gw {
namespace {

// Acts on the dialog once it is shown modally.
void whenShown(QWidget& dialog, std::function<void()> act) {
    QTimer::singleShot(0, &dialog, std::move(act));
}

TEST(QtPrompter, AsksNumbersAndTextsInTheValueDialog) {
    QtPrompter prompter;
    TValueDlg& dlg = prompter.valueDialog();
    whenShown(dlg, [&] {
        EXPECT_EQ(dlg.VarLabel->text(), "Dose has no valid value");
        EXPECT_EQ(dlg.ValLabel->text(), QString::fromUtf8("old: 2\u00B0"));
        EXPECT_FALSE(dlg.OKBtn->isEnabled());
        QTest::keyClicks(dlg.NumIO1, "12.5");
        dlg.OKBtn->click();
    });
    EXPECT_EQ(prompter.askNumber("Dose has no valid value", "old: 2\xB0"), 12.5);

    whenShown(dlg, [&] { dlg.CancelBtn->click(); });
    EXPECT_FALSE(prompter.askNumber("h", "v").has_value());

    whenShown(dlg, [&] {
        EXPECT_TRUE(dlg.VarString->isVisible());
        EXPECT_FALSE(dlg.NumIO1->isVisible());
        EXPECT_EQ(dlg.VarString->text(), "Reader");
        dlg.VarString->insert(QString::fromUtf8(" \u00E9"));
        dlg.OKBtn->click();
    });
    EXPECT_EQ(prompter.askText("Reader name", "none stored", "Reader"), "Reader \xE9");
}

TEST(QtPrompter, WarningsAnswerWithTheDialogsResult) {
    QtPrompter prompter;
    TErrorMsgDlg& dlg = prompter.warningDialog();
    struct Case {
        bool offerIgnoreAll;
        std::function<void()> act;
        WarningResult result;
    };
    const Case cases[] = {
        {false, [&] { dlg.OKBtn->click(); }, WarningResult::Abort},
        {true, [&] { dlg.IgnoreAllBtn->click(); }, WarningResult::IgnoreAll},
        {false, [&] { dlg.close(); }, WarningResult::Cancel},
    };
    for (const Case& c : cases) {
        whenShown(dlg, [&] {
            EXPECT_EQ(dlg.Label1->text(), "Position 70 is out of range");
            EXPECT_EQ(dlg.IgnoreAllBtn->isVisible(), c.offerIgnoreAll);
            c.act();
        });
        EXPECT_EQ(prompter.warn("Position 70 is out of range", true, c.offerIgnoreAll), c.result);
    }
}

TEST(QtPrompter, UsesTheDialogsCreatedAtStartUp) {
    QtPrompter prompter;
    TValueDlg value;
    TErrorMsgDlg warning;
    prompter.useDialogs(&value, &warning);
    EXPECT_EQ(&prompter.valueDialog(), &value);
    EXPECT_EQ(&prompter.warningDialog(), &warning);
}

} // namespace
} // namespace gw
