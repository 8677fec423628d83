#include "app/views/ConsoleWindows.h"

#include "app/views/TConsoleForm.h"
#include "console/runtime/Console.h"
#include "console/views/ConsoleMenus.h"
#include "engine/views/DataFileWindow.h"
#include "windows/views/QtScriptEditorDialogs.h"
#include "windows/views/TScrptEditor.h"

#include <QAction>

namespace gw {

ConsoleWindows::ConsoleWindows(Console& console)
    : consoleForm_(std::make_unique<TConsoleForm>(console)),
      editorDialogs_(std::make_unique<QtScriptEditorDialogs>()),
      scriptEditor_(std::make_unique<TScrptEditor>(console.profile, console.settings(),
                                                   console.prompter(), *editorDialogs_)),
      dataFileWindow_(std::make_unique<DataFileWindow>()) {
    consoleForm_->attachScriptEditor(*scriptEditor_);
    QObject::connect(consoleForm_->menus()->ActionViewDataFile, &QAction::triggered,
                     dataFileWindow_.get(), &DataFileWindow::chooseFile);
}

ConsoleWindows::~ConsoleWindows() = default;

} // namespace gw
