#include "console/CommandConsoleLink.h"
#include "console/CommandHelpSource.h"
#include "console/views/ApplicationIcon.h"
#include "console/views/CommandField.h"
#include "console/views/ConsoleWorkArea.h"
#include "console/views/DataPanel.h"
#include "console/views/DumpView.h"
#include "console/views/ErrorPanel.h"
#include "console/views/HelpArea.h"
#include "console/views/PanelLabel.h"
#include "console/views/StatusPanel.h"
#include "console/views/WelcomePanel.h"
#include "support/RecordingConsoleLink.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace gw {
namespace {

using RecordingLink = RecordingConsoleLink;

CommandHelp sampleHelp() {
    const auto built = CommandHelpSource::build("%tabs 10\n%entry P Purge\nP1\tpurge on\n"
                                                "%entry T Timer\none\n%page\ntwo\n");
    return CommandHelp::parse(built.bytes);
}

class ConsoleWorkAreaTest : public ::testing::Test {
protected:
    void SetUp() override {
        area.setCommandHelp(sampleHelp());
        area.setLink(&link);
        area.resize(1100, 560);
        area.show();
        QApplication::setActiveWindow(&area);
        area.commandField()->setFocus();
    }
    QString helpText() const { return area.helpArea()->toPlainText(); }

