#pragma once

#include "console/MainFormHooks.h"

#include <QMainWindow>
#include <array>

class QAction;
class QActionGroup;
class QLabel;
class QStackedWidget;

namespace gw {

class ConnectionLamps;
class Console;
class ConsoleWorkArea;
class DumpView;

// The main window: the working area (command console, help, dump and panels), the connection
// panel below it, and the menus. It shows the Console and hands the operator's actions to it.
class TConsoleForm : public QMainWindow, public MainFormHooks {
    Q_OBJECT

public:
    static constexpr const char* InitialCaption = "Glimwerk Console";

    explicit TConsoleForm(Console& console, QWidget* parent = nullptr);

    // MainFormHooks
    void checkSystemTypeItem(int systemType) override;
    void setCaption(const std::string& caption) override;
    void layOutPanels(int systemType) override;
    void loadCommandHelp() override;
    void showFirstHelpTopic() override;
    void endDumpReplay() override;

    QAction* ActionOpenPort = nullptr;
    QAction* ActionClosePort = nullptr;
    QAction* ActionExit = nullptr;
    // "Manual system" ... "6600 system": one radio group, hidden.
    std::array<QAction*, 5> ActionSystem{};

    ConsoleWorkArea* WorkArea = nullptr;
    DumpView* Dump = nullptr;
    ConnectionLamps* Lamps = nullptr;
    QLabel* VersionLabel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    QWidget* createConnectionPanel();
    void followPortState();

    Console& console_;
    QActionGroup* systemGroup_ = nullptr;
    bool shownOnce_ = false;
};

} // namespace gw
