#include "console/views/PanelLabel.h"

namespace gw {

PanelLabel::PanelLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setAutoFillBackground(true);
    applyColours(false);
}

// A new palette repaints and restyles the label: at the line rate the flags mostly stay put.
void PanelLabel::setHighlighted(bool on) {
    if (on != highlighted_) {
        applyColours(on);
    }
}

void PanelLabel::applyColours(bool on) {
    highlighted_ = on;
    QPalette p = palette();
    const QPalette& app = QWidget::palette();
    p.setColor(QPalette::Window, on ? app.color(QPalette::Highlight) : app.color(QPalette::Button));
    p.setColor(QPalette::WindowText,
               on ? app.color(QPalette::HighlightedText) : app.color(QPalette::ButtonText));
    setPalette(p);
}

} // namespace gw
