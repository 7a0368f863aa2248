#include "assist/core/TextViewerFile.h"

#include "platform/core/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace TextViewerFile {

QString errorText(int error)
{
    QString second;
    switch (error) {
    case FileNotFound:
        second = QStringLiteral("      The file does not exist.");
        break;
    case FileAlreadyOpen:
        second = QStringLiteral("      The file is already open someplace else.");
        break;
    case TooManyFiles:
        second = QStringLiteral("      Too many files were open at the same time, close some other open files "
                                "in both this and other applications.");
        break;
    case DiskNotReady:
        second = QStringLiteral("      The disk was not ready.");
        break;
    case AccessError:
        second = QStringLiteral("      There was a error while accessing the path or the file.");
        break;
    case PathNotFound:
        second = QStringLiteral("      The path was not found.");
        break;
    default:
        second = QStringLiteral("      There was a error while accessing the path or the file,\r\n"
                                " unrecognized Error Access Code:")
            + QString::number(error);
    }
    return QStringLiteral("A Error has occured while trying to open the requested file\r\n") + second;
}

QString notFoundText(int error, const QStringList &pathsTried)
{
    QString text = errorText(error) + QStringLiteral("\r\n      Looked for:");
    for (const QString &p : pathsTried)
        text += QStringLiteral("\r\n        ") + QDir::toNativeSeparators(p);
    return text;
}

Contents read(const QString &path)
{
    Contents c;
    const QFileInfo info(path);
    if (!info.exists())
        c.error = QFileInfo(info.absolutePath()).isDir() ? FileNotFound : PathNotFound;
    else if (!info.isFile() || !info.isReadable())
        c.error = AccessError;
    else if (info.size() > MaxBytes)
        c.error = OutOfMemory;
    if (c.error == NoError) {
        QByteArray bytes;
        if (readWholeFile(path, &bytes, MaxBytes).ok) {
            c.ok = true;
            c.text = decodeBytes(bytes);
            return c;
        }
        c.error = AccessError;
    }
    c.text = errorText(c.error);
    return c;
}

} // namespace TextViewerFile
