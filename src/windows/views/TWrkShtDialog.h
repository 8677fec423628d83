#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace gw {

class ScriptEditorDialogs;

// "Worksheet options": the sample name and the worksheet file of the next worksheet, each with
// the names used before (most recent first, kept until the console closes), and whether to open
// the worksheet once it is written.
class TWrkShtDialog : public QDialog {
    Q_OBJECT
public:
    explicit TWrkShtDialog(ScriptEditorDialogs& dialogs, QWidget* parent = nullptr);
    ~TWrkShtDialog() override;

    // Shows the dialog modally with the laboratory's name; true when the operator pressed OK and
    // both names are filled in. Whatever the answer, a new non-empty name joins its history.
    bool ExecuteOptions(const QString& labName);

    QString sampleName() const;
    QString worksheetName() const;
    bool openWorksheet() const;

    // The directory of the executable, where "Worksheets" lies; tests use their own.
    QString executableDirectory;

    QLineEdit* LaboratoryEdit;
    QComboBox* SampleBox;
    QComboBox* WorksheetBox;
    QPushButton* SaveWrk;
    QCheckBox* OpenWorksheet;
    QPushButton* HelpButton;

signals:
    void helpRequested();

private:
    void sampleLeft();
    void chooseWorksheetFile();

    ScriptEditorDialogs& dialogs_;
};

} // namespace gw
