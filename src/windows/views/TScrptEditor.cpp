#include "windows/views/TScrptEditor.h"

#include "console/ConsoleSettings.h"
#include "core/Prompter.h"
#include "platform/Windows1252.h"
#include "profile/ProfileState.h"
#include "script/DiskExpander.h"
#include "script/LastLinePosition.h"
#include "script/Metascript.h"
#include "script/ScriptCompiler.h"
#include "script/ScriptListings.h"
#include "script/WorksheetGenerator.h"
#include "script/runtime/TemplateWorksheet.h"
#include "windows/RecentScripts.h"
#include "windows/views/DefaultPrinterPaper.h"
#include "windows/views/RecolourControls.h"
#include "windows/views/ScriptCodeEditor.h"
#include "windows/views/ScriptEditorDialogs.h"
#include "windows/views/ScriptFindReplace.h"
#include "windows/views/ScriptListingViewer.h"
#include "windows/views/ScriptTextFile.h"
#include "windows/views/TAboutBox.h"
#include "windows/views/TFindReplaceDlg.h"
#include "windows/views/TWrkShtDialog.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace gw {

namespace {

const QString ScriptFilter = QStringLiteral("Script files (*.txt *.TXT)");
constexpr const char* ScriptsSetting = "Scripts";

std::string Bytes(const QString& text) {
    return ToWindows1252(text);
}

} // namespace

TScrptEditor::TScrptEditor(const ProfileState& profile, ConsoleSettings& settings,
                           Prompter& prompter, ScriptEditorDialogs& dialogs, QWidget* parent)
    : QDialog(parent), profile_(profile), settings_(settings), prompter_(prompter),
      dialogs_(dialogs),
      recent_(std::make_unique<RecentScripts>(settings.store(), settings.SettingsKey())),
      printer_(std::make_unique<QPrinter>()) {
    setObjectName(QStringLiteral("ScrptEditor"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    createActions();
    createMenus(menuBar);
    createToolBar();
    layout->addWidget(ToolBar);
    ReaderLabel = new QLabel(QStringLiteral(" Load reader's system data! "), this);
    ReaderLabel->setObjectName(QStringLiteral("ReaderLabel"));
    ReaderLabel->setFrameShape(QFrame::Panel);
    ReaderLabel->setFrameShadow(QFrame::Sunken);
    layout->addWidget(ReaderLabel);
    TestEditor = new ScriptCodeEditor(this);
    TestEditor->setObjectName(QStringLiteral("TestEditor"));
    layout->addWidget(TestEditor, 1);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(StatusLabel);
    ViewerBox = new ScriptListingViewer(this);
    FindDialog = new TFindReplaceDlg(this);
    WorksheetDialog = new TWrkShtDialog(dialogs_, this);
    printerPaper = DefaultPrinterPaper;
    findReplace_ = std::make_unique<ScriptFindReplace>(*TestEditor, prompter_);
    aboutBox_ = new TAboutBox(this);

    wireActions();
    wireFindReplace();
    compilations_.whenReleased = [this](ReleasedCompilation which) {
        emit compiledScriptReleased(which);
    };
    RecolourControls(this);
    setFileName(QString());
    resize(900, 640);
    updateActions();
    auto* dispatcher = QAbstractEventDispatcher::instance(thread());
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
        if (isVisible()) {
            updateActions();
        }
    });
}

TScrptEditor::~TScrptEditor() {
    compilations_.whenReleased = nullptr;
}

