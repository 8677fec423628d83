#pragma once

#include <memory>

namespace gw {

class Console;
class DataFileWindow;
class QtScriptEditorDialogs;
class TConsoleForm;
class TScrptEditor;

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
    TScrptEditor& scriptEditor() { return *scriptEditor_; }
    // "Data file", opened by "View data file..." and by the take-data dialog's file name.
    DataFileWindow& dataFileWindow() { return *dataFileWindow_; }

private:
    std::unique_ptr<TConsoleForm> consoleForm_;
    std::unique_ptr<QtScriptEditorDialogs> editorDialogs_;
    std::unique_ptr<TScrptEditor> scriptEditor_;
    std::unique_ptr<DataFileWindow> dataFileWindow_;
};

} // namespace gw
