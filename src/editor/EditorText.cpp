#include "EditorText.h"

#include "editor/RowBreaks.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
// How many row breaks belong to the lines before `line`: break i stands in line
// (its block's number - i), which never decreases with i.
int breaksBeforeLine(const QTextDocument *doc, const RowBreaks *rows, int line)
{
    if (!rows)
        return 0;
    const auto &all = rows->all();
    int lo = 0, hi = int(all.size());
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (doc->findBlock(all[size_t(mid)].pos).blockNumber() - mid < line)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

QChar separator(const RowBreaks *rows, int pos)
{
    const RowBreaks::Break *b = rows ? rows->at(pos) : nullptr;
    return b ? QChar(b->ch) : QChar(QLatin1Char('\n'));
}

// The whole text, with `lineBreak` between lines.
QString wholeText(const QTextDocument *doc, QLatin1StringView lineBreak)
{
    const RowBreaks *rows = RowBreaks::of(doc);
    const auto *breaks = rows ? &rows->all() : nullptr;
    size_t next = 0;
    QString text;
    text.reserve(doc->characterCount() + (lineBreak.size() - 1) * doc->blockCount());
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b != doc->begin()) {
            if (breaks && next < breaks->size() && (*breaks)[next].pos == b.position() - 1)
                text += QChar((*breaks)[next++].ch);
            else
                text += lineBreak;
        }
        text += b.text();
    }
    return text;
}
} // namespace

namespace EditorText {

int lineCount(const QTextDocument *doc)
{
    const RowBreaks *rows = RowBreaks::of(doc);
    return doc->blockCount() - (rows ? int(rows->all().size()) : 0);
}

int lineOf(const QTextDocument *doc, int qtPosition)
{
    const QTextBlock block = doc->findBlock(qtPosition);
    if (!block.isValid())
        return 0;
    const RowBreaks *rows = RowBreaks::of(doc);
    return block.blockNumber() - (rows ? rows->countBefore(qtPosition) : 0);
}

int lineStart(const QTextDocument *doc, int line)
{
    line = std::clamp(line, 0, lineCount(doc) - 1);
    return doc->findBlockByNumber(line + breaksBeforeLine(doc, RowBreaks::of(doc), line)).position();
}

int lineEnd(const QTextDocument *doc, int line)
{
    line = std::max(line, 0);
    if (line + 1 < lineCount(doc))
        return lineStart(doc, line + 1) - 1;
    return doc->characterCount() - 1;
}

int columnOf(const QTextDocument *doc, int qtPosition)
{
    return qtPosition - lineStart(doc, lineOf(doc, qtPosition));
}

QString lineText(const QTextDocument *doc, int line)
{
    return textBetween(doc, lineStart(doc, line), lineEnd(doc, line));
}

QString textBetween(const QTextDocument *doc, int from, int to)
{
    QString out;
    const RowBreaks *rows = RowBreaks::of(doc);
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() < to; b = b.next()) {
        const QString text = b.text();
        const int start = b.position();
        const int s = std::max(from, start) - start;
        const int e = std::min(to, start + int(text.size())) - start;
        if (e > s)
            out += QStringView(text).mid(s, e - s);
        const int sep = start + int(text.size());
        if (sep >= from && sep < to && b.next().isValid())
            out += separator(rows, sep);
    }
    return out;
}

int modelPosition(const QTextDocument *doc, int qtPosition)
{
    return qtPosition + lineOf(doc, qtPosition);
}

int modelPosition(const QTextCursor &cursor)
{
    const RowBreaks *rows = RowBreaks::of(cursor.document());
    return cursor.position() + cursor.blockNumber() - (rows ? rows->countBefore(cursor.position()) : 0);
}

int qtPositionOfLine(const QTextDocument *doc, int line, int column)
{
    line = std::clamp(line, 0, lineCount(doc) - 1);
    const int start = lineStart(doc, line);
    return start + std::clamp(column, 0, lineEnd(doc, line) - start);
}

int qtPosition(const QTextDocument *doc, int modelPosition)
{
    if (modelPosition <= 0)
        return 0;
    // Binary search over the lines: line n starts at program position start + n.
    int lo = 0, hi = lineCount(doc) - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (lineStart(doc, mid) + mid <= modelPosition)
            lo = mid;
        else
            hi = mid - 1;
    }
    const int start = lineStart(doc, lo);
    const int at = start + std::min(modelPosition - (start + lo), lineEnd(doc, lo) - start);
    // Never between the two halves of a character outside the basic plane: the
    // next keystroke would split it.
    if (at > start && doc->characterAt(at).isLowSurrogate() && doc->characterAt(at - 1).isHighSurrogate())
        return at - 1;
    return at;
}

QString modelTextBefore(const QTextDocument *doc, int qtPosition, int n)
{
    const RowBreaks *rows = RowBreaks::of(doc);
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
        const int sep = b.position() + b.length() - 1;
        const RowBreaks::Break *k = rows ? rows->at(sep) : nullptr;
        out.prepend(k ? QString(QChar(k->ch)) : QStringLiteral("\r\n"));
        column = b.length() - 1;
    }
    return out.size() > n ? out.right(n) : out;
}

QString plainText(const QTextDocument *doc)
{
    return wholeText(doc, QLatin1StringView("\n"));
}

QString modelText(const QTextDocument *doc)
{
    return wholeText(doc, QLatin1StringView("\r\n"));
}

void selectModelRange(QPlainTextEdit *editor, int start, int length)
{
    const QTextDocument *doc = editor->document();
    QTextCursor c(editor->document());
    c.setPosition(qtPosition(doc, start));
    c.setPosition(qtPosition(doc, start + length), QTextCursor::KeepAnchor);
    editor->setTextCursor(c);
}

int modelLength(const QTextDocument *doc)
{
    return modelPosition(doc, doc->characterCount() - 1);
}

int modelLineStart(const QTextDocument *doc, int line)
{
    if (line < 0 || line >= lineCount(doc))
        return modelLength(doc);
    return lineStart(doc, line) + line;
}

} // namespace EditorText
