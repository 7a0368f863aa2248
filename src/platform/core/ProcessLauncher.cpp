#include "platform/core/ProcessLauncher.h"

#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <unistd.h>
#endif

QString programExecutableName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("vormeld.exe");
#else
    return QStringLiteral("vormeld");
#endif
}

QString quoteArgument(const QString &argument)
{
    QString doubled = argument;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QStringList splitCommandLine(const QString &commandLine)
{
    QStringList parts;
    QString current;
    bool inQuotes = false;
    bool haveToken = false;
    for (int i = 0; i < commandLine.size(); ++i) {
        const QChar c = commandLine.at(i);
        if (c == QLatin1Char('"')) {
            if (inQuotes && i + 1 < commandLine.size() && commandLine.at(i + 1) == QLatin1Char('"')) {
                current += c;
                ++i;
            } else {
                inQuotes = !inQuotes;
            }
            haveToken = true;
        } else if ((c == QLatin1Char(' ') || c == QLatin1Char('\t')) && !inQuotes) {
            if (haveToken)
                parts << current;
            current.clear();
            haveToken = false;
        } else {
            current += c;
            haveToken = true;
        }
    }
    if (haveToken)
        parts << current;
    return parts;
}

QString SystemProcessLauncher::terminalEmulator()
{
#ifdef Q_OS_UNIX
    // Without a desktop there is no terminal window to show.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QString();
#endif
    const QString fromEnv = qEnvironmentVariable("TERMINAL");
    if (!fromEnv.isEmpty()) {
        const QString found = QStandardPaths::findExecutable(fromEnv);
        if (!found.isEmpty())
            return found;
    }
    return QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
}

QStringList SystemProcessLauncher::terminalArguments(const QStringList &programAndArgs)
{
    // sh -c 'script' sh prog args...: the program's words are passed as
    // arguments, never pasted into the script, so nothing in them is run by the shell.
    const QString script = QStringLiteral(
        "\"$@\"; echo; printf '%s' 'Press Enter to close this window.'; read _");
    QStringList args{QStringLiteral("-e"), QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                     script, QStringLiteral("sh")};
    args << programAndArgs;
    return args;
}

bool SystemProcessLauncher::start(const QString &commandLine, WindowStyle, bool console,
                                  const QString &workingFolder)
{
    QStringList parts = splitCommandLine(commandLine);
    if (parts.isEmpty())
        return false;
    QString program = parts.takeFirst();
    if (console) {
        const QString terminal = terminalEmulator();
        if (!terminal.isEmpty()) {
            QStringList all{program};
            all << parts;
            parts = terminalArguments(all);
            program = terminal;
        }
    }
    return QProcess::startDetached(program, parts, workingFolder);
}

WaitResult SystemProcessLauncher::startAndWait(const QString &commandLine, WindowStyle,
                                               int timeoutMs)
{
    WaitResult result;
    QStringList parts = splitCommandLine(commandLine);
    if (parts.isEmpty())
        return result;
    QProcess p;
    const QString program = parts.takeFirst();
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
    // Its own process group, so that a time-out ends the children it started too.
    p.setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    p.start(program, parts);
    result.started = p.waitForStarted(timeoutMs);
    if (!result.started)
        return result;
    result.finished = p.waitForFinished(timeoutMs);
    if (result.finished) {
        result.exitCode = p.exitCode();
    } else {
        // A process that outlives its time is ended rather than left behind.
#ifdef Q_OS_UNIX
        if (p.processId() > 0)
            ::kill(-pid_t(p.processId()), SIGKILL);
#endif
        p.kill();
        p.waitForFinished(1000);
    }
    return result;
}
