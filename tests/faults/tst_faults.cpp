#include "support/DocumentWindow.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString child()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/fault_child");
}

// Runs the child to its end: what it printed, then "exit:" and its exit code (killed if it hangs).
QStringList runChild(const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(child(), args);
    const bool ended = p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)
           << "exit:" + (ended ? QString::number(p.exitCode()) : "hung");
}

void chmodPath(const QString &path, mode_t mode)
{
    ::chmod(QFile::encodeName(path).constData(), mode);
}
} // namespace

class tst_Faults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(child()), "the fault child is built beside the tests");
    }

    void killedDuringSaveLeavesOldOrNew()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("prog.yab");
        const QByteArray initial = "print \"before\"\n";
        QVERIFY(writeBytes(target, initial));
        const int kb = 1024;
        const QByteArray a = QByteArray(kb * 1024 - 1, 'A') + '\n';
        const QByteArray b = QByteArray(kb * 1024 - 1, 'B') + '\n';
        QRandomGenerator rng(20261206);
        int oldSeen = 0, newSeen = 0;
        for (int round = 0; round < 20; ++round) {
            // Anywhere inside a save: from at once to a few saves in.
            QProcess p;
            p.start(child(), {"save", target, QString::number(kb), QString::number(rng.bounded(40000))});
            QVERIFY(p.waitForFinished(20000));
            QCOMPARE(p.exitStatus(), QProcess::CrashExit); // killed, not finished
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
        qInfo("killed the saving program 20 times (%d before its first save ended); the file was always whole",
              oldSeen);
    }

    void fullDiskKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("prog.yab");
        QVERIFY(writeBytes(target, "print 1\n"));
        QCOMPARE(runChild({"toobig", target, "4096"}), (QStringList{"message:Save Program", "changed:1", "cancelled:1",
                                                                    "text:print 1" + QString(8192, 'x'), "exit:0"}));
        QCOMPARE(readBytes(target), QByteArray("print 1\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"prog.yab"});
    }

    void deniedSaveKeepsTheTextForSaveAs_data()
    {
        QTest::addColumn<bool>("folderToo");
        QTest::newRow("read-only file") << false;
        QTest::newRow("read-only folder") << true;
    }

    void deniedSaveKeepsTheTextForSaveAs()
    {
        QFETCH(bool, folderToo);
        if (geteuid() == 0 && !getpwnam("nobody"))
            QSKIP("running as root and there is no ordinary user to try access rights with");
        QTemporaryDir dir;
        chmodPath(dir.path(), 0755);
        const QString locked = dir.filePath("locked"), open = dir.filePath("open");
        QVERIFY(QDir().mkpath(locked) && QDir().mkpath(open));
        chmodPath(open, 0777);
        const QString target = locked + "/prog.yab";
        QVERIFY(writeBytes(target, "print 1\n"));
        chmodPath(target, folderToo ? 0666 : 0444);
        chmodPath(locked, folderToo ? 0555 : 0777);
        const QString elsewhere = open + "/rescued.yab";
        const QStringList said = runChild({"denied", target, elsewhere});
        chmodPath(locked, 0777);
        QCOMPARE(said, (QStringList{"message:Save Program", "changed:1", "cancelled:1", "text:print 1 and more",
                                    "changed-after-save-as:0", "name:" + elsewhere, "exit:0"}));
        QCOMPARE(readBytes(target), QByteArray("print 1\n"));
        QCOMPARE(readBytes(elsewhere), QByteArray("print 1 and more\n"));
    }

    void killedEditorOffersItsJournal()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("prog.yab");
        QVERIFY(writeBytes(file, "print 1\n"));
        const QString journalFolder = dir.filePath("journal");
        QProcess p; // offscreen, as the suite itself
        p.start(child(), {"editor", journalFolder, file, "rem unsaved work\n"});
        QVERIFY(p.waitForStarted(10000));
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
        QCOMPARE(readBytes(file), QByteArray("print 1\n"));
    }

    void runFileNeverTouchesTheSource()
    {
        DocumentWindow t;
        const QString file = t.fake.writeFile("prog.yab", "print 1\n");
        const QString exe = t.fake.writeFile("yabasic", "#!/bin/sh\n");
        QVERIFY(QFile::setPermissions(exe, QFile::permissions(exe) | QFileDevice::ExeOwner));
        t.set("Run", "YABPath", exe);
        t.start(file);
        t.type("\nx = 2");
        t.trigger("runProgram");
        QTRY_VERIFY(!run(*t.w).isRunning());
        QCOMPARE(readBytes(file), QByteArray("print 1\n"));
        QVERIFY(t.changed());
        // Even a temporary file set to the program's own file is refused.
        t.set("Run", "TempPath", file);
        t.prompter.answerMessage(MsgResult::OK);
        t.trigger("runProgram");
        VERIFY_SCRIPT_DONE(t.prompter);
        QCOMPARE(t.asked(), QStringList{"Problem"});
        QCOMPARE(readBytes(file), QByteArray("print 1\n"));
        QVERIFY(t.changed());
    }
};

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
