#pragma once

#include <memory>

namespace gw {

class Console;
class MeasurementEngine;
class OperationSequencer;
class QtScriptEditorDialogs;
class TConsoleForm;
class TGraphForm;
class THolesDlg;
class TScrptEditor;
class TTakeDataDlg;

// Every window of the console, created once at start in this order and kept for the life of the
// process; only the main window is shown at start. The take-data dialog, the live graph, the
// hole selection, the script editor, the worksheet options, the value dialog, the about box, the
// warning dialog, the time-base window, the profile editor and the file-exists dialog follow the
// main window, in that order, as each is built.
class ConsoleWindows {
public:
    explicit ConsoleWindows(Console& console);
    ~ConsoleWindows();

    TConsoleForm& consoleForm() { return *consoleForm_; }
    TGraphForm& graphForm() { return *graphForm_; }
    TTakeDataDlg& takeDataDialog() { return *takeDataDialog_; }
    THolesDlg& holesDialog() { return *holesDialog_; }

    // The take-data actions of the main window and the live graph show the take-data dialog over
    // the sequencer's values and hand the confirmed values to the sequencer.
    void attachSequencer(OperationSequencer& sequencer, MeasurementEngine& engine);
    TScrptEditor& scriptEditor() { return *scriptEditor_; }

private:
    Console& console_;
    std::unique_ptr<TConsoleForm> consoleForm_;
    std::unique_ptr<THolesDlg> holesDialog_;
    std::unique_ptr<TTakeDataDlg> takeDataDialog_;
    std::unique_ptr<TGraphForm> graphForm_;
    std::unique_ptr<QtScriptEditorDialogs> editorDialogs_;
    std::unique_ptr<TScrptEditor> scriptEditor_;
};

} // namespace gw
