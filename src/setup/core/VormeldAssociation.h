#pragma once

#include <QString>

class FileAssociation;
class IPrompter;

// The association buttons of the setup and options windows.
namespace VormeldAssociation {

// The program the desktop is to start: the executable in the program folder.
QString programPath(const QString &programFolder, const QString &appName);

// Makes Vormeld the desktop's program for Yabasic files; a file that could not
// be written is reported. Returns the command in effect afterwards.
QString makeDefault(FileAssociation &association, IPrompter &prompter, const QString &programPath);

} // namespace VormeldAssociation
