#pragma once

#include <QFrame>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace gw {

// The viewer panel over the script editor that shows one listing of the compiled script, with
// "OK", "Enlarge" and "Print". Laid out in proportion to the screen width at every showing.
class ScriptListingViewer : public QFrame {
    Q_OBJECT
public:
    explicit ScriptListingViewer(QWidget* parent);

    // Lays the panel out for a screen screenWidth pixels wide, sets the caption and the listing
    // (lines ended by CR LF), shows it and gives the memo the focus.
    void showListing(const QString& caption, const QString& listing, int screenWidth);
    // Widens the panel by a quarter, keeping it inside the window.
    void enlarge();
    // The memo's text as printed: the file name, the caption, each line behind five blanks.
    QString printText(const QString& scriptFileName) const;

    QString caption() const;

    QLabel* Caption;
    QPlainTextEdit* ViewerMemo;
    QPushButton* OKButton;
    QPushButton* EnlargeButton;
    QPushButton* PrintButton;

signals:
    void printRequested();

private:
    void layOut(int screenWidth);
};

} // namespace gw
