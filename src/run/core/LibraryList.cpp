#include "run/core/LibraryList.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

QString LibraryEntry::displayText() const
{
    switch (origin) {
    case BesideProgram:
        return name + QStringLiteral("  (beside the program)");
    case Shipped:
        return name + QStringLiteral("  (shipped with Vormeld)");
    case LibraryFolder:
        break;
    }
    return name;
}

namespace LibraryList {

namespace {

QString withSeparator(const QString &folder)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

QStringList yabFiles(const QString &folder)
{
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("*.yab")});
    dir.setFilter(QDir::Files | QDir::Readable | QDir::Hidden);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

} // namespace

const QStringList &shippedLibraries()
{
    static const QStringList names = {QStringLiteral("qxdebug.yab")};
    return names;
}

QString libraryName(const QString &fileName)
{
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

QString libraryFolder(const QString &keyValue)
{
    return keyValue.isEmpty() ? withSeparator(QDir::currentPath()) : withSeparator(keyValue);
}

QList<LibraryEntry> fillLibraryList(const QString &libraryFolder, const QString &programFile,
                                    const QString &programFolder, bool withProgramFolders,
                                    QString *problem)
{
    QList<LibraryEntry> entries;
    QSet<QString> seen;
    const QString self = programFile.isEmpty() ? QString() : QFileInfo(programFile).canonicalFilePath();
    const auto add = [&](const QString &folder, const QString &fileName, LibraryEntry::Origin origin) {
        const QString canonical = QFileInfo(folder + fileName).canonicalFilePath();
        if (canonical.isEmpty() || canonical == self || seen.contains(canonical))
            return;
        seen.insert(canonical);
        entries.append({libraryName(fileName), fileName, folder, origin});
    };

    const QFileInfo folderInfo(libraryFolder);
    if (!folderInfo.exists()) {
        if (problem)
            *problem = QStringLiteral("The library folder %1 does not exist.").arg(libraryFolder);
    } else if (!folderInfo.isDir()) {
        if (problem)
            *problem = QStringLiteral("The library folder %1 is a file, not a folder.").arg(libraryFolder);
    } else {
        for (const QString &name : yabFiles(libraryFolder))
            add(libraryFolder, name, LibraryEntry::LibraryFolder);
    }
    if (!withProgramFolders)
        return entries;
    if (!programFile.isEmpty()) {
        const QString besideProgram = withSeparator(QFileInfo(programFile).absolutePath());
        for (const QString &name : yabFiles(besideProgram))
            add(besideProgram, name, LibraryEntry::BesideProgram);
    }
    for (const QString &name : shippedLibraries()) {
        if (QFileInfo(withSeparator(programFolder) + name).isFile())
            add(withSeparator(programFolder), name, LibraryEntry::Shipped);
    }
    return entries;
}

} // namespace LibraryList
