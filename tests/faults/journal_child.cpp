// The typing side of the journal fault tests: a keeper over a document held in
// memory, as the window would drive it. QtCore only.
//
//   journal_child type FOLDER       types a character every 20 to 50 ms until
//                                   killed; says "key N T C" after the N-th one
//                                   (T: the monotonic clock in ms, C: its code)
//   journal_child fsize FOLDER      under a file size limit: a journal too big
//                                   to write, then one that fits; says what the
//                                   keeper reported ("lost REASON", "back")

#include "documents/core/CrashJournal.h"
#include "documents/core/JournalKeeper.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {
// The system's monotonic clock, the same in every process.
qint64 monotonicMs()
{
    return QDeadlineTimer::current().deadline();
}

// Written straight to the pipe, so that a kill loses nothing already said.
void say(const QByteArray &line)
{
    const QByteArray l = line + '\n';
    qsizetype done = 0;
    while (done < l.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, l.constData() + done, size_t(l.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}

JournalEntry entryWith(const QString &text)
{
    JournalEntry e;
    e.originalPath = QStringLiteral("/home/ann/typing.yab");
    e.hasFileName = true;
    e.savedAt = QDateTime::currentDateTimeUtc();
    e.text = text;
    return e;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString folder = args.at(2);

    if (args.at(1) == QLatin1String("type")) {
        // A program of some size, so that each write has real work to do.
        QString base;
        for (int i = 0; i < 20000; ++i)
            base += QStringLiteral("print \"line %1\"\n").arg(i);
        QString text = base;
        JournalKeeper keeper(folder, [&] { return std::optional<JournalEntry>(entryWith(text)); });
        const QString line = QStringLiteral("print \"total\"; x + 1\n"); // typed over and over
        int count = 0;
        QTimer key;
        key.setSingleShot(true);
        QObject::connect(&key, &QTimer::timeout, [&] {
            const QChar c = line.at(count++ % line.size());
            text += c;
            keeper.documentChanged();
            say("key " + QByteArray::number(count) + ' ' + QByteArray::number(monotonicMs()) + ' '
                + QByteArray::number(c.unicode()));
            key.start(int(QRandomGenerator::global()->bounded(20, 51)));
        });
        say("ready " + QByteArray::number(base.size()));
        key.start(0);
        return app.exec();
    }

    if (args.at(1) == QLatin1String("fsize")) {
        // Writing past the limit fails with EFBIG instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64 * 1024, 64 * 1024};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 3;
        QString text(200 * 1024, QLatin1Char('x'));
        JournalKeeper keeper(folder, [&] { return std::optional<JournalEntry>(entryWith(text)); }, 20);
        QObject::connect(&keeper, &JournalKeeper::protectionChanged, [&](bool ok, const QString &reason) {
            if (ok) {
                say("back");
                app.quit();
                return;
            }
            say("lost " + reason.toUtf8());
            // Some text was taken out: the journal fits again.
            text = QStringLiteral("print 1");
            keeper.documentChanged();
        });
        keeper.documentChanged();
        QTimer::singleShot(20000, &app, [&] { app.exit(4); });
        const int code = app.exec();
        say(keeper.hasJournal() ? "journal" : "no journal");
        return code;
    }
    return 2;
}
