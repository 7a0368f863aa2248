#include "assist/core/TipFile.h"

#include "platform/core/TextFile.h"

#include <QFileInfo>

namespace TipFile {

QStringList parse(const QString &text)
{
    QStringList tips;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        tips << text.mid(start, end - start);
        if (end + 1 < n && text[end] == QLatin1Char('\r') && text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    return tips;
}

bool load(const QString &path, QStringList *tips)
{
    if (!QFileInfo(path).isFile())
        return false;
    QByteArray bytes;
    if (!readWholeFile(path, &bytes).ok)
        return false;
    *tips = parse(decodeBytes(bytes));
    return true;
}

int pick(int count, double r)
{
    if (count <= 0)
        return 0;
    return qBound(1, int(count * r + 1), count);
}

} // namespace TipFile
