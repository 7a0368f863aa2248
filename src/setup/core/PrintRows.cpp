#include "setup/core/PrintRows.h"

namespace PrintRows {

QStringList sourceLines(const QString &text)
{
    QStringList lines = text.contains(QLatin1Char('\r'))
                            ? QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'))
                            : text.split(QLatin1Char('\n'));
    lines << QString();
    return lines;
}

QStringList wrap(const QString &line, int columns)
{
    QString expanded;
    if (line.contains(QLatin1Char('\t'))) {
        for (const QChar c : line) {
            if (c == QLatin1Char('\t'))
                expanded += QString(8 - expanded.size() % 8, QLatin1Char(' '));
            else
                expanded += c;
        }
    } else {
        expanded = line;
    }
    columns = std::max(columns, int(ContinuationMark.size()) + 1);
    if (expanded.size() <= columns)
        return {expanded};
    QStringList rows = {expanded.left(columns)};
    const int room = columns - int(ContinuationMark.size());
    for (qsizetype at = columns; at < expanded.size(); at += room)
        rows << ContinuationMark + expanded.mid(at, room);
    return rows;
}

} // namespace PrintRows
