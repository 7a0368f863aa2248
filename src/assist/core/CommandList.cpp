#include "assist/core/CommandList.h"

#include "platform/core/TextFile.h"

namespace CommandList {

namespace {
bool isLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }
bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
} // namespace

QStringList readFields(const QString &text, qsizetype maxFields)
{
    QStringList fields;
    const qsizetype n = text.size();
    qsizetype pos = 0;
    // A byte-order mark is not part of the first field.
    if (n > 0 && text.at(0) == QChar(0xFEFF))
        pos = 1;
    bool afterComma = false; // a comma was read, so one more field follows
    while (pos < n && (maxFields < 0 || fields.size() < maxFields)) {
        while (pos < n && isBlank(text.at(pos)))
            ++pos;
        if (pos >= n)
            break;
        const QChar c = text.at(pos);
        if (isLineEnd(c)) {
            if (afterComma)
                fields << QString();
            afterComma = false;
            pos += (c == QLatin1Char('\r') && pos + 1 < n && text.at(pos + 1) == QLatin1Char('\n')) ? 2 : 1;
            continue;
        }
        QString field;
        if (c == QLatin1Char('"')) {
            const qsizetype start = ++pos;
            while (pos < n && text.at(pos) != QLatin1Char('"') && !isLineEnd(text.at(pos)))
                ++pos;
            field = text.mid(start, pos - start);
            if (pos < n && text.at(pos) == QLatin1Char('"'))
                ++pos;
            while (pos < n && text.at(pos) != QLatin1Char(',') && !isLineEnd(text.at(pos)))
                ++pos;
        } else {
            const qsizetype start = pos;
            while (pos < n && text.at(pos) != QLatin1Char(',') && !isLineEnd(text.at(pos)))
                ++pos;
            qsizetype end = pos;
            while (end > start && isBlank(text.at(end - 1)))
                --end;
            field = text.mid(start, end - start);
        }
        fields << field;
        afterComma = pos < n && text.at(pos) == QLatin1Char(',');
        if (afterComma)
            ++pos;
    }
    if (afterComma && (maxFields < 0 || fields.size() < maxFields))
        fields << QString();
    return fields;
}

QString convertAtSigns(QString field)
{
    int left = 4;
    for (QChar &c : field) {
        if (left == 0)
            break;
        if (c == QLatin1Char('@')) {
            c = QLatin1Char('"');
            --left;
        }
    }
    return field;
}

Contents parse(const QString &text)
{
    // One field more than the entries hold tells whether the file goes on.
    const QStringList fields = readFields(text, qsizetype(MaxEntries) * 3 + 1);
    Contents out;
    out.cutShort = fields.size() > qsizetype(MaxEntries) * 3;
    const qsizetype count = std::min<qsizetype>((fields.size() + 2) / 3, MaxEntries);
    out.entries.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const auto field = [&](qsizetype k) {
            return 3 * i + k < fields.size() ? convertAtSigns(fields.at(3 * i + k)) : QString();
        };
        out.entries.append({field(0), field(1), field(2)});
    }
    return out;
}

Contents load(const QString &path)
{
    QByteArray bytes;
    if (!readWholeFile(path, &bytes).ok)
        return {};
    return parse(decodeBytes(bytes));
}

} // namespace CommandList
