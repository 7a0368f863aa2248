// A child process for the fault tests: it runs the program's real save and
// editor code and is then disturbed (killed, starved of disk space, denied
// access). What it did is printed on standard output, one fact a line.
#include "common/core/TextBuffer.h"
#include "documents/core/DocumentController.h"
#include "support/DocumentWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

#include <csignal>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <unistd.h>

namespace {
void say(const QString &line)
{
    static QTextStream out(stdout);
    out << line << Qt::endl;
}

// The program text without an editor.
struct PlainText : TextBuffer {
    QString all;
    QString text() const override { return all; }
    void setText(const QString &t) override { all = t; }
    void appendText(const QString &t) override { all += t; }
};

// The document operations on a plain text, loaded from the target.
struct Saver {
    PlainText text;
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    DocumentController doc;
    explicit Saver(const QString &target) : doc(text, prompter, launcher, QFileInfo(target).absolutePath())
    {
        doc.loadStartupFile(target);
    }
    // The user changes the text and saves it.
    void editAndSave(const QString &newText)
    {
        text.all = newText;
        doc.markChanged();
        doc.saveDocument();
    }
    void report()
    {
        for (const MessageRequest &m : prompter.messages)
            say(QStringLiteral("message:") + m.title);
        say(QStringLiteral("changed:") + (doc.state().fileChanged ? "1" : "0"));
        say(QStringLiteral("cancelled:") + (doc.lastSaveCancelled() ? "1" : "0"));
        say(QStringLiteral("text:") + text.all);
    }
};

// Saves two large versions of the text in turn until it is killed, after
// killAfterUs microseconds, by its own alarm: at any moment of a save.
int saveUntilKilled(const QString &target, int kilobytes, int killAfterUs)
{
    Saver s(target);
    const QString a = QString(kilobytes * 1024 - 1, QLatin1Char('A'));
    const QString b = QString(kilobytes * 1024 - 1, QLatin1Char('B'));
    std::signal(SIGALRM, [](int) { ::kill(::getpid(), SIGKILL); });
    itimerval alarm{{0, 0}, {killAfterUs / 1000000, killAfterUs % 1000000}};
    if (killAfterUs <= 0)
        ::kill(::getpid(), SIGKILL);
    setitimer(ITIMER_REAL, &alarm, nullptr);
    for (int round = 0;; ++round) {
        s.editAndSave((round % 2) ? b : a);
        if (s.doc.state().fileChanged)
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
    Saver s(target);
    s.prompter.answerMessage(MsgResult::OK);
    s.editAndSave(s.text.all + QString(int(limit) * 2, QLatin1Char('x')));
    s.report();
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
    Saver s(target);
    s.prompter.answerMessage(MsgResult::OK);
    s.prompter.answerFile(elsewhere);
    s.editAndSave(s.text.all + QStringLiteral(" and more"));
    s.report();
    s.doc.saveDocumentAs();
    say(QStringLiteral("changed-after-save-as:") + (s.doc.state().fileChanged ? "1" : "0"));
    say(QStringLiteral("name:") + s.doc.state().currentFileName);
    return 0;
}

// The real editor window with unsaved changes, waiting to be killed.
int editorWithChanges(const QString &journalFolder, const QString &file, const QString &typed)
{
    DocumentWindow t;
    t.fake.services.journalFolder = journalFolder;
    t.start(file);
    codeEditor(*t.w)->textCursor().insertText(typed);
    // The journal follows a few seconds after the last change, by its own timer.
    while (!journal(*t.w).hasJournal())
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
    if (args.size() >= 5 && args.at(1) == QLatin1String("save"))
        return saveUntilKilled(args.at(2), args.at(3).toInt(), args.at(4).toInt());
    if (args.size() >= 4 && args.at(1) == QLatin1String("toobig"))
        return saveTooBig(args.at(2), args.at(3).toLongLong());
    if (args.size() >= 4 && args.at(1) == QLatin1String("denied"))
        return saveDenied(args.at(2), args.at(3));
    if (args.size() >= 5 && args.at(1) == QLatin1String("editor"))
        return editorWithChanges(args.at(2), args.at(3), args.at(4));
    std::fprintf(stderr, "usage: fault_child save|toobig|denied|editor ...\n");
    return 1;
}
