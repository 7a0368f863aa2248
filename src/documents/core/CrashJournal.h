#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

// What the file on disk looked like when the document last matched it.
struct DiskStamp {
    bool exists = false;
    qint64 size = -1;
    QDateTime modified;
    QByteArray hash; // SHA-1 of the bytes

    static DiskStamp of(const QString &path);
    static DiskStamp ofBytes(const QByteArray &bytes, const QDateTime &modified);
    bool operator==(const DiskStamp &o) const
    {
        return exists == o.exists && size == o.size && hash == o.hash;
    }
    bool operator!=(const DiskStamp &o) const { return !(*this == o); }
};

// One journal: the unsaved text of a document and where it belongs.
struct JournalEntry {
    QString originalPath;  // CurrentFileName ("Untitled" for a new document)
    bool hasFileName = false;
    QDateTime savedAt;     // when the journal was written (UTC)
    DiskStamp disk;        // the original file as the document last matched it
    int encoding = 0;      // TextEncoding of the original
    int lineBreak = 0;     // LineBreakStyle of the original
    bool finalBreak = true;
    QString text;          // '\n' between lines
    // When set, makes the text instead: putting a long text together takes
    // longer than a keystroke may, so it is done on the thread that writes.
    std::function<QString()> makeText;
};

namespace CrashJournal {

// The journal's bytes: a header of "key=value" lines, an empty line, the text in UTF-8.
QByteArray serialize(const JournalEntry &entry);
// Reads a journal; nothing when the bytes are not one.
std::optional<JournalEntry> parse(const QByteArray &bytes);

} // namespace CrashJournal
