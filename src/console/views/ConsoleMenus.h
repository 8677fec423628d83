#pragma once

#include "console/ConsoleActionRules.h"

#include <QObject>
#include <array>
#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace gw {

// The main window's menu tree with every action, hidden items included. The window connects the
// actions to their effects and feeds the enable rules whenever the console is idle.
class ConsoleMenus : public QObject {
    Q_OBJECT
public:
    static constexpr int SystemTypeCount = 5;
    static constexpr int InitialSystemType = 2; // "3500 system" is checked before start-up

    ConsoleMenus(QMenuBar* bar, QObject* parent = nullptr);

    void applyRules(const ConsoleActionEnabling& enabling);
    // Evaluates the enable rules each time the event loop goes idle, as long as the menus live.
    void evaluateWhenIdle(std::function<ConsoleActionInputs()> inputs);
    void checkSystemType(int systemType);
    // The "Scanner port" submenu shows only on a 6600 with a laser scanner.
    void setScannerMenuVisible(bool visible);
    bool scannerMenuVisible() const;

    // "Serial &port"
    QAction* ActionOpenPort;
    QAction* ActionClosePort;
    QAction* SaveConfig;
    QAction* ActionExit;
    // "&Take data"
    QAction* TakeLoadParameters;
    QAction* TakeEditParameters;
    QAction* ActionTakeScript;
    QAction* ActionContinueScript;
    QAction* ActionStopScript;
    QAction* ActionAbortOperation;
    QAction* ActionTakeOSL;
    QAction* ActionTakeMOSL;
    QAction* ActionTakeTL;
    QAction* ActionIrradiate;
    QAction* ActionShowGraph;
    // "&System"
    QAction* ActionPortSettings;
    QAction* ActionStoreSettings;
    QAction* ActionLoadSettings;
    QAction* ActionScPortSettings;
    QAction* ActionScStoreSettings;
    QAction* ActionScLoadSettings;
    QAction* ActionShortMode;
    QAction* ActionCorrectReader;
    QAction* ActionLaserScanner;
    QAction* ActionVeltrax;
    QAction* ForceQuery;
    QAction* ActionOpenReader;
    QAction* ActionEditReader;
    QAction* ActionSaveReader;
    std::array<QAction*, SystemTypeCount> ActionSystem{}; // manual, 3400, 3500, 3550, 6600
    // "Too&ls"
    QAction* ActionDump;
    QAction* ClearDumpBuffer;
    QAction* ActionReadDump;
    QAction* ActionViewDataFile; // the "Data file" viewer
    // "&Help"
    QAction* ActionHelpFile;
    QAction* ActionHelp;

    QMenu* SerialPortMenu;
    QMenu* TakeDataMenu;
    QMenu* SystemMenu;
    QMenu* ReaderPortMenu;
    QMenu* ScannerPortMenu;
    QMenu* ToolsMenu;
    QMenu* HelpMenu;
    QActionGroup* SystemGroup;

signals:
    // One of the five system-type items was chosen: 0 manual ... 4 the 6600.
    void systemTypeChosen(int systemType);

private:
    QAction* add(QMenu* menu, const char* caption, bool visible = true, bool checkable = false);
    void buildSerialPortMenu(QMenuBar* bar);
    void buildTakeDataMenu(QMenuBar* bar);
    void buildSystemMenu(QMenuBar* bar);
    void buildToolsAndHelpMenus(QMenuBar* bar);
};

} // namespace gw
