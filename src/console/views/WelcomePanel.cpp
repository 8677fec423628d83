#include "console/views/WelcomePanel.h"

#include <QEvent>

namespace gw {

WelcomePanel::WelcomePanel(QWidget* covered) : QLabel(covered), covered_(covered) {
    setObjectName("WelcomePanel");
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setAutoFillBackground(true);
    setGeometry(covered->rect());
    covered->installEventFilter(this);
}

void WelcomePanel::mousePressEvent(QMouseEvent*) {
    hide();
}

// Keeps covering the help area when it is resized.
bool WelcomePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == covered_ && event->type() == QEvent::Resize) {
        setGeometry(covered_->rect());
    }
    return QLabel::eventFilter(watched, event);
}

} // namespace gw
