#include "CodeEditor.h"

#include "editor/EditorText.h"
#include "editor/LineNumberArea.h"
#include "editor/RowBreaks.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>
#include <QTextBlock>
#include <QToolTip>

CodeEditor::CodeEditor(QWidget *parent) : QPlainTextEdit(parent), m_gutter(new LineNumberArea(this))
{
    // A scroll bar that comes and goes changes the width of the text area, and
    // every line of a long program would be laid out again each time.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_gutter->hide();
    connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeEditor::updateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &CodeEditor::updateGutter);
    watchDocument();
}

void CodeEditor::watchDocument()
{
    // A run's error mark belongs to the text that ran: an edit on its line, or
    // above it (which moves it), takes it away.
    connect(document(), &QTextDocument::contentsChange, this, [this](int position) {
        if (m_errorLine < 0 || m_reportingFormats)
            return;
        if (m_errorLine >= EditorText::lineCount(document())
            || position <= EditorText::lineEnd(document(), m_errorLine) + 1)
            setErrorLine(-1);
    });
}

void CodeEditor::adoptDocument(QTextDocument *document)
{
    // The new document takes the old one's owner, so it goes with the editor;
    // the old one goes at once.
    QPointer<QTextDocument> old = this->document();
    document->setParent(old->parent());
    setDocument(document);
    delete old.data();
    watchDocument();
    setErrorLine(-1);
    m_gutterWidth = -1;
    updateGutterWidth();
}

void CodeEditor::setLineNumbersShown(bool shown)
{
    m_lineNumbers = shown;
    m_gutter->setVisible(shown);
    m_gutterWidth = -1;
    updateGutterWidth();
}

int CodeEditor::lineNumberAreaWidth() const
{
    if (!m_lineNumbers)
        return 0;
    int digits = 1;
    for (int max = std::max(1, EditorText::lineCount(document())); max >= 10; max /= 10)
        ++digits;
    digits = std::max(digits, 3);
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void CodeEditor::updateGutterWidth()
{
    // Only a change in the number of digits moves the text; typing a line does not.
    const int width = lineNumberAreaWidth();
    if (width == m_gutterWidth)
        return;
    m_gutterWidth = width;
    setViewportMargins(width, 0, 0, 0);
    const QRect cr = contentsRect();
    m_gutter->setGeometry(QRect(cr.left(), cr.top(), width, cr.height()));
}

void CodeEditor::updateGutter(const QRect &rect, int dy)
{
    if (!m_lineNumbers)
        return;
    if (dy)
        m_gutter->scroll(0, dy);
    else
        m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
}

void CodeEditor::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect cr = contentsRect();
    m_gutter->setGeometry(QRect(cr.left(), cr.top(), lineNumberAreaWidth(), cr.height()));
}

QMenu *CodeEditor::createContextMenu(const QPoint &pos)
{
    QMenu *menu = createStandardContextMenu(pos);
    emit contextMenuOpening(menu);
    return menu;
}

void CodeEditor::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createContextMenu(event->pos());
    menu->exec(event->globalPos());
    delete menu;
}

void CodeEditor::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) { // the gutter follows the editor's font
        m_gutter->setFont(font());
        m_gutterWidth = -1;
        updateGutterWidth();
        m_gutter->update();
    }
}

void CodeEditor::paintLineNumbers(QPaintEvent *event)
{
    QPainter painter(m_gutter);
    painter.fillRect(event->rect(), QColor(240, 240, 240));
    painter.setFont(font());
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int lineHeight = fontMetrics().height();
    const RowBreaks *rows = RowBreaks::of(document());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= event->rect().top()) {
            const int line = EditorText::lineOf(document(), block.position());
            // The later rows of a long line are marked as going on from the row above.
            const bool goesOn = rows && rows->at(block.position() - 1);
            painter.setPen(line == m_errorLine ? QColor(200, 0, 0) : QColor(120, 120, 120));
            painter.drawText(0, top, m_gutter->width() - 4, lineHeight, Qt::AlignRight,
                             goesOn ? QStringLiteral("\u00bb") : QString::number(line + 1));
        }
        block = block.next();
        top = bottom;
    }
}

void CodeEditor::setErrorLine(int line)
{
    m_errorLine = line;
    updateMarks();
}

void CodeEditor::setSyntaxMark(int line, int column, const QString &message)
{
    m_syntaxLine = line;
    m_syntaxColumn = column;
    m_syntaxMessage = line < 0 ? QString() : message;
    updateMarks();
}

