#include "console/views/ConsoleMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <gtest/gtest.h>

namespace gw {
namespace {

// The visible captions of a menu, "-" for a separator, "(hidden)" in front of a hidden item.
QStringList captions(const QMenu* menu) {
    QStringList list;
    for (const QAction* a : menu->actions()) {
        QString text = a->isSeparator() ? QString("-") : a->text();
        list << (a->isVisible() || a->isSeparator() ? text : "(hidden) " + text);
    }
    return list;
}

TEST(ConsoleMenus, TheCompleteTree) {
    QMenuBar bar;
    ConsoleMenus menus(&bar);
    QStringList top;
    for (const QAction* a : bar.actions()) {
        top << a->text();
    }
    EXPECT_EQ(top, (QStringList{"Serial &port", "&Take data", "&System", "Too&ls", "&Help"}));
    EXPECT_EQ(captions(menus.SerialPortMenu),
              (QStringList{"Open port", "Close port", "-", "(hidden) Save config", "-", "E&xit"}));
    EXPECT_EQ(
        captions(menus.TakeDataMenu),
        (QStringList{"(hidden) Load parameters", "(hidden) Edit parameters", "Take &script",
                     "(hidden) Continue script", "Stop script", "Abort operation", "-", "Take &OSL",
                     "Take &MOSL", "Take &TL", "&Irradiate", "-", "Show graph"}));
    EXPECT_EQ(
        captions(menus.SystemMenu),
        (QStringList{"Reader port", "(hidden) Scanner port", "-", "(hidden) Enable short-mode",
                     "(hidden) Correct reader", "(hidden) Use laser scanner", "Veltrax compatible",
                     "(hidden) Force query", "-", "Load parameters", "Edit parameters",
                     "Save parameters", "(hidden) Manual system", "(hidden) 3400 system",
                     "(hidden) 3500 system", "(hidden) 3550 system", "(hidden) 6600 system"}));
    EXPECT_EQ(captions(menus.ReaderPortMenu),
              (QStringList{"Port settings", "Store settings", "Load settings"}));
    EXPECT_EQ(captions(menus.ToolsMenu),
              (QStringList{"Show &dump screen", "Clear dump buffer", "(hidden) Read dump file", "-",
                           "&View data file..."}));
    EXPECT_EQ(captions(menus.HelpMenu),
              (QStringList{"Display help file", "(hidden) Command line parameters"}));
    EXPECT_EQ(menus.ActionOpenPort->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(menus.ActionClosePort->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(menus.ActionDump->shortcut(), QKeySequence("Ctrl+D"));
    for (QAction* check : {menus.ActionStopScript, menus.ActionAbortOperation,
                           menus.ActionShowGraph, menus.ActionDump, menus.ActionVeltrax}) {
        EXPECT_TRUE(check->isCheckable()) << check->text().toStdString();
    }
    EXPECT_TRUE(menus.ActionSystem[2]->isChecked());
}

TEST(ConsoleMenus, SystemItemsFormOneRadioGroup) {
    QMenuBar bar;
    ConsoleMenus menus(&bar);
    std::vector<int> chosen;
    QObject::connect(&menus, &ConsoleMenus::systemTypeChosen, [&](int t) { chosen.push_back(t); });
    menus.ActionSystem[4]->trigger();
    menus.ActionSystem[0]->trigger();
    EXPECT_EQ(chosen, (std::vector<int>{4, 0}));
    EXPECT_TRUE(menus.ActionSystem[0]->isChecked());
    EXPECT_FALSE(menus.ActionSystem[4]->isChecked());
    menus.checkSystemType(3);
    EXPECT_TRUE(menus.ActionSystem[3]->isChecked());
    menus.checkSystemType(9); // not a system type: nothing changes
    EXPECT_TRUE(menus.ActionSystem[3]->isChecked());
}

TEST(ConsoleMenus, RulesFollowTheConsoleWhenIdle) {
    QMenuBar bar;
    ConsoleMenus menus(&bar);
    ConsoleActionInputs state;
    menus.evaluateWhenIdle([&] { return state; });
    state.readerPortOpen = true;
    state.systemType = 2;
    QTimer::singleShot(0, [] {});
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_FALSE(menus.ActionOpenPort->isEnabled());
    EXPECT_TRUE(menus.ActionClosePort->isEnabled());
    EXPECT_FALSE(menus.ActionTakeMOSL->isEnabled());
    EXPECT_FALSE(menus.ActionEditReader->isEnabled());
    EXPECT_FALSE(menus.TakeEditParameters->isEnabled());
    state.runActive = true;
    state.systemType = 4;
    state.profileLoaded = true;
    QTimer::singleShot(0, [] {});
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_FALSE(menus.ActionClosePort->isEnabled());
    EXPECT_FALSE(menus.ActionTakeMOSL->isEnabled()) << "no measurement under a running script";
    EXPECT_FALSE(menus.ActionTakeTL->isEnabled());
    EXPECT_TRUE(menus.ActionSaveReader->isEnabled());
    EXPECT_TRUE(menus.ActionAbortOperation->isEnabled());
    EXPECT_FALSE(menus.ActionTakeScript->isEnabled());
    // A TL range from the dialog: abortable, and no second operation.
    state.runActive = false;
    state.operationInFlight = true;
    QTimer::singleShot(0, [] {});
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_TRUE(menus.ActionAbortOperation->isEnabled());
    EXPECT_FALSE(menus.ActionTakeTL->isEnabled());
    EXPECT_FALSE(menus.ActionIrradiate->isEnabled());
    state.operationInFlight = false;
    QTimer::singleShot(0, [] {});
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_TRUE(menus.ActionTakeMOSL->isEnabled());
    EXPECT_TRUE(menus.ActionTakeOSL->isEnabled());
    EXPECT_FALSE(menus.ActionAbortOperation->isEnabled());
}

TEST(ConsoleMenus, HiddenCopiesTriggerTheSystemItems) {
    QMenuBar bar;
    ConsoleMenus menus(&bar);
    int opened = 0;
    QObject::connect(menus.ActionOpenReader, &QAction::triggered, [&] { ++opened; });
    menus.TakeLoadParameters->trigger();
    EXPECT_EQ(opened, 1);
    menus.setScannerMenuVisible(true);
    EXPECT_TRUE(menus.scannerMenuVisible());
}

} // namespace
} // namespace gw
