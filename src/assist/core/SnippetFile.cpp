#include "assist/core/SnippetFile.h"

#include "assist/core/CommandList.h"
#include "common/core/TextCodes.h"

#include <algorithm>

namespace SnippetFile {

QList<Snippet> parse(const QString &text)
{
    const QStringList fields = CommandList::readFields(text);
    QList<Snippet> out;
    out.reserve((fields.size() + 1) / 2);
    for (qsizetype i = 0; i < fields.size(); i += 2) {
        const QString code = i + 1 < fields.size() ? fields.at(i + 1) : QString();
        out.append({decodeQuotes(fields.at(i)), decodeLineBreaks(decodeQuotes(code))});
    }
    return out;
}

QString format(const QList<Snippet> &snippets)
{
    QString out;
    for (const Snippet &s : snippets) {
        out += QLatin1Char('"') + encodeQuotes(s.title) + QStringLiteral("\",\"")
               + encodeLineBreaks(encodeQuotes(s.code)) + QStringLiteral("\"\r\n");
    }
    return out;
}

bool read(const QString &path, QList<Snippet> *snippets, TextEncoding *encoding, QString *error)
{
    QByteArray bytes;
    const FileResult r = readWholeFile(path, &bytes);
    if (!r.ok) {
        if (error)
            *error = r.error;
        return false;
    }
    *snippets = parse(decodeBytes(bytes, encoding));
    return true;
}

FileResult write(const QString &path, const QList<Snippet> &snippets, TextEncoding encoding)
{
    const QString text = format(snippets);
    const bool latin1 = encoding == TextEncoding::Latin1
                        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 256; });
    return writeWholeFileAtomic(path, latin1 ? text.toLatin1() : text.toUtf8());
}

} // namespace SnippetFile
