#include "console/views/ApplicationIcon.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

namespace gw {

namespace {

constexpr int Size = 32;

// A sample disk under the detector: a grey platter and a disk that glows while the reader works.
QIcon drawIcon(const QColor& glow, bool rays) {
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(170, 170, 170));
    p.drawEllipse(2, 14, 28, 14);
    p.setBrush(glow);
    p.drawEllipse(10, 17, 12, 7);
    if (rays) {
        p.setPen(QPen(glow.darker(120), 2));
        p.drawLine(16, 13, 16, 3);
        p.drawLine(11, 13, 6, 5);
        p.drawLine(21, 13, 26, 5);
    }
    return QIcon(pixmap);
}

} // namespace

QIcon ApplicationIcon::idle() {
    return drawIcon(QColor(90, 160, 90), false);
}

QIcon ApplicationIcon::busy() {
    return drawIcon(QColor(240, 170, 30), true);
}

void ApplicationIcon::follow(int stateCode) {
    if (stateCode == last_) {
        return;
    }
    last_ = stateCode;
    busy_ = stateCode > 0;
    QApplication::setWindowIcon(busy_ ? busy() : idle());
}

} // namespace gw
