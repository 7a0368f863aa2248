#include "setup/core/VormeldAssociation.h"

#include "platform/core/FileAssociation.h"
#include "platform/core/Prompter.h"

namespace VormeldAssociation {

QString programPath(const QString &programFolder, const QString &appName)
{
    QString folder = programFolder;
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    return folder.endsWith(QLatin1Char('/')) ? folder + appName : folder + QLatin1Char('/') + appName;
}

QString makeDefault(FileAssociation &association, IPrompter &prompter, const QString &programPath)
{
    QString error;
    if (!association.makeDefault(programPath, &error))
        prompter.ask(QStringLiteral("File Association"),
                     QStringLiteral("Vormeld could not be made the editor of Yabasic files.\n\n") + error,
                     MsgButtons::OK, MsgIcon::Exclamation);
    return association.currentCommand();
}

} // namespace VormeldAssociation
