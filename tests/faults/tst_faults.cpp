#include "FaultChild.h"
#include "documents/core/JournalKeeper.h"
#include "support/DocumentWindow.h"

#include <QDir>
#include <QRandomGenerator>
#include <QtTest>

#include <memory>

#include <pwd.h>
#include <sys/stat.h>

namespace {
// The files of a folder, hidden ones too.
QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
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
        const int kb = 1024;
        const QByteArray a = QByteArray(kb * 1024 - 1, 'A') + '\n', b = QByteArray(kb * 1024 - 1, 'B') + '\n';
        QRandomGenerator rng(20261206);
        int oldSeen = 0, newSeen = 0;
        for (int round = 0; round < 20; ++round) {
            // Anywhere inside a save: from at once to a few saves in.
            QProcess p;
            p.start(childPath("fault_child"), {"save", target, QString::number(kb), QString::number(rng.bounded(40000))});
            QVERIFY(p.waitForFinished(20000));
            QCOMPARE(p.exitStatus(), QProcess::CrashExit); // killed, not finished
            const QByteArray now = readBytes(target);
            QVERIFY2(now == initial || now == a || now == b,
                     qPrintable(QString("round %1: %2 bytes, neither old nor new").arg(round).arg(now.size())));
            ++(now == initial ? oldSeen : newSeen);
            // A kill between naming the new file and renaming it over the old one can
            // leave that name behind: only ever our own marked one, never a half file.
            for (const QString &f : filesIn(dir.path()))
                QVERIFY2(f == "prog.yab" || f.startsWith(".prog.yab.vormeld-save-"), qPrintable("left behind: " + f));
        }
        QVERIFY2(newSeen > 0, "no kill came after a finished save: the moments tried are too early");
        qInfo("killed the saving program 20 times (%d before its first save ended); the file was always whole", oldSeen);
    }

    // A program that is killed while the user types loses at most the last two
    // seconds of typing, however long the typing went on without a pause.
    void killedWhileTypingLosesAtMostTwoSeconds()
    {
        constexpr qint64 LossBoundMs = 2000;
        QRandomGenerator rng(20260412);
        constexpr int Rounds = 6, AtOnce = 6; // 36 kills, six typists at a time
        int checked = 0;
        qint64 worstLossMs = 0;
        for (int round = 0; round < Rounds; ++round) {
            std::vector<std::unique_ptr<QTemporaryDir>> folders;
            std::vector<std::unique_ptr<QProcess>> typists;
            std::vector<int> killAfterMs;
            for (int i = 0; i < AtOnce; ++i) { // each kills itself at its own moment, whatever it is doing then
                folders.push_back(std::make_unique<QTemporaryDir>());
                killAfterMs.push_back(500 + int(rng.bounded(5501))); // 0.5 to 6 s of typing
                typists.push_back(std::make_unique<QProcess>());
                typists.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
                typists.back()->start(childPath("fault_child"), {"type", folders.back()->path(),
                                                                 QString::number(killAfterMs.back())});
            }
            for (int i = 0; i < AtOnce; ++i) {
                QVERIFY(typists[i]->waitForFinished(30000));
                QCOMPARE(typists[i]->exitStatus(), QProcess::CrashExit);
                const QList<QByteArray> said = typists[i]->readAllStandardOutput().split('\n');
                const QList<QByteArray> ready = said.value(0).split(' ');
                QVERIFY2(ready.size() == 3 && ready[0] == "ready", said.value(0).constData());
                const int baseSize = ready[1].toInt();
                const qint64 killedAt = ready[2].toLongLong() + killAfterMs[i];
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
                int mustHave = 0; // keys typed more than the bound before the kill
                while (mustHave < typedKeys && keyTimes[size_t(mustHave)] <= killedAt - LossBoundMs)
                    ++mustHave;
                const std::vector<JournalKeeper::Orphan> orphans = JournalKeeper::findOrphans(folders[i]->path());
                QVERIFY2(orphans.size() <= 1, "one typist, one journal");
                const QString text = orphans.empty() ? QString() : orphans.front().entry.text;
                const int kept = orphans.empty() ? 0 : int(text.size()) - baseSize;
                QVERIFY2(kept >= 0 && kept <= typedKeys, qPrintable(QString::number(kept)));
                QCOMPARE(text.mid(baseSize), typed.left(kept));
                const qint64 lossMs = kept < typedKeys ? killedAt - keyTimes[size_t(kept)] : 0;
                worstLossMs = std::max(worstLossMs, lossMs);
                QVERIFY2(kept >= mustHave, qPrintable(QString("killed after %1 ms of typing: %2 of %3 keys kept, %4 "
                                                              "typed more than 2 s before; %5 ms of typing lost")
                                                          .arg(killAfterMs[i]).arg(kept).arg(typedKeys)
                                                          .arg(mustHave).arg(lossMs)));
                checked += mustHave > 0;
            }
        }
        // Most kills come late enough that the bound asks for something.
        QVERIFY2(checked >= Rounds * AtOnce / 2, qPrintable(QString::number(checked)));
        qInfo("killed the typing program %d times (%d late enough to owe a journal); the most typing lost was %lld ms",
              Rounds * AtOnce, checked, worstLossMs);
    }

    // A full disk, a read-only file and a read-only folder: the old file stays as
    // it was, the text stays changed, and Save As can put it elsewhere. The journal
    // of a text too big for the disk is reported lost until it fits again.
    void failedSaveKeepsTheOldFileAndTheText()
    {
        QTemporaryDir full;
        const QString target = full.filePath("prog.yab");
        QVERIFY(writeBytes(target, "print 1\n"));
        const QStringList said = runChild("fault_child", {"full", target, full.filePath("journal")});
        QCOMPARE(said.mid(0, 3), (QStringList{"message:Save Program", "changed:1 cancelled:1",
                                              "text:print 1" + QString(128 * 1024, 'x')}));
        QVERIFY2(said.value(3).startsWith("lost ") && said.at(3).size() > 5, qPrintable(said.value(3)));
        QCOMPARE(said.mid(4), (QStringList{"back", "journal", "exit:0"}));
        QCOMPARE(readBytes(target), QByteArray("print 1\n"));
        QCOMPARE(filesIn(full.path()), QStringList{"prog.yab"});

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
            const QStringList said = runChild("fault_child", {"denied", target, elsewhere});
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
        QTemporaryDir dir;
        const QString file = dir.filePath("prog.yab"), journalFolder = dir.filePath("journal");
        QVERIFY(writeBytes(file, "print 1\n"));
        QProcess p; // offscreen, as the suite itself
        p.start(childPath("fault_child"), {"editor", journalFolder, file, "rem unsaved work\n"});
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += p.readAllStandardOutput()).contains("journaled")
                                     || p.state() == QProcess::NotRunning, 30000);
        QVERIFY(p.state() == QProcess::Running);
        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(readBytes(file), QByteArray("print 1\n")); // the source is untouched

        DocumentWindow t;
        t.fake.services.journalFolder = journalFolder;
        t.prompter.answerMessage(MsgResult::Yes);
        t.start();
        VERIFY_SCRIPT_DONE(t.prompter);
        QCOMPARE(t.asked(), QStringList{"Recover Unsaved Work"});
        QCOMPARE(t.doc(), file + " (changed): rem unsaved work\nprint 1");

        const QString exe = t.fake.writeFile("yabasic", "#!/bin/sh\n");
        QVERIFY(QFile::setPermissions(exe, QFile::permissions(exe) | QFileDevice::ExeOwner));
        t.set("Run", "YABPath", exe);
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
