#include "assist/core/HelpLookup.h"

#include <QFileInfo>

namespace HelpLookup {

QStringList candidates(YabasicDocument document, const QString &interpreterFolder, const QString &docFolder)
{
    QStringList own, packaged;
    switch (document) {
    case YabasicDocument::Manual:
        own = packaged = {QStringLiteral("yabasic.htm")};
        break;
    case YabasicDocument::Readme:
        own = {QStringLiteral("readme.txt")};
        packaged = {QStringLiteral("README"), QStringLiteral("readme.txt")};
        break;
    case YabasicDocument::Copying:
        own = {QStringLiteral("copying.txt")};
        packaged = {QStringLiteral("copyright"), QStringLiteral("COPYING"), QStringLiteral("copying.txt")};
        break;
    }
    QStringList out;
    if (!interpreterFolder.isEmpty()) {
        for (const QString &name : own)
            out << interpreterFolder + name;
    }
    if (!docFolder.isEmpty()) {
        for (const QString &name : packaged)
            out << docFolder + name;
    }
    out.removeDuplicates();
    return out;
}

QString firstExisting(const QStringList &candidates)
{
    for (const QString &path : candidates) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

} // namespace HelpLookup
