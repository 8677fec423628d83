#include "windows/views/TErrorMsgDlg.h"

#include "windows/views/HelpFile.h"

#include <QLabel>
#include <QPushButton>

namespace gw {

TErrorMsgDlg::TErrorMsgDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("ErrorMsgDlg");
    setWindowTitle("Warning");
    setModal(true);
    setFixedSize(392, 150);

    Label1 = new QLabel("Label1", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(12, 10, 368, 90);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);

    const auto button = [this](const char* caption, int left) {
        auto* b = new QPushButton(caption, this);
        b->setGeometry(left, 112, 85, 27);
        return b;
    };
    OKBtn = button("Abort", 8);
    CancelBtn = button("Ignore", 103);
    IgnoreAllBtn = button("Ignore all", 198);
    HelpBtn = button("&Help", 298);
    IgnoreAllBtn->hide();

    const auto finishWith = [this](WarningResult r) { return [this, r] { done(int(r)); }; };
    connect(OKBtn, &QPushButton::clicked, this, finishWith(WarningResult::Abort));
    connect(CancelBtn, &QPushButton::clicked, this, finishWith(WarningResult::Ignore));
    connect(IgnoreAllBtn, &QPushButton::clicked, this, finishWith(WarningResult::IgnoreAll));
    connect(HelpBtn, &QPushButton::clicked, this, [] { OpenHelpFile(); });
}

void TErrorMsgDlg::prepare(const QString& message, bool offerIgnore, bool offerIgnoreAll) {
    Label1->setText(message);
    CancelBtn->setVisible(offerIgnore);
    IgnoreAllBtn->setVisible(offerIgnoreAll);
}

// Closing by the border (or Escape) goes on like Ignore: the modal result Cancel.
void TErrorMsgDlg::reject() {
    done(int(WarningResult::Cancel));
}

} // namespace gw
