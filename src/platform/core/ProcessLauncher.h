#pragma once

#include <QString>
#include <QStringList>

enum class WindowStyle { NormalFocus, Hidden };

// The file name of the program's own executable on this platform.
QString programExecutableName();

// Splits one command-line string as Windows does for a program's arguments:
// blanks separate, double quotes group (and are removed), two quotes inside a
// quoted part stand for one quote.
QStringList splitCommandLine(const QString &commandLine);

// One argument as a command line holds it so that splitCommandLine gives it
// back whole: in double quotes, a quote inside doubled. Paths with blanks
// depend on it.
QString quoteArgument(const QString &argument);

struct WaitResult {
    bool started = false;
    bool finished = false; // false: still running when the time ran out
    int exitCode = -1;
};

// Starts processes from one command-line string.
class IProcessLauncher {
public:
    virtual ~IProcessLauncher() = default;
    // Starts without waiting. console: the program writes to a text window (the
    // interpreter), which is then shown in a terminal that stays open afterwards.
    virtual bool start(const QString &commandLine, WindowStyle style, bool console = false,
                       const QString &workingFolder = QString()) = 0;
    // Starts and waits at most timeoutMs for the end.
    virtual WaitResult startAndWait(const QString &commandLine, WindowStyle style,
                                    int timeoutMs) = 0;
};

class SystemProcessLauncher : public IProcessLauncher {
public:
    bool start(const QString &commandLine, WindowStyle style, bool console = false,
               const QString &workingFolder = QString()) override;
    WaitResult startAndWait(const QString &commandLine, WindowStyle style,
                            int timeoutMs) override;

    // The terminal emulator used for console programs: $TERMINAL, else
    // x-terminal-emulator, else empty (the program is started directly).
    static QString terminalEmulator();
    // The argument list that runs program+args inside the terminal, keeping the
    // window open until Enter is pressed.
    static QStringList terminalArguments(const QStringList &programAndArgs);
};
