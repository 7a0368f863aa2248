#include "RowKeeper.h"

#include "editor/RowBreaks.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

RowKeeper::RowKeeper(QPlainTextEdit *editor, QObject *parent) : QObject(parent), m_editor(editor)
{
}

QString RowKeeper::prepare(const QString &text)
{
    const QString rows = LongLines::cutText(text, m_prepared);
    m_pending = !m_prepared.empty();
    return rows;
}

void RowKeeper::insert(QTextCursor &c, const QString &text)
{
    // A long line pasted or put back goes in as rows: laid out whole it would
    // hold the window for a moment.
    c.insertText(prepare(text));
    done();
}

void RowKeeper::beforeTyping(const QString &typed)
{
    // Overwriting at the end of a row replaces the character its break stands
    // for, as it would anywhere else in the line.
    if (!m_editor->overwriteMode() || typed.isEmpty() || !typed.at(0).isPrint())
        return;
    QTextCursor c = m_editor->textCursor();
    const RowBreaks *rows = RowBreaks::of(m_editor->document());
    if (c.hasSelection() || !rows || !rows->at(c.position()))
        return;
    c.setPosition(c.position() + 1, QTextCursor::KeepAnchor);
    m_editor->setTextCursor(c);
}

void RowKeeper::follow(int position, int removed, int added)
{
    QTextDocument *doc = m_editor->document();
    if (RowBreaks *rows = RowBreaks::of(doc))
        rows->applyChange(position, removed, added);
    if (m_pending) {
        RowBreaks &rows = RowBreaks::ensure(doc);
        for (const LongLines::Break &b : m_prepared)
            rows.add(position + b.pos, b.ch);
        m_pending = false;
    }
}

void RowKeeper::cutSoon(int from, int to)
{
    // Typing rarely makes a row too long; text put in by a program may.
    bool tooLong = false;
    for (QTextBlock b = m_editor->document()->findBlock(from); b.isValid() && b.position() <= to && !tooLong;
         b = b.next())
        tooLong = b.length() - 1 > LongLines::MaxRowChars;
    if (!tooLong || m_cutSoon)
        return;
    // Not inside the change: the document is still busy with it.
    m_cutSoon = true;
    QTimer::singleShot(0, this, &RowKeeper::cutLongRows);
}

void RowKeeper::cutLongRows()
{
    m_cutSoon = false;
    QTextDocument *doc = m_editor->document();
    std::vector<LongLines::Break> cuts;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b.length() - 1 <= LongLines::MaxRowChars)
            continue;
        const QString text = b.text();
        for (int k : LongLines::cuts(text))
            cuts.push_back({b.position() + k, text.at(k).unicode()});
    }
    if (cuts.empty())
        return;
    // Each cut character becomes a row break in its place: the break goes in
    // after it and the character goes, so that carets on either side stay there.
    // One edit: the rows are laid out once, not the long line once per cut.
    m_cutting = true;
    QTextCursor c(doc);
    c.beginEditBlock();
    for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
        c.setPosition(it->pos + 1);
        c.insertBlock();
        c.setPosition(it->pos);
        c.deleteChar();
    }
    c.endEditBlock();
    m_cutting = false;
    RowBreaks::ensure(doc).add(cuts);
    emit rowsCut(cuts.front().pos, cuts.back().pos);
}
