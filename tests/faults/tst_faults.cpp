#include "documents/core/JournalKeeper.h"
#include "support/DocumentWindow.h"
#include "support/RunWindow.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <array>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The child program that runs the real code and is disturbed, built beside the suite.
QString child()
{
    return QCoreApplication::applicationDirPath() + "/fault_child";
}

// Starts a child whose temporary folders go in one of the suite's own: a killed
// child cannot remove them itself.
void startChild(QProcess &p, const QStringList &args)
{
    static QTemporaryDir temp;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), temp.path());
    p.setProcessEnvironment(env);
    p.start(child(), args);
}

// Runs a child to its end: what it said, then "exit:" and its exit code, "killed"
// or "hung" (then it is killed).
QStringList runChild(const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    startChild(p, args);
    const QString end = !p.waitForFinished(60000)                ? QStringLiteral("hung")
                        : p.exitStatus() == QProcess::CrashExit ? QStringLiteral("killed")
                                                                : QString::number(p.exitCode());
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts) << "exit:" + end;
}

void chmodPath(const QString &path, mode_t mode)
{
    ::chmod(QFile::encodeName(path).constData(), mode);
}
} // namespace

class tst_Faults : public QObject {
    Q_OBJECT
private slots:
    void killedDuringSaveLeavesOldOrNew()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("prog.yab");
        const QByteArray initial = "print \"before\"\n";
        QVERIFY(writeBytes(target, initial));
        const QByteArray a = QByteArray(1024 * 1024 - 1, 'A') + '\n', b = QByteArray(1024 * 1024 - 1, 'B') + '\n';
        QRandomGenerator rng(20261206);
        int oldSeen = 0, newSeen = 0;
        for (int round = 0; round < 20; ++round) {
            // Anywhere inside a save: from at once to a few saves in.
            const QString killAfterUs = QString::number(rng.bounded(40000));
            QCOMPARE(runChild({"save", target, killAfterUs}), QStringList{"exit:killed"});
            const QByteArray now = readBytes(target);
            QVERIFY2(now == initial || now == a || now == b,
                     qPrintable(QString("round %1: %2 bytes, neither old nor new").arg(round).arg(now.size())));
            ++(now == initial ? oldSeen : newSeen);
            // A kill between naming the new file and renaming it over the old one can
            // leave that name behind: only ever our own marked one, never a half file.
            for (const QString &f : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
                QVERIFY2(f == "prog.yab" || f.startsWith(".prog.yab.vormeld-save-"), qPrintable("left behind: " + f));
        }
        QVERIFY2(newSeen > 0, "no kill came after a finished save: the moments tried are too early");
        qInfo("killed the saving program 20 times (%d before its first save ended)", oldSeen);
    }

    // A program that is killed while the user types loses at most the last two
    // seconds of typing, however long the typing went on without a pause.
    void killedWhileTypingLosesAtMostTwoSeconds()
    {
        struct Typist {
            QTemporaryDir folder;
            QProcess process;
            int killAfterMs = 0;
        };
        QRandomGenerator rng(20260412);
        constexpr int Rounds = 6, AtOnce = 6; // 36 kills, six typists at a time
        int checked = 0;
        for (int round = 0; round < Rounds; ++round) {
            std::array<Typist, AtOnce> typists;
            for (Typist &t : typists) { // each kills itself at its own moment, whatever it is doing then
                t.killAfterMs = 500 + int(rng.bounded(5501)); // 0.5 to 6 s of typing
                startChild(t.process, {"type", t.folder.path(), QString::number(t.killAfterMs)});
            }
            for (Typist &t : typists) {
                QVERIFY(t.process.waitForFinished(30000));
                QCOMPARE(t.process.exitStatus(), QProcess::CrashExit);
                const QList<QByteArray> said = t.process.readAllStandardOutput().split('\n');
                const QList<QByteArray> ready = said.value(0).split(' ');
                QVERIFY2(ready.size() == 3 && ready[0] == "ready", said.value(0).constData());
                const int baseSize = ready[1].toInt();
                const qint64 killedAt = ready[2].toLongLong() + t.killAfterMs;
                // When each key was typed, by the same clock as the kill.
                std::vector<qint64> keyTimes;
                QString typed;
                for (const QByteArray &line : said.mid(1)) {
                    const QList<QByteArray> parts = line.split(' ');
                    if (parts.size() == 4 && parts[0] == "key") {
                        QCOMPARE(parts[1].toInt(), int(keyTimes.size()) + 1);
                        keyTimes.push_back(parts[2].toLongLong());
                        typed += QChar(parts[3].toInt());
                    }
                }
                const int typedKeys = int(keyTimes.size());
                QVERIFY2(typedKeys > 0, "the child typed nothing");
                int mustHave = 0; // keys typed more than two seconds before the kill
                while (mustHave < typedKeys && keyTimes[size_t(mustHave)] <= killedAt - 2000)
                    ++mustHave;
                const std::vector<JournalKeeper::Orphan> orphans = JournalKeeper::findOrphans(t.folder.path());
                QVERIFY2(orphans.size() <= 1, "one typist, one journal");
                const QString text = orphans.empty() ? QString() : orphans.front().entry.text;
                const int kept = orphans.empty() ? 0 : int(text.size()) - baseSize;
                QVERIFY2(kept >= 0 && kept <= typedKeys, qPrintable(QString::number(kept)));
                QCOMPARE(text.mid(baseSize), typed.left(kept));
                QVERIFY2(kept >= mustHave, qPrintable(QString("killed after %1 ms of typing: %2 of %3 keys kept, %4 "
                                                              "typed more than 2 s before")
                                                          .arg(t.killAfterMs).arg(kept).arg(typedKeys).arg(mustHave)));
                checked += mustHave > 0;
            }
        }
        // Most kills come late enough that the bound asks for something.
        QVERIFY2(checked >= Rounds * AtOnce / 2, qPrintable(QString::number(checked)));
    }

