#pragma once

// What the run suites share: files read and written whole, the real interpreter
// (without a display: the programs only write text), and a window whose debug
// log lives in a home folder of its own.

#include "platform/core/ProcessLauncher.h"
#include "run/OutputPane.h"
#include "support/TestWindow.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QTemporaryDir>

inline QString makeExecutable(const QString &path, const QByteArray &bytes)
{
    writeBytes(path, bytes);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

inline QString realYabasic()
{
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    return QStandardPaths::findExecutable("yabasic");
}

#define NEED_YABASIC()                                                                                     \
    if (realYabasic().isEmpty())                                                                           \
    QSKIP("yabasic is not installed on this machine")

// Takes the steps on the modal dialog that trigger opens, while it is open.
template <class Dialog> void whenModal(QAction *trigger, std::function<void(Dialog *)> steps)
{
    QVERIFY(onModal<Dialog>([=] { trigger->trigger(); }, steps));
}

struct RunWindow : TestWindow {
    QTemporaryDir home;
    QByteArray oldHome = qgetenv("HOME");
    explicit RunWindow(const QByteArray &text = "print 1\n", const char *fileName = "prog.yab") : TestWindow(text, fileName)
    {
        qputenv("HOME", home.path().toLocal8Bit());
    }
    ~RunWindow() { qputenv("HOME", oldHome); }
    void set(const char *key, const QString &value) { TestWindow::set("Run", key, value); }
    // Starts the window with the real interpreter, run where asked (1 the pane, 2 a terminal).
    RunWindow &startReal(const char *where)
    {
        set("YABPath", realYabasic());
        if (*where)
            set("RunWhere", where);
        start();
        return *this;
    }
    RunController &r() const { return run(*w); }
    QString debugText() const { return debugView(*w)->toPlainText(); }
    QPlainTextEdit *output() const { return part<QPlainTextEdit>(*w, "outputView"); }
    QString shown() const
    {
        part<OutputPane>(*w, "outputPane")->flush();
        return output()->toPlainText();
    }
    int line() const { return ed()->textCursor().blockNumber(); }
    int column() const { return ed()->textCursor().positionInBlock(); }
    QString status() const { return statusBar(*w)->tabMessage(0); }
    // Runs the command line given to the (fake) terminal, as the terminal would.
    bool runAsTheTerminalWould() const
    {
        QStringList parts = splitCommandLine(fake.launcher.started.value(0));
        QProcess sh;
        sh.setWorkingDirectory(fake.folder.path());
        sh.setStandardOutputFile(QProcess::nullDevice());
        sh.start(parts.takeFirst(), parts);
        return sh.waitForFinished(15000) && sh.exitStatus() == QProcess::NormalExit;
    }
};
