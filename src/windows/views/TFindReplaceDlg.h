#pragma once

#include "windows/views/ScriptFindReplace.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace gw {

// The find dialog and, with its replace row shown, the replace dialog. Modeless: each button
// hands the request to the editor.
class TFindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFindReplaceDlg(QWidget* parent = nullptr);

    // Shows the dialog as the find or the replace dialog with its top-left corner at topLeft.
    void open(bool replaceMode, const QPoint& topLeft);
    FindRequest request() const;

    QLineEdit* FindEdit;
    QLineEdit* ReplaceEdit;
    QCheckBox* MatchCase;
    QCheckBox* WholeWord;
    QPushButton* FindNextButton;
    QPushButton* ReplaceButton;
    QPushButton* ReplaceAllButton;

signals:
    void findNext(const gw::FindRequest& request);
    void replace(const gw::FindRequest& request);
    void replaceAll(const gw::FindRequest& request);

private:
    QWidget* replaceRow_;
};

} // namespace gw
