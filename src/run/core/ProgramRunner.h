#pragma once

#include "platform/core/TextFile.h"

#include <QString>
#include <QStringList>
#include <memory>

class QTemporaryDir;

class IInterpreterKey;
class IProcessLauncher;
class IPrompter;
class SettingsAccess;

// Runs the program in the editor: writes it to a temporary program file of this
// run's own and starts the interpreter on it, without waiting. The document is
// not touched.
class ProgramRunner {
public:
    ProgramRunner(SettingsAccess &settings, IInterpreterKey &key, IProcessLauncher &launcher,
                  IPrompter &prompter, QString programFolder);

    enum class Outcome {
        Started,   // the interpreter was started
        NoPath,    // no interpreter path: reported; the caller still refreshes
        Failed,    // writing or starting failed: reported; the caller stops
    };

    // What one run needs: the interpreter, the program file written for it and
    // the folder that holds it (removed when the last copy of the plan goes).
    struct Plan {
        QString interpreter;
        QString programFile;
        QStringList options;
        QString workingFolder;
        QString errorCopy; // where a run in a terminal keeps its standard error
        std::shared_ptr<QTemporaryDir> folder;
    };

    // Checks the interpreter and writes the program; Started means ready to start.
    Outcome prepare(const QString &text, TextEncoding encoding, int infoLevel,
                    const QString &geoString, const QString &workingFolder,
                    const QString &documentFile, Plan *plan);
    // Starts a prepared run in a terminal window.
    Outcome startInTerminal(const Plan &plan);

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
