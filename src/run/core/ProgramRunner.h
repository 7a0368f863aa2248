#pragma once

#include "platform/core/TextFile.h"

#include <QString>

class IInterpreterKey;
class IProcessLauncher;
class IPrompter;
class SettingsAccess;

// Runs the program in the editor: writes it to the temporary program file and
// starts the interpreter on it, without waiting. The document is not touched.
class ProgramRunner {
public:
    ProgramRunner(SettingsAccess &settings, IInterpreterKey &key, IProcessLauncher &launcher,
                  IPrompter &prompter, QString programFolder);

    enum class Outcome {
        Started,   // the interpreter was started
        NoPath,    // no interpreter path: reported; the caller still refreshes
        Failed,    // writing or starting failed: reported; the caller stops
    };

    // text: the editor's text ('\n' between lines); encoding: the document's.
    // workingFolder: where the program's own libraries are looked for first.
    // documentFile: the document's own file, which the run must never write.
    Outcome runProgram(const QString &text, TextEncoding encoding, int infoLevel,
                       const QString &geoString, const QString &workingFolder,
                       const QString &documentFile = QString());

    // Set when detection found no version (the caller shows it).
    QString detectedVersion;
    // The last command line started (for the status of the run).
    QString lastCommandLine;

private:
    // The "Problem" message, with the path concerned and the reason on a line of their own.
    void problem(const QString &path, const QString &reason);

    SettingsAccess &m_settings;
    IInterpreterKey &m_key;
    IProcessLauncher &m_launcher;
    IPrompter &m_prompter;
    QString m_programFolder;
};
