#pragma once

#include <QList>
#include <QString>

// One library the explorer lists.
struct LibraryEntry {
    enum Origin {
        LibraryFolder, // the interpreter's library folder
        BesideProgram, // beside the open program: import finds it there first
        Shipped,       // shipped beside Vormeld itself
    };
    QString name;     // what import names: the file name up to its first '.'
    QString fileName; // e.g. "a.b.yab"
    QString folder;   // with a trailing separator
    Origin origin = LibraryFolder;

    QString filePath() const { return folder + fileName; }
    // The list's text: the name, marked when it is not from the library folder.
    QString displayText() const;
};

namespace LibraryList {

inline const QString NoLibrary = QStringLiteral("(No Library)");

// The libraries Vormeld ships beside its executable.
const QStringList &shippedLibraries();

// The part of a file name before its first '.' (the whole name without one).
QString libraryName(const QString &fileName);

// The folder as the explorer shows and uses it: with a trailing separator; an
// empty folder stands for the current folder.
QString libraryFolder(const QString &keyValue);

// The .yab files of the library folder, sorted by name, then, when
// withProgramFolders, those beside the open program (programFile, may be empty;
// the program itself is left out) and the shipped ones in programFolder. A file
// reached twice is listed once. *problem (when given) says why the library
// folder gave nothing when it does not exist or is no folder.
QList<LibraryEntry> fillLibraryList(const QString &libraryFolder, const QString &programFile,
                                    const QString &programFolder, bool withProgramFolders,
                                    QString *problem = nullptr);

} // namespace LibraryList
