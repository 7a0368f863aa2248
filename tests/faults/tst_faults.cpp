#include "FaultChild.h"
#include "support/DocumentWindow.h"

#include <QDir>
#include <QRandomGenerator>
#include <QtTest>

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

    // A full disk, a read-only file and a read-only folder: the old file stays as
    // it was, the text stays changed, and Save As can put it elsewhere.
    void failedSaveKeepsTheOldFileAndTheText()
    {
        QTemporaryDir full;
        const QString target = full.filePath("prog.yab");
        QVERIFY(writeBytes(target, "print 1\n"));
        QCOMPARE(runChild("fault_child", {"toobig", target, "4096"}),
                 (QStringList{"message:Save Program", "changed:1 cancelled:1", "text:print 1" + QString(8192, 'x'),
                              "exit:0"}));
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
