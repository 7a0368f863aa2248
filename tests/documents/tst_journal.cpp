#include "app/MainWindow.h"
#include "documents/core/CrashJournal.h"
#include "documents/core/JournalKeeper.h"
#include "editor/CodeEditor.h"
#include "editor/EditorController.h"
#include "support/FakeServices.h"
#include "support/WindowProbe.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QtTest>

namespace {
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

QStringList journals(const QString &folder)
{
    return QDir(folder).entryList({"*.yjn"}, QDir::Files);
}

JournalEntry sampleEntry()
{
    JournalEntry e;
    e.originalPath = "/home/ann/My Progs/ünïcode, 100%.yab";
    e.hasFileName = true;
    e.savedAt = QDateTime(QDate(2026, 12, 6), QTime(9, 30, 15, 250), Qt::UTC);
    e.disk = DiskStamp::ofBytes("print 1\n", QDateTime(QDate(2026, 12, 5), QTime(8, 0), Qt::UTC));
    e.encoding = 1;
    e.lineBreak = 0;
    e.finalBreak = false;
    e.text = "print \"€\"\n\n\nrem last line \r with a CR";
    return e;
}

// Leaves a journal behind as a program that died would: written, with its lock gone stale.
QString leaveOrphan(const QString &folder, const JournalEntry &e)
{
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath("journal-999999-deadbeef.yjn");
    writeBytes(path, CrashJournal::serialize(e));
    return path;
}
} // namespace

class tst_Journal : public QObject {
    Q_OBJECT
private slots:
    void formatRoundTrip();
    void damagedJournalsAreNotOffered_data();
    void damagedJournalsAreNotOffered();
    void keeperWritesAfterIdleAndDiscards();
    void liveJournalIsNotAnOrphan();
    void twoKeepersNeverShareAJournal();
    void emptyLockFileOfACrash();

    void recoveryIsOfferedAndTaken();
    void recoveryCanBeDeclinedOrPutOff();
    void recoveryTellsOfAChangedFile();
    void savingRemovesTheJournal();
    void runWritesTheJournalFirst();
    void cleanCloseLeavesNoJournal();

    void outsideChangeOfAnUnchangedDocumentReloads();
    void outsideChangeOfAChangedDocumentAsks();
    void deletedFileIsTold();
    void ownSavesAreNotOutsideChanges();
    void saveAsksBeforeOverwritingAnOutsideChange();
};

void tst_Journal::formatRoundTrip()
{
    const JournalEntry e = sampleEntry();
    const std::optional<JournalEntry> back = CrashJournal::parse(CrashJournal::serialize(e));
    QVERIFY(back);
    QCOMPARE(back->originalPath, e.originalPath);
    QCOMPARE(back->hasFileName, true);
    QCOMPARE(back->savedAt, e.savedAt);
    QCOMPARE(back->disk.hash, e.disk.hash);
    QCOMPARE(back->disk.size, qint64(8));
    QCOMPARE(back->encoding, 1);
    QCOMPARE(back->finalBreak, false);
    QCOMPARE(back->text, e.text);
}

void tst_Journal::damagedJournalsAreNotOffered_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = CrashJournal::serialize(sampleEntry());
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut short") << good.left(good.size() - 3);
    QTest::newRow("no header end") << good.left(40);
    QTest::newRow("other file") << QByteArray("[General]\nx=1\n");
    QTest::newRow("bad header line") << QByteArray("VORMELD-JOURNAL 1\nnonsense\n\ntext");
    QTest::newRow("no path") << QByteArray("VORMELD-JOURNAL 1\ntext-bytes=4\n\ntext");
}

void tst_Journal::damagedJournalsAreNotOffered()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!CrashJournal::parse(bytes));
}

void tst_Journal::keeperWritesAfterIdleAndDiscards()
{
    QTemporaryDir dir;
    std::optional<JournalEntry> state;
    JournalKeeper keeper(dir.path(), [&] { return state; }, 50);
    keeper.documentChanged();
    QTest::qWait(120);
    QVERIFY(!keeper.hasJournal()); // nothing unsaved: nothing written
    state = sampleEntry();
    keeper.documentChanged();
    QTRY_VERIFY(keeper.hasJournal());
    QCOMPARE(CrashJournal::parse(readBytes(keeper.journalPath()))->text, sampleEntry().text);
    state.reset();
    keeper.syncNow();
    QVERIFY(!keeper.hasJournal());
    state = sampleEntry();
    keeper.syncNow();
    QVERIFY(keeper.hasJournal());
    keeper.close();
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty()); // journal and lock gone
}

