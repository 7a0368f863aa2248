#include "run/core/ScreenMode.h"

#include <QRegularExpression>

namespace {
// The program with string contents and comments blanked out, lower case.
QString codeOnly(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool inString = false;
    bool inComment = false;
    bool lineStart = true; // only blanks so far on this statement
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')) {
            inString = inComment = false;
            lineStart = true;
            out += c;
            continue;
        }
        if (inComment) {
            continue;
        }
        if (inString) {
            if (c == QLatin1Char('"'))
                inString = false;
            continue;
        }
        if (c == QLatin1Char('"')) {
            inString = true;
            out += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char(':')) {
            lineStart = true;
            out += c;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('/')) {
            inComment = true;
            continue;
        }
        if (lineStart && (c == QLatin1Char('#') || c == QLatin1Char('\''))) {
            inComment = true;
            continue;
        }
        if (lineStart && c.isLetter() && text.mid(i, 3).compare(QLatin1String("rem"), Qt::CaseInsensitive) == 0
            && (i + 3 >= text.size() || !text.at(i + 3).isLetterOrNumber())) {
            inComment = true;
            continue;
        }
        if (!c.isSpace())
            lineStart = false;
        out += c.toLower();
    }
    return out;
}
} // namespace

bool usesScreenMode(const QString &programText)
{
    static const QRegularExpression screen(QStringLiteral(
        "\\bclear\\s+screen\\b|\\binkey\\$|\\bgetscreen\\$|\\bputscreen\\b"
        "|(\\bprint\\b|\\?)[^:\\n]*?(\\bat\\s*\\(|@\\s*\\(|\\bcolou?r\\s*\\(|\\breverse\\b)"));
    return screen.match(codeOnly(programText)).hasMatch();
}
