#include "common/core/ShellErrors.h"

#include "platform/core/Prompter.h"
#include "platform/core/Shell.h"

ShellError shellErrorMessage(int r)
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

void shellOpen(IShell &shell, IPrompter &prompter, const QString &target)
{
    const int r = shell.open(target);
    if (r >= 33)
        return;
    const ShellError e = shellErrorMessage(r);
    prompter.ask(e.title, e.text, MsgButtons::OK, MsgIcon::Critical);
}