void tst_Journal::liveJournalIsNotAnOrphan()
{
    QTemporaryDir dir;
    JournalKeeper live(dir.path(), [] { return std::optional<JournalEntry>(sampleEntry()); });
    live.syncNow();
    QVERIFY(live.hasJournal());
    QVERIFY(JournalKeeper::findOrphans(dir.path()).empty());
    // Left behind by a program that is gone (a killed one is tried in the fault tests).
    leaveOrphan(dir.path(), sampleEntry());
    auto orphans = JournalKeeper::findOrphans(dir.path());
    QCOMPARE(int(orphans.size()), 1);
    QCOMPARE(orphans.front().entry.originalPath, sampleEntry().originalPath);
    // While it is being offered, a second look does not offer it again.
    QVERIFY(JournalKeeper::findOrphans(dir.path()).empty());
    JournalKeeper::removeOrphan(orphans.front());
    QCOMPARE(journals(dir.path()), QStringList{QFileInfo(live.journalPath()).fileName()});
}

void tst_Journal::twoKeepersNeverShareAJournal()
{
    QTemporaryDir dir;
    JournalKeeper a(dir.path(), [] { return std::optional<JournalEntry>(sampleEntry()); });
    JournalKeeper b(dir.path(), [] { return std::optional<JournalEntry>(sampleEntry()); });
    a.syncNow();
    b.syncNow();
    QVERIFY(a.journalPath() != b.journalPath());
    QCOMPARE(journals(dir.path()).size(), 2);
    QVERIFY(JournalKeeper::findOrphans(dir.path()).empty());
}

void tst_Journal::emptyLockFileOfACrash()
{
    // A power cut right after the lock file was made leaves it empty.
    QTemporaryDir dir;
    const QString journal = leaveOrphan(dir.path(), sampleEntry());
    QFile lock(journal + ".lock");
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.close();
    // Moments old, it may still be being written: left alone.
    QVERIFY(JournalKeeper::findOrphans(dir.path()).empty());
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    lock.close();
    const auto orphans = JournalKeeper::findOrphans(dir.path());
    QCOMPARE(int(orphans.size()), 1);
    QCOMPARE(orphans.front().entry.text, sampleEntry().text);
}

void tst_Journal::recoveryIsOfferedAndTaken()
{
    FakeServices fake;
    const QString file = fake.writeFile("prog.yab", "print 1\n");
    JournalEntry e;
    e.originalPath = file;
    e.hasFileName = true;
    e.savedAt = QDateTime::currentDateTimeUtc();
    e.disk = DiskStamp::of(file);
    e.text = "print 1\nprint 2 ' not saved";
    const QString orphan = leaveOrphan(fake.services.journalFolder, e);
    fake.prompter.answerMessage(MsgResult::Yes);
    MainWindow w(fake.services);
    w.start();
    QCOMPARE(fake.prompter.messages.size(), 1);
    const MessageRequest &m = fake.prompter.messages.first();
    QCOMPARE(m.title, QStringLiteral("Recover Unsaved Work"));
    QVERIFY(m.text.contains("\"prog.yab\""));
    QVERIFY(!m.text.contains("changed since"));
    QCOMPARE(m.buttons, MsgButtons::YesNoCancel);
    QCOMPARE(editorText(w), e.text);
    QCOMPARE(documents(w).state().currentFileName, file);
    QVERIFY(documents(w).state().hasFileName);
    QVERIFY(documents(w).state().fileChanged);
    QCOMPARE(w.windowTitle(), QStringLiteral("prog.yab - Vormeld 2005"));
    QCOMPARE(readBytes(file), QByteArray("print 1\n")); // the file itself untouched
    QVERIFY(!QFile::exists(orphan));
    QVERIFY(journal(w).hasJournal()); // the text is kept by this program's own journal now
    // Undo goes back to what was there before: the text is one change.
    QCOMPARE(editor(w).history.undoStack.count(), 1);
}