void CodeEditor::updateMarks()
{
    QList<QTextEdit::ExtraSelection> marks;
    const int lines = EditorText::lineCount(document());
    if (m_errorLine >= 0 && m_errorLine < lines) {
        QTextEdit::ExtraSelection s;
        s.format.setBackground(QColor(255, 220, 220));
        s.format.setProperty(QTextFormat::FullWidthSelection, true);
        const int end = EditorText::lineEnd(document(), m_errorLine);
        for (QTextBlock b = document()->findBlock(EditorText::lineStart(document(), m_errorLine));
             b.isValid() && b.position() <= end; b = b.next()) {
            s.cursor = QTextCursor(b);
            marks << s;
        }
    }
    if (m_syntaxLine >= 0 && m_syntaxLine < lines) {
        const int start = EditorText::lineStart(document(), m_syntaxLine);
        const int length = EditorText::lineEnd(document(), m_syntaxLine) - start;
        int from = std::clamp(m_syntaxColumn, 0, length);
        // The interpreter points just past the end of a line that ends too early:
        // the last word is marked then, so that the mark can be seen.
        if (from == length && from > 0)
            --from;
        int to = from;
        const QString text = EditorText::lineText(document(), m_syntaxLine);
        while (to < length && !text.at(to).isSpace())
            ++to;
        if (to == from)
            to = std::min(from + 1, length);
        QTextEdit::ExtraSelection s;
        s.format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
        s.format.setUnderlineColor(Qt::red);
        s.format.setToolTip(m_syntaxMessage);
        s.cursor = QTextCursor(document());
        s.cursor.setPosition(start + from);
        s.cursor.setPosition(start + std::max(to, from + (length > 0 ? 1 : 0)), QTextCursor::KeepAnchor);
        marks << s;
    }
    setExtraSelections(marks);
    if (m_lineNumbers)
        m_gutter->update();
}

bool CodeEditor::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && m_syntaxLine >= 0) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QTextCursor at = cursorForPosition(help->pos());
        if (EditorText::lineOf(document(), at.position()) == m_syntaxLine) {
            QToolTip::showText(help->globalPos(), m_syntaxMessage, this);
            return true;
        }
        QToolTip::hideText();
    }
    return QPlainTextEdit::viewportEvent(event);
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
        reportFormatChanges();
    }
    QPlainTextEdit::paintEvent(event);
    paintRowBreaks(event->rect());
}

void CodeEditor::paintRowBreaks(const QRect &area)
{
    // Where a long line goes on in the next row, the break between the rows
    // stands for a character of the line: it is painted at the end of the row.
    const RowBreaks *rows = RowBreaks::of(document());
    if (!rows)
        return;
    QPainter painter(viewport());
    painter.setFont(font());
    const QPointF offset = contentOffset();
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        const QRectF r = blockBoundingGeometry(b).translated(offset);
        if (r.top() > area.bottom())
            break;
        const RowBreaks::Break *k = rows->at(b.position() + b.length() - 1);
        const QTextLayout *layout = b.layout();
        if (!k || k->ch <= 0x20 || !b.isVisible() || !layout || layout->lineCount() == 0)
            continue; // (a blank or a control character shows nothing)
        const QTextLine last = layout->lineAt(layout->lineCount() - 1);
        painter.setPen(QColor(k->colour));
        painter.drawText(QPointF(r.left() + last.cursorToX(b.length() - 1), r.top() + last.y() + last.ascent()),
                         QString(QChar(k->ch)));
    }
}

void CodeEditor::insertFromMimeData(const QMimeData *source)
{
    if (!m_insertText || !source->hasText() || isReadOnly()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    m_insertText(source->text());
    ensureCursorVisible();
}

QMimeData *CodeEditor::createMimeDataFromSelection() const
{
    // The breaks between the rows of a long line are characters of the line.
    if (!RowBreaks::of(document()))
        return QPlainTextEdit::createMimeDataFromSelection();
    const QTextCursor c = textCursor();
    auto *data = new QMimeData;
    data->setText(EditorText::textBetween(document(), c.selectionStart(), c.selectionEnd()));
    return data;
}

void CodeEditor::reportFormatChanges()
{
    // An empty edit: the document reports what it has marked, and nothing else.
    m_reportingFormats = true;
    QTextCursor c(document());
    c.beginEditBlock();
    c.endEditBlock();
    m_reportingFormats = false;
}
