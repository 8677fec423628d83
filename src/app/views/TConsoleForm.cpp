#include "app/views/TConsoleForm.h"

#include "GwVersion.h"
#include "console/CommandHelp.h"
#include "console/ConsoleTexts.h"
#include "console/runtime/Console.h"
#include "console/runtime/ConsoleCommandLink.h"
#include "console/views/ApplicationIcon.h"
#include "console/views/ConsoleMenus.h"
#include "console/views/ConsoleWorkArea.h"
#include "console/views/DumpView.h"
#include "console/views/WelcomePanel.h"
#include "core/Prompter.h"
#include "core/SystemTypeNames.h"
#include "engine/AcquisitionStatusText.h"
#include "engine/runtime/MeasurementEngine.h"
#include "engine/runtime/OperationSequencer.h"
#include "engine/runtime/ScriptRunner.h"
#include "link/DumpLine.h"
#include "link/PortSettingsStorage.h"
#include "link/views/ConnectionLamps.h"
#include "link/views/PortSetupDialog.h"
#include "platform/DataFolders.h"
#include "platform/Windows1252.h"
#include "profile/ProfileFile.h"
#include "script/ScriptCompilations.h"
#include "windows/views/HelpFile.h"
#include "windows/views/RecolourControls.h"
#include "windows/views/ScriptCodeEditor.h"
#include "windows/views/TFileOverwriteDlg.h"
#include "windows/views/TGraphForm.h"
#include "windows/views/TScrptEditor.h"
#include "windows/views/TTakeDataDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPointer>
#include <QSysInfo>
#include <QTextDocument>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

