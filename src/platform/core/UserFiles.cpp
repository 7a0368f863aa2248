#include "platform/core/UserFiles.h"

#include <QDir>

namespace UserFiles {

QString debugLogPath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\vormeldlg.dbg");
#else
    return QDir::homePath() + QStringLiteral("/.vormeldlg.dbg");
#endif
}

} // namespace UserFiles
