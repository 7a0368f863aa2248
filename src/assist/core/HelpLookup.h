#pragma once

#include <QString>
#include <QStringList>

// Where the interpreter's own documents are looked for: its folder first (where
// the Windows installer puts them), then the distribution's documentation
// folder (where a Linux package puts them, under other names).
namespace HelpLookup {

enum class YabasicDocument { Manual, Readme, Copying };

// Every path to try, in order. interpreterFolder and docFolder end with a
// separator or are empty (then they are left out).
QStringList candidates(YabasicDocument document, const QString &interpreterFolder, const QString &docFolder);

// The first candidate that is a file, or empty.
QString firstExisting(const QStringList &candidates);

} // namespace HelpLookup
