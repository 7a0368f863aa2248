#include "run/core/DocuRequest.h"

#include "platform/core/ProcessGroup.h"
#include "platform/core/TextFile.h"

#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace {
// More than any documentation holds; a library that prints without end is cut here.
constexpr qsizetype MaxOutput = 4 * 1024 * 1024;
} // namespace

DocuRequest::DocuRequest(QObject *parent) : QObject(parent), m_limit(new QTimer(this))
{
    m_limit->setSingleShot(true);
    connect(m_limit, &QTimer::timeout, this, [this] { finish(End::TimedOut); });
}

DocuRequest::~DocuRequest()
{
    cancel();
}

qint64 DocuRequest::pid() const
{
    return m_process ? m_process->processId() : 0;
}

void DocuRequest::cancel()
{
    m_limit->stop();
    if (!m_process)
        return;
    QProcess *p = m_process;
    m_process = nullptr;
    p->disconnect(this);
    if (p->state() != QProcess::NotRunning) {
        ProcessGroup::endGroup(p->processId());
        p->kill();
        p->waitForFinished(1000);
    }
    p->deleteLater();
}

void DocuRequest::request(const QString &interpreter, const QString &libraryFile, int limitMs)
{
    cancel();
    m_output.clear();
    m_process = new QProcess(this);
    QProcess *p = m_process;
    p->setProgram(interpreter);
    p->setArguments({QStringLiteral("-docu"), libraryFile});
    // A library that imports others finds them beside it.
    p->setWorkingDirectory(QFileInfo(libraryFile).absolutePath());
    p->setStandardInputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    ProcessGroup::startInOwnGroup(*p);
    connect(p, &QProcess::readyReadStandardOutput, this, [this, p] {
        const QByteArray bytes = p->readAllStandardOutput();
        if (m_output.size() < MaxOutput)
            m_output += bytes.left(MaxOutput - m_output.size());
    });
    connect(p, &QProcess::finished, this, [this] { finish(End::Finished); });
    connect(p, &QProcess::errorOccurred, this, [this, p](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(End::NotStarted, p->errorString());
    });
    m_limit->start(limitMs);
    p->start();
}

void DocuRequest::finish(End end, const QString &reason)
{
    if (!m_process)
        return;
    if (m_process->state() != QProcess::NotRunning || end == End::Finished)
        m_output += m_process->readAllStandardOutput().left(qMax<qsizetype>(0, MaxOutput - m_output.size()));
    cancel();
    QString text = decodeBytes(m_output);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_output.clear();
    emit answered(text, end, reason);
}
