#include "app/MainWindow.h"
#include "platform/core/TextFile.h"
#include "support/FakeServices.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

#include "editor/CodeEditor.h"

#include <csignal>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString child()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/fault_child");
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Runs the child to its end and returns what it printed.
QStringList runChild(const QStringList &args, int *exitCode)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(child(), args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        *exitCode = -1;
        return {};
    }
    *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}
} // namespace

class tst_Faults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void killedDuringSaveLeavesOldOrNew();
    void fullDiskKeepsTheOldFile();
    void readOnlyFileAndFolder_data();
    void readOnlyFileAndFolder();
    void killedEditorOffersItsJournal();
    void runFileNeverTouchesTheSource();

private:
    int m_scenarios = 0;
};

void tst_Faults::initTestCase()
{
    QVERIFY2(QFile::exists(child()), "the fault child is built beside the tests");
}

void tst_Faults::killedDuringSaveLeavesOldOrNew()
{
    QTemporaryDir dir;
    const QString target = dir.filePath("prog.yab");
    const QByteArray initial = "print \"before\"\n";
    writeBytes(target, initial);
    const int kb = 1024;
    const QByteArray a = QByteArray(kb * 1024 - 1, 'A') + '\n';
    const QByteArray b = QByteArray(kb * 1024 - 1, 'B') + '\n';
    QRandomGenerator rng(20261206);
    int kills = 0;
    for (int round = 0; round < 40; ++round) {
        QProcess p;
        p.start(child(), {"save", target, QString::number(kb)});
        QVERIFY(p.waitForReadyRead(20000));
        // Anywhere inside a save: from at once to a few saves in.
        QThread::usleep(rng.bounded(40000));
        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(10000));
        ++kills;
        const QByteArray now = readBytes(target);
        QVERIFY2(now == initial || now == a || now == b,
                 qPrintable(QString("round %1: %2 bytes, neither old nor new").arg(round).arg(now.size())));
        // A kill in the moment between naming the new file and renaming it over the old
        // one can leave that name behind: only ever our own marked one, never a half file.
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        for (const QString &f : left)
            QVERIFY2(f == "prog.yab" || f.startsWith(".prog.yab.vormeld-save-"), qPrintable("left behind: " + f));
    }
    // The next save clears what a killed one left.
    QVERIFY(writeWholeFileAtomic(target, initial).ok);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"prog.yab"});
    QCOMPARE(readBytes(target), initial);
    m_scenarios += kills;
    qInfo("killed the saving program %d times; the file was always whole", kills);
}

void tst_Faults::fullDiskKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString target = dir.filePath("prog.yab");
    const QByteArray old = "print 1\n";
    writeBytes(target, old);
    int code = 0;
    const QStringList said = runChild({"toobig", target, "4096"}, &code);
    QCOMPARE(code, 0);
    QVERIFY2(said.contains("message:Save Program"), qPrintable(said.join(" | ")));
    QVERIFY(said.contains("changed:1"));
    QVERIFY(said.contains("cancelled:1"));
    QCOMPARE(readBytes(target), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"prog.yab"});
    ++m_scenarios;
}

void tst_Faults::readOnlyFileAndFolder_data()
{
    QTest::addColumn<bool>("folderToo");
    QTest::newRow("read-only file") << false;
    QTest::newRow("read-only folder") << true;
}

