#pragma once

#include <QDialog>
#include <QString>

class QPrinter;

namespace gw {

// The common dialogs of the script editor: file choices and the printer. The windowed console
// shows Qt's dialogs; tests answer from a script.
class ScriptEditorDialogs {
public:
    virtual ~ScriptEditorDialogs() = default;

    // The chosen file, empty on Cancel.
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& directory) = 0;
    virtual QString saveFile(QWidget* parent, const QString& filter, const QString& directory,
                             const QString& proposed) = 0;
    // The print dialog for printer; false on Cancel.
    virtual bool print(QWidget* parent, QPrinter& printer) = 0;
    // The printer set-up dialog.
    virtual void printerSetup(QWidget* parent, QPrinter& printer) = 0;
    // Shows one of the editor's own dialogs modally; its result code.
    virtual int execute(QDialog& dialog) { return dialog.exec(); }
};

} // namespace gw
