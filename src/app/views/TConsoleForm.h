#pragma once

#include "console/ConsoleActionRules.h"
#include "console/MainFormHooks.h"
#include "console/views/ApplicationIcon.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QTimer;

namespace gw {

class ConnectionLamps;
class Console;
class ConsoleCommandLink;
class ConsoleMenus;
class ConsoleWorkArea;
class DumpView;
class LinkPort;
class OperationSequencer;
class ScriptRunner;
class TGraphForm;
class TScrptEditor;
class TTakeDataDlg;

// The main window: the command console and the dump on the left, the data and status panels on
// the right, the error panel below them, the connection panel at the bottom, and the menus with
// every action. It shows the Console and hands the operator's actions to it.
class MeasurementEngine;

class TConsoleForm : public QMainWindow, public MainFormHooks {
    Q_OBJECT

public:
    static constexpr const char* InitialCaption = "Glimwerk Console";

    explicit TConsoleForm(Console& console, QWidget* parent = nullptr);
    ~TConsoleForm() override;

    // MainFormHooks
    void setReaderLabel(const std::string& text) override;
    void checkSystemTypeItem(int systemType) override;
    void setCaption(const std::string& caption) override;
    void layOutPanels(int systemType) override;
    void setCorrectReaderChecked(bool checked) override;
    void enableCorrectReader(bool enabled) override;
    void enableShortMode(bool enabled) override;
    void loadCommandHelp() override;
    void showFirstHelpTopic() override;
    void endDumpReplay() override;
    void setScannerMenuVisible(bool visible) override;
    void fillWelcomePanel() override;

    // The panels and the graph's readouts show the latest reader state at most every
    // PanelRefreshMs: at the fastest line painting every reply would cost more than the line.
    static constexpr int PanelRefreshMs = 50;
    void RefreshPanels() override;
    // Shows the latest state at once when a refresh is pending.
    void flushPanelRefresh();
    // Decodes a dump line into the panels. While the reader port is open the live reader state is
    // left alone: the line is decoded into a copy.
    void DecodeDumpLine(const std::string& line);
    // "Save parameters" to a chosen path: the profile file is copied there (replacing a file
    // there) and the copy becomes the profile in use, remembered as "System info".
    bool saveParametersAs(const QString& path);
    // "Read dump file" for a chosen file: closes the ports and replays its lines.
    void replayDumpFile(const QString& path);
    // "Abort operation" ends everything the engine is doing when it becomes checked; the engine
    // unchecks it (and "Stop script") when the abort is done. The application icon follows the
    // state codes the engine takes over, and "Veltrax compatible" switches the engine's
    // compatibility mode. The engine draws in the live graph when one is attached first; Abort
    // there ends any operation in flight. The engine must outlive the form.
    void attachEngine(MeasurementEngine& engine);
    // The live graph window: "Show graph", its readouts, its reader-function buttons and Abort.
    void attachGraph(TGraphForm& graph);
    void detachGraph();
    // "Take &OSL", "Take &MOSL", "Take &TL", "&Irradiate" and the graph's "Irrad" and "Preheat"
    // start the sequencer's take-data action, which shows the dialog.
    void attachSequencer(OperationSequencer& sequencer, TTakeDataDlg& dialog);
    // "Take &script" shows the editor; its "Load system info" and "Edit system info" come here.
    // The editor must outlive the form.
    void attachScriptEditor(TScrptEditor& editor);
    // The script run: "Execute script" prepares the editor's scripts (several make a metascript),
    // a freed compiled script is dropped from it, and "Stop script" and "Continue script" reach
    // it. The runner must outlive the form.
    void attachScriptRunner(ScriptRunner& runner);
    // "Load system info" with the chosen file: the file becomes the profile in use, its options
    // take effect, and the editor's script no longer counts as interpreted. Refused while a
    // script runs.
    void loadSystemInfo(const QString& path);
    // "Take &script": the editor over the console, modally; true when it closed with "&Execute
    // script".
    bool takeScript();
    // The profile editor behind "Edit parameters" and "Edit system info"; true when the profile
    // in use changed (loaded anew or saved). Unset, the action says it is not available.
    std::function<bool()> editProfile;

    // Where "Command.info" is looked for, first match wins: the working directory, then the
    // directory of the executable.
    std::vector<std::string> commandHelpPaths;

    ConsoleMenus* menus() const { return menus_; }
    // The busy and idle pictures of the application, following the state code the engine takes
    // over after each reply.
    ApplicationIcon& applicationIcon() { return applicationIcon_; }

    QAction* ActionOpenPort = nullptr;
    QAction* ActionClosePort = nullptr;
    QAction* ActionExit = nullptr;
    // "Manual system" ... "6600 system": one radio group, hidden.
    std::array<QAction*, 5> ActionSystem{};

    ConsoleWorkArea* WorkArea = nullptr;
    DumpView* Dump = nullptr;
    ConnectionLamps* Lamps = nullptr;
    QLabel* VersionLabel = nullptr;

signals:
    // The operator chose "&Execute script": the editor's compilations() are ready for a run.
    void scriptExecutionChosen();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* createConnectionPanel();
    void wirePortActions();
    void wireTakeDataActions();
    void wireSystemActions();
    void wireToolsAndHelpActions();
    void followPortState();
    void openPorts();
    void editPortSettings(LinkPort& port);
    void storePortSettings(LinkPort& port, const char* key);
    void loadPortSettings(LinkPort& port, const char* key);
    void saveParameters();
    void readDumpFile();
    void displayHelpFile();
    void refreshPanelsNow();
    void refreshGraphReadouts();
    // The measurement, script and profile windows are not part of this build yet.
    void ActionNotAvailableYet(const QString& caption);
    ConsoleActionInputs actionInputs() const;

    Console& console_;
    std::unique_ptr<ConsoleCommandLink> link_;
    TGraphForm* graph_ = nullptr;
    MeasurementEngine* engine_ = nullptr;
    // The live graph's "Irrad" shows the dialog with its irradiation sheet only.
    bool irradiationOnly_ = false;
    ConsoleMenus* menus_ = nullptr;
    QTimer* panelRefresh_ = nullptr;
    ApplicationIcon applicationIcon_;
    bool shownOnce_ = false;
    OperationSequencer* sequencer_ = nullptr;
    TScrptEditor* scriptEditor_ = nullptr;
};

} // namespace gw
