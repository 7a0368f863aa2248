#pragma once

#include <QString>

class IShell;
class IPrompter;

// Small routines shared across the program.
namespace modMain {

// The text after the last '\' or '/'; the whole path when it holds neither;
// empty when it ends in one.
QString FileNameOnly(const QString &path);

// CR -> char 7, LF -> char 8, and back; '"' -> char 14, and back. They let a
// multi-line text sit in one field of a one-line data file.
QString EncodeLineBreaks(const QString &text);
QString DecodeLineBreaks(const QString &text);
QString EncodeQuotes(const QString &text);
QString DecodeQuotes(const QString &text);

// A file beside the executable: the folder, a separator and the name.
QString ProgramFile(const QString &programFolder, const QString &name);

struct ShellError {
    QString title;
    QString text;
};
// The message for a failed shell open (results 0 to 32).
ShellError ShellErrorMessage(int shellResult);

// Opens a file or web address with the desktop's default program; a failure is
// reported in a message box, and the caller goes on either way.
void ShellOpen(IShell &shell, IPrompter &prompter, const QString &target);

} // namespace modMain