void tst_Journal::recoveryCanBeDeclinedOrPutOff()
{
    FakeServices fake;
    JournalEntry e = sampleEntry();
    e.hasFileName = false;
    e.originalPath = "Untitled";
    const QString orphan = leaveOrphan(fake.services.journalFolder, e);
    fake.prompter.answerMessage(MsgResult::Cancel);
    {
        MainWindow w(fake.services);
        w.start();
        QVERIFY(!documents(w).state().fileChanged);
        QVERIFY(w.close());
    }
    QVERIFY(QFile::exists(orphan)); // kept for the next start
    fake.prompter.answerMessage(MsgResult::No);
    {
        MainWindow w(fake.services);
        w.start();
        QCOMPARE(fake.prompter.messages.size(), 2);
        QVERIFY(w.close());
    }
    QVERIFY(!QFile::exists(orphan));
    MainWindow w(fake.services);
    w.start();
    QCOMPARE(fake.prompter.messages.size(), 2); // nothing more to offer
}

void tst_Journal::recoveryTellsOfAChangedFile()
{
    FakeServices fake;
    const QString file = fake.writeFile("prog.yab", "print 1\n");
    JournalEntry e;
    e.originalPath = file;
    e.hasFileName = true;
    e.savedAt = QDateTime::currentDateTimeUtc();
    e.disk = DiskStamp::of(file);
    e.text = "mine";
    leaveOrphan(fake.services.journalFolder, e);
    writeBytes(file, "print 1 changed elsewhere\n");
    fake.prompter.answerMessage(MsgResult::Yes);
    MainWindow w(fake.services);
    w.start();
    QVERIFY(fake.prompter.messages.first().text.contains("The file itself was changed since then."));
    // Saving over the changed file asks first.
    fake.prompter.answerMessage(MsgResult::No);
    action(w, "fileSave")->trigger();
    QCOMPARE(fake.prompter.messages.last().title, QStringLiteral("Save Program"));
    QCOMPARE(readBytes(file), QByteArray("print 1 changed elsewhere\n"));
    QVERIFY(documents(w).state().fileChanged);
}

void tst_Journal::savingRemovesTheJournal()
{
    FakeServices fake;
    const QString file = fake.writeFile("p.yab", "a\n");
    fake.services.commandLine = file;
    MainWindow w(fake.services);
    w.start();
    QTextCursor c = codeEditor(w)->textCursor();
    c.insertText("b");
    journal(w).syncNow();
    QVERIFY(journal(w).hasJournal());
    action(w, "fileSave")->trigger();
    QVERIFY(!journal(w).hasJournal());
    c.insertText("c");
    journal(w).syncNow();
    QVERIFY(journal(w).hasJournal());
    // "No" to the question and a new document: the text is given up, and so is its journal.
    fake.prompter.answerMessage(MsgResult::No);
    action(w, "fileNew")->trigger();
    QVERIFY(!journal(w).hasJournal());
}

void tst_Journal::runWritesTheJournalFirst()
{
    FakeServices fake;
    MainWindow w(fake.services);
    w.start();
    codeEditor(w)->textCursor().insertText("x = 1\n");
    fake.prompter.answerMessage(MsgResult::OK); // no interpreter: "Problem"
    run(w).runProgram();
    QVERIFY(journal(w).hasJournal());
    QCOMPARE(CrashJournal::parse(readBytes(journal(w).journalPath()))->text, editorText(w));
}

void tst_Journal::cleanCloseLeavesNoJournal()
{
    FakeServices fake;
    {
        MainWindow w(fake.services);
        w.start();
        codeEditor(w)->textCursor().insertText("x");
        journal(w).syncNow();
        fake.prompter.answerMessage(MsgResult::No);
        QVERIFY(w.close());
    }
    QVERIFY(QDir(fake.services.journalFolder).entryList(QDir::Files).isEmpty());
}

