#include "platform/core/ProcessGroup.h"

#include <QProcess>

#ifdef Q_OS_UNIX
#include <csignal>
#include <cerrno>
#include <sys/resource.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace ProcessGroup {

void startInOwnGroup(QProcess &process)
{
#ifdef Q_OS_UNIX
    process.setChildProcessModifier([] { ::setsid(); });
#else
    Q_UNUSED(process);
#endif
}

void startAtLowPriority(QProcess &process)
{
#ifdef Q_OS_UNIX
    process.setChildProcessModifier([] { ::setpriority(PRIO_PROCESS, 0, 19); });
#else
    Q_UNUSED(process);
#endif
}

bool endGroup(qint64 leaderPid)
{
    if (leaderPid <= 0)
        return false;
#ifdef Q_OS_UNIX
    // Stopping is meant to be final: a program stuck in a loop may ignore SIGTERM.
    // Only the group: the leader's own id may belong to another process once it
    // has been collected.
    return ::kill(-pid_t(leaderPid), SIGKILL) == 0;
#else
    return false;
#endif
}

bool processExists(qint64 pid)
{
#ifdef Q_OS_UNIX
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
#else
    Q_UNUSED(pid);
    return false;
#endif
}

QStringList withErrorCopy(const QStringList &programAndArgs, const QString &copyFile)
{
#ifdef Q_OS_UNIX
    // Standard error goes through tee into the copy and back to the terminal;
    // standard output goes straight to the terminal through descriptor 3.
    // Every path is a positional argument, so no name is ever parsed by the shell.
    const QString script = QStringLiteral(
        "f=\"$1\"; shift; { \"$@\" 2>&1 1>&3 3>&- | tee \"$f\" >&2 3>&-; } 3>&1; : > \"$f.end\"");
    return QStringList{QStringLiteral("/bin/sh"), QStringLiteral("-c"), script,
                       QStringLiteral("vormeld-run"), copyFile}
           + programAndArgs;
#else
    Q_UNUSED(copyFile);
    return programAndArgs;
#endif
}

} // namespace ProcessGroup
