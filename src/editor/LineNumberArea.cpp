#include "editor/LineNumberArea.h"

#include "editor/CodeEditor.h"

LineNumberArea::LineNumberArea(CodeEditor *editor) : QWidget(editor), m_editor(editor)
{
    setObjectName(QStringLiteral("lineNumberArea"));
}

QSize LineNumberArea::sizeHint() const
{
    return QSize(m_editor->lineNumberAreaWidth(), 0);
}

void LineNumberArea::paintEvent(QPaintEvent *event)
{
    m_editor->paintLineNumbers(event);
}
