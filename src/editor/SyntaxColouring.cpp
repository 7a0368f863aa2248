#include "SyntaxColouring.h"

#include "editor/CodeEditor.h"
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

void SyntaxColouring::parseLine2(int line)
{
    const QTextBlock block = m_editor->document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
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
    QTextBlock block = m_editor->document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    block.layout()->clearFormats();
    block.setUserState(0);
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
