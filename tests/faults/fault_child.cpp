// A child process for the fault tests: it runs the program's real save, journal
// and editor code and is then disturbed (killed, starved of disk space, denied
// access). What it did is printed on standard output, one fact a line.
#include "common/core/TextBuffer.h"
#include "documents/core/DocumentController.h"
#include "documents/core/JournalKeeper.h"
#include "support/DocumentWindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTimer>

#include <csignal>
#include <functional>
#include <map>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <unistd.h>

namespace {
// Written straight to the pipe, so that a kill loses nothing already said.
void say(const QString &line)
{
    const QByteArray l = line.toUtf8() + '\n';
    for (qsizetype done = 0, n = 0; done < l.size(); done += n)
        if ((n = ::write(STDOUT_FILENO, l.constData() + done, size_t(l.size() - done))) <= 0)
            return;
}

// Killed by its own alarm after that many microseconds: at any moment of what it does then.
void killSelfAfter(qint64 us)
{
    std::signal(SIGALRM, [](int) { ::kill(::getpid(), SIGKILL); });
    const itimerval alarm{{0, 0}, {time_t(us / 1000000), suseconds_t(std::max<qint64>(1, us % 1000000))}};
    setitimer(ITIMER_REAL, &alarm, nullptr);
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
        prompter.answerMessage(MsgResult::OK);
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
            say("message:" + m.title);
        say(QString("changed:%1 cancelled:%2").arg(int(doc.state().fileChanged))
            .arg(int(doc.lastSaveCancelled())));
        say("text:" + text.all);
    }
};

// Saves two versions of the text of a megabyte each in turn until it is killed,
// after killAfterUs microseconds, by its own alarm: at any moment of a save.
int saveUntilKilled(const QString &target, int killAfterUs)
{
    Saver s(target);
    const QString a(1024 * 1024 - 1, 'A'), b(1024 * 1024 - 1, 'B');
    killSelfAfter(killAfterUs);
    for (int round = 0; !s.doc.state().fileChanged; ++round)
        s.editAndSave((round % 2) ? b : a);
    return 2;
}

// Saves where it may not write, then saves elsewhere. As root, it first becomes
// an ordinary user, for whom access rights hold.
int saveDenied(const QString &target, const QString &elsewhere)
{
    const passwd *nobody = getpwnam("nobody");
    if (geteuid() == 0 && (!nobody || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0))
        return 4;
    Saver s(target);
    s.prompter.answerFile(elsewhere);
    s.editAndSave(s.text.all + " and more");
    s.report();
    s.doc.saveDocumentAs();
    const Document &now = s.doc.state();
    say(QString("after save as: changed:%1 name:%2").arg(int(now.fileChanged)).arg(now.currentFileName));
    return 0;
}

// Types a character every 20 to 50 ms until it is killed after killAfterMs; says
// "ready S T" first (S: the size of the text, T: the system's monotonic clock in
// ms, the same in every process), then "key N T C" after the N-th key (C: its code).
int typeUntilKilled(const QString &folder, int killAfterMs)
{
    // A program of some size, so that each write has real work to do.
    QByteArray base;
    for (int i = 0; i < 20000; ++i)
        base += "print \"line " + QByteArray::number(i) + "\"\n";
    if (!writeBytes(folder + "/typing.yab", base))
        return 3;
    Saver s(folder + "/typing.yab");
    JournalKeeper keeper(folder, [&] { return s.doc.journalSnapshot(); }, 1000); // as the window keeps it
    const QString line = QStringLiteral("print \"total\"; x + 1\n"); // typed over and over
    int count = 0;
    QTimer key;
    key.setSingleShot(true);
    QObject::connect(&key, &QTimer::timeout, [&] {
        const QChar c = line.at(count++ % line.size());
        s.text.all += c;
        s.doc.markChanged();
        keeper.documentChanged();
        say(QString("key %1 %2 %3").arg(count).arg(QDeadlineTimer::current().deadline()).arg(c.unicode()));
        key.start(int(QRandomGenerator::global()->bounded(20, 51)));
    });
    say(QString("ready %1 %2").arg(s.text.all.size()).arg(QDeadlineTimer::current().deadline()));
    killSelfAfter(killAfterMs * 1000);
    key.start(0);
    return QCoreApplication::exec();
}

// Under a file size limit: saves a text too big for it, then keeps a journal of
// it, which is too big as well until most of the text is taken out; says what
// the keeper reported ("lost REASON", "back") and whether a journal is left.
int diskFull(const QString &target, const QString &folder)
{
    std::signal(SIGXFSZ, SIG_IGN); // writing past the limit then fails with EFBIG
    const rlimit limit{64 * 1024, 64 * 1024};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 3;
    Saver s(target);
    s.editAndSave(s.text.all + QString(128 * 1024, 'x'));
    s.report();
    JournalKeeper keeper(folder, [&] { return s.doc.journalSnapshot(); }, 20);
    QObject::connect(&keeper, &JournalKeeper::protectionChanged, [&](bool ok, const QString &reason) {
        say(ok ? QStringLiteral("back") : "lost " + reason);
        if (ok) {
            QCoreApplication::quit();
        } else { // some text was taken out: the journal fits again
            s.text.all = QStringLiteral("print 1");
            keeper.documentChanged();
        }
    });
    keeper.documentChanged();
    QTimer::singleShot(20000, [] { QCoreApplication::exit(4); });
    const int code = QCoreApplication::exec();
    say(keeper.hasJournal() ? "journal" : "no journal");
    return code;
}

// The real editor window with unsaved changes, killed once it has their journal.
int editorWithChanges(const QString &journalFolder, const QString &file)
{
    DocumentWindow t;
    t.fake.services.journalFolder = journalFolder;
    t.start(file);
    codeEditor(*t.w)->textCursor().insertText("rem unsaved work\n");
    // The journal follows a few seconds after the last change, by its own timer.
    while (!journal(*t.w).hasJournal())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    say("journaled");
    return ::kill(::getpid(), SIGKILL);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1), a = args.value(2), b = args.value(3);
    const std::map<QString, std::function<int()>> modes{
        {"save", [&] { return saveUntilKilled(a, b.toInt()); }},
        {"denied", [&] { return saveDenied(a, b); }},
        {"editor", [&] { return editorWithChanges(a, b); }},
        {"type", [&] { return typeUntilKilled(a, b.toInt()); }},
        {"full", [&] { return diskFull(a, b); }},
    };
    if (args.size() >= 4 && modes.count(mode))
        return modes.at(mode)();
    return 1; // usage: fault_child save|denied|editor|type|full PATH ARGUMENT...
}
