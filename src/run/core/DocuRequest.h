#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QProcess;
class QTimer;

// Asks the interpreter for a library's embedded documentation (its -docu
// switch) without blocking: the answer comes as a signal. The output is taken
// straight from the interpreter, so any number of requests and windows can run
// at once and the program folder may be read-only. A newer request cancels the
// one before; one that takes longer than the limit is ended, with all it started.
class DocuRequest : public QObject {
    Q_OBJECT
public:
    enum class End { Finished, TimedOut, NotStarted };
    static constexpr int DefaultLimitMs = 5000;

    explicit DocuRequest(QObject *parent = nullptr);
    ~DocuRequest() override;

    void request(const QString &interpreter, const QString &libraryFile, int limitMs = DefaultLimitMs);
    void cancel();
    bool isWaiting() const { return m_process != nullptr; }
    // The process id of the request going on (0 when none).
    qint64 pid() const;

signals:
    // text: what the interpreter wrote ('\n' between lines); reason: why it did
    // not start, for NotStarted.
    void answered(const QString &text, DocuRequest::End end, const QString &reason);

private:
    void finish(End end, const QString &reason = QString());

    QProcess *m_process = nullptr;
    QTimer *m_limit;
    QByteArray m_output;
};
