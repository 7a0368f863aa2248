#include "CodeEditor.h"

#include <QPaintEvent>
#include <QTextBlock>

CodeEditor::CodeEditor(QWidget *parent) : QPlainTextEdit(parent)
{
    // A scroll bar that comes and goes changes the width of the text area, and
    // every line of a long program would be laid out again each time.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void CodeEditor::paintEvent(QPaintEvent *event)
{
    if (m_beforePaint) {
        const QPointF offset = contentOffset();
        const int bottom = event->rect().bottom();
        for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
            const QRectF r = blockBoundingGeometry(b).translated(offset);
            if (r.top() > bottom)
                break;
            m_beforePaint(b);
        }
    }
    QPlainTextEdit::paintEvent(event);
}