void tst_Faults::readOnlyFileAndFolder()
{
    QFETCH(bool, folderToo);
    if (geteuid() == 0 && !getpwnam("nobody"))
        QSKIP("running as root and there is no ordinary user to try access rights with");
    QTemporaryDir dir;
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                   | QFileDevice::ReadOther | QFileDevice::ExeOther
                                                   | QFileDevice::ReadGroup | QFileDevice::ExeGroup));
    const QString locked = dir.filePath("locked");
    const QString open = dir.filePath("open");
    QVERIFY(QDir().mkpath(locked) && QDir().mkpath(open));
    ::chmod(QFile::encodeName(open).constData(), 0777);
    const QString target = locked + "/prog.yab";
    writeBytes(target, "print 1\n");
    ::chmod(QFile::encodeName(target).constData(), folderToo ? 0666 : 0444);
    ::chmod(QFile::encodeName(locked).constData(), folderToo ? 0555 : 0777);
    const QString elsewhere = open + "/rescued.yab";
    int code = 0;
    const QStringList said = runChild({"denied", target, elsewhere}, &code);
    ::chmod(QFile::encodeName(locked).constData(), 0777);
    QCOMPARE(code, 0);
    QVERIFY2(said.contains("message:Save Program"), qPrintable(said.join(" | ")));
    QVERIFY(said.contains("changed:1"));
    QVERIFY(said.contains("text:print 1 and more"));
    QCOMPARE(readBytes(target), QByteArray("print 1\n"));
    QVERIFY(said.contains("changed-after-save-as:0"));
    QVERIFY(said.contains("name:" + elsewhere));
    QCOMPARE(readBytes(elsewhere), QByteArray("print 1 and more\n"));
    ++m_scenarios;
}

void tst_Faults::killedEditorOffersItsJournal()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("prog.yab");
    writeBytes(file, "print 1\n");
    const QString journal = dir.filePath("journal");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(child(), {"editor", journal, file, "rem unsaved work\n"});
    QVERIFY(p.waitForStarted(10000));
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += p.readAllStandardOutput()).contains("journaled")
                                 || p.state() == QProcess::NotRunning,
                             30000);
    QVERIFY(p.state() == QProcess::Running);
    ::kill(pid_t(p.processId()), SIGKILL);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(readBytes(file), QByteArray("print 1\n")); // the source is untouched

    FakeServices fake;
    fake.services.journalFolder = journal;
    fake.prompter.answerMessage(MsgResult::Yes);
    MainWindow w(fake.services);
    w.start();
    QCOMPARE(fake.prompter.messages.size(), 1);
    QCOMPARE(fake.prompter.messages.first().title, QStringLiteral("Recover Unsaved Work"));
    QCOMPARE(w.editorText(), QStringLiteral("rem unsaved work\nprint 1"));
    QCOMPARE(w.documents().state().currentFileName, file);
    QVERIFY(w.documents().state().fileChanged);
    QCOMPARE(readBytes(file), QByteArray("print 1\n"));
    ++m_scenarios;
}

void tst_Faults::runFileNeverTouchesTheSource()
{
    FakeServices fake;
    const QString file = fake.writeFile("prog.yab", "print 1\n");
    fake.services.commandLine = file;
    QFile exe(fake.path("yabasic"));
    QVERIFY(exe.open(QIODevice::WriteOnly));
    exe.write("#!/bin/sh\n");
    exe.close();
    exe.setPermissions(exe.permissions() | QFileDevice::ExeOwner);
    SettingsAccess s(fake.settings, "vormeld");
    s.saveSetting("Run", "YABPath", exe.fileName());
    MainWindow w(fake.services);
    w.start();
    w.controls().RichTextBox1->textCursor().insertText("x = 2\n");
    w.runProgram();
    QCOMPARE(readBytes(file), QByteArray("print 1\n"));
    QVERIFY(w.documents().state().fileChanged);
    // Even a temporary file set to the program's own file is refused.
    s.saveSetting("Run", "TempPath", file);
    fake.prompter.answerMessage(MsgResult::OK);
    w.runProgram();
    QCOMPARE(fake.prompter.messages.size(), 1);
    QCOMPARE(fake.prompter.messages.first().title, QStringLiteral("Problem"));
    QCOMPARE(readBytes(file), QByteArray("print 1\n"));
    QVERIFY(w.documents().state().fileChanged);
    ++m_scenarios;
    qInfo("fault scenarios run: %d, all of them without loss", m_scenarios);
}

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
