#include "html/core/HtmlSettingsFile.h"

#include "common/core/TextCodes.h"
#include "platform/core/TextFile.h"

#include <QStringList>

namespace HtmlSettingsFile {

namespace {
// The lines of a settings file: each ends at CR LF (also at a lone CR or LF,
// for a file edited elsewhere); a final break does not start another line.
QStringList fileLines(const QString &text)
{
    QStringList lines;
    QString current;
    bool open = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            lines << current;
            current.clear();
            open = false;
        } else {
            current += c;
            open = true;
        }
    }
    if (open)
        lines << current;
    return lines;
}
} // namespace

QByteArray write(const HtmlSettingsFields &f)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString text = f.title + crlf + f.description + crlf + f.keywords + crlf
                         + encodeLineBreaks(f.sideBarText) + crlf
                         + QString::number(f.sideBarOn) + crlf;
    return text.toUtf8();
}

int checkValue(const QString &line)
{
    qsizetype i = 0;
    while (i < line.size() && (line.at(i) == QLatin1Char(' ') || line.at(i) == QLatin1Char('\t')))
        ++i;
    qint64 value = 0;
    for (; i < line.size() && line.at(i) >= QLatin1Char('0') && line.at(i) <= QLatin1Char('9'); ++i) {
        value = value * 10 + (line.at(i).unicode() - '0');
        if (value > 1000000)
            return 1000000; // large enough to be no valid box value, small enough for an int
    }
    return int(value);
}

HtmlSettingsFields read(const std::optional<QByteArray> &bytes)
{
    const QStringList lines = bytes ? fileLines(decodeBytes(*bytes)) : QStringList();
    QString value;
    const auto next = [&](int n) -> const QString & {
        if (n < lines.size())
            value = lines.at(n);
        return value;
    };
    HtmlSettingsFields f;
    f.title = next(0);
    f.description = next(1);
    f.keywords = next(2);
    f.sideBarText = decodeLineBreaks(next(3));
    f.sideBarOn = checkValue(next(4));
    return f;
}

HtmlSettingsFields load(const QString &path)
{
    QByteArray bytes;
    if (!readWholeFile(path, &bytes, qint64(16) * 1024 * 1024).ok)
        return read(std::nullopt);
    return read(bytes);
}

bool save(const QString &path, const HtmlSettingsFields &fields, QString *error)
{
    const FileResult r = writeWholeFileAtomic(path, write(fields));
    if (!r.ok && error)
        *error = r.error;
    return r.ok;
}

} // namespace HtmlSettingsFile
