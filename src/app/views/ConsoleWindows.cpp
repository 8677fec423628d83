#include "app/views/ConsoleWindows.h"

#include "app/views/TConsoleForm.h"

namespace gw {

ConsoleWindows::ConsoleWindows(Console& console)
    : consoleForm_(std::make_unique<TConsoleForm>(console)) {}

ConsoleWindows::~ConsoleWindows() = default;

} // namespace gw
