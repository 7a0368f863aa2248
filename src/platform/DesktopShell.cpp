#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

bool DesktopShell::isAddress(const QString &target)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:(//|[^\\\\/])"));
    return scheme.match(target).hasMatch();
}

int DesktopShell::open(const QString &target)
{
    QUrl url;
    if (isAddress(target)) {
        url = QUrl(target);
    } else {
        QString path = target;
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QFileInfo info(path);
        if (!info.exists())
            return QFileInfo(info.absolutePath()).isDir() ? ShellResult::FileNotFound
                                                          : ShellResult::PathNotFound;
        url = QUrl::fromLocalFile(info.absoluteFilePath());
    }
    return QDesktopServices::openUrl(url) ? ShellResult::Success : ShellResult::NoAssociation;
}
