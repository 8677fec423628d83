#include "console/views/ConsoleMenus.h"

#include <QAbstractEventDispatcher>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace gw {

namespace {

constexpr bool Hidden = false;
constexpr bool Check = true;

const char* const SystemItems[ConsoleMenus::SystemTypeCount] = {
    "Manual system", "3400 system", "3500 system", "3550 system", "6600 system"};

} // namespace

ConsoleMenus::ConsoleMenus(QMenuBar* bar, QObject* parent) : QObject(parent) {
    buildSerialPortMenu(bar);
    buildTakeDataMenu(bar);
    buildSystemMenu(bar);
    buildToolsAndHelpMenus(bar);
}

QAction* ConsoleMenus::add(QMenu* menu, const char* caption, bool visible, bool checkable) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setVisible(visible);
    action->setCheckable(checkable);
    return action;
}

void ConsoleMenus::buildSerialPortMenu(QMenuBar* bar) {
    SerialPortMenu = bar->addMenu("Serial &port");
    ActionOpenPort = add(SerialPortMenu, "Open port");
    ActionOpenPort->setShortcut(QKeySequence("Ctrl+O"));
    ActionClosePort = add(SerialPortMenu, "Close port");
    ActionClosePort->setShortcut(QKeySequence("Ctrl+C"));
    SerialPortMenu->addSeparator();
    SaveConfig = add(SerialPortMenu, "Save config", Hidden); // kept for completeness: no effect
    SerialPortMenu->addSeparator();
    ActionExit = add(SerialPortMenu, "E&xit");
}

void ConsoleMenus::buildTakeDataMenu(QMenuBar* bar) {
    TakeDataMenu = bar->addMenu("&Take data");
    TakeLoadParameters = add(TakeDataMenu, "Load parameters", Hidden);
    TakeEditParameters = add(TakeDataMenu, "Edit parameters", Hidden);
    ActionTakeScript = add(TakeDataMenu, "Take &script");
    ActionContinueScript = add(TakeDataMenu, "Continue script", Hidden);
    ActionStopScript = add(TakeDataMenu, "Stop script", true, Check);
    ActionAbortOperation = add(TakeDataMenu, "Abort operation", true, Check);
    TakeDataMenu->addSeparator();
    ActionTakeOSL = add(TakeDataMenu, "Take &OSL");
    ActionTakeMOSL = add(TakeDataMenu, "Take &MOSL");
    ActionTakeTL = add(TakeDataMenu, "Take &TL");
    ActionIrradiate = add(TakeDataMenu, "&Irradiate");
    TakeDataMenu->addSeparator();
    ActionShowGraph = add(TakeDataMenu, "Show graph", true, Check);
}

void ConsoleMenus::buildSystemMenu(QMenuBar* bar) {
    SystemMenu = bar->addMenu("&System");
    ReaderPortMenu = SystemMenu->addMenu("Reader port");
    ActionPortSettings = add(ReaderPortMenu, "Port settings");
    ActionStoreSettings = add(ReaderPortMenu, "Store settings");
    ActionLoadSettings = add(ReaderPortMenu, "Load settings");
    ScannerPortMenu = SystemMenu->addMenu("Scanner port");
    ActionScPortSettings = add(ScannerPortMenu, "Port settings");
    ActionScStoreSettings = add(ScannerPortMenu, "Store settings");
    ActionScLoadSettings = add(ScannerPortMenu, "Load settings");
    setScannerMenuVisible(false);
    SystemMenu->addSeparator();
    ActionShortMode = add(SystemMenu, "Enable short-mode", Hidden, Check);
    ActionCorrectReader = add(SystemMenu, "Correct reader", Hidden, Check);
    ActionLaserScanner = add(SystemMenu, "Use laser scanner", Hidden, Check);
    ActionVeltrax = add(SystemMenu, "Veltrax compatible", true, Check);
    ForceQuery = add(SystemMenu, "Force query", Hidden, Check);
    SystemMenu->addSeparator();
    ActionOpenReader = add(SystemMenu, "Load parameters");
    ActionEditReader = add(SystemMenu, "Edit parameters");
    ActionSaveReader = add(SystemMenu, "Save parameters");
    SystemGroup = new QActionGroup(this);
    SystemGroup->setExclusive(true);
    for (int type = 0; type < SystemTypeCount; ++type) {
        QAction* item = add(SystemMenu, SystemItems[type], Hidden, Check);
        SystemGroup->addAction(item);
        ActionSystem[static_cast<std::size_t>(type)] = item;
        connect(item, &QAction::triggered, this, [this, type] { emit systemTypeChosen(type); });
    }
    checkSystemType(InitialSystemType);
    // The hidden copies under "Take data" do what the System items do.
    connect(TakeLoadParameters, &QAction::triggered, ActionOpenReader, &QAction::trigger);
    connect(TakeEditParameters, &QAction::triggered, ActionEditReader, &QAction::trigger);
}

void ConsoleMenus::buildToolsAndHelpMenus(QMenuBar* bar) {
    ToolsMenu = bar->addMenu("Too&ls");
    ActionDump = add(ToolsMenu, "Show &dump screen", true, Check);
    ActionDump->setShortcut(QKeySequence("Ctrl+D"));
    ClearDumpBuffer = add(ToolsMenu, "Clear dump buffer");
    ActionReadDump = add(ToolsMenu, "Read dump file", Hidden);
    ToolsMenu->addSeparator();
    ActionViewDataFile = add(ToolsMenu, "&View data file...");
    HelpMenu = bar->addMenu("&Help");
    ActionHelpFile = add(HelpMenu, "Display help file");
    ActionHelp = add(HelpMenu, "Command line parameters", Hidden);
}

void ConsoleMenus::applyRules(const ConsoleActionEnabling& e) {
    ActionOpenPort->setEnabled(e.openPort);
    ActionClosePort->setEnabled(e.closePort);
    ActionTakeMOSL->setEnabled(e.takeMOSL);
    ActionTakeOSL->setEnabled(e.takeSingle);
    ActionTakeTL->setEnabled(e.takeSingle);
    ActionIrradiate->setEnabled(e.takeSingle);
    ActionTakeScript->setEnabled(e.takeScript);
    ActionStopScript->setEnabled(e.stopScript);
    ActionAbortOperation->setEnabled(e.abortOperation);
    ActionEditReader->setEnabled(e.editReader);
    TakeEditParameters->setEnabled(e.editReader);
    ActionSaveReader->setEnabled(e.saveReader);
}

void ConsoleMenus::evaluateWhenIdle(std::function<ConsoleActionInputs()> inputs) {
    auto* dispatcher = QAbstractEventDispatcher::instance(thread());
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
            [this, inputs = std::move(inputs)] { applyRules(EvaluateActionRules(inputs())); });
}

void ConsoleMenus::checkSystemType(int systemType) {
    if (systemType >= 0 && systemType < SystemTypeCount) {
        ActionSystem[static_cast<std::size_t>(systemType)]->setChecked(true);
    }
}

void ConsoleMenus::setScannerMenuVisible(bool visible) {
    ScannerPortMenu->menuAction()->setVisible(visible);
}

bool ConsoleMenus::scannerMenuVisible() const {
    return ScannerPortMenu->menuAction()->isVisible();
}

} // namespace gw