    // A full disk, a read-only file and a read-only folder: the old file stays as
    // it was, the text stays changed, and Save As can put it elsewhere. The journal
    // of a text too big for the disk is reported lost until it fits again.
    void failedSaveKeepsTheOldFileAndTheText()
    {
        QTemporaryDir full;
        const QString target = full.filePath("prog.yab");
        QVERIFY(writeBytes(target, "print 1\n"));
        const QStringList said = runChild({"full", target, full.filePath("journal")});
        QCOMPARE(said.mid(0, 3), (QStringList{"message:Save Program", "changed:1 cancelled:1",
                                              "text:print 1" + QString(128 * 1024, 'x')}));
        QVERIFY2(said.value(3).startsWith("lost ") && said.at(3).size() > 5, qPrintable(said.value(3)));
        QCOMPARE(said.mid(4), (QStringList{"back", "journal", "exit:0"}));
        QCOMPARE(readBytes(target), QByteArray("print 1\n"));
        QCOMPARE(QDir(full.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"prog.yab"});

        if (geteuid() == 0 && !getpwnam("nobody"))
            QSKIP("running as root and there is no ordinary user to try access rights with");
        for (const bool folderToo : {false, true}) {
            QTemporaryDir dir;
            chmodPath(dir.path(), 0755);
            const QString locked = dir.filePath("locked"), open = dir.filePath("open");
            QVERIFY(QDir().mkpath(locked) && QDir().mkpath(open));
            chmodPath(open, 0777);
            const QString target = locked + "/prog.yab", elsewhere = open + "/rescued.yab";
            QVERIFY(writeBytes(target, "print 1\n"));
            chmodPath(target, folderToo ? 0666 : 0444);
            chmodPath(locked, folderToo ? 0555 : 0777);
            const QStringList said = runChild({"denied", target, elsewhere});
            chmodPath(locked, 0777);
            QCOMPARE(said, (QStringList{"message:Save Program", "changed:1 cancelled:1", "text:print 1 and more",
                                        "after save as: changed:0 name:" + elsewhere, "exit:0"}));
            QCOMPARE(readBytes(target), QByteArray("print 1\n"));
            QCOMPARE(readBytes(elsewhere), QByteArray("print 1 and more\n"));
        }
    }

    // The journal of a killed editor is offered at the next start; running the
    // recovered text leaves the source file alone as well.
    void killedEditorOffersItsJournal()
    {
        DocumentWindow t;
        const QString file = t.fake.writeFile("prog.yab", "print 1\n"), journalFolder = t.fake.path("journal");
        // The child types "rem unsaved work" and is killed once its journal is written.
        QCOMPARE(runChild({"editor", journalFolder, file}), (QStringList{"journaled", "exit:killed"}));
        QCOMPARE(readBytes(file), QByteArray("print 1\n")); // the source is untouched

        t.fake.services.journalFolder = journalFolder;
        t.prompter.answerMessage(MsgResult::Yes);
        t.start();
        VERIFY_SCRIPT_DONE(t.prompter);
        QCOMPARE(t.asked(), QStringList{"Recover Unsaved Work"});
        QCOMPARE(t.doc(), file + " (changed): rem unsaved work\nprint 1");

        t.set("Run", "YABPath", makeExecutable(t.fake.path("yabasic"), "#!/bin/sh\n"));
        t.type("\nx = 2");
        t.trigger("runProgram");
        QTRY_VERIFY(!run(*t.w).isRunning());
        VERIFY_SCRIPT_DONE(t.prompter);
        QCOMPARE(readBytes(file), QByteArray("print 1\n"));
        QVERIFY(t.changed());
    }
};

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
