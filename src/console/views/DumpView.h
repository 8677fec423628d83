#pragma once

#include "console/Dump.h"

#include <QPlainTextEdit>
#include <string>

namespace gw {

// The dump: the console log in a fixed-pitch, read-only text that follows the Dump model. Every
// click and key release asks for the line under the cursor to be decoded; in replay mode + and -
// step through the recorded lines.
class DumpView : public QPlainTextEdit, public Dump::Listener {
    Q_OBJECT
public:
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
    // The line under the cursor, as 8-bit text.
    std::string currentLine() const;

    void lineAppended(const std::string& line) override;
    void oldestLinesRemoved(std::size_t count) override;
    void cleared() override;

signals:
    void decodeLine(const std::string& line);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Dump* dump_ = nullptr;
    bool replayMode_ = false;
};

// Whether a key is the replay's + (main keyboard or keypad) or - key: +1, -1, else 0.
int ReplayStepOfKey(int key);

} // namespace gw
