#include "editor/core/HotInfo.h"

#include <QStringList>

namespace {
// Splits the file into fields the way sequential record input reads them: a
// field ends at a comma or a line break; leading blanks are skipped (trailing
// ones are kept); a field
// that starts with a double quote runs to the closing quote, and anything after
// that up to the next comma or line end is dropped.
QStringList readFields(const QString &text)
{
    QStringList fields;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto atLineEnd = [&](qsizetype k) { return k < n && (text[k] == '\r' || text[k] == '\n'); };
    auto skipLineEnd = [&](qsizetype &k) {
        if (k < n && text[k] == '\r')
            ++k;
        if (k < n && text[k] == '\n')
            ++k;
    };
    while (i < n) {
        // Skip blanks and empty lines before a field.
        while (i < n && (text[i] == ' ' || text[i] == '\t' || atLineEnd(i)))
            ++i;
        if (i >= n)
            break;
        QString field;
        if (text[i] == '"') {
            const qsizetype close = text.indexOf('"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            field = text.mid(i + 1, end - i - 1);
            i = end + 1;
            while (i < n && text[i] != ',' && !atLineEnd(i))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && text[i] != ',' && !atLineEnd(i))
                ++i;
            field = text.mid(start, i - start); // trailing blanks belong to the field
        }
        fields << field;
        if (i < n && text[i] == ',') {
            ++i;
            // A comma at the end of a line leaves an empty field behind it.
            qsizetype k = i;
            while (k < n && (text[k] == ' ' || text[k] == '\t'))
                ++k;
            if (k >= n || atLineEnd(k)) {
                fields << QString();
                i = k;
                skipLineEnd(i);
            }
        } else {
            skipLineEnd(i);
        }
    }
    return fields;
}
} // namespace

HotInfoTable HotInfoTable::parse(const QString &fileText)
{
    HotInfoTable table;
    const QStringList fields = readFields(fileText);
    for (qsizetype f = 0; f < fields.size(); f += 3) {
        if (int(table.m_entries.size()) == Capacity) {
            ++table.m_ignored;
            continue;
        }
        HotInfoEntry e;
        e.Word = fields.at(f);
        e.Length = f + 1 < fields.size() ? fields.at(f + 1).trimmed().toInt() : 0;
        e.text = f + 2 < fields.size() ? fields.at(f + 2) : QString();
        table.m_entries.push_back(e);
    }
    return table;
}

int HotInfoTable::lookup(const QString &tail) const
{
    if (tail.size() < 10)
        return -1;
    const QString upper = tail.right(10).toUpper();
    int found = -1;
    for (int i = 0; i < int(m_entries.size()); ++i) {
        const HotInfoEntry &e = m_entries[i];
        if (e.Word.isEmpty())
            break;
        if (e.Length >= 0 && upper.right(e.Length) == e.Word)
            found = i;
    }
    return found;
}
