#include "documents/core/CrashJournal.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {
const QByteArray Magic = "VORMELD-JOURNAL 1";

QByteArray enc(const QString &s)
{
    return QUrl::toPercentEncoding(s);
}

QString dec(const QByteArray &b)
{
    return QUrl::fromPercentEncoding(b);
}
} // namespace

DiskStamp DiskStamp::ofBytes(const QByteArray &bytes, const QDateTime &modified)
{
    DiskStamp s;
    s.exists = true;
    s.size = bytes.size();
    s.modified = modified;
    s.hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
    return s;
}

DiskStamp DiskStamp::of(const QString &path)
{
    const QFileInfo info(path);
    DiskStamp s;
    if (!info.isFile())
        return s;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return s;
    QCryptographicHash h(QCryptographicHash::Sha1);
    h.addData(&f);
    s.exists = true;
    s.size = info.size();
    s.modified = info.lastModified();
    s.hash = h.result();
    return s;
}

namespace CrashJournal {

QByteArray serialize(const JournalEntry &e)
{
    QByteArray out = Magic + '\n';
    auto line = [&out](const char *key, const QByteArray &value) {
        out += key;
        out += '=';
        out += value;
        out += '\n';
    };
    line("path", enc(e.originalPath));
    line("named", e.hasFileName ? "1" : "0");
    line("saved", e.savedAt.toUTC().toString(Qt::ISODateWithMs).toLatin1());
    line("disk-exists", e.disk.exists ? "1" : "0");
    line("disk-size", QByteArray::number(e.disk.size));
    line("disk-modified", e.disk.modified.toUTC().toString(Qt::ISODateWithMs).toLatin1());
    line("disk-sha1", e.disk.hash.toHex());
    line("encoding", QByteArray::number(e.encoding));
    line("linebreak", QByteArray::number(e.lineBreak));
    line("finalbreak", e.finalBreak ? "1" : "0");
    const QByteArray text = (e.makeText ? e.makeText() : e.text).toUtf8();
    line("text-bytes", QByteArray::number(text.size()));
    out += '\n';
    out += text;
    return out;
}

std::optional<JournalEntry> parse(const QByteArray &bytes)
{
    if (!bytes.startsWith(Magic + '\n'))
        return std::nullopt;
    const qsizetype headerEnd = bytes.indexOf("\n\n", Magic.size());
    if (headerEnd < 0)
        return std::nullopt;
    JournalEntry e;
    qint64 textBytes = -1;
    bool havePath = false;
    const QList<QByteArray> lines = bytes.mid(Magic.size() + 1, headerEnd - Magic.size() - 1).split('\n');
    for (const QByteArray &l : lines) {
        const qsizetype eq = l.indexOf('=');
        if (eq <= 0)
            return std::nullopt;
        const QByteArray key = l.left(eq);
        const QByteArray value = l.mid(eq + 1);
        if (key == "path") {
            e.originalPath = dec(value);
            havePath = true;
        } else if (key == "named") {
            e.hasFileName = value == "1";
        } else if (key == "saved") {
            e.savedAt = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
        } else if (key == "disk-exists") {
            e.disk.exists = value == "1";
        } else if (key == "disk-size") {
            e.disk.size = value.toLongLong();
        } else if (key == "disk-modified") {
            e.disk.modified = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
        } else if (key == "disk-sha1") {
            e.disk.hash = QByteArray::fromHex(value);
        } else if (key == "encoding") {
            e.encoding = std::clamp(value.toInt(), 0, 1);
        } else if (key == "linebreak") {
            e.lineBreak = std::clamp(value.toInt(), 0, 2);
        } else if (key == "finalbreak") {
            e.finalBreak = value != "0";
        } else if (key == "text-bytes") {
            bool ok = false;
            textBytes = value.toLongLong(&ok);
            if (!ok)
                return std::nullopt;
        }
        // Unknown keys are passed over: a later version may add some.
    }
    const QByteArray text = bytes.mid(headerEnd + 2);
    // A journal cut short (the disk filled up, the machine went down) is not offered as whole.
    if (!havePath || textBytes != text.size())
        return std::nullopt;
    e.text = QString::fromUtf8(text);
    return e;
}

} // namespace CrashJournal
