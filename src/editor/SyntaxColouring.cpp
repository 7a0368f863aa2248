#include "SyntaxColouring.h"

#include "editor/CodeEditor.h"
#include "editor/EditorText.h"
#include "editor/RowBreaks.h"
#include "editor/core/LineScanner.h"
#include "editor/core/YabasicLexer.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace {
enum BlockState { Pending = 1, Coloured = 2 };

QTextCharFormat formatFor(LineScanner::Colour c)
{
    QTextCharFormat f;
    f.setForeground(QColor(QRgb(LineScanner::rgb(c))));
    return f;
}

// Lays `ranges` over `formats`: where they overlap, the new colour wins.
QList<QTextLayout::FormatRange> overlay(const QList<QTextLayout::FormatRange> &formats,
                                        const std::vector<LineScanner::Range> &ranges)
{
    if (formats.isEmpty()) {
        QList<QTextLayout::FormatRange> out;
        out.reserve(qsizetype(ranges.size()));
        for (const LineScanner::Range &r : ranges)
            out.append({r.start, r.length, formatFor(r.colour)});
        return out;
    }
    QList<QTextLayout::FormatRange> out;
    for (const QTextLayout::FormatRange &old : formats) {
        // Cut the old range where new ranges cover it.
        int start = old.start;
        const int end = old.start + old.length;
        for (const LineScanner::Range &r : ranges) {
            const int rs = r.start, re = r.start + r.length;
            if (re <= start || rs >= end)
                continue;
            if (rs > start)
                out.append({start, rs - start, old.format});
            start = std::max(start, re);
        }
        if (start < end)
            out.append({start, end - start, old.format});
    }
    for (const LineScanner::Range &r : ranges)
        out.append({r.start, r.length, formatFor(r.colour)});
    std::sort(out.begin(), out.end(), [](const auto &a, const auto &b) { return a.start < b.start; });
    return out;
}
} // namespace

SyntaxColouring::SyntaxColouring(CodeEditor *editor)
    : m_editor(editor)
{
}

void SyntaxColouring::colourBlock(const QTextBlock &block)
{
    const QTextDocument *doc = block.document();
    if (RowBreaks::of(doc)) {
        const int line = EditorText::lineOf(doc, block.position());
        const int start = EditorText::lineStart(doc, line), end = EditorText::lineEnd(doc, line);
        if (start != block.position() || end != block.position() + block.length() - 1) {
            colourRows(line, start, end);
            return;
        }
    }
    const QString text = block.text();
    QTextLayout *layout = block.layout();
    if (m_everyKeyword) {
        // The lexer reads the whole line, so its ranges are the line's colours.
        layout->setFormats(overlay({}, YabasicLexer::scanLine(text, block.blockNumber() == 0)));
    } else {
        LineScanner::scanLine(text, block.blockNumber() == 0, m_ranges);
        if (!m_ranges.empty() || !layout->formats().isEmpty())
            layout->setFormats(overlay(layout->formats(), m_ranges));
    }
    const_cast<QTextBlock &>(block).setUserState(Coloured);
}

void SyntaxColouring::colourRows(int line, int start, int end)
{
    // A long line held as rows: the scanner reads the whole line, and each row
    // takes its part of the colours; a row break takes the colour of the
    // character it stands for.
    QTextDocument *doc = m_editor->document();
    RowBreaks *rows = RowBreaks::of(doc);
    const QString text = EditorText::textBetween(doc, start, end);
    std::vector<LineScanner::Range> ranges;
    if (m_everyKeyword)
        ranges = YabasicLexer::scanLine(text, line == 0);
    else
        LineScanner::scanLine(text, line == 0, ranges);
    std::stable_sort(ranges.begin(), ranges.end(), [](const auto &a, const auto &b) { return a.start < b.start; });
    size_t first = 0;
    std::vector<LineScanner::Range> part;
    for (QTextBlock b = doc->findBlock(start); b.isValid() && b.position() <= end; b = b.next()) {
        const int from = b.position() - start, to = from + b.length() - 1;
        while (first < ranges.size() && ranges[first].start + ranges[first].length <= from)
            ++first;
        part.clear();
        for (size_t i = first; i < ranges.size() && ranges[i].start < to; ++i) {
            const int s = std::max(ranges[i].start, from), e = std::min(ranges[i].start + ranges[i].length, to);
            if (e > s)
                part.push_back({s - from, e - s, ranges[i].colour});
        }
        QTextLayout *layout = b.layout();
        if (m_everyKeyword)
            layout->setFormats(overlay({}, part));
        else if (!part.empty() || !layout->formats().isEmpty())
            layout->setFormats(overlay(layout->formats(), part));
        b.setUserState(Coloured);
        if (RowBreaks::Break *k = rows ? rows->at(b.position() + b.length() - 1) : nullptr) {
            if (m_everyKeyword)
                k->colour = LineScanner::rgb(LineScanner::Colour::Plain);
            for (size_t i = first; i < ranges.size() && ranges[i].start <= to; ++i)
                if (to < ranges[i].start + ranges[i].length)
                    k->colour = LineScanner::rgb(ranges[i].colour);
        }
    }
}

