#pragma once

#include <QLineEdit>

namespace gw {

// The one-line command field. Typed letters "a" to "z" go in as upper case; in dump replay mode
// nothing can be typed. Ctrl+C copies a selection; without one it is left to the window's
// "Close port".
class CommandField : public QLineEdit {
    Q_OBJECT
public:
    explicit CommandField(QWidget* parent = nullptr);

    void setReplayMode(bool on) { replayMode_ = on; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool replayMode_ = false;
};

} // namespace gw
