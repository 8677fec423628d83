#include "windows/views/TWrkShtDialog.h"

#include "windows/views/ScriptEditorDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gw {

namespace {

QComboBox* HistoryBox(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(32);
    return box;
}

// The box's first item, or nothing when its history is empty.
void ShowLatest(QComboBox& box) {
    box.setEditText(box.count() > 0 ? box.itemText(0) : QString());
}

void Remember(QComboBox& box) {
    const QString text = box.currentText();
    if (!text.isEmpty() && box.findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) {
        box.insertItem(0, text);
        box.setEditText(text);
    }
}

} // namespace

TWrkShtDialog::TWrkShtDialog(ScriptEditorDialogs& dialogs, QWidget* parent)
    : QDialog(parent), executableDirectory(QCoreApplication::applicationDirPath()),
      dialogs_(dialogs) {
    setObjectName(QStringLiteral("WrkShtDialog"));
    setWindowTitle(QStringLiteral("Worksheet options"));
    LaboratoryEdit = new QLineEdit(this);
    LaboratoryEdit->setObjectName(QStringLiteral("LaboratoryEdit"));
    LaboratoryEdit->setEnabled(false);
    SampleBox = HistoryBox(this, "SampleBox");
    WorksheetBox = HistoryBox(this, "WorksheetBox");
    SaveWrk = new QPushButton(QStringLiteral("&>>"), this);
    SaveWrk->setObjectName(QStringLiteral("SaveWrk"));
    SaveWrk->setAutoDefault(false);
    OpenWorksheet = new QCheckBox(QStringLiteral("Open worksheet"), this);
    OpenWorksheet->setObjectName(QStringLiteral("OpenWorksheet"));

    auto* worksheetRow = new QHBoxLayout;
    worksheetRow->addWidget(WorksheetBox, 1);
    worksheetRow->addWidget(SaveWrk);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Laboratory"), LaboratoryEdit);
    form->addRow(QStringLiteral("&Sample name"), SampleBox);
    auto* worksheetLabel = new QLabel(QStringLiteral("Save worksheets &as..."), this);
    worksheetLabel->setBuddy(WorksheetBox);
    form->addRow(worksheetLabel, worksheetRow);
    form->addRow(QString(), OpenWorksheet);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    HelpButton = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, &TWrkShtDialog::helpRequested);
    connect(SaveWrk, &QPushButton::clicked, this, &TWrkShtDialog::chooseWorksheetFile);
    connect(SampleBox->lineEdit(), &QLineEdit::editingFinished, this, &TWrkShtDialog::sampleLeft);
}

TWrkShtDialog::~TWrkShtDialog() {
    // The sample box loses its focus while the children go, after this part of the dialog.
    SampleBox->lineEdit()->disconnect(this);
}

bool TWrkShtDialog::ExecuteOptions(const QString& labName) {
    LaboratoryEdit->setText(labName);
    ShowLatest(*SampleBox);
    ShowLatest(*WorksheetBox);
    SampleBox->setFocus();
    const bool accepted = dialogs_.execute(*this) == QDialog::Accepted;
    SampleBox->setEditText(sampleName());
    WorksheetBox->setEditText(worksheetName());
    Remember(*SampleBox);
    Remember(*WorksheetBox);
    return accepted && !sampleName().isEmpty() && !worksheetName().isEmpty();
}

QString TWrkShtDialog::sampleName() const {
    return SampleBox->currentText().trimmed();
}

QString TWrkShtDialog::worksheetName() const {
    return WorksheetBox->currentText().trimmed();
}

bool TWrkShtDialog::openWorksheet() const {
    return OpenWorksheet->isChecked();
}

void TWrkShtDialog::sampleLeft() {
    if (worksheetName().isEmpty()) {
        WorksheetBox->setEditText(sampleName());
    }
    WorksheetBox->lineEdit()->selectAll();
}

void TWrkShtDialog::chooseWorksheetFile() {
    const QDir base(executableDirectory);
    const QString chosen =
        dialogs_.saveFile(this, QStringLiteral("Worksheet files(*.rtf);;All files(*.*)"),
                          base.filePath(QStringLiteral("Worksheets")), worksheetName());
    if (!chosen.isEmpty()) {
        WorksheetBox->setEditText(base.relativeFilePath(chosen));
    }
}

} // namespace gw