namespace gw {

TConsoleForm::TConsoleForm(Console& console, QWidget* parent)
    : QMainWindow(parent), console_(console), link_(std::make_unique<ConsoleCommandLink>(console)) {
    setObjectName(QStringLiteral("ConsoleForm"));
    setWindowTitle(QString::fromLatin1(InitialCaption));
    // The working directory first, then beside the executable, then the installed data folder.
    commandHelpPaths = {CommandHelp::FileName};
    for (const QString& folder : DataFolders()) {
        commandHelpPaths.push_back(
            QDir(folder).filePath(QString::fromLatin1(CommandHelp::FileName)).toStdString());
    }

    menus_ = new ConsoleMenus(menuBar(), this);
    ActionOpenPort = menus_->ActionOpenPort;
    ActionClosePort = menus_->ActionClosePort;
    ActionExit = menus_->ActionExit;
    ActionSystem = menus_->ActionSystem;

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    WorkArea = new ConsoleWorkArea(central);
    WorkArea->setLink(link_.get());
    layout->addWidget(WorkArea, 1);
    layout->addWidget(createConnectionPanel());
    setCentralWidget(central);
    resize(1180, 720);

    Dump = WorkArea->dumpView();
    Dump->follow(&console_.log().dump());
    Lamps->attach(console_.ports.reader());
    connect(WorkArea, &ConsoleWorkArea::decodeDumpLine, this, &TConsoleForm::DecodeDumpLine);
    panelRefresh_ = new QTimer(this);
    panelRefresh_->setSingleShot(true);
    panelRefresh_->setInterval(PanelRefreshMs);
    connect(panelRefresh_, &QTimer::timeout, this, &TConsoleForm::refreshPanelsNow);

    wirePortActions();
    wireTakeDataActions();
    wireSystemActions();
    wireToolsAndHelpActions();
    followPortState();
    QApplication::setWindowIcon(ApplicationIcon::idle());
    RecolourControls(this);
}

TConsoleForm::~TConsoleForm() = default;

QWidget* TConsoleForm::createConnectionPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("ConnectionPanel"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(panel);
    Lamps = new ConnectionLamps(panel);
    layout->addWidget(Lamps);
    layout->addStretch(1);
    VersionLabel = new QLabel(QStringLiteral("v. ") + QStringLiteral(GW_VERSION_TEXT), panel);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    layout->addWidget(VersionLabel);
    return panel;
}

void TConsoleForm::wirePortActions() {
    connect(ActionOpenPort, &QAction::triggered, this, &TConsoleForm::openPorts);
    connect(ActionClosePort, &QAction::triggered, this, [this] { console_.closePorts(); });
    connect(ActionExit, &QAction::triggered, this, [this] {
        console_.closePorts();
        close();
    });
}

void TConsoleForm::wireTakeDataActions() {
    const auto notYet = [this](QAction* action) {
        connect(action, &QAction::triggered, this, [this, action] {
            if (action->isCheckable()) {
                action->setChecked(false);
            }
            ActionNotAvailableYet(action->text());
        });
    };
    for (QAction* action :
         {menus_->ActionContinueScript, menus_->ActionStopScript, menus_->ActionTakeOSL,
          menus_->ActionTakeMOSL, menus_->ActionTakeTL, menus_->ActionIrradiate}) {
        notYet(action);
    }
}

ConsoleActionInputs TConsoleForm::actionInputs() const {
    return ConsoleActionInputs{console_.ports.reader().isOpen(),
                               console_.runState.RunActive,
                               console_.runState.MetascriptRunning,
                               console_.profile.ProfileLoaded,
                               console_.SystemType(),
                               sequencer_ != nullptr && sequencer_->inFlight()};
}

void TConsoleForm::attachEngine(MeasurementEngine& engine) {
    QAction* abort = menus_->ActionAbortOperation;
    QAction* stopScript = menus_->ActionStopScript;
    engine.isAbortItemChecked = [abort] { return abort->isChecked(); };
    engine.uncheckAbortItems = [abort, stopScript] {
        abort->setChecked(false);
        stopScript->setChecked(false);
    };
    connect(abort, &QAction::toggled, this, [&engine](bool checked) {
        if (checked) {
            engine.AbortAll();
        }
    });
    engine_ = &engine;
    if (graph_) {
        engine.setView(graph_);
        graph_->setOperationInFlight([this] { return console_.StarterHeld(); });
    }
    engine.showStateCode = [form = QPointer<TConsoleForm>(this)](int stateCode) {
        if (form) {
            form->applicationIcon_.follow(stateCode);
        }
    };
    // "Veltrax compatible" is the engine's switch: the operations started from now on see it.
    QAction* veltrax = menus_->ActionVeltrax;
    veltrax->setChecked(engine.compatibilityMode());
    connect(veltrax, &QAction::toggled, &engine,
            [&engine](bool on) { engine.setCompatibilityMode(on); });
}

void TConsoleForm::attachSequencer(OperationSequencer& sequencer, TTakeDataDlg& dialog) {
    sequencer_ = &sequencer;
    sequencer.showDialog = [this, &dialog](TakeDataValues& values) {
        const bool irradiationOnly = std::exchange(irradiationOnly_, false);
        if (values.PreheatForm) {
            return dialog.execPreheatOnly();
        }
        return irradiationOnly ? dialog.execIrradiationOnly() : dialog.execSheet(values.Sheet);
    };
    const std::pair<QAction*, TakeDataSheet> actions[] = {
        {menus_->ActionTakeOSL, TakeDataSheet::OSL},
        {menus_->ActionTakeMOSL, TakeDataSheet::MOSL},
        {menus_->ActionTakeTL, TakeDataSheet::TL},
        {menus_->ActionIrradiate, TakeDataSheet::Irradiate},
    };
    for (const auto& [action, sheet] : actions) {
        action->disconnect(this); // no longer "not available"
        connect(action, &QAction::triggered, this,
                [&sequencer, sheet] { sequencer.takeData(sheet); });
    }
    if (!graph_) {
        return;
    }
    graph_->setOperationInFlight([&sequencer] { return sequencer.inFlight(); });
    connect(graph_, &TGraphForm::irradRequested, this, [this, &sequencer] {
        irradiationOnly_ = true;
        sequencer.takeData(TakeDataSheet::Irradiate);
        irradiationOnly_ = false;
    });
    connect(graph_, &TGraphForm::preheatRequested, this, [&sequencer, &dialog] {
        sequencer.takeData(TakeDataSheet::TL, true);
        dialog.endPreheatForm();
    });
}

void TConsoleForm::detachGraph() {
    if (engine_ && graph_) {
        engine_->setView(nullptr);
    }
    if (graph_) {
        graph_->disconnect(this);
    }
    graph_ = nullptr;
}

void TConsoleForm::attachGraph(TGraphForm& graph) {
    graph_ = &graph;
    graph.setConsoleLink(link_.get());
    graph.setRunState(&console_.runState);
    graph.layOutForSystem(console_.SystemType());
    QAction* showGraph = menus_->ActionShowGraph;
    connect(showGraph, &QAction::triggered, this, [this] {
        graph_->setVisible(!graph_->isVisible());
        if (graph_->isVisible()) {
            graph_->raise();
        }
    });
    connect(&graph, &TGraphForm::shownChanged, showGraph, &QAction::setChecked);
    connect(&graph, &TGraphForm::abortRequested, this,
            [this] { menus_->ActionAbortOperation->setChecked(true); });
    connect(&graph, &TGraphForm::stopScriptRequested, this,
            [this] { menus_->ActionStopScript->trigger(); });
}

void TConsoleForm::setReaderLabel(const std::string& text) {
    if (scriptEditor_ != nullptr) {
        scriptEditor_->setReaderLabel(FromWindows1252(text));
    }
}

void TConsoleForm::attachScriptEditor(TScrptEditor& editor) {
    scriptEditor_ = &editor;
    connect(menus_->ActionTakeScript, &QAction::triggered, this, &TConsoleForm::takeScript);
    connect(&editor, &TScrptEditor::loadSystemInfoRequested, this, &TConsoleForm::loadSystemInfo);
    // A loaded or saved profile leaves the editor's compiled script stale.
    connect(&console_, &Console::profileReplaced, &editor, &TScrptEditor::profileChanged);
    connect(&editor, &TScrptEditor::editSystemInfoRequested, this, [this] {
        if (!editProfile) {
            ActionNotAvailableYet(scriptEditor_->ActionSysEdit->text());
            return;
        }
        if (editProfile()) {
            scriptEditor_->profileChanged();
        }
    });
    connect(&editor, &TScrptEditor::compiledScriptReleased, this,
            [this](ReleasedCompilation which) {
                // A running metascript keeps its own compilations when the editor's goes.
                const bool metascriptRuns = console_.runState.MetascriptRunning;
                if (!(metascriptRuns && which == ReleasedCompilation::EditorScript)) {
                    console_.runState.ScriptPrepared = false;
                }
            });
}

void TConsoleForm::attachScriptRunner(ScriptRunner& runner) {
    // The run asks about binary files in the way; the dialog only answers.
    runner.answerExistingFiles = [this](const std::string& binaryFile,
                                        const std::vector<std::string>&) {
        return TFileOverwriteDlg::Ask(this, binaryFile);
    };
    connect(this, &TConsoleForm::scriptExecutionChosen, this, [this, &runner] {
        if (scriptEditor_ == nullptr) {
            return;
        }
        runner.veltraxCompatible = menus_->ActionVeltrax->isChecked();
        const std::vector<sc_Script*> scripts = scriptEditor_->compilations().ScriptsToRun();
        if (scripts.size() == 1) {
            // An unfinished journal of the script's data file brings the resume question.
            const bool saved = !scriptEditor_->TestEditor->document()->isModified();
            runner.useScriptFile(saved ? scriptEditor_->compilations().ScriptFileName : "");
            runner.PrepareOrResume(*scripts.front());
        } else if (!scripts.empty()) {
            runner.useScriptFile({});
            runner.PrepareMetascript(scripts);
        }
    });
    if (scriptEditor_ != nullptr) {
        connect(scriptEditor_, &TScrptEditor::compiledScriptReleased, &runner,
                [&runner] { runner.ScriptReleased(); });
    }
    // The run takes these over from the placeholder that said they were not available.
    QAction* stop = menus_->ActionStopScript;
    QAction* next = menus_->ActionContinueScript;
    disconnect(stop, &QAction::triggered, this, nullptr);
    disconnect(next, &QAction::triggered, this, nullptr);
    connect(stop, &QAction::triggered, &runner,
            [&runner](bool checked) { runner.StopScript(checked); });
    connect(next, &QAction::triggered, &runner, [&runner] { runner.ContinueScript(); });
    // The live graph's Go starts the prepared run, or stops a running one after its step.
    if (graph_ != nullptr) {
        connect(graph_, &TGraphForm::startRunRequested, &runner, [&runner] { runner.StartRun(); });
        connect(graph_, &TGraphForm::stopScriptRequested, &runner, [stop] {
            if (!stop->isChecked()) {
                stop->trigger(); // checks "Stop script", as the menu would
            }
        });
    }
}

void TConsoleForm::loadSystemInfo(const QString& path) {
    // The console's own load: refused while anything runs; the editor hears profileReplaced.
    console_.LoadParameters(ToWindows1252(path));
}

bool TConsoleForm::takeScript() {
    if (scriptEditor_ == nullptr) {
        return false;
    }
    TScrptEditor& editor = *scriptEditor_;
    editor.setGeometry(geometry());
    editor.setSystemMenuVisible(false);
    hide();
    const bool execute = editor.exec() == QDialog::Accepted;
    move(editor.pos());
    show();
    editor.setSystemMenuVisible(true);
    if (execute) {
        if (isSignalConnected(QMetaMethod::fromSignal(&TConsoleForm::scriptExecutionChosen))) {
            emit scriptExecutionChosen();
        } else {
            ActionNotAvailableYet(editor.ActionScriptBatch->text());
        }
    } else if (editor.compilations().CompiledOK) {
        console_.prompter().message(MessageKind::Information, "GWScript",
                                    "Select \"Script|Execute\" to start data taking");
    }
    return execute;
}

void TConsoleForm::wireSystemActions() {
    ReaderPort& reader = console_.ports.reader();
    ScannerPort& scanner = console_.ports.scanner();
    connect(menus_->ActionPortSettings, &QAction::triggered, this,
            [this, &reader] { editPortSettings(reader); });
    connect(menus_->ActionScPortSettings, &QAction::triggered, this,
            [this, &scanner] { editPortSettings(scanner); });
    connect(menus_->ActionStoreSettings, &QAction::triggered, this,
            [this, &reader] { storePortSettings(reader, ReaderPort::kSettingsKey); });
    connect(menus_->ActionScStoreSettings, &QAction::triggered, this,
            [this, &scanner] { storePortSettings(scanner, ScannerPort::kSettingsKey); });
    connect(menus_->ActionLoadSettings, &QAction::triggered, this,
            [this, &reader] { loadPortSettings(reader, ReaderPort::kSettingsKey); });
    connect(menus_->ActionScLoadSettings, &QAction::triggered, this,
            [this, &scanner] { loadPortSettings(scanner, ScannerPort::kSettingsKey); });

    connect(menus_->ActionCorrectReader, &QAction::toggled, this,
            [this](bool on) { console_.linkState.CorrectCounts = on; });
    connect(menus_->ActionLaserScanner, &QAction::triggered, this, [this] {
        const SystemProfile& p = console_.profile.Profile;
        setScannerMenuVisible(p.ReaderType == System6600 && p.HasScanner);
    });
    // "Load parameters" and "Edit parameters" are wired by ConsoleWindows, which owns the
    // profile editor.
    connect(menus_->ActionSaveReader, &QAction::triggered, this, &TConsoleForm::saveParameters);
    connect(menus_, &ConsoleMenus::systemTypeChosen, this,
            [this](int type) { console_.SelectSystemType(type); });

    menus_->evaluateWhenIdle([this] { return actionInputs(); });
}

void TConsoleForm::wireToolsAndHelpActions() {
    connect(menus_->ActionDump, &QAction::toggled, WorkArea, &ConsoleWorkArea::setDumpShown);
    connect(menus_->ClearDumpBuffer, &QAction::triggered, this,
            [this] { console_.log().dump().clear(); });
    connect(menus_->ActionReadDump, &QAction::triggered, this, &TConsoleForm::readDumpFile);
    connect(menus_->ActionHelpFile, &QAction::triggered, this, &TConsoleForm::displayHelpFile);
    connect(menus_->ActionHelp, &QAction::triggered, this, [this] {
        console_.prompter().message(MessageKind::Information, CommandLineHelpCaption,
                                    CommandLineHelpText());
    });
}

void TConsoleForm::followPortState() {
    const auto update = [this] { menus_->applyRules(EvaluateActionRules(actionInputs())); };
    connect(&console_.ports.reader(), &LinkPort::afterOpen, this, update);
    connect(&console_.ports.reader(), &LinkPort::afterClose, this, update);
    // Opening the reader port uncovers the command help.
    connect(&console_.ports.reader(), &LinkPort::afterOpen, WorkArea->welcomePanel(),
            &QWidget::hide);
    update();
}

void TConsoleForm::openPorts() {
    if (WorkArea->replayMode()) {
        console_.log().dump().clear();
        endDumpReplay();
    }
    console_.openPorts();
}

void TConsoleForm::editPortSettings(LinkPort& port) {
    const bool wasOpen = port.isOpen();
    port.close();
    PortSettings settings = port.settings();
    if (PortSetupDialog::edit(settings, this)) {
        port.setSettings(settings);
    }
    if (wasOpen && !port.open()) {
        console_.prompter().message(MessageKind::Error, "Error", ToWindows1252(port.openFailure()));
    }
}

void TConsoleForm::storePortSettings(LinkPort& port, const char* key) {
    if (!port.storeSettings(console_.settings().store(), key)) {
        console_.prompter().message(MessageKind::Error, "Error", PortSettingsStorage::kStoreFailed);
    }
}

void TConsoleForm::loadPortSettings(LinkPort& port, const char* key) {
    const bool wasOpen = port.isOpen();
    port.close();
    if (!port.loadSettings(console_.settings().store(), key)) {
        console_.prompter().message(MessageKind::Error, "Error", PortSettingsStorage::kLoadFailed);
    }
    if (wasOpen && !port.open()) {
        console_.prompter().message(MessageKind::Error, "Error", ToWindows1252(port.openFailure()));
    }
}

void TConsoleForm::saveParameters() {
    const QString current = FromWindows1252(console_.profile.ProfilePath);
    QFileDialog dialog(this, QString(), QFileInfo(current).absolutePath(),
                       QStringLiteral("Info files(*.dta)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("dta"));
    dialog.selectFile(QFileInfo(current).fileName());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        saveParametersAs(dialog.selectedFiles().front());
    }
}

bool TConsoleForm::saveParametersAs(const QString& path) {
    // A failed copy changes nothing and shows nothing.
    return CopyProfileFile(ToWindows1252(path), console_.profile, console_.profileContext());
}

void TConsoleForm::readDumpFile() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open dump file"), QString(),
                                     QStringLiteral("Dump files (dump*.txt DUMP*.TXT)"));
    if (!path.isEmpty()) {
        replayDumpFile(path);
    }
}

