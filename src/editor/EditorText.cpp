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

// What the block break at pos stands for: a character of a long line, or a line break.
QString separator(const RowBreaks *rows, int pos, QLatin1StringView lineBreak)
{
    const RowBreaks::Break *b = rows ? rows->at(pos) : nullptr;
    return b ? QString(QChar(b->ch)) : QString(lineBreak);
}

// The row breaks are looked up once per call; these take them as found.
int countLines(const QTextDocument *doc, const RowBreaks *rows)
{
    return doc->blockCount() - (rows ? int(rows->all().size()) : 0);
}

int startOfLine(const QTextDocument *doc, const RowBreaks *rows, int line)
{
    line = std::clamp(line, 0, countLines(doc, rows) - 1);
    return doc->findBlockByNumber(line + breaksBeforeLine(doc, rows, line)).position();
}

int endOfLine(const QTextDocument *doc, const RowBreaks *rows, int line)
{
    line = std::max(line, 0);
    if (line + 1 < countLines(doc, rows))
        return startOfLine(doc, rows, line + 1) - 1;
    return doc->characterCount() - 1;
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
    return countLines(doc, RowBreaks::of(doc));
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
    return startOfLine(doc, RowBreaks::of(doc), line);
}

int lineEnd(const QTextDocument *doc, int line)
{
    return endOfLine(doc, RowBreaks::of(doc), line);
}

int columnOf(const QTextDocument *doc, int qtPosition)
{
    return qtPosition - lineStart(doc, lineOf(doc, qtPosition));
}

QString lineText(const QTextDocument *doc, int line)
{
    const RowBreaks *rows = RowBreaks::of(doc);
    return textBetween(doc, startOfLine(doc, rows, line), endOfLine(doc, rows, line));
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
            out += separator(rows, sep, QLatin1StringView("\n"));
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
    const RowBreaks *rows = RowBreaks::of(doc);
    line = std::clamp(line, 0, countLines(doc, rows) - 1);
    const int start = startOfLine(doc, rows, line);
    return start + std::clamp(column, 0, endOfLine(doc, rows, line) - start);
}

int qtPosition(const QTextDocument *doc, int modelPosition)
{
    if (modelPosition <= 0)
        return 0;
    // Binary search over the lines: line n starts at program position start + n.
    const RowBreaks *rows = RowBreaks::of(doc);
    int lo = 0, hi = countLines(doc, rows) - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (startOfLine(doc, rows, mid) + mid <= modelPosition)
            lo = mid;
        else
            hi = mid - 1;
    }
    const int start = startOfLine(doc, rows, lo);
    const int at = start + std::min(modelPosition - (start + lo), endOfLine(doc, rows, lo) - start);
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
        out.prepend(separator(rows, b.position() + b.length() - 1, QLatin1StringView("\r\n")));
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
    const RowBreaks *rows = RowBreaks::of(doc);
    if (line < 0 || line >= countLines(doc, rows))
        return modelLength(doc);
    return startOfLine(doc, rows, line) + line;
}

} // namespace EditorText
