#include "run/core/ProgramProcess.h"

#include "platform/core/ProcessGroup.h"

ProgramProcess::ProgramProcess(QObject *parent) : QObject(parent) {}

ProgramProcess::~ProgramProcess()
{
    blockSignals(true); // whoever listened may be half destroyed
    stopAndWait();
}

void ProgramProcess::start(const QString &program, const QStringList &arguments,
                           const QString &workingFolder)
{
    delete m_process;
    m_process = new QProcess(this);
    m_out = OutputDecoder();
    m_err = OutputDecoder();
    m_stopped = false;
    m_pid = 0;
    ProcessGroup::startInOwnGroup(*m_process);
    m_process->setWorkingDirectory(workingFolder);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &ProgramProcess::readOut);
    connect(m_process, &QProcess::readyReadStandardError, this, &ProgramProcess::readErr);
    connect(m_process, &QProcess::finished, this, &ProgramProcess::ended);
    connect(m_process, &QProcess::errorOccurred, this, &ProgramProcess::failed);
    m_running = true;
    m_clock.start();
    m_process->start(program, arguments);
    if (m_process->state() != QProcess::NotRunning)
        m_pid = m_process->processId();
}

void ProgramProcess::sendLine(const QString &line)
{
    if (m_running && m_process)
        m_process->write(line.toUtf8() + '\n');
}

void ProgramProcess::stop()
{
    if (!m_running || !m_process)
        return;
    m_stopped = true;
    ProcessGroup::endGroup(m_pid);
}

void ProgramProcess::stopAndWait()
{
    if (!m_running || !m_process)
        return;
    stop();
    m_process->waitForFinished(5000);
}

void ProgramProcess::readOut()
{
    const QString text = m_out.decode(m_process->readAllStandardOutput());
    if (!text.isEmpty())
        emit output(text, false);
}

void ProgramProcess::readErr()
{
    const QString text = m_err.decode(m_process->readAllStandardError());
    if (!text.isEmpty())
        emit output(text, true);
}

void ProgramProcess::ended(int exitCode, QProcess::ExitStatus status)
{
    if (!m_running)
        return;
    readOut();
    readErr();
    for (bool isError : {false, true}) {
        const QString rest = (isError ? m_err : m_out).finish();
        if (!rest.isEmpty())
            emit output(rest, isError);
    }
    m_running = false;
    // Whatever the program left running in its group goes with it.
    ProcessGroup::endGroup(m_pid);
    const End end = m_stopped ? End::Stopped : status == QProcess::CrashExit ? End::Crashed : End::Exited;
    emit finished(end, exitCode, m_clock.elapsed(), QString());
}

void ProgramProcess::failed(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart || !m_running)
        return;
    m_running = false;
    emit finished(End::NotStarted, -1, m_clock.elapsed(), m_process->errorString());
}
