#pragma once

#include <QString>

// The log that the interpreter-side library qxdebug writes and the debug view shows.
namespace DebugLog {

// Where the log is: $HOME/.vormeldlg.dbg here, C:\vormeldlg.dbg on Windows.
QString path();

struct Contents {
    bool ok = false;       // false: missing or unreadable, the view keeps its text
    QString text;
    bool shortened = false; // only the end of a very large log is in text
};

// Reads the whole log, or its last maxBytes when it is larger (a note in front
// says so). Decoded as UTF-8 when valid, else byte for byte.
Contents read(const QString &path, qint64 maxBytes = 1024 * 1024);

// Deletes the log; a missing log is no error.
void clear(const QString &path);

} // namespace DebugLog
