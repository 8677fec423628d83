#pragma once

#include "console/Dump.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <QTimer>
#include <string>

namespace gw {

// The dump: the console log in a fixed-pitch, read-only text that follows the Dump model. Every
// click and key release asks for the line under the cursor to be decoded; in replay mode + and -
// step through the recorded lines. New lines are put in together at most every AppendMs: one
// insertion per reply would cost more than the fastest line.
class DumpView : public QPlainTextEdit, public Dump::Listener {
    Q_OBJECT
public:
    static constexpr int AppendMs = 50;

    explicit DumpView(QWidget* parent = nullptr);
    ~DumpView() override;

    // Follows the dump's changes from now on, starting from its present lines.
    void follow(Dump* dump);

    void setReplayMode(bool on) { replayMode_ = on; }
    bool replayMode() const { return replayMode_; }

    // Replay: +1 to the start of the next line, -1 to the end of the previous one, then decode.
    // Nothing moves at either end.
    void stepReplay(int direction);
    // Puts the cursor at the start of the first line and decodes it.
    void startReplay();
    // The line under the cursor, as 8-bit text, once the waiting lines are in.
    std::string currentLine();
    // Puts the lines waiting for the next insertion in at once.
    void flushPendingLines();

    void lineAppended(const std::string& line) override;
    void oldestLinesRemoved(std::size_t count) override;
    void cleared() override;

signals:
    void decodeLine(const std::string& line);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void dropPendingLines();

    Dump* dump_ = nullptr;
    QStringList pending_;
    QTimer appendTimer_;
    bool replayMode_ = false;
};

// Whether a key is the replay's + (main keyboard or keypad) or - key: +1, -1, else 0.
int ReplayStepOfKey(int key);

} // namespace gw
