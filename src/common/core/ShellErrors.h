#pragma once

#include <QString>

class IShell;
class IPrompter;

struct ShellError {
    QString title;
    QString text;
};
// The message for a failed shell open (results 0 to 32).
ShellError shellErrorMessage(int shellResult);

// Opens a file or web address with the desktop's default program; a failure is
// reported in a message box, and the caller goes on either way.
void shellOpen(IShell &shell, IPrompter &prompter, const QString &target);
