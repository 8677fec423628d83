#include "windows/views/TValueDlg.h"

#include "windows/views/HelpFile.h"

#include <QDoubleValidator>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace gw {

namespace {

constexpr int FrameLeft = 8;
constexpr int FrameWidth = 281;
constexpr int ValueLabelTop = 40;

} // namespace

TValueDlg::TValueDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("ValueDlg");
    setWindowTitle("Variable value");
    setModal(true);
    setFixedSize(384, 160);

    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(FrameLeft, 8, FrameWidth, 141);

    VarLabel = new QLabel(" variable has no valid value ", this);
    VarLabel->setObjectName("VarLabel");
    VarLabel->setGeometry(FrameLeft + 4, 16, FrameWidth - 8, 17);
    VarLabel->setAlignment(Qt::AlignCenter);

    ValLabel = new QLabel("ValLabel", this);
    ValLabel->setObjectName("ValLabel");
    ValLabel->move(FrameLeft, ValueLabelTop);

    NumIO1 = new QLineEdit(this);
    NumIO1->setObjectName("NumIO1");
    NumIO1->setGeometry(FrameLeft + 60, 70, 161, 24);
    auto* validator = new QDoubleValidator(NumIO1);
    validator->setLocale(QLocale::c());
    NumIO1->setValidator(validator);

    VarString = new QLineEdit("VarString", this);
    VarString->setObjectName("VarString");
    VarString->setGeometry(FrameLeft + 20, 70, FrameWidth - 40, 24);

    auto* hint = new QLabel("Enter the value above", this);
    hint->setGeometry(FrameLeft + 4, 108, FrameWidth - 8, 17);
    hint->setAlignment(Qt::AlignCenter);

    OKBtn = new QPushButton("OK", this);
    OKBtn->setDefault(true);
    OKBtn->setGeometry(300, 8, 75, 25);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setGeometry(300, 38, 75, 25);
    HelpBtn = new QPushButton("&Help", this);
    HelpBtn->setGeometry(300, 68, 75, 25);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [] { OpenHelpFile(); });
    connect(NumIO1, &QLineEdit::textChanged, this, &TValueDlg::updateOkButton);
    connect(VarString, &QLineEdit::textChanged, this, &TValueDlg::updateOkButton);
}

void TValueDlg::prepareNumber(const QString& heading, const QString& valueText,
                              std::optional<double> value) {
    VarString->hide();
    NumIO1->show();
    VarLabel->setText(heading);
    ValLabel->setText(valueText);
    NumIO1->setText(value ? QString::number(*value) : QString());
    centreValueLabel();
    updateOkButton();
}

void TValueDlg::prepareText(const QString& heading, const QString& explanation,
                            const QString& proposed) {
    NumIO1->hide();
    VarString->show();
    VarLabel->setText(heading);
    ValLabel->setText(explanation);
    VarString->setText(proposed);
    centreValueLabel();
    updateOkButton();
}

std::optional<double> TValueDlg::number() const {
    bool ok = false;
    const double value = QLocale::c().toDouble(NumIO1->text().trimmed(), &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

QString TValueDlg::text() const {
    return VarString->text();
}

void TValueDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    updateOkButton();
    QLineEdit* input = NumIO1->isVisibleTo(this) ? NumIO1 : VarString;
    input->setFocus();
}

void TValueDlg::updateOkButton() {
    const bool numberShown = NumIO1->isVisibleTo(this);
    const bool textShown = VarString->isVisibleTo(this);
    OKBtn->setEnabled((numberShown && number().has_value()) ||
                      (!numberShown && textShown && !VarString->text().isEmpty()));
}

// The label keeps its own width; it is centred in the frame (and may stick out of a narrow one).
void TValueDlg::centreValueLabel() {
    ValLabel->adjustSize();
    const int left = Bevel1->x() + (Bevel1->width() - ValLabel->width()) / 2;
    ValLabel->move(left, ValueLabelTop);
}

} // namespace gw