void tst_Journal::outsideChangeOfAnUnchangedDocumentReloads()
{
    FakeServices fake;
    const QString file = fake.writeFile("p.yab", "print 1\n");
    fake.services.commandLine = file;
    MainWindow w(fake.services);
    w.start();
    writeBytes(file, "print 2\n");
    fake.prompter.answerMessage(MsgResult::Yes);
    QVERIFY(documents(w).checkOutsideChange());
    const MessageRequest &m = fake.prompter.messages.first();
    QCOMPARE(m.title, QStringLiteral("File Changed on Disk"));
    QCOMPARE(m.text, QStringLiteral("The file \"p.yab\" was changed by another program.\r\nDo you want to load it again?"));
    QCOMPARE(editorText(w), QStringLiteral("print 2"));
    QVERIFY(!documents(w).state().fileChanged);
    QVERIFY(!documents(w).checkOutsideChange()); // told once

    writeBytes(file, "print 3\n");
    fake.prompter.answerMessage(MsgResult::No); // keep what is shown
    QVERIFY(documents(w).checkOutsideChange());
    QCOMPARE(editorText(w), QStringLiteral("print 2"));
    QVERIFY(documents(w).state().fileChanged); // it differs from the file now
}

void tst_Journal::outsideChangeOfAChangedDocumentAsks()
{
    FakeServices fake;
    const QString file = fake.writeFile("p.yab", "print 1\n");
    fake.services.commandLine = file;
    MainWindow w(fake.services);
    w.show();
    w.start();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    codeEditor(w)->textCursor().insertText("my work ");
    fake.prompter.answerMessage(MsgResult::No);
    writeBytes(file, "print 9\n");
    // The watcher notices; the question comes while the window is active.
    QTRY_COMPARE_WITH_TIMEOUT(fake.prompter.messages.size(), 1, 5000);
    QVERIFY(fake.prompter.messages.first().text.contains("your text has changes that are not saved"));
    QVERIFY(editorText(w).startsWith("my work "));
    QVERIFY(documents(w).state().fileChanged);
    QCOMPARE(readBytes(file), QByteArray("print 9\n"));
}

void tst_Journal::deletedFileIsTold()
{
    FakeServices fake;
    const QString file = fake.writeFile("p.yab", "print 1\n");
    fake.services.commandLine = file;
    MainWindow w(fake.services);
    w.start();
    QVERIFY(QFile::remove(file));
    fake.prompter.answerMessage(MsgResult::OK);
    QVERIFY(documents(w).checkOutsideChange());
    QCOMPARE(fake.prompter.messages.first().title, QStringLiteral("File Deleted"));
    QCOMPARE(editorText(w), QStringLiteral("print 1"));
    QVERIFY(documents(w).state().fileChanged);
    // Closing asks; Yes writes the file back.
    fake.prompter.answerMessage(MsgResult::Yes);
    QVERIFY(w.close());
    QCOMPARE(readBytes(file), QByteArray("print 1\n"));
}

void tst_Journal::ownSavesAreNotOutsideChanges()
{
    FakeServices fake;
    const QString file = fake.writeFile("p.yab", "a\n");
    fake.services.commandLine = file;
    MainWindow w(fake.services);
    w.show();
    w.start();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    for (int i = 0; i < 3; ++i) {
        codeEditor(w)->textCursor().insertText("x");
        action(w, "fileSave")->trigger();
        QTest::qWait(50);
    }
    QVERIFY(!documents(w).diskChangedOutside());
    QCOMPARE(fake.prompter.messages.size(), 0);
}

void tst_Journal::saveAsksBeforeOverwritingAnOutsideChange()
{
    FakeServices fake;
    const QString file = fake.writeFile("p.yab", "a\n");
    fake.services.commandLine = file;
    MainWindow w(fake.services);
    w.start();
    codeEditor(w)->textCursor().insertText("mine ");
    writeBytes(file, "theirs\n");
    fake.prompter.answerMessage(MsgResult::Yes);
    action(w, "fileSave")->trigger();
    QCOMPARE(fake.prompter.messages.size(), 1);
    QVERIFY(fake.prompter.messages.first().text.contains("was changed by another program"));
    QCOMPARE(readBytes(file), QByteArray("mine a\n"));
    QVERIFY(!documents(w).state().fileChanged);
}

QTEST_MAIN(tst_Journal)
#include "tst_journal.moc"
