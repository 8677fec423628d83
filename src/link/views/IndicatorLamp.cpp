#include "link/views/IndicatorLamp.h"

#include <QPainter>
#include <QTimer>

namespace gw {

namespace {
constexpr int kLampDiameter = 12;
constexpr int kGap = 5;
} // namespace

IndicatorLamp::IndicatorLamp(const QString& caption, QColor litColour, QWidget* parent)
    : QWidget(parent), caption_(caption), litColour_(litColour), flashTimer_(new QTimer(this)) {
    flashTimer_->setSingleShot(true);
    flashTimer_->setInterval(kFlashMs);
    connect(flashTimer_, &QTimer::timeout, this, [this] { setLit(false); });
    setToolTip(caption);
}

void IndicatorLamp::setLit(bool lit) {
    flashTimer_->stop();
    if (lit != lit_) {
        lit_ = lit;
        update();
    }
}

void IndicatorLamp::flash() {
    setLit(true);
    flashTimer_->start();
}

QSize IndicatorLamp::sizeHint() const {
    const QFontMetrics metrics(font());
    return {kLampDiameter + kGap + metrics.horizontalAdvance(caption_) + 2,
            std::max(kLampDiameter, metrics.height()) + 2};
}

void IndicatorLamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int top = (height() - kLampDiameter) / 2;
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(lit_ ? litColour_ : palette().color(QPalette::Button));
    painter.drawEllipse(1, top, kLampDiameter - 2, kLampDiameter - 2);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect textArea(kLampDiameter + kGap, 0, width() - kLampDiameter - kGap, height());
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

} // namespace gw
