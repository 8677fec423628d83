#pragma once

#include "core/Prompter.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace gw {

// "Warning": lets the operator abort or ignore a failed check. The result is a WarningResult
// number: Abort 3, Ignore 5, "Ignore all" 6; closing the window by its border gives Cancel 2.
class TErrorMsgDlg : public QDialog {
    Q_OBJECT
public:
    explicit TErrorMsgDlg(QWidget* parent = nullptr);

    // Sets the message and which of "Ignore" and "Ignore all" are offered.
    void prepare(const QString& message, bool offerIgnore, bool offerIgnoreAll);
    WarningResult warningResult() const { return static_cast<WarningResult>(result()); }

    QLabel* Label1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* IgnoreAllBtn;
    QPushButton* HelpBtn;

public slots:
    void reject() override;
};

} // namespace gw
