#pragma once

#include "engine/ExistingFilesAnswer.h"

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace gw {

// "Warning. File exists!": a script run would write its binary data into files that exist. The
// operator adds to them, has them kept as ".bak" and new ones started, or edits the name and
// tries again; the dialog only answers, the run does the rest.
class TFileOverwriteDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFileOverwriteDlg(QWidget* parent = nullptr);

    // The binary file name the script gives (directory, name and ".dat"); lists the files of that
    // name and any ending, with ".dat" and with ".sub".
    void setFileName(const std::string& binaryFile);
    // The choice once the dialog is closed; Cancel when it was closed without one.
    ExistingFilesAnswer answer() const { return answer_; }

    // Shows the dialog for the file and returns the operator's decision.
    static ExistingFilesAnswer Ask(QWidget* parent, const std::string& binaryFile);

    QLineEdit* FileNameEdit;
    QLabel* MaskLabel;
    QListWidget* FileList;
    QPushButton* AppendBtn;
    QPushButton* OverwriteBtn;
    QPushButton* TryAgainBtn;
    QPushButton* BrowseBtn;
    QPushButton* CancelBtn;

private:
    std::string editedName() const;
    // Lists the files the edited name affects; false when there are none.
    bool listAffectedFiles();
    void closeWith(ExistingFilesChoice choice);
    void tryAgain();
    void browse();

    ExistingFilesAnswer answer_;
};

} // namespace gw