    ConsoleWorkArea area;
    RecordingLink link;
};

TEST_F(ConsoleWorkAreaTest, HelpFollowsTheTypedLettersAndEnterSends) {
    EXPECT_TRUE(helpText().startsWith("     List of string commands"));
    QTest::keyClicks(area.commandField(), "p");
    EXPECT_EQ(area.commandField()->text(), "P");
    EXPECT_EQ(helpText(), "P1       purge on");
    QTest::keyClicks(area.commandField(), "1");
    QTest::keyClick(area.commandField(), Qt::Key_Return);
    EXPECT_EQ(link.sent, std::vector<std::string>{"P1 "});
    EXPECT_EQ(link.log, std::vector<std::string>{": \"P1 \""});
    EXPECT_TRUE(area.commandField()->text().isEmpty());
    EXPECT_EQ(area.navigator().topic(), 0);
    link.reader = false;
    QTest::keyClicks(area.commandField(), "m");
    QTest::keyClick(area.commandField(), Qt::Key_Return);
    EXPECT_EQ(area.commandField()->text(), "M");
    EXPECT_EQ(link.sent.size(), 1u);
}

TEST_F(ConsoleWorkAreaTest, KeysAndButtonsPageThroughTopics) {
    QTest::keyClick(area.commandField(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(area.navigator().topic(), 2);
    EXPECT_EQ(helpText(), "one");
    EXPECT_TRUE(area.nextPageButton()->isVisible());
    EXPECT_TRUE(area.subtopicLabel()->isVisible());
    EXPECT_FALSE(area.previousPageButton()->isEnabled());
    QTest::keyClick(area.commandField(), Qt::Key_Down);
    EXPECT_EQ(helpText(), "two");
    EXPECT_FALSE(area.nextPageButton()->isEnabled());
    area.previousPageButton()->click();
    EXPECT_EQ(helpText(), "one");
    QTest::keyClick(area.commandField(), Qt::Key_PageUp);
    EXPECT_EQ(area.navigator().topic(), 1);
    EXPECT_FALSE(area.nextPageButton()->isVisible());
    // From the help area the keys work too and hand the focus back to the command field.
    area.helpArea()->setFocus();
    QTest::keyClick(area.helpArea(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(area.navigator().topic(), 0);
    EXPECT_TRUE(area.commandField()->hasFocus());
    area.helpArea()->setFocus();
    QTest::keyClicks(area.helpArea(), "t");
    EXPECT_EQ(area.navigator().topic(), 2);
    EXPECT_TRUE(area.commandField()->hasFocus());
    EXPECT_TRUE(area.commandField()->text().isEmpty());
}

TEST_F(ConsoleWorkAreaTest, DumpViewCoversHelpAndPanels) {
    area.setDumpShown(true);
    EXPECT_EQ(area.caption()->text(), "Dumped strings");
    EXPECT_TRUE(area.dumpView()->isVisible());
    EXPECT_FALSE(area.helpArea()->isVisible());
    EXPECT_FALSE(area.dataPanel()->isVisible());
    EXPECT_FALSE(area.statusPanel()->isVisible());
    EXPECT_TRUE(area.errorPanel()->isVisible());
    area.setDumpShown(false);
    EXPECT_EQ(area.caption()->text(), "Commands");
    EXPECT_TRUE(area.helpArea()->isVisible());
    EXPECT_TRUE(area.dataPanel()->isVisible());
    EXPECT_TRUE(area.commandField()->hasFocus());
}

TEST(ConsoleWorkArea, ReplayStepsWithPlusAndMinus) {
    Dump dump; // outlives the view that follows it
    ConsoleWorkArea area;
    area.resize(1100, 560);
    area.show();
    area.dumpView()->follow(&dump);
    dump.assign({"a: first", "b: second", "c: third"});
    std::vector<std::string> decoded;
    QObject::connect(&area, &ConsoleWorkArea::decodeDumpLine,
                     [&](const std::string& line) { decoded.push_back(line); });
    area.setReplayMode(true);
    area.setDumpShown(true);
    area.dumpView()->startReplay();
    QTest::keyClick(area.dumpView(), Qt::Key_Minus);
    QTest::keyClick(area.dumpView(), Qt::Key_Plus);
    QTest::keyClick(area.dumpView(), Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(area.dumpView(), Qt::Key_Plus);
    QTest::keyClick(area.commandField(), Qt::Key_Minus);
    EXPECT_EQ(decoded,
              (std::vector<std::string>{"a: first", "b: second", "c: third", "b: second"}));
    // In replay mode nothing can be typed.
    QTest::keyClicks(area.commandField(), "M1");
    EXPECT_TRUE(area.commandField()->text().isEmpty());
    // Outside replay a key release in the dump decodes the line under the cursor.
    area.setReplayMode(false);
    decoded.clear();
    QTest::keyClick(area.dumpView(), Qt::Key_Up);
    EXPECT_EQ(decoded, std::vector<std::string>{"a: first"});
}

TEST(DumpView, FollowsTheDumpModelWithNewLinesPutInTogether) {
    Dump dump;
    dump.append("one");
    DumpView view;
    view.follow(&dump);
    dump.append("two");
    dump.append("three");
    EXPECT_EQ(view.toPlainText(), "one") << "new lines wait for the next insertion";
    dump.removeOldest(2); // counts the waiting lines too
    EXPECT_EQ(view.toPlainText(), "three");
    dump.removeOldest(5);
    EXPECT_EQ(view.toPlainText(), "");
    dump.append("four");
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.toPlainText() == "four"; }, 1000));
    dump.append("five");
    dump.clear();
    view.flushPendingLines();
    EXPECT_EQ(view.toPlainText(), "") << "a cleared log drops the waiting lines";
}

TEST_F(ConsoleWorkAreaTest, ClickInTheCommandListOpensATopic) {
    // Row 1 of the list is line 3; the click falls on its 22nd character, in the second column (P).
    QTextCursor cursor(area.helpArea()->document()->findBlockByNumber(2));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 21);
    const QRect at = area.helpArea()->cursorRect(cursor);
    QTest::mouseClick(area.helpArea()->viewport(), Qt::LeftButton, {}, at.center() + QPoint(2, 0));
    EXPECT_EQ(area.navigator().topic(), 1);
    EXPECT_TRUE(area.commandField()->hasFocus());
}

TEST(Panels, FollowTheSystemType) {
    DataPanel data;
    StatusPanel status;
    ReaderState state;
    state.Data = {100, 100, 64, 200, 50, 25, 10, 2};
    state.Flags[8] = 1;
    state.Flags[21] = 1;
    status.LayoutStatusLabels(2);
    status.RefreshStatus(state.Flags);
    EXPECT_EQ(status.label(8)->text(), "Elevator enabl");
    EXPECT_TRUE(status.label(8)->highlighted());
    EXPECT_TRUE(status.label(21)->highlighted());
    const QPoint rightColumn = status.label(0)->pos();
    status.LayoutStatusLabels(4);
    EXPECT_FALSE(status.label(21)->highlighted()); // a new layout draws all normally
    status.RefreshStatus(state.Flags);
    EXPECT_EQ(status.label(8)->text(), "");
    EXPECT_FALSE(status.label(8)->highlighted());
    EXPECT_EQ(status.label(0)->text(), "Sample up");
    EXPECT_LT(status.label(0)->x(), rightColumn.x());

    data.RefreshData(state, 4, 1);
    EXPECT_FALSE(data.fieldVisible(8));
    EXPECT_EQ(data.caption(5), "OSL 2");
    data.ResetDataFields(2, 1);
    data.RefreshData(state, 2, 4);
    EXPECT_TRUE(data.fieldVisible(8));
    EXPECT_EQ(data.value(8), "11");
    EXPECT_EQ(data.unit(8), "uHg");
    EXPECT_EQ(data.value(12), "-12");
    EXPECT_TRUE(data.fieldVisible(16));
    EXPECT_EQ(data.fieldTop(3) - data.fieldTop(1), 5 * 16);

    ErrorPanel errors;
    errors.RefreshErrors(0x006);
    EXPECT_FALSE(errors.label(0)->highlighted());
    EXPECT_TRUE(errors.label(1)->highlighted());
    EXPECT_TRUE(errors.label(2)->highlighted());
    EXPECT_EQ(errors.label(9)->text(), "Serial error");
}

TEST(ApplicationIcon, ChangesOnlyWithANewStateCode) {
    ApplicationIcon icon;
    icon.follow(3);
    EXPECT_TRUE(icon.showsBusy());
    const qint64 busyKey = QApplication::windowIcon().cacheKey();
    icon.follow(3);
    EXPECT_EQ(QApplication::windowIcon().cacheKey(), busyKey);
    icon.follow(0);
    EXPECT_FALSE(icon.showsBusy());
    EXPECT_NE(QApplication::windowIcon().cacheKey(), busyKey);
}

TEST_F(ConsoleWorkAreaTest, WelcomePanelHidesOnAClick) {
    area.welcomePanel()->setText("Welcome");
    area.welcomePanel()->show();
    EXPECT_EQ(area.welcomePanel()->geometry(), area.helpArea()->rect());
    QTest::mouseClick(area.welcomePanel(), Qt::LeftButton);
    EXPECT_FALSE(area.welcomePanel()->isVisible());
}

} // namespace
} // namespace gw
