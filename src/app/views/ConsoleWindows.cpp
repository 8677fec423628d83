#include "app/views/ConsoleWindows.h"

#include "app/views/TConsoleForm.h"
#include "console/runtime/Console.h"
#include "console/views/ConsoleMenus.h"
#include "platform/Windows1252.h"
#include "profile/ProfileEditor.h"
#include "profile/views/TEditInfo.h"
#include "windows/views/QtScriptEditorDialogs.h"
#include "windows/views/RecolourControls.h"
#include "windows/views/TScrptEditor.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>

namespace gw {

ConsoleWindows::ConsoleWindows(Console& console)
    : console_(console), consoleForm_(std::make_unique<TConsoleForm>(console)),
      editorDialogs_(std::make_unique<QtScriptEditorDialogs>()),
      scriptEditor_(std::make_unique<TScrptEditor>(console.profile, console.settings(),
                                                   console.prompter(), *editorDialogs_)),
      profileEditor_(std::make_unique<ProfileEditor>(console.profile, console.profileContext())),
      editInfo_(
          std::make_unique<TEditInfo>(*profileEditor_, console.prompter(), consoleForm_.get())) {
    consoleForm_->attachScriptEditor(*scriptEditor_);
    consoleForm_->editProfile = [this] { return editProfile(); };
    profileEditor_->profileReplaced = [this] { console_.ProfileReplaced(); };
    RecolourControls(editInfo_.get());
    ConsoleMenus* menus = consoleForm_->menus();
    connect(menus->ActionEditReader, &QAction::triggered, this, &ConsoleWindows::editProfile);
    connect(menus->ActionOpenReader, &QAction::triggered, this, &ConsoleWindows::loadProfile);
}

ConsoleWindows::~ConsoleWindows() = default;

bool ConsoleWindows::editProfile() {
    if (!console_.profile.ProfileLoaded || !console_.ProfileMayChange()) {
        return false;
    }
    bool replaced = false;
    const QMetaObject::Connection watch =
        connect(&console_, &Console::profileReplaced, this, [&replaced] { replaced = true; });
    editInfo_->run();
    disconnect(watch);
    console_.ApplyProfileOptions();
    return replaced;
}

void ConsoleWindows::loadProfile() {
    if (!console_.ProfileMayChange()) {
        return;
    }
    const QString current = FromWindows1252(console_.profile.ProfilePath);
    const QString path = QFileDialog::getOpenFileName(
        consoleForm_.get(), QStringLiteral("Load parameters"), QFileInfo(current).absolutePath(),
        QStringLiteral("Info files(*.dta)"));
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        console_.LoadParameters(ToWindows1252(path));
    }
}

} // namespace gw
