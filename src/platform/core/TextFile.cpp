#include "platform/core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <optional>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

LineBreakStyle TextFileContent::nativeLineBreak()
{
#ifdef Q_OS_WIN
    return LineBreakStyle::CrLf;
#else
    return LineBreakStyle::Lf;
#endif
}

QString decodeBytes(const QByteArray &bytes, TextEncoding *encoding)
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

TextFileContent decodeTextFile(const QByteArray &bytes)
{
    TextFileContent c;
    const QString raw = decodeBytes(bytes, &c.encoding);

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
        c.lineBreak = TextFileContent::nativeLineBreak();
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

bool encodeTextFile(const TextFileContent &content, QByteArray *out, QChar *badChar)
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

FileResult readWholeFile(const QString &path, QByteArray *bytes, qint64 maxBytes)
{
    FileResult r;
    const QFileInfo info(path);
    if (info.isDir()) {
        r.error = QStringLiteral("Is a folder");
        return r;
    }
    // Opening a pipe or a device would wait for a writer, or read forever.
    if (info.exists() && !info.isFile()) {
        r.error = QStringLiteral("Not a regular file (a pipe, device or socket)");
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

namespace {
FileResult writeWithSaveFile(const QString &path, const QByteArray &bytes)
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

#ifdef Q_OS_LINUX
QString systemError(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// Our own temporary names: hidden, marked, and naming the process that made them.
QString tempPrefix(const QString &name)
{
    return QLatin1Char('.') + name + QStringLiteral(".vormeld-save-");
}

// A save killed at the wrong moment can leave one of our temporary names behind;
// the next save to the same file removes those whose process is gone.
void removeStaleTemps(const QString &dir, const QString &name)
{
    const QString prefix = tempPrefix(name);
    const QStringList found = QDir(dir).entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &f : found) {
        const qint64 pid = QStringView(f).mid(prefix.size()).split(QLatin1Char('-')).value(0).toLongLong();
        if (pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            QFile::remove(QDir(dir).filePath(f));
    }
}

// Writes into an unnamed file of the target's folder and only then gives it the
// target's name, so the target is always either the old or the new file.
// Returns nothing when the folder cannot hold unnamed files (the caller then
// uses QSaveFile).
std::optional<FileResult> writeUnnamedThenRename(const QString &path, const QByteArray &bytes)
{
    FileResult r;
    const QFileInfo info(path);
    const QString dir = info.absolutePath();
    const QString name = info.fileName();
    const QByteArray dirName = QFile::encodeName(dir);
    const int dfd = ::open(dirName.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0) {
        r.error = systemError(errno);
        return r;
    }
    const int fd = ::openat(dfd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int err = errno;
        ::close(dfd);
        if (err == EOPNOTSUPP || err == EISDIR || err == EINVAL || err == ENOENT)
            return std::nullopt;
        r.error = systemError(err);
        return r;
    }
    auto fail = [&](int err) {
        ::close(fd);
        ::close(dfd);
        r.error = systemError(err);
        return r;
    };
    // Every byte, or the save fails (a full disk gives short writes).
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        if (n == 0)
            return fail(ENOSPC);
        p += n;
        left -= n;
    }
    if (::fsync(fd) != 0)
        return fail(errno);
    // Keep the permissions of the file it replaces.
    struct stat st;
    if (::fstatat(dfd, QFile::encodeName(name).constData(), &st, 0) == 0)
        ::fchmod(fd, st.st_mode & 07777);
    const QString temp = tempPrefix(name) + QString::number(::getpid()) + QLatin1Char('-')
                         + QString::number(QRandomGenerator::global()->generate(), 16);
    const QByteArray tempName = QFile::encodeName(temp);
    const QByteArray procPath = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, procPath.constData(), dfd, tempName.constData(), AT_SYMLINK_FOLLOW) != 0)
        return fail(errno);
    if (::renameat(dfd, tempName.constData(), dfd, QFile::encodeName(name).constData()) != 0) {
        const int err = errno;
        ::unlinkat(dfd, tempName.constData(), 0);
        return fail(err);
    }
    ::fsync(dfd);
    ::close(fd);
    ::close(dfd);
    r.ok = true;
    return r;
}
#endif
} // namespace

FileResult writeWholeFileAtomic(const QString &requestedPath, const QByteArray &bytes)
{
    // A link is written through: the file it points to gets the new bytes.
    QString path = requestedPath;
    const QFileInfo requested(requestedPath);
    if (requested.isSymLink() && requested.exists())
        path = requested.canonicalFilePath();
    const QFileInfo info(path);
    FileResult r;
    if (info.isDir()) {
        r.error = QStringLiteral("Is a folder");
        return r;
    }
    if (info.exists() && !info.isWritable()) {
        r.error = QStringLiteral("The file is read-only");
        return r;
    }
#ifdef Q_OS_LINUX
    removeStaleTemps(info.absolutePath(), info.fileName());
    if (std::optional<FileResult> done = writeUnnamedThenRename(path, bytes))
        return *done;
#endif
    return writeWithSaveFile(path, bytes);
}

FileResult readTextFile(const QString &path, TextFileContent *content)
{
    QByteArray bytes;
    FileResult r = readWholeFile(path, &bytes);
    if (r.ok)
        *content = decodeTextFile(bytes);
    return r;
}

FileResult writeTextFile(const QString &path, const TextFileContent &content)
{
    QByteArray bytes;
    QChar bad;
    if (!encodeTextFile(content, &bytes, &bad)) {
        FileResult r;
        r.error = QStringLiteral("The character U+%1 cannot be stored in this file's encoding")
                      .arg(QString::number(bad.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        return r;
    }
    return writeWholeFileAtomic(path, bytes);
}
