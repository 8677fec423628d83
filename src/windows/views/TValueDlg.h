#pragma once

#include <QDialog>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace gw {

// "Variable value": asks the operator for a missing number (number mode) or text (text mode).
// Created once and reused; the caller sets the texts and the mode before each showing.
class TValueDlg : public QDialog {
    Q_OBJECT
public:
    explicit TValueDlg(QWidget* parent = nullptr);

    // Number mode: the number field shows, empty or holding the given value.
    void prepareNumber(const QString& heading, const QString& valueText,
                       std::optional<double> value = std::nullopt);
    // Text mode: the text field shows with a proposed text.
    void prepareText(const QString& heading, const QString& explanation, const QString& proposed);

    // The entered number; empty when the field is empty or holds no number.
    std::optional<double> number() const;
    QString text() const;

    QLabel* VarLabel;
    QLabel* ValLabel;
    QLineEdit* NumIO1;
    QLineEdit* VarString;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
    QFrame* Bevel1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateOkButton();
    void centreValueLabel();
};

} // namespace gw
