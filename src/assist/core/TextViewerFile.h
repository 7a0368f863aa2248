#pragma once

#include <QString>
#include <QStringList>

// What the text viewer shows for a file: its whole text, or the two-line error
// text with the error's number.
namespace TextViewerFile {

enum Error {
    NoError = 0,
    OutOfMemory = 7, // a file too large to show whole
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    TooManyFiles = 67,
    DiskNotReady = 71,
    AccessError = 75,
    PathNotFound = 76,
};

struct Contents {
    bool ok = false;
    QString text;  // the file's text, or the error text
    int error = NoError;
};

// Files larger than this are not shown whole (the viewer would freeze).
constexpr qint64 MaxBytes = qint64(32) * 1024 * 1024;

Contents read(const QString &path);

// "A Error has occured while trying to open the requested file", CR LF, and the
// error's own line.
QString errorText(int error);

// The error text for a file looked for in several places, naming them.
QString notFoundText(int error, const QStringList &pathsTried);

} // namespace TextViewerFile
