#include "documents/core/CsvImport.h"

QString csvToDataLines(const QString &csv)
{
    QString out;
    out.reserve(csv.size() + csv.size() / 8 + 16);
    const qsizetype n = csv.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (csv.at(i) != QLatin1Char('\r'))
            continue;
        out += QStringLiteral("DATA ");
        out += QStringView(csv).mid(start, i - start);
        out += QLatin1Char('\n');
        if (i + 1 < n && csv.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n) {
        out += QStringLiteral("DATA ");
        out += QStringView(csv).mid(start);
        out += QLatin1Char('\n');
    }
    return out;
}
