#include "run/core/SyntaxCheck.h"

#include "platform/core/ProcessGroup.h"
#include "run/core/OutputDecoder.h"

#include <QProcess>

SyntaxCheck::SyntaxCheck(QObject *parent) : QObject(parent)
{
    m_writer.setMaxThreadCount(1);
}

SyntaxCheck::~SyntaxCheck()
{
    m_writer.waitForDone();
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(2000);
    }
}

void SyntaxCheck::check(const QString &interpreter, std::function<QString()> text, TextEncoding encoding,
                        const QString &workingFolder, const QString &shownName)
{
    m_next = Request{interpreter, std::move(text), workingFolder, shownName, encoding};
    if (m_process)
        m_process->kill(); // its end starts the newest request
    else if (!m_writing)
        startNext(); // else the write under way starts it when done
}

void SyntaxCheck::startNext()
{
    if (!m_next || !m_folder.isValid())
        return;
    Request r = std::move(*m_next);
    m_next.reset();
    m_file = m_folder.filePath(QStringLiteral("Check.yab"));
    m_writing = true;
    m_writer.start([this, r, file = m_file]() mutable {
        TextFileContent content;
        content.text = r.text();
        r.text = nullptr;
        content.encoding = r.encoding;
        content.lineBreak = TextFileContent::nativeLineBreak();
        content.finalBreak = true;
        QByteArray bytes;
        if (!encodeTextFile(content, &bytes)) {
            content.encoding = TextEncoding::Utf8;
            encodeTextFile(content, &bytes);
        }
        const bool ok = writeWholeFileAtomic(file, bytes).ok;
        QMetaObject::invokeMethod(this, [this, r, ok] { written(r, ok); }, Qt::QueuedConnection);
    });
}

void SyntaxCheck::written(const Request &r, bool ok)
{
    m_writing = false;
    if (m_next) { // a newer text came while this one was written
        startNext();
        return;
    }
    if (!ok)
        return;
    m_shown = r.shown;
    m_process = new QProcess(this);
    m_process->setWorkingDirectory(r.folder);
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardOutputFile(QProcess::nullDevice());
    ProcessGroup::startAtLowPriority(*m_process);
    ++m_started;
    connect(m_process, &QProcess::finished, this, [this](int, QProcess::ExitStatus status) {
        QProcess *done = m_process;
        m_process = nullptr;
        done->deleteLater();
        if (m_next) { // a newer text is waiting: this result is out of date
            startNext();
            return;
        }
        if (status != QProcess::NormalExit)
            return;
        OutputDecoder decoder;
        const QString err = decoder.decode(done->readAllStandardError()) + decoder.finish();
        const QList<ProgramError> errors = InterpreterErrorParser::parse(err, m_file, m_shown);
        for (const ProgramError &e : errors)
            if (!e.warning) {
                emit checked(false, e);
                return;
            }
        emit checked(true, ProgramError());
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart && m_process) {
            m_process->deleteLater();
            m_process = nullptr;
        }
    });
    m_process->start(r.interpreter, {QStringLiteral("--check"), m_file});
}
