#include "editor/core/SnapshotStack.h"

#include <cstring>

TextChange diffTexts(const QString &from, const QString &to)
{
    const qsizetype a = from.size(), b = to.size();
    const qsizetype limit = std::min(a, b);
    const QChar *p = from.constData();
    const QChar *q = to.constData();
    qsizetype prefix = 0;
    // Compare in blocks first; memcmp is much faster than a character loop.
    constexpr qsizetype Block = 256;
    while (prefix + Block <= limit && std::memcmp(p + prefix, q + prefix, Block * sizeof(QChar)) == 0)
        prefix += Block;
    while (prefix < limit && p[prefix] == q[prefix])
        ++prefix;
    qsizetype suffix = 0;
    const qsizetype maxSuffix = limit - prefix;
    while (suffix + Block <= maxSuffix
           && std::memcmp(p + a - suffix - Block, q + b - suffix - Block, Block * sizeof(QChar)) == 0)
        suffix += Block;
    while (suffix < maxSuffix && p[a - suffix - 1] == q[b - suffix - 1])
        ++suffix;
    TextChange c;
    c.pos = int(prefix);
    c.removed = int(a - prefix - suffix);
    c.inserted = to.mid(prefix, b - prefix - suffix);
    return c;
}

TextChange narrowChange(const TextChange &change, QStringView removedText)
{
    const QStringView ins(change.inserted);
    const qsizetype limit = std::min(ins.size(), removedText.size());
    qsizetype prefix = 0;
    while (prefix < limit && ins[prefix] == removedText[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < limit - prefix
           && ins[ins.size() - 1 - suffix] == removedText[removedText.size() - 1 - suffix])
        ++suffix;
    TextChange narrow;
    narrow.pos = change.pos + int(prefix);
    narrow.removed = int(removedText.size() - prefix - suffix);
    narrow.inserted = change.inserted.mid(prefix, ins.size() - prefix - suffix);
    return narrow;
}

void SnapshotStack::clear()
{
    m_count = 0;
    m_top.clear();
    m_below.clear();
}

void SnapshotStack::pushBelow(TextChange &&back)
{
    if (m_count == Capacity) {
        // Full: the oldest snapshot goes, the count stays.
        if (!m_below.empty())
            m_below.pop_front();
    } else {
        ++m_count;
    }
    m_below.push_back(std::move(back));
}

void SnapshotStack::push(const QString &text)
{
    if (m_count == 0) {
        m_top = ChunkedText(text);
        m_count = 1;
        return;
    }
    // The change that turns the new top back into the old one; the old top then
    // becomes the new one by the reverse change, keeping the pieces around it.
    const qsizetype prefix = m_top.commonPrefix(text);
    const qsizetype suffix = m_top.commonSuffix(text, std::min(m_top.size(), text.size()) - prefix);
    TextChange back;
    back.pos = int(prefix);
    back.removed = int(text.size() - prefix - suffix);
    back.inserted = m_top.mid(prefix, m_top.size() - prefix - suffix);
    m_top.replace(prefix, back.inserted.size(), QStringView(text).mid(prefix, back.removed));
    pushBelow(std::move(back));
}

void SnapshotStack::push(const ChunkedText &text)
{
    if (m_count == 0) {
        m_top = text;
        m_count = 1;
        return;
    }
    push(text.toString());
}

void SnapshotStack::pushChanges(const std::vector<TextChange> &changes)
{
    if (m_count == 0) {
        ChunkedText text;
        for (const TextChange &c : changes)
            text.replace(c.pos, c.removed, c.inserted);
        push(text);
        return;
    }
    // Find the window that the changes touch: what lies before `lo` and after
    // the last `tail` characters is the same in the old and the new snapshot.
    qsizetype length = m_top.size();
    qsizetype lo = length, tail = length;
    for (const TextChange &c : changes) {
        lo = std::min<qsizetype>(lo, c.pos);
        tail = std::min<qsizetype>(tail, length - (c.pos + c.removed));
        length += c.inserted.size() - c.removed;
    }
    const qsizetype oldLength = m_top.size();
    TextChange back;
    back.pos = int(lo);
    back.inserted = m_top.mid(lo, oldLength - tail - lo);
    for (const TextChange &c : changes)
        m_top.replace(c.pos, c.removed, c.inserted);
    back.removed = int(m_top.size() - tail - lo);
    pushBelow(std::move(back));
}

QString SnapshotStack::pop()
{
    if (m_count == 0)
        return QString();
    QString popped = m_top.toString();
    --m_count;
    if (m_count == 0 || m_below.empty()) {
        m_top.clear();
        m_count = 0;
        m_below.clear();
    } else {
        const TextChange &back = m_below.back();
        m_top.replace(back.pos, back.removed, back.inserted);
        m_below.pop_back();
    }
    return popped;
}

qint64 SnapshotStack::heldCharacters() const
{
    qint64 n = m_top.size();
    for (const TextChange &c : m_below)
        n += c.inserted.size();
    return n;
}
