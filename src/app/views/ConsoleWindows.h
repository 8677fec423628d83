#pragma once

#include <QObject>
#include <memory>

namespace gw {

class Console;
class MeasurementEngine;
class OperationSequencer;
class ProfileEditor;
class DataFileWindow;
class QtScriptEditorDialogs;
class TConsoleForm;
class TEditInfo;
class TGraphForm;
class THolesDlg;
class TScrptEditor;
class TTakeDataDlg;

// Every window of the console, created once at start in this order and kept for the life of the
// process; only the main window is shown at start. The take-data dialog, the live graph, the
// hole selection, the script editor, the worksheet options, the value dialog, the about box, the
// warning dialog, the time-base window, the profile editor and the file-exists dialog follow the
// main window, in that order, as each is built.
class ConsoleWindows : public QObject {
    Q_OBJECT

public:
    explicit ConsoleWindows(Console& console);
    ~ConsoleWindows() override;

    TConsoleForm& consoleForm() { return *consoleForm_; }
    TGraphForm& graphForm() { return *graphForm_; }
    TTakeDataDlg& takeDataDialog() { return *takeDataDialog_; }
    THolesDlg& holesDialog() { return *holesDialog_; }

    // The take-data actions of the main window and the live graph show the take-data dialog over
    // the sequencer's values and hand the confirmed values to the sequencer.
    void attachSequencer(OperationSequencer& sequencer, MeasurementEngine& engine);
    TScrptEditor& scriptEditor() { return *scriptEditor_; }
    TEditInfo& editInfo() { return *editInfo_; }

    // "Edit parameters" of the console and "Edit system info" of the script editor: the profile
    // editor, modally; afterwards the live profile's options take effect in the console. Refused
    // with a message while an operation or a script run is in flight. True when the profile in
    // use was replaced (another profile chosen, a new file, a save): a compiled script is stale.
    bool editProfile();
    // "Load parameters" of the console and "Load system info" of the script editor: the operator
    // picks a profile file, which becomes the profile in use. Refused likewise.
    void loadProfile();
    // "Data file", opened by "View data file..." and by the take-data dialog's file name.
    DataFileWindow& dataFileWindow() { return *dataFileWindow_; }

private:
    Console& console_;
    std::unique_ptr<TConsoleForm> consoleForm_;
    std::unique_ptr<THolesDlg> holesDialog_;
    std::unique_ptr<TTakeDataDlg> takeDataDialog_;
    std::unique_ptr<TGraphForm> graphForm_;
    std::unique_ptr<QtScriptEditorDialogs> editorDialogs_;
    std::unique_ptr<TScrptEditor> scriptEditor_;
    std::unique_ptr<ProfileEditor> profileEditor_;
    std::unique_ptr<TEditInfo> editInfo_;
    std::unique_ptr<DataFileWindow> dataFileWindow_;
};

} // namespace gw
