#include "modMain.h"

#include "platform/Prompter.h"
#include "platform/Shell.h"

namespace modMain {

QString FileNameOnly(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')),
                                   path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? path : path.mid(cut + 1);
}

namespace {
QString mapChars(QString text, std::initializer_list<std::pair<char16_t, char16_t>> map)
{
    for (QChar &c : text) {
        for (const auto &[from, to] : map) {
            if (c.unicode() == from) {
                c = QChar(to);
                break;
            }
        }
    }
    return text;
}
} // namespace

QString EncodeLineBreaks(const QString &text) { return mapChars(text, {{13, 7}, {10, 8}}); }
QString DecodeLineBreaks(const QString &text) { return mapChars(text, {{7, 13}, {8, 10}}); }
QString EncodeQuotes(const QString &text) { return mapChars(text, {{34, 14}}); }
QString DecodeQuotes(const QString &text) { return mapChars(text, {{14, 34}}); }

QString ProgramFile(const QString &programFolder, const QString &name)
{
    if (programFolder.endsWith(QLatin1Char('/')) || programFolder.endsWith(QLatin1Char('\\')))
        return programFolder + name;
    return programFolder + QLatin1Char('/') + name;
}

ShellError ShellErrorMessage(int r)
{
    const QString access = QStringLiteral("Address Access Error");
    switch (r) {
    case 2:
        return {QStringLiteral("File Access Error"), QStringLiteral("The Address was not Found.")};
    case 3:
        return {access, QStringLiteral("The Path was not Found.")};
    case 5:
        return {access, QStringLiteral("URL Access Failed: Access was denied to the Address.")};
    case 8:
        return {access, QStringLiteral("There was no more Memory or resources. Free up some "
                                       "memory by closing some Programs.")};
    case 26:
        return {access, QStringLiteral("URL Access Failed: There was a file sharing violation.")};
    case 27:
        return {access, QStringLiteral("URL Access Failed: Program association was Incomplete.")};
    case 28:
        return {access, QStringLiteral("URL Access Failed: DDE operation to associated program "
                                       "was Timed out.")};
    case 29:
        return {access,
                QStringLiteral("URL Access Failed: DDE operation to associated program failed.")};
    case 30:
        return {access,
                QStringLiteral("URL Access Failed: DDE operation to associated program was busy.")};
    case 31:
        return {access, QStringLiteral("URL Access Failed: There was no program associated to "
                                       "this Address. To view this Internet address a associated "
                                       "Internet browser is needed.")};
    case 32:
        return {access, QStringLiteral("URL Access Failed: A needed program extension was not found.")};
    default:
        return {access, QStringLiteral("URL Access Failed: Unknown Error - Error Code is ")
                            + QString::number(r)};
    }
}

void ShellOpen(IShell &shell, IPrompter &prompter, const QString &target)
{
    const int r = shell.open(target);
    if (r >= 33)
        return;
    const ShellError e = ShellErrorMessage(r);
    prompter.ask(e.title, e.text, MsgButtons::OK, MsgIcon::Critical);
}

} // namespace modMain
