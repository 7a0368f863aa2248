#include "run/core/RunCommand.h"

#include "common/core/FileNames.h"
#include "platform/core/ProcessLauncher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace RunCommand {

QString levelLetter(int infoLevel)
{
    static const char letters[] = {'d', 'n', 'w', 'e', 'f'};
    if (infoLevel < 0 || infoLevel > 4)
        return QString();
    return QString(QLatin1Char(letters[infoLevel]));
}

QString levelCaption(int infoLevel)
{
    static const char *const captions[] = {"Diagnostics", "Notes", "Warnings", "Errors", "Fatal Errors"};
    if (infoLevel < 0 || infoLevel > 4)
        return QString();
    return QString::fromLatin1(captions[infoLevel]);
}

QString optionText(int infoLevel, const QString &geoString)
{
    QString text;
    if (!geoString.isEmpty())
        text = QStringLiteral("-geometry ") + geoString + QLatin1Char(' ');
    return text + QStringLiteral("-i ") + levelLetter(infoLevel);
}

QStringList optionArguments(int infoLevel, const QString &geoString)
{
    QStringList args;
    if (!geoString.isEmpty())
        args << QStringLiteral("-geometry") << geoString;
    args << QStringLiteral("-i");
    if (const QString letter = levelLetter(infoLevel); !letter.isEmpty())
        args << letter;
    return args;
}

QString joinArguments(const QStringList &arguments)
{
    QStringList quoted;
    for (const QString &a : arguments)
        quoted << quoteArgument(a);
    return quoted.join(QLatin1Char(' '));
}

QString tempProgramPath(const QString &tempPathSetting, const QString &programFolder)
{
    if (!tempPathSetting.isEmpty())
        return tempPathSetting;
    return programFile(programFolder, QStringLiteral("TempPrg.yab"));
}

QString interpreterSafePath(const QString &programFile)
{
    static const QRegularExpression blank(QStringLiteral("\\s"));
    if (!programFile.contains(blank))
        return programFile;
    static QTemporaryDir links(QDir::tempPath() + QStringLiteral("/vormeld-links-XXXXXX"));
    static int count = 0;
    if (!links.isValid() || links.path().contains(blank))
        return programFile;
    const QString link = links.filePath(QStringLiteral("program-%1.yab").arg(++count));
    return QFile::link(QFileInfo(programFile).absoluteFilePath(), link) ? link : programFile;
}

QString commandLine(const QString &interpreterPath, const QString &programFile,
                    const QString &optionText)
{
    return quoteArgument(interpreterPath) + QLatin1Char(' ') + quoteArgument(programFile)
           + QLatin1Char(' ') + optionText;
}

} // namespace RunCommand
