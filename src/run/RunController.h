#pragma once

#include "run/core/InterpreterErrors.h"
#include "run/core/ProgramProcess.h"
#include "run/core/ProgramRunner.h"

#include <QObject>
#include <QString>

class DocumentController;
class JournalKeeper;
class OutputPane;
class QPlainTextEdit;
class QTimer;
class QWidget;
class SettingsAccess;
class SyntaxCheck;
struct Services;

// The Run and Debug menus: running the program with the interpreter (in the
// output pane or in a terminal window), the errors it reports, the syntax check
// while typing, stand-alone programs, the run settings (information level,
// geometry, where to run), the interpreter's path and version, and the debug
// view fed by the program's debug log.
class RunController : public QObject {
    Q_OBJECT
public:
    RunController(Services &services, SettingsAccess &settings, DocumentController &documents,
                  JournalKeeper &journal, QPlainTextEdit *debugView, OutputPane *pane,
                  QWidget *window);
    ~RunController() override;

    // Start-up: the interpreter's version and folder, then the run settings.
    void readInterpreter();
    void readSettings();
    void saveSettings();

    const QString &yabasicVersion() const { return m_yabasicVersion; }
    // The interpreter's folder, with its trailing separator.
    const QString &interpreterFolder() const { return m_interpreterFolder; }
    int infoLevel() const { return m_infoLevel; }
    void setInfoLevel(int level);
    const QString &geometry() const { return m_geoString; }
    int runWhere() const { return m_runWhere; }
    void setRunWhere(int where);

    bool isRunning() const { return m_process->isRunning(); }
    qint64 runningPid() const { return m_process->pid(); }
    const QList<ProgramError> &errors() const { return m_errors; }
    // The temporary program of the run going on (empty when none).
    QString runningProgramFile() const { return m_active.programFile; }

    void runProgram();
    void stopProgram();
    void nextError();
    void previousError();
    void showError(int index);
    void checkSyntaxNow();
    void textChanged();
    void makeStandalone();
    // The window came to the front: a run in a terminal may have ended.
    void windowActivated();
    // Closing: a running program is ended after the user agreed; false keeps the window.
    bool askStopBeforeClose();

    void refreshDebugArea();
    void clearDebug();
    void showYabasicPathDialog();
    void showGeometryInput();
    void showAddingDebugOutput();

signals:
    // Move the caret to a place of the program (line and column from 0) and mark its line.
    void errorPlace(int line, int column);
    // line -1: no line is marked.
    void errorLineMarked(int line);
    // line -1: the text is clean.
    void syntaxMark(int line, int column, const QString &message);
    void statusMessage(const QString &text);
    void outputShown();

private:
    void updateInterpreterFolder();
    QString shownName() const;
    QString workingFolder() const;
    void startInPane(const ProgramRunner::Plan &plan);
    void programOutput(const QString &text, bool isError);
    void errorLines(bool all);
    void programEnded(ProgramProcess::End end, int exitCode, qint64 ms, const QString &reason);
    void collectTerminalErrors();
    void adoptErrors(const QList<ProgramError> &errors);
    void syntaxChecked(bool clean, const ProgramError &error);
    void startSyntaxCheck();

    Services &m_svc;
    SettingsAccess &m_settings;
    DocumentController &m_documents;
    JournalKeeper &m_journal;
    QPlainTextEdit *m_debugView;
    OutputPane *m_pane;
    QWidget *m_window;
    qint16 m_infoLevel = 2;
    int m_runWhere = 0;
    QString m_geoString;
    QString m_yabasicVersion;
    QString m_interpreterFolder;

    ProgramProcess *m_process;
    ProgramRunner::Plan m_active;   // the run in the pane
    ProgramRunner::Plan m_terminal; // the last run in a terminal, until its errors are read
    QTimer *m_terminalPoll;
    InterpreterErrorParser m_parser{QString(), QString()};
    QString m_errorLine; // standard error not yet ended by a line break
    QList<ProgramError> m_errors;
    int m_errorCursor = -1;

    SyntaxCheck *m_check;
    QTimer *m_checkDelay;
    bool m_checkAsked = false; // the menu asked: say the result, move to the error
};
