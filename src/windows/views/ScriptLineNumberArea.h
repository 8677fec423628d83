#pragma once

#include <QWidget>

namespace gw {

class ScriptCodeEditor;

// The margin left of the script text that shows each line's number.
class ScriptLineNumberArea : public QWidget {
    Q_OBJECT
public:
    explicit ScriptLineNumberArea(ScriptCodeEditor* editor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ScriptCodeEditor* editor_;
};

} // namespace gw
