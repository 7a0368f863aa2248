#include "platform/core/UserFiles.h"

#include <QDir>
#include <QFileInfo>

namespace UserFiles {

QString debugLogPath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\vormeldlg.dbg");
#else
    return QDir::homePath() + QStringLiteral("/.vormeldlg.dbg");
#endif
}

QString userDataFolder()
{
#ifdef Q_OS_WIN
    const QString base = qEnvironmentVariable("APPDATA", QDir::homePath());
#else
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    // As freedesktop.org's base-directory rules say: a relative value is ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
#endif
    return QDir::cleanPath(base) + QStringLiteral("/vormeld");
}

QString readableDataFile(const QString &name, const QString &programFolder)
{
    const QString own = userDataFolder() + QLatin1Char('/') + name;
    if (QFileInfo(own).isFile())
        return own;
    return QDir(programFolder).filePath(name);
}

QString writableDataFile(const QString &name, QString *error)
{
    const QString folder = userDataFolder();
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        if (error)
            *error = QStringLiteral("Could not create the folder %1.").arg(QDir::toNativeSeparators(folder));
        return {};
    }
    return folder + QLatin1Char('/') + name;
}

} // namespace UserFiles
