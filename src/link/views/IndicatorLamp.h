#pragma once

#include <QColor>
#include <QWidget>

class QTimer;

namespace gw {

// A round lamp with a caption beside it. It is lit steadily, or flashed: lit for a moment after
// each flash() so that a stream of events shows as a flicker.
class IndicatorLamp : public QWidget {
    Q_OBJECT

public:
    IndicatorLamp(const QString& caption, QColor litColour, QWidget* parent = nullptr);

    void setLit(bool lit);
    void flash();
    bool isLit() const { return lit_; }
    QString caption() const { return caption_; }

    QSize sizeHint() const override;

    static constexpr int kFlashMs = 120;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor litColour_;
    bool lit_ = false;
    QTimer* flashTimer_ = nullptr;
};

} // namespace gw