void TConsoleForm::replayDumpFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        console_.prompter().message(MessageKind::Error, "Error",
                                    "Cannot read the dump file " + ToWindows1252(path));
        return;
    }
    console_.closePorts();
    std::vector<std::string> lines;
    for (QByteArray line : file.readAll().split('\n')) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        lines.push_back(line.toStdString());
    }
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back(); // the line break that ends the file
    }
    console_.log().dump().assign(lines);
    if (!lines.empty()) {
        WorkArea->setReplayMode(true);
        Dump->startReplay();
    }
}

void TConsoleForm::displayHelpFile() {
    switch (OpenHelpFile()) {
    case HelpFileResult::Opened:
        return;
    case HelpFileResult::NoApplication:
        console_.prompter().message(MessageKind::Error, HelpFileErrorCaption,
                                    HelpFileNoApplication);
        return;
    case HelpFileResult::Failed:
        console_.prompter().message(MessageKind::Error, HelpFileErrorCaption, HelpFileOpenFailed);
        return;
    }
}

void TConsoleForm::ActionNotAvailableYet(const QString& caption) {
    QString plain = caption;
    plain.remove('&');
    console_.prompter().message(MessageKind::Information, InitialCaption,
                                ToWindows1252(plain) + " is not available in this version.");
}

// Not restarted by later replies: the first reply after a refresh is shown within PanelRefreshMs,
// together with all that came after it.
void TConsoleForm::RefreshPanels() {
    if (!panelRefresh_->isActive()) {
        panelRefresh_->start();
    }
}

