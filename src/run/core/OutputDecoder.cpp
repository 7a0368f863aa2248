#include "run/core/OutputDecoder.h"

#include <QStringDecoder>

namespace {
// How many bytes at the end start a UTF-8 sequence that is not complete yet.
qsizetype incompleteTail(const QByteArray &b)
{
    const qsizetype n = b.size();
    for (qsizetype back = 1; back <= 3 && back <= n; ++back) {
        const uchar c = uchar(b.at(n - back));
        if ((c & 0xC0) == 0x80)
            continue; // a continuation byte: look further back
        const int need = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
        return need > back ? back : 0;
    }
    return 0;
}
} // namespace

QString OutputDecoder::decode(const QByteArray &piece)
{
    QByteArray bytes = m_held + piece;
    const qsizetype tail = incompleteTail(bytes);
    m_held = bytes.right(tail);
    bytes.chop(tail);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

QString OutputDecoder::finish()
{
    const QString rest = QString::fromLatin1(m_held);
    m_held.clear();
    return rest;
}
