#include "app/views/ConsoleWindows.h"

#include "app/views/TConsoleForm.h"
#include "console/views/ConsoleMenus.h"
#include "engine/views/DataFileWindow.h"

#include <QAction>

namespace gw {

ConsoleWindows::ConsoleWindows(Console& console)
    : consoleForm_(std::make_unique<TConsoleForm>(console)),
      dataFileWindow_(std::make_unique<DataFileWindow>()) {
    QObject::connect(consoleForm_->menus()->ActionViewDataFile, &QAction::triggered,
                     dataFileWindow_.get(), &DataFileWindow::chooseFile);
}

ConsoleWindows::~ConsoleWindows() = default;

} // namespace gw
