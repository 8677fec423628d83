#pragma once

#include "windows/views/ScriptEditorDialogs.h"

namespace gw {

// Qt's file dialogs, print dialog and page set-up dialog.
class QtScriptEditorDialogs : public ScriptEditorDialogs {
public:
    QString openFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& directory) override;
    QString saveFile(QWidget* parent, const QString& filter, const QString& directory,
                     const QString& proposed) override;
    bool print(QWidget* parent, QPrinter& printer) override;
    void printerSetup(QWidget* parent, QPrinter& printer) override;
};

} // namespace gw
