#include "run/core/DebugLog.h"

#include "platform/core/TextFile.h"
#include "platform/core/UserFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace DebugLog {

QString path()
{
    return UserFiles::debugLogPath();
}

Contents read(const QString &path, qint64 maxBytes)
{
    Contents c;
    QFile f(path);
    if (QFileInfo(path).isDir() || !f.open(QIODevice::ReadOnly))
        return c;
    const qint64 size = f.size();
    if (size > maxBytes) {
        f.seek(size - maxBytes);
        QByteArray tail = f.read(maxBytes);
        // Start at a whole line.
        const qsizetype nl = tail.indexOf('\n');
        if (nl >= 0 && nl + 1 < tail.size())
            tail.remove(0, nl + 1);
        c.shortened = true;
        c.text = QStringLiteral("[The debug log holds %1 MB; only its last part is shown here.]\n")
                     .arg(double(size) / (1024.0 * 1024.0), 0, 'f', 1)
                 + decodeBytes(tail);
    } else {
        c.text = decodeBytes(f.readAll());
    }
    c.ok = f.error() == QFileDevice::NoError;
    return c;
}

void clear(const QString &path)
{
    QFile::remove(path);
}

} // namespace DebugLog
