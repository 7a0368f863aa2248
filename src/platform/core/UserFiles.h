#pragma once

#include <QString>

// Files of the user's own that other programs share with Vormeld, and the data
// files a user edits (snippets, external tools).
namespace UserFiles {

// The debug log the shipped qxdebug library appends to: per user (a fixed name
// in a shared folder could be planted by someone else).
QString debugLogPath();

// The folder where Vormeld writes the data files a user edits:
// $XDG_DATA_HOME/vormeld (default ~/.local/share/vormeld). An installed program
// folder is read-only, so edits never go there.
QString userDataFolder();

// Where to read the data file `name` from: the user's copy when there is one,
// else the file shipped in the program folder (which may not exist either).
QString readableDataFile(const QString &name, const QString &programFolder);

// Where to write the data file `name`: always the user's data folder. The folder
// is created when missing; on failure *error (when given) says why and an empty
// string is returned.
QString writableDataFile(const QString &name, QString *error = nullptr);

} // namespace UserFiles
