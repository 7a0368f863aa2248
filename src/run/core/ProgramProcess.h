#pragma once

#include "run/core/OutputDecoder.h"

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QStringList>

// One run of the interpreter whose input and output Vormeld holds (the output
// pane). The run has a process group of its own, so that Stop ends whatever
// the program started as well.
class ProgramProcess : public QObject {
    Q_OBJECT
public:
    enum class End { Exited, Stopped, Crashed, NotStarted };

    explicit ProgramProcess(QObject *parent = nullptr);
    ~ProgramProcess() override;

    void start(const QString &program, const QStringList &arguments, const QString &workingFolder);
    bool isRunning() const { return m_running; }
    qint64 pid() const { return m_pid; }

    // A line for the program's standard input (the break is added).
    void sendLine(const QString &line);
    // Ends the program and everything it started; finished() follows.
    void stop();
    // Ends it and waits for the end (closing the window).
    void stopAndWait();

signals:
    void output(const QString &text, bool isError);
    void finished(ProgramProcess::End end, int exitCode, qint64 milliseconds, const QString &reason);

private:
    void readOut();
    void readErr();
    void ended(int exitCode, QProcess::ExitStatus status);
    void failed(QProcess::ProcessError error);

    QProcess *m_process = nullptr;
    OutputDecoder m_out, m_err;
    QElapsedTimer m_clock;
    qint64 m_pid = 0;
    bool m_running = false;
    bool m_stopped = false;
};
