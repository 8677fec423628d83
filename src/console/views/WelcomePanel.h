#pragma once

#include <QLabel>

namespace gw {

// The framed welcome text that covers the help area at start-up; a click hides it.
class WelcomePanel : public QLabel {
    Q_OBJECT
public:
    explicit WelcomePanel(QWidget* covered);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* covered_;
};

} // namespace gw
