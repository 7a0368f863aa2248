#pragma once

#include "platform/core/TextFile.h"

#include <QList>
#include <QString>

// One named piece of code of the snippet library. The code keeps CR LF line
// breaks, as the file stores them.
struct Snippet {
    QString title;
    QString code;
    bool operator==(const Snippet &o) const { return title == o.title && code == o.code; }
};

// Snips.dat: one line per snippet, "title","code" CR LF. A double quote in
// either field is stored as character 14; in the code CR and LF are stored as
// characters 7 and 8, so a snippet of several lines stays on one line.
namespace SnippetFile {

QList<Snippet> parse(const QString &text);
QString format(const QList<Snippet> &snippets);

// Reads the library. False, with the reason in *error, when the file cannot be
// read; *encoding says how the text was stored.
bool read(const QString &path, QList<Snippet> *snippets, TextEncoding *encoding, QString *error = nullptr);

// Writes the library atomically, in the encoding it was read with when that
// holds every character, else in UTF-8.
FileResult write(const QString &path, const QList<Snippet> &snippets, TextEncoding encoding);

} // namespace SnippetFile