void TConsoleForm::flushPanelRefresh() {
    if (panelRefresh_->isActive()) {
        refreshPanelsNow();
    }
}

void TConsoleForm::refreshPanelsNow() {
    panelRefresh_->stop();
    WorkArea->refreshPanels(console_.readerState, console_.SystemType(),
                            console_.linkState.layout.CounterChannels);
    refreshGraphReadouts();
}

void TConsoleForm::refreshGraphReadouts() {
    if (!graph_ || !graph_->isVisible()) {
        return;
    }
    const ReaderState& reader = console_.readerState;
    AcquisitionState idle;
    const AcquisitionState& acquisition = engine_ ? engine_->state() : idle;
    const std::string status =
        AcquisitionStatusText(console_.CurrentOperation, acquisition, reader.Flags, reader.Timer);
    graph_->refreshReadouts(reader, console_.SystemType(), FromWindows1252(status),
                            !acquisition.TakingData && !acquisition.Irradiating);
}

void TConsoleForm::DecodeDumpLine(const std::string& line) {
    if (console_.ports.reader().isOpen()) {
        ReaderLinkState link = console_.linkState;
        ReaderState state = console_.readerState;
        if (gw::DecodeDumpLine(line, link, state)) {
            WorkArea->refreshPanels(state, link.systemType(), link.layout.CounterChannels);
        }
        return;
    }
    if (gw::DecodeDumpLine(line, console_.linkState, console_.readerState)) {
        refreshPanelsNow(); // the operator asked for this line: shown at once
    }
}

