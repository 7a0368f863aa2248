// A child process for the fault tests: it runs the program's real save and
// editor code and is then disturbed from outside (killed, starved of disk space,
// denied access). What it did is printed on standard output, one fact a line.
#include "app/MainWindow.h"
#include "documents/core/DocumentController.h"
#include "documents/core/JournalKeeper.h"
#include "editor/CodeEditor.h"
#include "support/FakeServices.h"
#include "support/WindowProbe.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QThread>
#include <cstdio>

#include <csignal>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
QTextStream out(stdout);

void say(const QString &line)
{
    out << line << Qt::endl;
}

// The editor as far as the document operations see it.
struct TextHost : IDocumentHost {
    QString text;
    QString editorText() const override { return text; }
    void setEditorText(const QString &t) override { text = t; }
    void appendEditorText(const QString &t) override { text += t; }
    void clearDisableUpdating() override {}
    void parseAllLines() override {}
    void updateTitle() override {}
    void rebuildRecentMenu() override {}
    void refreshLinePanel() override {}
    void showReadyMessage() override {}
    void documentStateChanged() override {}
};

void reportMessages(const ScriptedPrompter &p)
{
    for (const MessageRequest &m : p.messages)
        say(QStringLiteral("message:") + m.title);
}

// Saves two large versions of the text in turn, for ever (until killed).
int saveForever(const QString &target, int kilobytes)
{
    TextHost host;
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    DocumentController doc(host, prompter, launcher, QFileInfo(target).absolutePath());
    doc.loadStartupFile(target);
    const QString a = QString(kilobytes * 1024 - 1, QLatin1Char('A'));
    const QString b = QString(kilobytes * 1024 - 1, QLatin1Char('B'));
    say(QStringLiteral("ready"));
    for (int round = 0;; ++round) {
        host.text = (round % 2) ? b : a;
        doc.state().fileChanged = true;
        doc.saveDocument();
        if (doc.state().fileChanged)
            return 2;
    }
}

// Saves a text larger than the process may write.
int saveTooBig(const QString &target, qint64 limit)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit r{rlim_t(limit), rlim_t(limit)};
    if (setrlimit(RLIMIT_FSIZE, &r) != 0)
        return 3;
    TextHost host;
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    prompter.answerMessage(MsgResult::OK);
    DocumentController doc(host, prompter, launcher, QFileInfo(target).absolutePath());
    doc.loadStartupFile(target);
    host.text += QString(int(limit) * 2, QLatin1Char('x'));
    doc.state().fileChanged = true;
    doc.saveDocument();
    reportMessages(prompter);
    say(QStringLiteral("changed:") + (doc.state().fileChanged ? "1" : "0"));
    say(QStringLiteral("cancelled:") + (doc.saveCancelled ? "1" : "0"));
    return 0;
}

// Saves where it may not write, then saves elsewhere. As root, it first becomes
// an ordinary user, for whom access rights hold.
int saveDenied(const QString &target, const QString &elsewhere)
{
    if (geteuid() == 0) {
        const passwd *nobody = getpwnam("nobody");
        if (!nobody || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0)
            return 4;
    }
    say(QStringLiteral("uid:") + QString::number(geteuid()));
    TextHost host;
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    prompter.answerMessage(MsgResult::OK);
    prompter.answerFile(elsewhere);
    DocumentController doc(host, prompter, launcher, QFileInfo(target).absolutePath());
    doc.loadStartupFile(target);
    host.text += QStringLiteral(" and more");
    doc.state().fileChanged = true;
    doc.saveDocument();
    reportMessages(prompter);
    say(QStringLiteral("changed:") + (doc.state().fileChanged ? "1" : "0"));
    say(QStringLiteral("text:") + host.text);
    doc.saveDocumentAs();
    say(QStringLiteral("changed-after-save-as:") + (doc.state().fileChanged ? "1" : "0"));
    say(QStringLiteral("name:") + doc.state().currentFileName);
    return 0;
}

// The real editor window with unsaved changes, waiting to be killed.
int editorWithChanges(const QString &journalFolder, const QString &file, const QString &typed)
{
    FakeServices fake;
    fake.services.journalFolder = journalFolder;
    fake.services.commandLine = file;
    MainWindow window(fake.services);
    window.start();
    codeEditor(window)->textCursor().insertText(typed);
    // The journal follows a few seconds after the last change, by its own timer.
    while (!journal(window).hasJournal())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    say(QStringLiteral("journaled"));
    for (;;)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1000);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args.at(1) == QLatin1String("save"))
        return saveForever(args.at(2), args.at(3).toInt());
    if (args.size() >= 4 && args.at(1) == QLatin1String("toobig"))
        return saveTooBig(args.at(2), args.at(3).toLongLong());
    if (args.size() >= 4 && args.at(1) == QLatin1String("denied"))
        return saveDenied(args.at(2), args.at(3));
    if (args.size() >= 5 && args.at(1) == QLatin1String("editor"))
        return editorWithChanges(args.at(2), args.at(3), args.at(4));
    std::fprintf(stderr, "usage: fault_child save|toobig|denied|editor ...\n");
    return 1;
}
