#pragma once

#include "console/MainFormHooks.h"

#include <QMainWindow>
#include <array>

class QAction;
class QActionGroup;
class QLabel;
class QStackedWidget;

namespace gw {

class Console;
class DumpView;

// The main window: the command console on the left (for now the dump), the panels on the right,
// the connection panel below, and the menus. It shows the Console and hands the operator's
// actions to it.
class TConsoleForm : public QMainWindow, public MainFormHooks {
    Q_OBJECT

public:
    static constexpr const char* InitialCaption = "Glimwerk Console";

    explicit TConsoleForm(Console& console, QWidget* parent = nullptr);

    // MainFormHooks
    void checkSystemTypeItem(int systemType) override;
    void setCaption(const std::string& caption) override;

    QAction* ActionOpenPort = nullptr;
    QAction* ActionClosePort = nullptr;
    QAction* ActionExit = nullptr;
    // "Manual system" ... "6600 system": one radio group, hidden.
    std::array<QAction*, 5> ActionSystem{};

    DumpView* Dump = nullptr;
    QLabel* DumpCaption = nullptr;
    QLabel* VersionLabel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    QWidget* createCommandConsole();
    QWidget* createPanelArea();
    QWidget* createConnectionPanel();
    void followPortState();

    Console& console_;
    QActionGroup* systemGroup_ = nullptr;
    bool shownOnce_ = false;
};

} // namespace gw
