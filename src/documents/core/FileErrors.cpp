#include "documents/core/FileErrors.h"

#include "platform/core/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace FileErrors {

QString reasonLine(int code)
{
    switch (code) {
    case NotFound: return QStringLiteral("      The file does not exist.");
    case AlreadyOpen: return QStringLiteral("      The file is already open someplace else.");
    case TooManyFiles:
        return QStringLiteral("      Too many files were open at the same time, close some other open "
                              "files in both this and other applications.");
    case DiskNotReady: return QStringLiteral("      The disk was not ready.");
    case AccessError: return QStringLiteral("      There was a error while accessing the path or the file.");
    case PathNotFound: return QStringLiteral("      The path was not found.");
    default:
        return QStringLiteral("      There was a error while accessing the path or the file,\r\n"
                              " unrecognized Error Access Code:")
               + QString::number(code);
    }
}

QString openFailedText(int code)
{
    return QStringLiteral("A Error has occured while trying to open the requested file\r\n") + reasonLine(code);
}

int classifyReadFailure(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return AccessError;
    return QFileInfo(info.absolutePath()).isDir() ? NotFound : PathNotFound;
}

QString saveChangesNotice(const TextFileContent &content, bool hasBytes)
{
    QStringList notes;
    if (content.mixedBreaks) {
        const QString kind = content.lineBreak == LineBreakStyle::CrLf ? QStringLiteral("CR LF")
                             : content.lineBreak == LineBreakStyle::Lf ? QStringLiteral("LF")
                                                                         : QStringLiteral("CR");
        notes << QStringLiteral("This file mixes different kinds of line breaks. If you save it, every "
                                "line will end with ")
                     + kind + QLatin1Char('.');
    }
    if (!content.finalBreak && hasBytes)
        notes << QStringLiteral("The last line of this file has no line break. If you save it, one "
                                "will be added.");
    return notes.join(QLatin1Char(' '));
}

} // namespace FileErrors
