#include "app/views/ConsoleWindows.h"

#include "app/views/TConsoleForm.h"
#include "console/runtime/Console.h"
#include "windows/views/QtScriptEditorDialogs.h"
#include "windows/views/TScrptEditor.h"

namespace gw {

ConsoleWindows::ConsoleWindows(Console& console)
    : consoleForm_(std::make_unique<TConsoleForm>(console)),
      editorDialogs_(std::make_unique<QtScriptEditorDialogs>()),
      scriptEditor_(std::make_unique<TScrptEditor>(console.profile, console.settings(),
                                                   console.prompter(), *editorDialogs_)) {
    consoleForm_->attachScriptEditor(*scriptEditor_);
}

ConsoleWindows::~ConsoleWindows() = default;

} // namespace gw
