#pragma once

#include <QString>

struct TextFileContent;

// The program's sentences for files that cannot be read or written.
namespace FileErrors {

// The classic error numbers the sentences are chosen by.
enum Code {
    NotFound = 53,
    AlreadyOpen = 55,
    TooManyFiles = 67,
    DiskNotReady = 71,
    AccessError = 75,
    PathNotFound = 76,
};

// The second line for an error number, with its six leading blanks; an unknown
// number gives two lines, the last naming the number.
QString reasonLine(int code);

// "A Error has occured while trying to open the requested file", CR LF, the reason.
QString openFailedText(int code);

// Why a path could not be read: not found, path not found, or an access error.
int classifyReadFailure(const QString &path);

// What saving a file just read would change in its bytes (mixed line breaks
// made one kind, a missing final break added); empty when nothing.
QString saveChangesNotice(const TextFileContent &content, bool hasBytes);

} // namespace FileErrors
