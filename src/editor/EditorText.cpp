#include "EditorText.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace EditorText {

int modelPosition(const QTextDocument *doc, int qtPosition)
{
    const QTextBlock block = doc->findBlock(qtPosition);
    return qtPosition + (block.isValid() ? block.blockNumber() : 0);
}

int modelPosition(const QTextCursor &cursor)
{
    return cursor.position() + cursor.blockNumber();
}

int qtPositionOfLine(const QTextDocument *doc, int line, int column)
{
    const int last = doc->blockCount() - 1;
    const QTextBlock b = doc->findBlockByNumber(std::clamp(line, 0, last));
    return b.position() + std::clamp(column, 0, b.length() - 1);
}

int qtPosition(const QTextDocument *doc, int modelPosition)
{
    if (modelPosition <= 0)
        return 0;
    // Binary search over the blocks: block b starts at program position start + b.
    int lo = 0, hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        const QTextBlock b = doc->findBlockByNumber(mid);
        if (b.position() + mid <= modelPosition)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = doc->findBlockByNumber(lo);
    const int inBlock = std::min(modelPosition - (b.position() + lo), b.length() - 1);
    // Never between the two halves of a character outside the basic plane: the
    // next keystroke would split it.
    if (inBlock > 0) {
        const QString text = b.text();
        if (inBlock < text.size() && text.at(inBlock).isLowSurrogate()
            && text.at(inBlock - 1).isHighSurrogate())
            return b.position() + inBlock - 1;
    }
    return b.position() + inBlock;
}

QString modelTextBefore(const QTextDocument *doc, int qtPosition, int n)
{
    QString out;
    QTextBlock b = doc->findBlock(qtPosition);
    int column = qtPosition - b.position();
    while (b.isValid() && out.size() < n) {
        const QString text = b.text();
        const int take = std::min(column, int(n - out.size()));
        out.prepend(QStringView(text).mid(column - take, take));
        if (out.size() >= n)
            break;
        b = b.previous();
        if (!b.isValid())
            break;
        out.prepend(QStringLiteral("\r\n"));
        column = b.length() - 1;
    }
    return out.size() > n ? out.right(n) : out;
}

QString plainText(const QTextDocument *doc)
{
    QString text;
    text.reserve(doc->characterCount());
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b != doc->begin())
            text += QLatin1Char('\n');
        text += b.text();
    }
    return text;
}

QString modelText(const QTextDocument *doc)
{
    QString text;
    text.reserve(doc->characterCount() + doc->blockCount());
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b != doc->begin())
            text += QStringLiteral("\r\n");
        text += b.text();
    }
    return text;
}

void selectModelRange(QPlainTextEdit *editor, int start, int length)
{
    const QTextDocument *doc = editor->document();
    QTextCursor c(editor->document());
    c.setPosition(qtPosition(doc, start));
    c.setPosition(qtPosition(doc, start + length), QTextCursor::KeepAnchor);
    editor->setTextCursor(c);
}

} // namespace EditorText

int EditorText::modelLength(const QTextDocument *doc)
{
    return modelPosition(doc, doc->characterCount() - 1);
}

int EditorText::modelLineStart(const QTextDocument *doc, int line)
{
    const QTextBlock b = doc->findBlockByNumber(line);
    if (b.isValid())
        return b.position() + line;
    return modelLength(doc);
}
