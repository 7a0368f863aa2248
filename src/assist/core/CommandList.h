#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One entry of the language helper's command list (yabcomds.dat).
struct CommandEntry {
    QString command;    // the text listed
    QString insertText; // typed into the editor by a double-click; empty: nothing
    QString format;     // shown under "Format:"; empty: no format
};

namespace CommandList {

// More entries than anyone writes by hand; a file that holds more is not a
// command list, and listing millions of lines would only freeze the window.
constexpr int MaxEntries = 20000;

// The fields of a comma-delimited data file, in order. Fields end at a comma or
// a line end; blanks before a field are skipped, and after an unquoted field
// taken off. A field in double quotes runs to its closing quote and may hold
// commas; text between the closing quote and the next comma is passed over. A
// quote that never closes ends with its line, so one slip does not swallow the
// rest of the file. Blank lines hold no field. Reading stops after maxFields
// fields (when not negative).
QStringList readFields(const QString &text, qsizetype maxFields = -1);

// The first four "@" of a field become double quotes; any further "@" stays.
QString convertAtSigns(QString field);

struct Contents {
    QList<CommandEntry> entries;
    bool cutShort = false; // the file held more than MaxEntries entries
};

// Three fields make one entry; an entry cut short by the end of the file gets
// empty fields.
Contents parse(const QString &text);

// Reads the file; a missing or unreadable file gives an empty list.
Contents load(const QString &path);

} // namespace CommandList
