#include "windows/views/TFindReplaceDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gw {

TFindReplaceDlg::TFindReplaceDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindReplaceDlg"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    FindEdit = new QLineEdit(this);
    fields->addRow(QStringLiteral("Fi&nd what:"), FindEdit);
    replaceRow_ = new QWidget(this);
    auto* replaceLayout = new QHBoxLayout(replaceRow_);
    replaceLayout->setContentsMargins(0, 0, 0, 0);
    ReplaceEdit = new QLineEdit(replaceRow_);
    replaceLayout->addWidget(ReplaceEdit);
    fields->addRow(QStringLiteral("Re&place with:"), replaceRow_);
    layout->addLayout(fields);
    MatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    WholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    layout->addWidget(WholeWord);
    layout->addWidget(MatchCase);

    auto* buttons = new QDialogButtonBox(this);
    FindNextButton = buttons->addButton(QStringLiteral("&Find Next"), QDialogButtonBox::ActionRole);
    ReplaceButton = buttons->addButton(QStringLiteral("&Replace"), QDialogButtonBox::ActionRole);
    ReplaceAllButton =
        buttons->addButton(QStringLiteral("Replace &All"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    FindNextButton->setDefault(true);
    layout->addWidget(buttons);

    connect(FindNextButton, &QPushButton::clicked, this, [this] { emit findNext(request()); });
    connect(ReplaceButton, &QPushButton::clicked, this, [this] { emit replace(request()); });
    connect(ReplaceAllButton, &QPushButton::clicked, this, [this] { emit replaceAll(request()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
}

void TFindReplaceDlg::open(bool replaceMode, const QPoint& topLeft) {
    setWindowTitle(replaceMode ? QStringLiteral("Replace") : QStringLiteral("Find"));
    replaceRow_->setVisible(replaceMode);
    if (auto* form = findChild<QFormLayout*>()) {
        form->setRowVisible(replaceRow_, replaceMode);
    }
    ReplaceButton->setVisible(replaceMode);
    ReplaceAllButton->setVisible(replaceMode);
    adjustSize();
    move(topLeft);
    show();
    raise();
    activateWindow();
    FindEdit->setFocus();
    FindEdit->selectAll();
}

FindRequest TFindReplaceDlg::request() const {
    return {FindEdit->text(), ReplaceEdit->text(), MatchCase->isChecked(), WholeWord->isChecked()};
}

} // namespace gw
