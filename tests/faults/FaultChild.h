#pragma once

// What the fault children and the suites that run them share: the children
// say what they did one fact a line; the suites read it back.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>

#include <csignal>
#include <sys/resource.h>
#include <sys/time.h>
#include <unistd.h>

// The system's monotonic clock, the same in every process.
inline qint64 monotonicMs() { return QDeadlineTimer::current().deadline(); }

// Written straight to the pipe, so that a kill loses nothing already said.
inline void say(const QString &line)
{
    const QByteArray l = line.toUtf8() + '\n';
    for (qsizetype done = 0, n = 0; done < l.size(); done += n)
        if ((n = ::write(STDOUT_FILENO, l.constData() + done, size_t(l.size() - done))) <= 0)
            return;
}

// Killed by its own alarm after that many microseconds: at any moment of what it does then.
inline void killSelfAfter(qint64 us)
{
    std::signal(SIGALRM, [](int) { ::kill(::getpid(), SIGKILL); });
    const itimerval alarm{{0, 0}, {time_t(us / 1000000), suseconds_t(std::max<qint64>(1, us % 1000000))}};
    setitimer(ITIMER_REAL, &alarm, nullptr);
}

// Writing past the limit then fails with EFBIG instead of ending the process.
inline bool limitFileSize(qint64 bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit r{rlim_t(bytes), rlim_t(bytes)};
    return setrlimit(RLIMIT_FSIZE, &r) == 0;
}

// The child program of that name, built beside the suites.
inline QString childPath(const char *name) { return QCoreApplication::applicationDirPath() + '/' + name; }

// Runs a child to its end: what it said, then "exit:" and its exit code (killed if it hangs).
inline QStringList runChild(const char *name, const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(childPath(name), args);
    const bool ended = p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)
           << "exit:" + (ended ? QString::number(p.exitCode()) : "hung");
}
