#include "RowBreaks.h"

#include <QTextDocument>
#include <algorithm>

RowBreaks::RowBreaks(QTextDocument *doc) : QObject(doc)
{
    setObjectName(QStringLiteral("rowBreaks"));
}

const RowBreaks *RowBreaks::of(const QTextDocument *doc)
{
    const auto *found = doc ? doc->findChild<RowBreaks *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    return found && !found->isEmpty() ? found : nullptr;
}

RowBreaks *RowBreaks::of(QTextDocument *doc)
{
    return const_cast<RowBreaks *>(of(static_cast<const QTextDocument *>(doc)));
}

RowBreaks &RowBreaks::ensure(QTextDocument *doc)
{
    if (auto *found = doc->findChild<RowBreaks *>(QString(), Qt::FindDirectChildrenOnly))
        return *found;
    return *new RowBreaks(doc);
}

int RowBreaks::countBefore(int pos) const
{
    return int(std::lower_bound(m_breaks.begin(), m_breaks.end(), pos,
                                [](const Break &b, int p) { return b.pos < p; })
               - m_breaks.begin());
}

const RowBreaks::Break *RowBreaks::at(int pos) const
{
    const int i = countBefore(pos);
    return i < int(m_breaks.size()) && m_breaks[size_t(i)].pos == pos ? &m_breaks[size_t(i)] : nullptr;
}

RowBreaks::Break *RowBreaks::at(int pos)
{
    return const_cast<Break *>(static_cast<const RowBreaks *>(this)->at(pos));
}

void RowBreaks::add(int pos, char16_t ch)
{
    const auto it = m_breaks.begin() + countBefore(pos);
    if (it != m_breaks.end() && it->pos == pos)
        it->ch = ch;
    else
        m_breaks.insert(it, Break{pos, ch});
}

void RowBreaks::add(const std::vector<LongLines::Break> &breaks)
{
    for (const LongLines::Break &b : breaks)
        add(b.pos, b.ch);
}

void RowBreaks::applyChange(int position, int removed, int added)
{
    const auto first = m_breaks.begin() + countBefore(position);
    const auto last = m_breaks.begin() + countBefore(position + removed);
    const auto rest = m_breaks.erase(first, last);
    for (auto it = rest; it != m_breaks.end(); ++it)
        it->pos += added - removed;
}
