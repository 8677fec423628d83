#pragma once

#include "script/ScriptCompilations.h"
#include "script/WorksheetDocument.h"
#include "windows/views/HelpFile.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QToolBar;

namespace gw {

class ConsoleSettings;
class Prompter;
class RecentScripts;
class ScriptCodeEditor;
class ScriptEditorDialogs;
class ScriptFindReplace;
class ScriptListingViewer;
class TAboutBox;
class TFindReplaceDlg;
class TWrkShtDialog;
struct ProfileState;

// The script editor: the operator writes, loads, saves, prints and interprets measurement scripts
// and metascripts here, looks at the listings of the compiled script and chooses "&Execute
// script", which closes the window with the result Accepted. Created hidden at start and shown
// modally by the console's "Take &script". The compilations it hands to a run live in
// compilations(); whenever one of them is freed or replaced, compiledScriptReleased is emitted.
class TScrptEditor : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* EditorTitle = "Glimwerk Script Editor";

    TScrptEditor(const ProfileState& profile, ConsoleSettings& settings, Prompter& prompter,
                 ScriptEditorDialogs& dialogs, QWidget* parent = nullptr);
    ~TScrptEditor() override;

    ScriptCompilations& compilations() { return compilations_; }
    const QString& scriptFileName() const { return scriptFileName_; }
    bool hasText() const { return hasText_; }

    // The file actions with an already chosen path (Open after the question, Save as).
    bool openFile(const QString& path);
    bool saveAs(const QString& path);

    // "Reader: " and the reader name, after a profile file has been activated.
    void setReaderLabel(const QString& text);
    // The profile in use changed (loaded, edited, saved): the compilations no longer match it.
    void profileChanged();
    // The console hides the System menu while it shows the editor.
    void setSystemMenuVisible(bool visible);
    // Re-evaluates the enabled states (also done whenever the application is idle).
    void updateActions();
    // Prints the editor's text on the printer as one job titled with the file name.
    void printText(QPrinter& printer);

    // Hands the help pages to the desktop's viewer; tests replace it.
    DocumentOpener helpOpener;
    // Opens a written worksheet with the desktop's program for RTF; tests replace it.
    DocumentOpener worksheetOpener;
    // The default printer's page for the worksheets (none: the template's own page, with the
    // reason in problem when there is one); tests replace it.
    std::function<std::optional<WorksheetPaper>(std::string& problem)> printerPaper;

    QLabel* ReaderLabel;
    // What the last Interpret gave: the script's size, or the metascript's scripts.
    QLabel* StatusLabel;
    ScriptCodeEditor* TestEditor;
    ScriptListingViewer* ViewerBox;
    TFindReplaceDlg* FindDialog;
    TWrkShtDialog* WorksheetDialog;
    QToolBar* ToolBar;
    QMenu* FileMenu;
    QMenu* SystemMenu;
    QMenu* EditMenu;
    QMenu* ScriptMenu;
    QMenu* HelpMenu;
    QMenu* RecentMenu;

    QAction* ActionFileOpen;
    QAction* ActionFileSave;
    QAction* ActionFileSaveAs;
    QAction* ActionFileClose;
    QAction* ActionPrinterSetup;
    QAction* ActionPrinterPrint;
    QAction* ActionFileExit;
    QAction* ActionSysLoad;
    QAction* ActionSysEdit;
    QAction* ActionEditUndo;
    QAction* ActionEditFind;
    QAction* ActionEditReplace;
    QAction* ActionEditCut;
    QAction* ActionEditCopy;
    QAction* ActionEditPaste;
    QAction* ActionScriptInterpret;
    QAction* ActionScriptBatch;
    QAction* ActionWorksheets;
    QAction* ActionViewVars;
    QAction* ActionViewLists;
    QAction* ActionViewSeqs;
    QAction* ActionViewDisks;
    QAction* ActionHelpContents;
    QAction* ActionHelpIndex;
    QAction* ActionScriptManual;
    QAction* ActionManualIndex;
    QAction* ActionAbout;

public slots:
    void Open();
    void Save();
    void SaveAs();
    void Close();
    void Exit();
    void Print();
    void Interpret();
    // "&Worksheets": asks for the sample and the worksheet file, compiles the text afresh (a run
    // prepared from the earlier compilation is stale then) and writes the worksheet.
    void Worksheets();
    // "Load system info": the operator picks a profile file, which the console takes into use.
    void loadSystemInfo();
    // "Edit system info", once a profile is loaded.
    void editSystemInfo();
    void reject() override;

signals:
    // A compilation a run may hold was freed or replaced: a run prepared from it is stale.
    void compiledScriptReleased(gw::ReleasedCompilation which);
    // "Load system info" with the chosen profile file; the console takes it into use.
    void loadSystemInfoRequested(const QString& path);
    // "Edit system info": the console shows the profile editor.
    void editSystemInfoRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createActions();
    void createMenus(QWidget* menuHost);
    void createToolBar();
    void wireActions();
    void wireFindReplace();
    void fillRecentMenu();
    void setFileName(const QString& path);
    void setEditorText(const QString& text);
    void onTextChanged();
    void showStatus(const QString& text);
    QString scriptDirectory() const;
    void rememberScriptDirectory(const QString& path);
    // Asks about unsaved changes; false when the operator cancels (or saving fails).
    bool settleUnsavedText();
    bool writeTo(const QString& path);
    // Compiles the editor text against the profile; the script is returned even when it failed.
    std::unique_ptr<sc_Script> compileEditorText(const QString& fileName, bool& ready);
    bool runMetascript();
    bool compileMetaEntry(std::size_t index, const QString& path);
    void showListing(const char* caption, std::string (*listing)(const sc_Script&));
    void printListing();
    void openHelp(const char* page);
    bool worksheetsPossible() const;
    void openWorksheet(const QString& path);
    void openWorksheetHelp();
    QString resolveScriptPath(const QString& path, const QString& baseFile) const;

    const ProfileState& profile_;
    ConsoleSettings& settings_;
    Prompter& prompter_;
    ScriptEditorDialogs& dialogs_;
    std::unique_ptr<RecentScripts> recent_;
    std::unique_ptr<ScriptFindReplace> findReplace_;
    std::unique_ptr<QPrinter> printer_;
    TAboutBox* aboutBox_ = nullptr;
    ScriptCompilations compilations_;
    QString scriptFileName_;
    QString compiledText_; // the text CompiledOK and MetascriptOK hold for
    bool hasText_ = false;
};

} // namespace gw
