#include "windows/views/TFileOverwriteDlg.h"

#include "engine/CompatibilityFileNames.h"
#include "platform/Windows1252.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <filesystem>

namespace gw {

namespace {

const char* const WarningText =
    "The data file of the name specified in this script already exists. \r\nSelect another "
    "directory or name, or decide whether add data to the file or owerwrite it.\r\r\nAffected "
    "files will be deleted!";

QString DisplayedText(const char* text) {
    // The stray carriage returns of the text would show as empty lines.
    return QString::fromLatin1(text).replace("\r\n", "\n").remove('\r');
}

QPushButton* Button(const char* text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TFileOverwriteDlg::TFileOverwriteDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("FileOverwriteDlg");
    setWindowTitle("Warning. File exists!");
    setModal(true);
    resize(520, 360);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    auto* warning = new QLabel(DisplayedText(WarningText), this);
    warning->setWordWrap(true);
    auto* warningRow = new QHBoxLayout;
    warningRow->addWidget(icon, 0, Qt::AlignTop);
    warningRow->addWidget(warning, 1);

    auto* nameLabel = new QLabel("File of the name specified in script already exists", this);
    FileNameEdit = new QLineEdit(this);
    FileNameEdit->setObjectName("FileNameEdit");
    BrowseBtn = Button(">>", this);
    BrowseBtn->setFixedWidth(36);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(FileNameEdit);
    nameRow->addWidget(BrowseBtn);

    auto* affectedLabel = new QLabel("Files affected by:", this);
    MaskLabel = new QLabel(this);
    MaskLabel->setObjectName("MaskLabel");
    auto* maskRow = new QHBoxLayout;
    maskRow->addWidget(affectedLabel);
    maskRow->addWidget(MaskLabel, 1);
    FileList = new QListWidget(this);
    FileList->setObjectName("FileList");
    FileList->setSelectionMode(QAbstractItemView::NoSelection);

    AppendBtn = Button("Add to file", this);
    OverwriteBtn = Button("Overwrite file", this);
    TryAgainBtn = Button("Try again", this);
    TryAgainBtn->setDefault(true);
    CancelBtn = Button("Cancel", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AppendBtn);
    buttons->addWidget(OverwriteBtn);
    buttons->addWidget(TryAgainBtn);
    buttons->addStretch(1);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(warningRow);
    layout->addSpacing(6);
    layout->addWidget(nameLabel);
    layout->addLayout(nameRow);
    layout->addLayout(maskRow);
    layout->addWidget(FileList, 1);
    layout->addLayout(buttons);

    connect(AppendBtn, &QPushButton::clicked, this,
            [this] { closeWith(ExistingFilesChoice::Append); });
    connect(OverwriteBtn, &QPushButton::clicked, this,
            [this] { closeWith(ExistingFilesChoice::Overwrite); });
    connect(TryAgainBtn, &QPushButton::clicked, this, &TFileOverwriteDlg::tryAgain);
    connect(BrowseBtn, &QPushButton::clicked, this, &TFileOverwriteDlg::browse);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TFileOverwriteDlg::setFileName(const std::string& binaryFile) {
    FileNameEdit->setText(FromWindows1252(binaryFile));
    listAffectedFiles();
}

std::string TFileOverwriteDlg::editedName() const {
    return ToWindows1252(FileNameEdit->text().trimmed());
}

bool TFileOverwriteDlg::listAffectedFiles() {
    const std::filesystem::path name(editedName());
    FileList->clear();
    for (const std::string& file : ExistingCompatibilityFiles(name.string())) {
        FileList->addItem(FromWindows1252(std::filesystem::path(file).filename().string()));
    }
    const std::string extension = name.has_extension() ? name.extension().string() : ".dat";
    MaskLabel->setText(FileList->count() == 0
                           ? QString("none")
                           : "'" + FromWindows1252(name.stem().string() + "*" + extension) + "'");
    return FileList->count() > 0;
}

void TFileOverwriteDlg::closeWith(ExistingFilesChoice choice) {
    answer_.choice = choice;
    answer_.otherName = choice == ExistingFilesChoice::OtherName ? editedName() : std::string();
    accept();
}

void TFileOverwriteDlg::tryAgain() {
    if (editedName().empty() || listAffectedFiles()) {
        return; // still in the way: the operator sees the new list
    }
    closeWith(ExistingFilesChoice::OtherName);
}

void TFileOverwriteDlg::browse() {
    QFileDialog dialog(this, "Select file name", QFileInfo(FileNameEdit->text()).absolutePath(),
                       "Ostvane binary files (*.dat)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("dat");
    dialog.selectFile(QFileInfo(FileNameEdit->text()).fileName());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        FileNameEdit->setText(dialog.selectedFiles().front());
    }
}

ExistingFilesAnswer TFileOverwriteDlg::Ask(QWidget* parent, const std::string& binaryFile) {
    TFileOverwriteDlg dialog(parent);
    dialog.setFileName(binaryFile);
    dialog.exec();
    return dialog.answer();
}

} // namespace gw
