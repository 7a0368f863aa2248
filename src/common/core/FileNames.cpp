#include "common/core/FileNames.h"

#include <algorithm>

QString fileNameOnly(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')),
                                   path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? path : path.mid(cut + 1);
}

QString programFile(const QString &programFolder, const QString &name)
{
    if (programFolder.endsWith(QLatin1Char('/')) || programFolder.endsWith(QLatin1Char('\\')))
        return programFolder + name;
    return programFolder + QLatin1Char('/') + name;
}