void TScrptEditor::createActions() {
    const auto make = [this](const char* caption, QKeySequence key = {}) {
        auto* action = new QAction(QString::fromLatin1(caption), this);
        action->setShortcut(key);
        return action;
    };
    ActionFileOpen = make("&Open", QKeySequence(Qt::CTRL | Qt::Key_O));
    ActionFileSave = make("&Save", QKeySequence(Qt::CTRL | Qt::Key_S));
    ActionFileSaveAs = make("Save &as");
    ActionFileClose = make("&Close", QKeySequence(Qt::CTRL | Qt::Key_W));
    ActionPrinterSetup = make("Printer setup");
    ActionPrinterPrint = make("&Print", QKeySequence(Qt::CTRL | Qt::Key_P));
    // Cut keeps Ctrl+X; Exit takes the desktop's Ctrl+Q.
    ActionFileExit = make("E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q));
    ActionSysLoad = make("Load system info");
    ActionSysEdit = make("Edit system info");
    ActionEditUndo = make("&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    ActionEditFind = make("&Find", QKeySequence(Qt::CTRL | Qt::Key_F));
    ActionEditReplace = make("&Replace", QKeySequence(Qt::CTRL | Qt::Key_H));
    ActionEditCut = make("Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
    ActionEditCopy = make("&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    ActionEditPaste = make("&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    ActionScriptInterpret = make("&Interpret script", QKeySequence(Qt::CTRL | Qt::Key_I));
    ActionScriptBatch = make("&Execute script", QKeySequence(Qt::CTRL | Qt::Key_E));
    ActionWorksheets = make("&Worksheets");
    ActionViewVars = make("View &variables");
    ActionViewLists = make("View &lists");
    ActionViewSeqs = make("View &sequences");
    ActionViewDisks = make("View &disks");
    ActionHelpContents = make("Help contents");
    ActionHelpIndex = make("Help index");
    ActionScriptManual = make("Script manual");
    ActionManualIndex = make("Manual index");
    ActionAbout = make("About");
    // The editor's own shortcuts stay with the text area's standard keys.
    for (QAction* action : {ActionEditUndo, ActionEditCut, ActionEditCopy, ActionEditPaste}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
}

void TScrptEditor::createMenus(QWidget* menuHost) {
    auto* bar = static_cast<QMenuBar*>(menuHost);
    FileMenu = bar->addMenu(QStringLiteral("&File"));
    FileMenu->addActions({ActionFileOpen, ActionFileSave, ActionFileSaveAs, ActionFileClose});
    FileMenu->addSeparator();
    FileMenu->addActions({ActionPrinterSetup, ActionPrinterPrint});
    FileMenu->addSeparator();
    RecentMenu = FileMenu->addMenu(QStringLiteral("&Recent scripts"));
    FileMenu->addSeparator();
    FileMenu->addAction(ActionFileExit);
    SystemMenu = bar->addMenu(QStringLiteral("S&ystem"));
    SystemMenu->addActions({ActionSysLoad, ActionSysEdit});
    EditMenu = bar->addMenu(QStringLiteral("&Edit"));
    EditMenu->addAction(ActionEditUndo);
    EditMenu->addSeparator();
    EditMenu->addActions({ActionEditFind, ActionEditReplace});
    EditMenu->addSeparator();
    EditMenu->addActions({ActionEditCut, ActionEditCopy, ActionEditPaste});
    ScriptMenu = bar->addMenu(QStringLiteral("&Script"));
    ScriptMenu->addActions({ActionScriptInterpret, ActionScriptBatch, ActionWorksheets});
    ScriptMenu->addSeparator();
    ScriptMenu->addActions({ActionViewVars, ActionViewLists, ActionViewSeqs, ActionViewDisks});
    HelpMenu = bar->addMenu(QStringLiteral("&Help"));
    HelpMenu->addActions(
        {ActionHelpContents, ActionHelpIndex, ActionScriptManual, ActionManualIndex});
    HelpMenu->addSeparator();
    HelpMenu->addAction(ActionAbout);
    connect(RecentMenu, &QMenu::aboutToShow, this, &TScrptEditor::fillRecentMenu);
    connect(FileMenu, &QMenu::aboutToShow, this,
            [this] { RecentMenu->menuAction()->setEnabled(!recent_->Files().empty()); });
}

void TScrptEditor::createToolBar() {
    ToolBar = new QToolBar(this);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto icon = [this](QStyle::StandardPixmap pixmap) {
        return style()->standardIcon(pixmap);
    };
    ActionFileOpen->setIcon(icon(QStyle::SP_DialogOpenButton));
    ActionScriptInterpret->setIcon(icon(QStyle::SP_FileDialogDetailedView));
    ActionScriptBatch->setIcon(icon(QStyle::SP_MediaPlay));
    ToolBar->addAction(ActionFileOpen);
    ToolBar->addAction(ActionScriptInterpret);
    ToolBar->addAction(ActionScriptBatch);
    auto* cancel =
        ToolBar->addAction(icon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"));
    connect(cancel, &QAction::triggered, ActionFileExit, &QAction::trigger);
}

void TScrptEditor::wireActions() {
    connect(ActionFileOpen, &QAction::triggered, this, &TScrptEditor::Open);
    connect(ActionFileSave, &QAction::triggered, this, &TScrptEditor::Save);
    connect(ActionFileSaveAs, &QAction::triggered, this, &TScrptEditor::SaveAs);
    connect(ActionFileClose, &QAction::triggered, this, &TScrptEditor::Close);
    connect(ActionFileExit, &QAction::triggered, this, &TScrptEditor::Exit);
    connect(ActionPrinterSetup, &QAction::triggered, this,
            [this] { dialogs_.printerSetup(this, *printer_); });
    connect(ActionPrinterPrint, &QAction::triggered, this, &TScrptEditor::Print);
    connect(ActionSysLoad, &QAction::triggered, this, &TScrptEditor::loadSystemInfo);
    connect(ActionSysEdit, &QAction::triggered, this, &TScrptEditor::editSystemInfo);
    connect(ActionEditUndo, &QAction::triggered, TestEditor, &QPlainTextEdit::undo);
    connect(ActionEditCut, &QAction::triggered, TestEditor, &QPlainTextEdit::cut);
    connect(ActionEditCopy, &QAction::triggered, TestEditor, &QPlainTextEdit::copy);
    connect(ActionEditPaste, &QAction::triggered, TestEditor, &QPlainTextEdit::paste);
    connect(ActionScriptInterpret, &QAction::triggered, this, &TScrptEditor::Interpret);
    connect(ActionScriptBatch, &QAction::triggered, this, &QDialog::accept);
    connect(ActionWorksheets, &QAction::triggered, this, &TScrptEditor::Worksheets);
    connect(WorksheetDialog, &TWrkShtDialog::helpRequested, this, [this] { openWorksheetHelp(); });
    connect(ActionViewVars, &QAction::triggered, this,
            [this] { showListing("Variable viewer", &ListVariables); });
    connect(ActionViewLists, &QAction::triggered, this,
            [this] { showListing("List viewer", &ListLists); });
    connect(ActionViewSeqs, &QAction::triggered, this,
            [this] { showListing("Sequence viewer", &ListSequences); });
    connect(ActionViewDisks, &QAction::triggered, this,
            [this] { showListing("Disk viewer", &ListDisks); });
    connect(ViewerBox, &ScriptListingViewer::printRequested, this, &TScrptEditor::printListing);
    connect(ActionHelpContents, &QAction::triggered, this, [this] { openHelp("editor.htm"); });
    connect(ActionHelpIndex, &QAction::triggered, this, [this] { openHelp("keywords.htm"); });
    connect(ActionScriptManual, &QAction::triggered, this, [this] { openHelp("index.htm"); });
    connect(ActionManualIndex, &QAction::triggered, this, [this] { openHelp("keywords.htm"); });
    connect(ActionAbout, &QAction::triggered, this, [this] {
        aboutBox_->prepare(QString::fromLatin1(EditorTitle), QStringLiteral("ver. 1.0"));
        aboutBox_->exec();
    });
    connect(TestEditor, &QPlainTextEdit::textChanged, this, &TScrptEditor::onTextChanged);
}

void TScrptEditor::wireFindReplace() {
    const auto openAt = [this](bool replaceMode) {
        const QPoint centre = TestEditor->mapToGlobal(TestEditor->rect().center());
        FindDialog->open(replaceMode, centre);
    };
    connect(ActionEditFind, &QAction::triggered, this, [openAt] { openAt(false); });
    connect(ActionEditReplace, &QAction::triggered, this, [openAt] { openAt(true); });
    connect(FindDialog, &TFindReplaceDlg::findNext, this,
            [this](const FindRequest& request) { findReplace_->findNext(request); });
    connect(FindDialog, &TFindReplaceDlg::replace, this,
            [this](const FindRequest& request) { findReplace_->replace(request); });
    connect(FindDialog, &TFindReplaceDlg::replaceAll, this,
            [this](const FindRequest& request) { findReplace_->replaceAll(request); });
}

void TScrptEditor::updateActions() {
    const bool compiled = compilations_.CompiledOK;
    const bool runnable = compiled || compilations_.MetascriptOK;
    const bool interpretable = hasText_ && profile_.ProfileLoaded;
    for (QAction* action : {ActionFileSave, ActionFileSaveAs, ActionFileClose, ActionPrinterSetup,
                            ActionPrinterPrint}) {
        action->setEnabled(hasText_);
    }
    ActionSysEdit->setEnabled(profile_.ProfileLoaded);
    ScriptMenu->menuAction()->setEnabled(interpretable);
    ActionScriptInterpret->setEnabled(interpretable);
    ActionScriptBatch->setEnabled(runnable);
    ActionWorksheets->setEnabled(worksheetsPossible());
    ActionWorksheets->setStatusTip(
        worksheetsPossible()
            ? QStringLiteral("Write the worksheets of this template script")
            : QStringLiteral("Worksheets need an interpreted script that declares TEMPLATE"));
    for (QAction* action : {ActionViewVars, ActionViewLists, ActionViewSeqs, ActionViewDisks}) {
        action->setEnabled(compiled && compilations_.CompiledScript() != nullptr);
    }
}

void TScrptEditor::setReaderLabel(const QString& text) {
    ReaderLabel->setText(text);
}

void TScrptEditor::setSystemMenuVisible(bool visible) {
    SystemMenu->menuAction()->setVisible(visible);
}

void TScrptEditor::profileChanged() {
    compilations_.CompiledOK = false;
    compilations_.MetascriptOK = false;
    compilations_.ReleaseEditorScript();
    updateActions();
}

void TScrptEditor::loadSystemInfo() {
    const QString path = dialogs_.openFile(
        this, QStringLiteral("Load system info"), QStringLiteral("Info files (*.dta *.DTA)"),
        QFileInfo(FromWindows1252(profile_.ProfilePath)).absolutePath());
    if (!path.isEmpty()) {
        emit loadSystemInfoRequested(path);
    }
}

void TScrptEditor::editSystemInfo() {
    if (profile_.ProfileLoaded) {
        emit editSystemInfoRequested();
    }
}

// ---- Text and file name ----

void TScrptEditor::setFileName(const QString& path) {
    scriptFileName_ = path;
    compilations_.ScriptFileName = Bytes(path);
    QString name = QFileInfo(path).completeBaseName();
    if (name.isEmpty()) {
        name = QStringLiteral("Untitled");
    }
    setWindowTitle(QStringLiteral("%1 - %2").arg(QString::fromLatin1(EditorTitle), name));
}

void TScrptEditor::setEditorText(const QString& text) {
    TestEditor->setPlainText(text);
    TestEditor->document()->setModified(false);
    hasText_ = !text.isEmpty();
}

void TScrptEditor::onTextChanged() {
    const QString text = TestEditor->text();
    hasText_ = !text.isEmpty();
    if (text != compiledText_ && (compilations_.CompiledOK || compilations_.MetascriptOK)) {
        compilations_.CompiledOK = false;
        compilations_.MetascriptOK = false;
        showStatus(QStringLiteral("Changed since Interpret"));
    }
}

void TScrptEditor::showStatus(const QString& text) {
    StatusLabel->setText(text);
}

QString TScrptEditor::scriptDirectory() const {
    const QString stored = FromWindows1252(settings_.ReadSettingText("", ScriptsSetting, true));
    if (!stored.isEmpty() && QFileInfo(stored).isDir()) {
        return stored;
    }
    return QCoreApplication::applicationDirPath();
}

void TScrptEditor::rememberScriptDirectory(const QString& path) {
    const QString directory =
        QDir::toNativeSeparators(QFileInfo(path).absolutePath()) + QDir::separator();
    if (FromWindows1252(settings_.ReadSettingText("", ScriptsSetting, true)) != directory) {
        settings_.WriteSettingText("", ScriptsSetting, Bytes(directory));
    }
}

bool TScrptEditor::writeTo(const QString& path) {
    QString error;
    const QString text = TestEditor->text();
    if (!ScriptTextFile::Write(path, text, error)) {
        prompter_.message(MessageKind::Error, "Error",
                          Bytes(QStringLiteral("Could not write %1: %2").arg(path, error)));
        return false;
    }
    if (!ScriptTextFile::Storable(text)) {
        prompter_.message(MessageKind::Warning, "Warning",
                          Bytes(QStringLiteral("Characters that a script file cannot hold were "
                                               "written to %1 as \"?\".")
                                    .arg(path)));
    }
    TestEditor->document()->setModified(false);
    return true;
}

// ---- File actions ----

bool TScrptEditor::settleUnsavedText() {
    if (!TestEditor->document()->isModified()) {
        return true;
    }
    const QString name = scriptFileName_.isEmpty() ? QStringLiteral("Untitled") : scriptFileName_;
    const Answer answer =
        prompter_.ask(EditorTitle, Bytes(QStringLiteral("Save changes to %1?").arg(name)),
                      QuestionButtons::YesNoCancel);
    if (answer == Answer::No) {
        return true;
    }
    if (answer != Answer::Yes) {
        return false;
    }
    if (!scriptFileName_.isEmpty()) {
        return writeTo(scriptFileName_);
    }
    QString path =
        dialogs_.saveFile(this, ScriptFilter, scriptDirectory(), QStringLiteral("No_name"));
    if (path.isEmpty()) {
        return false; // cancelling the dialog cancels, the text stays
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".TXT");
    }
    if (!writeTo(path)) {
        return false;
    }
    setFileName(path);
    recent_->Add(Bytes(path));
    return true;
}

void TScrptEditor::Open() {
    if (!settleUnsavedText()) {
        return;
    }
    const QString path = dialogs_.openFile(this, QStringLiteral("Open script file"), ScriptFilter,
                                           scriptDirectory());
    if (!path.isEmpty()) {
        openFile(path);
    }
}

bool TScrptEditor::openFile(const QString& path) {
    QString error;
    const std::optional<QString> text = ScriptTextFile::Read(path, error);
    if (!text) {
        prompter_.message(MessageKind::Error, "Open Error",
                          Bytes(QStringLiteral("Could not read %1: %2").arg(path, error)));
        recent_->Remove(Bytes(path));
        return false;
    }
    compilations_.CompiledOK = false;
    compiledText_.clear();
    setEditorText(*text);
    showStatus(QString());
    setFileName(QFileInfo(path).absoluteFilePath());
    rememberScriptDirectory(path);
    recent_->Add(Bytes(scriptFileName_));
    compilations_.ReleaseEditorScript();
    return true;
}

void TScrptEditor::fillRecentMenu() {
    RecentMenu->clear();
    int number = 1;
    for (const std::string& file : recent_->Files()) {
        const QString path = FromWindows1252(file);
        QAction* action = RecentMenu->addAction(
            QStringLiteral("&%1 %2").arg(number++).arg(QDir::toNativeSeparators(path)));
        connect(action, &QAction::triggered, this, [this, path] {
            if (settleUnsavedText()) {
                openFile(path);
            }
        });
    }
}

void TScrptEditor::Save() {
    if (!TestEditor->document()->isModified()) {
        return;
    }
    if (scriptFileName_.isEmpty()) {
        SaveAs();
        return;
    }
    writeTo(scriptFileName_);
}

void TScrptEditor::SaveAs() {
    const QString path = dialogs_.saveFile(this, ScriptFilter, scriptDirectory(), scriptFileName_);
    if (!path.isEmpty()) {
        saveAs(path);
    }
}

bool TScrptEditor::saveAs(const QString& path) {
    if (!writeTo(path)) {
        return false;
    }
    setFileName(QFileInfo(path).absoluteFilePath());
    recent_->Add(Bytes(scriptFileName_));
    return true;
}

void TScrptEditor::Close() {
    if (!settleUnsavedText()) {
        return;
    }
    setEditorText(QString());
    setFileName(QString());
    compilations_.CompiledOK = false;
    compiledText_.clear();
    compilations_.ReleaseEditorScript();
    ViewerBox->hide();
}

void TScrptEditor::Exit() {
    if (settleUnsavedText()) {
        done(QDialog::Rejected);
    }
}

void TScrptEditor::reject() {
    Exit();
}

void TScrptEditor::showEvent(QShowEvent* event) {
    setResult(QDialog::Rejected);
    updateActions();
    QDialog::showEvent(event);
}

// ---- Printing ----

void TScrptEditor::printText(QPrinter& printer) {
    printer.setDocName(scriptFileName_);
    QTextDocument document;
    document.setDefaultFont(ScriptCodeEditor::ScriptFont());
    document.setPlainText(TestEditor->text());
    document.print(&printer);
}

void TScrptEditor::Print() {
    if (dialogs_.print(this, *printer_)) {
        printText(*printer_);
    }
}

void TScrptEditor::printListing() {
    if (!dialogs_.print(this, *printer_)) {
        return;
    }
    printer_->setDocName(scriptFileName_);
    QTextDocument document;
    document.setDefaultFont(ScriptCodeEditor::ScriptFont());
    document.setPlainText(ViewerBox->printText(scriptFileName_));
    document.print(printer_.get());
}

// ---- Interpret ----

std::unique_ptr<sc_Script> TScrptEditor::compileEditorText(const QString& fileName, bool& ready) {
    const std::string text = ScriptTextFile::FileBytes(TestEditor->text());
    auto script = CreateScript(text, Bytes(fileName), profile_.Profile);
    LastLinePosition position;
    script->text.SetPositionSink(&position);
    const QTextCursor caret = TestEditor->textCursor();
    CompileScript(*script, prompter_);
    script->text.SetPositionSink(nullptr);
    ready = false;
    if (script->error && !script->errorMessage.empty()) {
        const int line = LastLinePosition::LineNumberAt(text, position.Offset());
        TestEditor->markErrorLine(line);
        compilations_.CompiledOK = false;
        const QString where =
            fileName.isEmpty()
                ? QStringLiteral("Line %1").arg(line)
                : QStringLiteral("Line %1 of %2").arg(line).arg(QFileInfo(fileName).fileName());
        prompter_.message(MessageKind::Error, "Syntax error",
                          script->errorMessage + "\r\n\r\n" + Bytes(where));
        return script;
    }
    TestEditor->setTextCursor(caret);
    ExpandDisks(*script, prompter_);
    compilations_.CompiledOK = !script->error;
    compiledText_ = TestEditor->text();
    if (!script->error) {
        compilations_.TemplateName = TemplateNameOf(*script);
    }
    TestEditor->setFocus();
    ready = !script->error && script->sequences.Size() > 0;
    return script;
}

void TScrptEditor::Interpret() {
    ViewerBox->hide();
    if (Metascript::IsMetascript(Bytes(TestEditor->text()))) {
        compilations_.MetascriptOK = runMetascript();
        compilations_.CompiledOK = false;
        showStatus(compilations_.MetascriptOK
                       ? QStringLiteral("Metascript interpreted: %1 script(s) ready")
                             .arg(compilations_.MetaScripts().size())
                       : QStringLiteral("Metascript not ready"));
        updateActions();
        return;
    }
    if (TestEditor->document()->isModified()) {
        SaveAs();
    }
    const bool unsaved = TestEditor->document()->isModified();
    bool ready = false;
    compilations_.ReleaseEditorScript();
    compilations_.SetEditorScript(compileEditorText(unsaved ? QString() : scriptFileName_, ready));
    compilations_.MetascriptOK = false;
    const sc_Script* script = compilations_.CompiledScript();
    showStatus(!compilations_.CompiledOK
                   ? QStringLiteral("Not interpreted: see the marked line")
                   : QStringLiteral("Interpreted: %1 disk(s), %2 sequence(s), %3 variable(s)")
                         .arg(script->Disks().disks.Size())
                         .arg(script->sequences.Size())
                         .arg(script->variables.Size()));
    updateActions();
}

// ---- Worksheets ----

bool TScrptEditor::worksheetsPossible() const {
    // The worksheet is made from the editor's own text: a metascript has none to make.
    return compilations_.CompiledOK && !compilations_.TemplateName.empty();
}

void TScrptEditor::Worksheets() {
    if (!worksheetsPossible()) {
        return;
    }
    if (TestEditor->document()->isModified()) {
        SaveAs();
    }
    // The laboratory's name has no source yet: the worksheet shows the field empty.
    if (!WorksheetDialog->ExecuteOptions(QString())) {
        return;
    }
    const std::filesystem::path file =
        WorksheetFilePath(WorksheetDialog->worksheetName().toStdString(),
                          WorksheetDialog->executableDirectory.toStdString());
    bool ready = false;
    compilations_.SetEditorScript(compileEditorText(QString(), ready));
    compilations_.MetascriptOK = false;
    updateActions();
    sc_Script* script = compilations_.CompiledScript();
    if (!compilations_.CompiledOK || script == nullptr) {
        showStatus(QStringLiteral("No worksheet: the script did not compile"));
        return;
    }
    WorksheetOrder order;
    order.scriptFileName = compilations_.ScriptFileName;
    order.sampleName = Bytes(WorksheetDialog->sampleName());
    order.worksheetFile = file;
    order.today = TodayLocal();
    std::string problem;
    order.paper = printerPaper ? printerPaper(problem) : std::nullopt;
    if (!problem.empty()) {
        prompter_.message(MessageKind::Warning, "Warning", problem);
    }
    if (const std::string failure = WriteTemplateWorksheet(*script, order, prompter_);
        !failure.empty()) {
        prompter_.message(MessageKind::Error, "Error", failure);
        showStatus(QStringLiteral("No worksheet written"));
        return;
    }
    const QString written = QString::fromStdString(file.string());
    showStatus(QStringLiteral("Worksheets written to %1").arg(written));
    if (WorksheetDialog->openWorksheet() && QFileInfo::exists(written)) {
        openWorksheet(written);
    }
}

void TScrptEditor::openWorksheetHelp() {
    // The operator's guide, whose worksheets section tells what the options do.
    if (OpenHelpFile(helpOpener) != HelpFileResult::Opened) {
        prompter_.message(
            MessageKind::Error, "Error",
            Bytes(QStringLiteral("The help file cannot be shown: %1").arg(HelpFilePath())));
    }
}

void TScrptEditor::openWorksheet(const QString& path) {
    const QUrl url = QUrl::fromLocalFile(path);
    const bool opened = worksheetOpener ? worksheetOpener(url) : QDesktopServices::openUrl(url);
    if (!opened) {
        // The desktop does not tell a missing program from another failure.
        prompter_.message(MessageKind::Error, "Open Error",
                          "There was an error while opening the file.");
    }
}

QString TScrptEditor::resolveScriptPath(const QString& path, const QString& baseFile) const {
    QString local = path.trimmed();
    local.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QFileInfo(local).isRelative() && !baseFile.isEmpty()) {
        local = QFileInfo(baseFile).absoluteDir().filePath(local);
    }
    return local;
}

bool TScrptEditor::compileMetaEntry(std::size_t index, const QString& path) {
    QString error;
    const std::optional<QString> text =
        QFileInfo(path).isFile() ? ScriptTextFile::Read(path, error) : std::nullopt;
    if (!text) {
        prompter_.message(
            MessageKind::Error, "Error",
            Bytes(QStringLiteral("Script %1 of the metascript cannot be read: %2")
                      .arg(path, error.isEmpty() ? QStringLiteral("no such file") : error)));
        return false;
    }
    setEditorText(*text);
    setFileName(path);
    bool ready = false;
    std::unique_ptr<sc_Script> script = compileEditorText(path, ready);
    if (ready) {
        compilations_.StoreMetaCompilation(index, std::move(script));
    } else if (!script->error) {
        prompter_.message(MessageKind::Error, "Error",
                          Bytes(QStringLiteral("%1 declares no SEQUENCE; a metascript runs only "
                                               "scripts that do.")
                                    .arg(path)));
    }
    return ready;
}

bool TScrptEditor::runMetascript() {
    if (TestEditor->document()->isModified()) {
        SaveAs();
    }
    const QString metaText = TestEditor->text();
    const QString metaName = scriptFileName_;
    const bool metaModified = TestEditor->document()->isModified();

    std::vector<std::string> paths;
    for (const std::string& path : Metascript::ScriptPaths(Bytes(metaText))) {
        paths.push_back(Bytes(resolveScriptPath(FromWindows1252(path), metaName)));
    }
    compilations_.RebuildMetaScripts(paths);
    bool ok = !paths.empty();
    bool scriptShown = false;
    for (std::size_t i = 0; ok && i < paths.size(); ++i) {
        ok = compileMetaEntry(i, FromWindows1252(paths[i]));
        scriptShown = scriptShown || scriptFileName_ != metaName;
    }
    // The editor goes back to the metascript, bound to its own file; after a failure it keeps
    // the failing script (bound to that script's file) unless the metascript is unsaved.
    if (ok || !scriptShown || metaModified) {
        setEditorText(metaText);
        TestEditor->document()->setModified(metaModified);
        setFileName(metaName);
        if (ok) {
            compiledText_ = metaText;
        }
    }
    if (!ok) {
        compiledText_.clear();
    }
    compilations_.CompiledOK = false;
    return ok;
}

// ---- Listings and help ----

void TScrptEditor::showListing(const char* caption, std::string (*listing)(const sc_Script&)) {
    const sc_Script* script = compilations_.CompiledScript();
    if (script == nullptr) {
        return;
    }
    const int screenWidth = screen() != nullptr ? screen()->geometry().width() : 1024;
    ViewerBox->showListing(QString::fromLatin1(caption), FromWindows1252(listing(*script)),
                           screenWidth);
}

void TScrptEditor::openHelp(const char* page) {
    const QString path = ScriptManualPage(QString::fromLatin1(page));
    const HelpFileResult result = OpenHelpFile(helpOpener, path);
    if (result == HelpFileResult::Failed) {
        prompter_.message(MessageKind::Error, "Error",
                          Bytes(QStringLiteral("The script manual is missing: %1").arg(path)));
    } else if (result == HelpFileResult::NoApplication) {
        prompter_.message(MessageKind::Error, "Error",
                          Bytes(QStringLiteral("No program is set up to show %1").arg(path)));
    }
}

} // namespace gw