void TConsoleForm::checkSystemTypeItem(int systemType) {
    menus_->checkSystemType(systemType);
}

void TConsoleForm::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void TConsoleForm::layOutPanels(int systemType) {
    WorkArea->layoutPanels(systemType, console_.linkState.layout.CounterChannels);
    if (graph_) {
        graph_->layOutForSystem(systemType);
    }
}

void TConsoleForm::setCorrectReaderChecked(bool checked) {
    menus_->ActionCorrectReader->setChecked(checked);
}

void TConsoleForm::enableCorrectReader(bool enabled) {
    menus_->ActionCorrectReader->setEnabled(enabled);
}

void TConsoleForm::enableShortMode(bool enabled) {
    menus_->ActionShortMode->setEnabled(enabled);
}

void TConsoleForm::loadCommandHelp() {
    for (const std::string& path : commandHelpPaths) {
        if (std::optional<CommandHelp> help = CommandHelp::load(path)) {
            WorkArea->setCommandHelp(std::move(*help));
            return;
        }
    }
    WorkArea->setCommandHelp(CommandHelp{});
    console_.prompter().message(MessageKind::Error, "Error",
                                std::string("Can't open help file ") + CommandHelp::FileName);
}

void TConsoleForm::showFirstHelpTopic() {
    menus_->ActionDump->setChecked(false);
    WorkArea->setDumpShown(false);
    WorkArea->showTopic(0);
}

void TConsoleForm::endDumpReplay() {
    WorkArea->setReplayMode(false);
}

void TConsoleForm::setScannerMenuVisible(bool visible) {
    menus_->setScannerMenuVisible(visible);
}

void TConsoleForm::fillWelcomePanel() {
    WelcomeFacts facts;
    facts.version = GW_VERSION_TEXT;
    facts.platformFamily = ToWindows1252(QSysInfo::prettyProductName());
    facts.profileFile = console_.profile.ProfilePath;
    facts.profileName = console_.profile.Profile.ProfileName;
    facts.date =
        ToWindows1252(QLocale::system().toString(QDate::currentDate(), QLocale::LongFormat));
    WorkArea->welcomePanel()->setText(FromWindows1252(WelcomeText(facts)));
    WorkArea->welcomePanel()->show();
}

void TConsoleForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        console_.mainWindowShown();
    }
}

void TConsoleForm::closeEvent(QCloseEvent* event) {
    if (console_.confirmClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace gw
