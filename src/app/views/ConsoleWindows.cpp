#include "app/views/ConsoleWindows.h"

#include "app/views/TConsoleForm.h"
#include "console/runtime/Console.h"
#include "console/views/ConsoleMenus.h"
#include "engine/runtime/MeasurementEngine.h"
#include "engine/runtime/OperationSequencer.h"
#include "engine/views/DataFileWindow.h"
#include "platform/Windows1252.h"
#include "profile/IrradiationLetter.h"
#include "profile/ProfileEditor.h"
#include "profile/views/TEditInfo.h"
#include "windows/views/QtScriptEditorDialogs.h"
#include "windows/views/RecolourControls.h"
#include "windows/views/TGraphForm.h"
#include "windows/views/THolesDlg.h"
#include "windows/views/TScrptEditor.h"
#include "windows/views/TTakeDataDlg.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>

namespace gw {

ConsoleWindows::ConsoleWindows(Console& console)
    : console_(console), consoleForm_(std::make_unique<TConsoleForm>(console)),
      holesDialog_(std::make_unique<THolesDlg>(consoleForm_.get())),
      takeDataDialog_(
          std::make_unique<TTakeDataDlg>(console.prompter(), *holesDialog_, consoleForm_.get())),
      graphForm_(std::make_unique<TGraphForm>(console.prompter())),
      editorDialogs_(std::make_unique<QtScriptEditorDialogs>()),
      scriptEditor_(std::make_unique<TScrptEditor>(console.profile, console.settings(),
                                                   console.prompter(), *editorDialogs_)),
      profileEditor_(std::make_unique<ProfileEditor>(console.profile, console.profileContext())),
      editInfo_(
          std::make_unique<TEditInfo>(*profileEditor_, console.prompter(), consoleForm_.get())),
      dataFileWindow_(std::make_unique<DataFileWindow>()) {
    consoleForm_->attachGraph(*graphForm_);
    consoleForm_->attachScriptEditor(*scriptEditor_);
    consoleForm_->editProfile = [this] { return editProfile(); };
    profileEditor_->profileReplaced = [this] { console_.ProfileReplaced(); };
    RecolourControls(editInfo_.get());
    ConsoleMenus* menus = consoleForm_->menus();
    connect(menus->ActionEditReader, &QAction::triggered, this, &ConsoleWindows::editProfile);
    connect(menus->ActionOpenReader, &QAction::triggered, this, &ConsoleWindows::loadProfile);
    connect(menus->ActionViewDataFile, &QAction::triggered, dataFileWindow_.get(),
            &DataFileWindow::chooseFile);
    // A double-click on the take-data dialog's data file name shows that file.
    connect(takeDataDialog_.get(), &TTakeDataDlg::dataFileDoubleClicked, dataFileWindow_.get(),
            &DataFileWindow::showFile);
}

// The dialogs and the graph go before the main window; the engine draws in no window from then
// on.
ConsoleWindows::~ConsoleWindows() {
    consoleForm_->detachGraph();
    graphForm_.reset();
    takeDataDialog_.reset();
    holesDialog_.reset();
}

void ConsoleWindows::attachSequencer(OperationSequencer& sequencer, MeasurementEngine& engine) {
    TTakeDataDlg& dialog = *takeDataDialog_;
    dialog.setValues(&sequencer.values);
    dialog.setOperationInFlight([&sequencer] { return sequencer.inFlight(); });
    dialog.setContext([this, &engine] {
        const SystemProfile& profile = console_.profile.Profile;
        TakeDataDialogContext context;
        context.systemType = console_.SystemType();
        context.hasScanner = profile.HasScanner;
        context.afterglowCode = profile.AfterglowCode;
        context.readerType = profile.ReaderType;
        context.compatibility = engine.compatibilityMode();
        context.positionOffset = std::max(BetaPortOffset(profile, context.systemType), 0);
        return context;
    });
    consoleForm_->attachSequencer(sequencer, dialog);
}

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
