#include "LongLines.h"

namespace LongLines {

std::vector<int> cuts(QStringView line)
{
    std::vector<int> out;
    if (line.size() <= MaxRowChars)
        return out;
    constexpr int LookBack = 64;
    qsizetype start = 0;
    while (line.size() - start > RowChars) {
        qsizetype k = start + RowChars;
        for (qsizetype j = k; j > k - LookBack; --j) {
            if (line[j] == QLatin1Char(' ') || line[j] == QLatin1Char(',')) {
                k = j;
                break;
            }
        }
        while (k > start && line[k].isSurrogate())
            --k;
        if (k == start) { // a run of surrogates all the way back: look ahead instead
            k = start + RowChars;
            while (k < line.size() && line[k].isSurrogate())
                ++k;
            if (k >= line.size())
                break;
        }
        out.push_back(int(k));
        start = k + 1;
    }
    return out;
}

QString cutText(const QString &text, std::vector<Break> &breaks)
{
    breaks.clear();
    QString out = text;
    const QChar *data = text.constData();
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start <= size) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = size;
        if (end - start > MaxRowChars) {
            for (int k : cuts(QStringView(data + start, end - start))) {
                const qsizetype at = start + k;
                breaks.push_back({int(at), data[at].unicode()});
                out[at] = QLatin1Char('\n');
            }
        }
        start = end + 1;
    }
    return out;
}

} // namespace LongLines
