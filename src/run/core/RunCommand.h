#pragma once

#include <QString>
#include <QStringList>

// The pieces of the command line that runs a program in the interpreter.
namespace RunCommand {

// "d", "n", "w", "e", "f" for the information levels 0 to 4; empty outside.
QString levelLetter(int infoLevel);
// The level's menu caption ("Diagnostics" ... "Fatal Errors"); empty outside.
QString levelCaption(int infoLevel);

// "-geometry " + geometry + " " when a geometry is set, then "-i " and the letter.
QString optionText(int infoLevel, const QString &geoString);

// The same options as separate arguments.
QStringList optionArguments(int infoLevel, const QString &geoString);

// Arguments as one command line, each quoted (see quoteArgument).
QString joinArguments(const QStringList &arguments);

// The temporary program file: TempPath when set, otherwise "TempPrg.yab" in the
// program folder.
QString tempProgramPath(const QString &tempPathSetting, const QString &programFolder);

// The interpreter cuts the program's path at the first blank, whatever the
// quoting: a path with blanks is handed over as a link without any, in a
// private folder of this process (removed when it ends). Other paths are
// returned as they are; so is this one when no link can be made.
QString interpreterSafePath(const QString &programFile);

// Interpreter path, blank, program file, blank, options. Both paths are quoted,
// so that a blank in a folder name does not split them.
QString commandLine(const QString &interpreterPath, const QString &programFile,
                    const QString &optionText);

} // namespace RunCommand
