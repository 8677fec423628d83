#include "app/views/ConsoleWindows.h"

#include "app/views/TConsoleForm.h"
#include "console/runtime/Console.h"
#include "windows/views/TGraphForm.h"

namespace gw {

ConsoleWindows::ConsoleWindows(Console& console)
    : consoleForm_(std::make_unique<TConsoleForm>(console)),
      graphForm_(std::make_unique<TGraphForm>(console.prompter())) {
    consoleForm_->attachGraph(*graphForm_);
}

// The graph goes before the main window; the engine draws in no window from then on.
ConsoleWindows::~ConsoleWindows() {
    consoleForm_->detachGraph();
    graphForm_.reset();
}

} // namespace gw
