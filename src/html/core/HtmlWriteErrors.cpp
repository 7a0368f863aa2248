#include "html/core/HtmlWriteErrors.h"

#include "documents/core/FileErrors.h"

#include <QFileInfo>

#include <cerrno>

namespace HtmlPage {

namespace {
QString classicDescription(int number)
{
    switch (number) {
    case 53: return QStringLiteral("File not found");
    case 61: return QStringLiteral("Disk full");
    case 70: return QStringLiteral("Permission denied");
    case 75: return QStringLiteral("Path/File access error");
    case 76: return QStringLiteral("Path not found");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

} // namespace

HtmlFileResult failure(int number)
{
    return HtmlFileResult{false, number, classicDescription(number)};
}

int classifyWriteFailure(const QString &path, const QString &reason)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return FileErrors::PathNotFound;
    if (target.isDir())
        return FileErrors::AccessError;
    if (reason == qt_error_string(ENOSPC) || reason == QLatin1String("Not all bytes could be written"))
        return 61;
    if ((target.exists() && !target.isWritable()) || !folder.isWritable())
        return 70;
    return FileErrors::AccessError;
}

QString errorMessageText(const HtmlFileResult &result)
{
    return QStringLiteral("An Error has occured during the creation of the HTML file\r\n")
           + QString::number(result.number) + QStringLiteral(" - ") + result.description;
}

} // namespace HtmlPage
