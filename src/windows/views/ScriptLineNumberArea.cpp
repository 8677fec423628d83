#include "windows/views/ScriptLineNumberArea.h"

#include "windows/views/ScriptCodeEditor.h"

namespace gw {

ScriptLineNumberArea::ScriptLineNumberArea(ScriptCodeEditor* editor)
    : QWidget(editor), editor_(editor) {}

QSize ScriptLineNumberArea::sizeHint() const {
    return {editor_->lineNumberAreaWidth(), 0};
}

void ScriptLineNumberArea::paintEvent(QPaintEvent* event) {
    editor_->paintLineNumbers(*event);
}

} // namespace gw
