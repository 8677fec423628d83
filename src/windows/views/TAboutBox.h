#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace gw {

// "About": the application icon, product name, version and two lines of credits.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // The script editor's "About": its title and "ver. 1.0".
    void prepare(const QString& productName, const QString& version);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Copyright;
    QLabel* Comments;
    QPushButton* OKButton;
};

} // namespace gw
