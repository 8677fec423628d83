#pragma once

#include <QPlainTextEdit>

namespace gw {

// The help area: the current help page in a fixed-pitch, read-only text. Clicks are reported with
// their 1-based line and column so the command list can open a topic.
class HelpArea : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit HelpArea(QWidget* parent = nullptr);

    // Shows the text with the cursor at its start and no selection.
    void showPage(const QString& text);

signals:
    void clickedAt(int line, int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace gw