void SyntaxColouring::parseLine2(int line)
{
    const QTextDocument *doc = m_editor->document();
    if (line < 0 || line >= EditorText::lineCount(doc))
        return;
    const QTextBlock block = doc->findBlock(EditorText::lineStart(doc, line));
    colourBlock(block);
    m_editor->reportFormatChanges();
    m_editor->viewport()->update();
}

void SyntaxColouring::parseAllLines()
{
    for (QTextBlock b = m_editor->document()->begin(); b.isValid(); b = b.next())
        b.setUserState(Pending);
    m_editor->reportFormatChanges();
    m_editor->viewport()->update();
}

void SyntaxColouring::setEveryKeyword(bool on)
{
    if (on == m_everyKeyword)
        return;
    m_everyKeyword = on;
    for (QTextBlock b = m_editor->document()->begin(); b.isValid(); b = b.next()) {
        b.layout()->clearFormats();
        b.setUserState(Pending);
    }
    m_editor->reportFormatChanges();
    m_editor->viewport()->update();
}

void SyntaxColouring::recolourRange(int position, int length)
{
    const QTextBlock last = m_editor->document()->findBlock(position + length);
    for (QTextBlock b = m_editor->document()->findBlock(position); b.isValid(); b = b.next()) {
        b.layout()->clearFormats();
        b.setUserState(Pending);
        if (b == last)
            break;
    }
    m_editor->reportFormatChanges();
    m_editor->viewport()->update();
}

void SyntaxColouring::clearLine(int line)
{
    QTextDocument *doc = m_editor->document();
    if (line < 0 || line >= EditorText::lineCount(doc))
        return;
    const int end = EditorText::lineEnd(doc, line);
    RowBreaks *rows = RowBreaks::of(doc);
    for (QTextBlock b = doc->findBlock(EditorText::lineStart(doc, line)); b.isValid() && b.position() <= end;
         b = b.next()) {
        b.layout()->clearFormats();
        b.setUserState(0);
        if (RowBreaks::Break *k = rows ? rows->at(b.position() + b.length() - 1) : nullptr)
            k->colour = LineScanner::rgb(LineScanner::Colour::Plain);
    }
    m_editor->reportFormatChanges();
    m_editor->viewport()->update();
}

void SyntaxColouring::colourIfPending(const QTextBlock &block)
{
    if (block.userState() == Pending)
        colourBlock(block);
}

QColor SyntaxColouring::colourAt(int position)
{
    const QTextBlock block = m_editor->document()->findBlock(position);
    if (!block.isValid())
        return Qt::black;
    if (block.userState() == Pending) {
        colourBlock(block);
        m_editor->reportFormatChanges();
    }
    const RowBreaks *rows = RowBreaks::of(block.document());
    if (const RowBreaks::Break *k = rows ? rows->at(position) : nullptr)
        return QColor(k->colour); // a row break: the character it stands for
    const int column = position - block.position();
    QColor colour = Qt::black;
    for (const QTextLayout::FormatRange &r : block.layout()->formats())
        if (column >= r.start && column < r.start + r.length && r.format.hasProperty(QTextFormat::ForegroundBrush))
            colour = r.format.foreground().color();
    return colour;
}

void SyntaxColouring::textChanged(int position, int removed, int added, int blocksBefore)
{
    const QTextBlock block = m_editor->document()->findBlock(position);
    if (!block.isValid())
        return;
    QTextLayout *layout = block.layout();
    const QList<QTextLayout::FormatRange> formats = layout->formats();
    if (formats.isEmpty())
        return;
    const int column = position - block.position();
    const bool sameLine = m_editor->document()->blockCount() == blocksBefore
                          && column + added <= block.length() - 1;
    QList<QTextLayout::FormatRange> out;
    for (QTextLayout::FormatRange r : formats) {
        int start = r.start, end = r.start + r.length;
        if (!sameLine) {
            // The line was cut at the change: keep what lies before it.
            end = std::min(end, column);
        } else {
            // Removed characters take their colour with them; the rest moves.
            auto mapOld = [&](int p) {
                if (p <= column)
                    return p;
                if (p < column + removed)
                    return column;
                return p - removed;
            };
            start = mapOld(start);
            end = mapOld(end);
            // Inserted characters take the colour of the character before them.
            auto mapIns = [&](int p, bool isEnd) {
                if (p < column || (p == column && !isEnd && column > 0))
                    return p;
                if (p == column && isEnd && column > 0)
                    return p + added;
                return p + added;
            };
            start = mapIns(start, false);
            end = mapIns(end, true);
        }
        if (end > start) {
            r.start = start;
            r.length = end - start;
            out.append(r);
        }
    }
    layout->setFormats(out);
}
