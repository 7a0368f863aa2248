#include "platform/core/SystemPlaces.h"

QString packageDocFolder(const QString &package)
{
#ifdef Q_OS_WIN
    Q_UNUSED(package)
    return {};
#else
    return QStringLiteral("/usr/share/doc/") + package + QLatin1Char('/');
#endif
}

ProgramBrowseSetup programBrowse()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("*.exe"), QStringLiteral(".exe"),
            QStringLiteral("Program (*.exe)|*.exe|All files (*.*)|*.*")};
#else
    return {QString(), QString(), QStringLiteral("All files (*)|*")};
#endif
}
