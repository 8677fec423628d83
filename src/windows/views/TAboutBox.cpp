#include "windows/views/TAboutBox.h"

#include "windows/views/RecolourControls.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace gw {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About");
    setModal(true);
    setFixedSize(298, 196);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setGeometry(16, 16, 32, 32);
    ProgramIcon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    ProductName = new QLabel("Product Name", this);
    ProductName->setGeometry(64, 16, 220, 17);
    Version = new QLabel("Version", this);
    Version->setGeometry(64, 40, 220, 17);
    Copyright = new QLabel("Glimwerk Console for luminescence readers", this);
    Copyright->setGeometry(16, 80, 270, 17);
    Comments = new QLabel("Writes, checks and runs measurement scripts.", this);
    Comments->setGeometry(16, 104, 270, 17);
    OKButton = new QPushButton("OK", this);
    OKButton->setDefault(true);
    OKButton->setGeometry(111, 152, 75, 25);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    RecolourControls(this);
}

void TAboutBox::prepare(const QString& productName, const QString& version) {
    ProductName->setText(productName);
    Version->setText(version);
    ProgramIcon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
}

} // namespace gw
