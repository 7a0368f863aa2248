#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

LineBreakStyle TextFileContent::NativeLineBreak()
{
#ifdef Q_OS_WIN
    return LineBreakStyle::CrLf;
#else
    return LineBreakStyle::Lf;
#endif
}

QString DecodeBytes(const QByteArray &bytes, TextEncoding *encoding)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless
                                                  | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (encoding)
            *encoding = TextEncoding::Utf8;
        return text;
    }
    if (encoding)
        *encoding = TextEncoding::Latin1;
    return QString::fromLatin1(bytes);
}

TextFileContent DecodeTextFile(const QByteArray &bytes)
{
    TextFileContent c;
    const QString raw = DecodeBytes(bytes, &c.encoding);

    qsizetype crlf = 0, lf = 0, cr = 0;
    QString text;
    text.reserve(raw.size());
    const QChar *d = raw.constData();
    const qsizetype n = raw.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = d[i];
        if (ch == QLatin1Char('\r')) {
            if (i + 1 < n && d[i + 1] == QLatin1Char('\n')) {
                ++crlf;
                ++i;
            } else {
                ++cr;
            }
            text += QLatin1Char('\n');
        } else if (ch == QLatin1Char('\n')) {
            ++lf;
            text += QLatin1Char('\n');
        } else {
            text += ch;
        }
    }
    const int kinds = (crlf > 0) + (lf > 0) + (cr > 0);
    c.mixedBreaks = kinds > 1;
    if (kinds == 0)
        c.lineBreak = TextFileContent::NativeLineBreak();
    else if (crlf >= lf && crlf >= cr)
        c.lineBreak = LineBreakStyle::CrLf;
    else if (lf >= cr)
        c.lineBreak = LineBreakStyle::Lf;
    else
        c.lineBreak = LineBreakStyle::Cr;

    c.finalBreak = text.endsWith(QLatin1Char('\n'));
    if (c.finalBreak)
        text.chop(1);
    c.text = text;
    return c;
}

bool EncodeTextFile(const TextFileContent &content, QByteArray *out, QChar *badChar)
{
    QString text = content.text;
    if (content.finalBreak)
        text += QLatin1Char('\n');
    switch (content.lineBreak) {
    case LineBreakStyle::CrLf:
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        break;
    case LineBreakStyle::Cr:
        text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
        break;
    case LineBreakStyle::Lf:
        break;
    }
    if (content.encoding == TextEncoding::Latin1) {
        for (const QChar ch : std::as_const(text)) {
            if (ch.unicode() > 0xFF) {
                if (badChar)
                    *badChar = ch;
                return false;
            }
        }
        *out = text.toLatin1();
        return true;
    }
    QStringEncoder enc(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QByteArray bytes = enc.encode(text);
    if (enc.hasError()) {
        // Only a lone surrogate cannot be written as UTF-8.
        if (badChar) {
            for (qsizetype i = 0; i < text.size(); ++i) {
                const QChar ch = text.at(i);
                if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                    ++i;
                } else if (ch.isSurrogate()) {
                    *badChar = ch;
                    break;
                }
            }
        }
        return false;
    }
    *out = std::move(bytes);
    return true;
}

FileResult ReadWholeFile(const QString &path, QByteArray *bytes, qint64 maxBytes)
{
    FileResult r;
    const QFileInfo info(path);
    if (info.isDir()) {
        r.error = QStringLiteral("Is a folder");
        return r;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = f.errorString();
        return r;
    }
    if (f.size() > maxBytes) {
        r.error = QStringLiteral("File too large");
        return r;
    }
    *bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        r.error = f.errorString();
        return r;
    }
    r.ok = true;
    return r;
}

FileResult WriteWholeFileAtomic(const QString &path, const QByteArray &bytes)
{
    FileResult r;
    QSaveFile f(path);
    // Unbuffered: write() then reports what really reached the file. A buffered
    // write always "succeeds", and a short write at the final flush on a full
    // disk went unnoticed, so commit() replaced the file with a truncated one.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        r.error = f.errorString();
        return r;
    }
    // On a full disk write() can return a short count without an error; never
    // commit a file that did not take every byte.
    const qint64 written = f.write(bytes);
    if (written != bytes.size()) {
        r.error = f.errorString().isEmpty() ? QStringLiteral("Not all bytes could be written")
                                            : f.errorString();
        f.cancelWriting();
        return r;
    }
    if (!f.commit()) {
        r.error = f.errorString();
        return r;
    }
    r.ok = true;
    return r;
}

FileResult ReadTextFile(const QString &path, TextFileContent *content)
{
    QByteArray bytes;
    FileResult r = ReadWholeFile(path, &bytes);
    if (r.ok)
        *content = DecodeTextFile(bytes);
    return r;
}

FileResult WriteTextFile(const QString &path, const TextFileContent &content)
{
    QByteArray bytes;
    QChar bad;
    if (!EncodeTextFile(content, &bytes, &bad)) {
        FileResult r;
        r.error = QStringLiteral("The character U+%1 cannot be stored in this file's encoding")
                      .arg(QString::number(bad.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        return r;
    }
    return WriteWholeFileAtomic(path, bytes);
}
