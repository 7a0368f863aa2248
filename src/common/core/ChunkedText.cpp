#include "common/core/ChunkedText.h"

#include <algorithm>
#include <cstring>

namespace {
// Cuts text into pieces of PieceSize (the last one shorter) appended to out.
void cutInto(QStringView text, std::vector<QString> &out)
{
    for (qsizetype at = 0; at < text.size(); at += ChunkedText::PieceSize)
        out.push_back(text.mid(at, ChunkedText::PieceSize).toString());
}
} // namespace

ChunkedText::ChunkedText(QStringView text)
{
    m_pieces.reserve(size_t(text.size() / PieceSize + 1));
    cutInto(text, m_pieces);
    recountFrom(0);
}

void ChunkedText::clear()
{
    m_pieces.clear();
    m_ends.clear();
}

size_t ChunkedText::pieceAt(qsizetype pos) const
{
    // The first piece that ends after pos; pos at the very end falls in the last.
    const auto it = std::upper_bound(m_ends.begin(), m_ends.end(), pos);
    return it == m_ends.end() ? m_ends.size() - 1 : size_t(it - m_ends.begin());
}

void ChunkedText::recountFrom(size_t i)
{
    m_ends.resize(m_pieces.size());
    qsizetype end = pieceStart(i);
    for (; i < m_pieces.size(); ++i) {
        end += m_pieces[i].size();
        m_ends[i] = end;
    }
}

void ChunkedText::replace(qsizetype pos, qsizetype removed, QStringView inserted)
{
    pos = std::clamp<qsizetype>(pos, 0, size());
    removed = std::clamp<qsizetype>(removed, 0, size() - pos);
    if (removed == 0 && inserted.isEmpty())
        return;
    if (m_pieces.empty()) {
        cutInto(inserted, m_pieces);
        recountFrom(0);
        return;
    }
    const size_t first = pieceAt(pos);
    const size_t last = removed == 0 ? first : pieceAt(pos + removed - 1);
    const qsizetype start = pieceStart(first);
    if (first == last && m_pieces[first].size() - removed + inserted.size() <= 2 * PieceSize) {
        // The common case, a keystroke: one piece changes, the rest are untouched.
        m_pieces[first].replace(pos - start, removed, inserted.toString());
        if (m_pieces[first].isEmpty())
            m_pieces.erase(m_pieces.begin() + qsizetype(first));
        recountFrom(first);
        return;
    }
    // A larger change: the pieces it touches are put together and cut again.
    QString joined = m_pieces[first].left(pos - start);
    joined += inserted;
    const qsizetype endInLast = pos + removed - pieceStart(last);
    joined += QStringView(m_pieces[last]).mid(endInLast);
    std::vector<QString> cut;
    cutInto(joined, cut);
    m_pieces.erase(m_pieces.begin() + qsizetype(first), m_pieces.begin() + qsizetype(last) + 1);
    m_pieces.insert(m_pieces.begin() + qsizetype(first), cut.begin(), cut.end());
    recountFrom(first);
}

QString ChunkedText::mid(qsizetype pos, qsizetype length) const
{
    pos = std::clamp<qsizetype>(pos, 0, size());
    length = std::clamp<qsizetype>(length, 0, size() - pos);
    QString out;
    if (length == 0)
        return out;
    out.reserve(length);
    for (size_t i = pieceAt(pos); length > 0 && i < m_pieces.size(); ++i) {
        const qsizetype from = pos - pieceStart(i);
        const qsizetype take = std::min(length, m_pieces[i].size() - from);
        out += QStringView(m_pieces[i]).mid(from, take);
        pos += take;
        length -= take;
    }
    return out;
}

QString ChunkedText::toString() const
{
    if (m_pieces.size() == 1)
        return m_pieces.front();
    QString out;
    out.reserve(size());
    for (const QString &p : m_pieces)
        out += p;
    return out;
}

qsizetype ChunkedText::commonPrefix(QStringView other) const
{
    qsizetype done = 0;
    for (const QString &p : m_pieces) {
        const qsizetype n = std::min(p.size(), other.size() - done);
        if (n > 0 && std::memcmp(p.constData(), other.data() + done, size_t(n) * sizeof(QChar)) == 0) {
            done += n;
            if (n == p.size())
                continue;
            return done;
        }
        for (qsizetype k = 0; k < n && p[k] == other[done]; ++k)
            ++done;
        return done;
    }
    return done;
}

qsizetype ChunkedText::commonSuffix(QStringView other, qsizetype limit) const
{
    qsizetype done = 0;
    for (size_t i = m_pieces.size(); i-- > 0 && done < limit;) {
        const QString &p = m_pieces[i];
        const qsizetype n = std::min({p.size(), other.size() - done, limit - done});
        if (n > 0 && std::memcmp(p.constData() + p.size() - n, other.data() + other.size() - done - n,
                                 size_t(n) * sizeof(QChar)) == 0) {
            done += n;
            if (n == p.size())
                continue;
            return done;
        }
        for (qsizetype k = 1; k <= n && p[p.size() - k] == other[other.size() - done - 1]; ++k)
            ++done;
        return done;
    }
    return done;
}

bool ChunkedText::operator==(const ChunkedText &other) const
{
    if (size() != other.size())
        return false;
    // Walks both rows of pieces at once; copies of one text share their pieces,
    // so equal storage is taken as equal without reading it.
    size_t i = 0, j = 0;
    qsizetype a = 0, b = 0;
    while (i < m_pieces.size() && j < other.m_pieces.size()) {
        const QString &p = m_pieces[i], &q = other.m_pieces[j];
        const qsizetype n = std::min(p.size() - a, q.size() - b);
        if (p.constData() + a != q.constData() + b
            && std::memcmp(p.constData() + a, q.constData() + b, size_t(n) * sizeof(QChar)) != 0)
            return false;
        a += n;
        b += n;
        if (a == p.size()) {
            ++i;
            a = 0;
        }
        if (b == q.size()) {
            ++j;
            b = 0;
        }
    }
    return true;
}
