#include "app/views/ConsoleWindows.h"

#include "app/views/TConsoleForm.h"
#include "console/runtime/Console.h"
#include "engine/runtime/MeasurementEngine.h"
#include "engine/runtime/OperationSequencer.h"
#include "profile/IrradiationLetter.h"
#include "windows/views/QtScriptEditorDialogs.h"
#include "windows/views/TGraphForm.h"
#include "windows/views/THolesDlg.h"
#include "windows/views/TScrptEditor.h"
#include "windows/views/TTakeDataDlg.h"

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
                                                   console.prompter(), *editorDialogs_)) {
    consoleForm_->attachGraph(*graphForm_);
    consoleForm_->attachScriptEditor(*scriptEditor_);
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

} // namespace gw
