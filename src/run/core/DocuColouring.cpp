#include "run/core/DocuColouring.h"

namespace DocuColouring {

QList<Range> ranges(const QString &text)
{
    QList<Range> out;
    const QChar lf(QLatin1Char('\n'));
    const qsizetype firstBreak = text.indexOf(lf);
    if (firstBreak > 0)
        out.append({0, firstBreak, Range::Title});

    // The first line after a break that begins with " * ".
    if (const qsizetype usage = text.indexOf(QStringLiteral("\n * ")); usage >= 0) {
        const qsizetype end = text.indexOf(lf, usage + 1);
        if (end >= 0)
            out.append({usage + 1, end - usage - 1, Range::Usage});
    }

    // The lines after the first break (one at the very start of the text or
    // after a one-character first line is passed over) whose text begins with "- ".
    for (qsizetype n = text.indexOf(lf, 2); n >= 0;) {
        const qsizetype start = n + 1;
        const qsizetype end = text.indexOf(lf, start);
        if (end < 0)
            break;
        qsizetype first = start;
        while (first < end && text.at(first) == QLatin1Char(' '))
            ++first;
        if (text.mid(first, 2) == QLatin1String("- ") && first + 2 <= end)
            out.append({start, end - start, Range::Item});
        n = end;
    }
    return out;
}

} // namespace DocuColouring
