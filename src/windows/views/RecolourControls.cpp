#include "windows/views/RecolourControls.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace gw {

namespace {

const QColor Silver(192, 192, 192);

bool isInputControl(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

void recolourRole(QWidget* w, QPalette::ColorRole role, const QColor& find, const QColor& put) {
    QPalette palette = w->palette();
    if (palette.color(role) == find) {
        palette.setColor(role, put);
        w->setPalette(palette);
    }
}

} // namespace

// Only the long-gone 9x family kept the 3D-light colour; every platform this runs on gets silver.
QColor ReplacementColour() {
    return Silver;
}

QColor System3DLightColour() {
    return QApplication::palette().color(QPalette::Midlight);
}

void RecolourControls(QWidget* window, const QColor& find, const QColor& put) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (isInputControl(w)) {
            recolourRole(w, QPalette::Base, find, put);
        } else if (auto* chart = qobject_cast<QChartView*>(w); chart && chart->chart()) {
            if (chart->chart()->backgroundBrush().color() == find) {
                chart->chart()->setBackgroundBrush(put);
            }
        } else if (qobject_cast<QLabel*>(w) && w->autoFillBackground()) {
            // A label with its own background stands for the numeric labels of the windows.
            recolourRole(w, QPalette::Window, find, put);
        }
    }
}

void RecolourControls(QWidget* window) {
    RecolourControls(window, System3DLightColour(), ReplacementColour());
}

} // namespace gw
