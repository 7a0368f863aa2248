#include "documents/core/CrashJournal.h"
#include "support/DocumentWindow.h"

#include <QDir>
#include <QFileSystemWatcher>
#include <QLocale>
#include <QSignalSpy>
#include <QtTest>

namespace {
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

// Leaves a journal behind as a program that died would: written, with no live lock.
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
    void onlyDeadProgramsLeaveOrphans();
    void emptyLockFileOfACrash();

    void recoveryOffered_data();
    void recoveryOffered();
    void journalFollowsTheDocument();

    void outsideChange_data();
    void outsideChange();
    void saveAsksBeforeReplacingAnOutsideChange_data();
    void saveAsksBeforeReplacingAnOutsideChange();
};

void tst_Journal::formatRoundTrip()
{
    auto fields = [](const JournalEntry &e) {
        return QStringList{e.originalPath, QString::number(e.hasFileName), e.savedAt.toString(Qt::ISODateWithMs),
                           e.disk.hash.toHex(), QString::number(e.disk.size), QString::number(e.encoding),
                           QString::number(e.lineBreak), QString::number(e.finalBreak), e.text};
    };
    const std::optional<JournalEntry> back = CrashJournal::parse(CrashJournal::serialize(sampleEntry()));
    QVERIFY(back);
    QCOMPARE(fields(*back), fields(sampleEntry()));
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
    QTemporaryDir dir;
    leaveOrphan(dir.path(), sampleEntry());
    writeBytes(QDir(dir.path()).filePath("journal-999998-damaged.yjn"), bytes);
    QCOMPARE(int(JournalKeeper::findOrphans(dir.path()).size()), 1); // only the good one
}

void tst_Journal::keeperWritesAfterIdleAndDiscards()
{
    QTemporaryDir dir;
    std::optional<JournalEntry> state;
    int looked = 0;
    JournalKeeper keeper(dir.path(), [&] { ++looked; return state; }, 50);
    keeper.documentChanged();
    QTRY_COMPARE(looked, 1);
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

void tst_Journal::onlyDeadProgramsLeaveOrphans()
{
    QTemporaryDir dir;
    auto snapshot = [] { return std::optional<JournalEntry>(sampleEntry()); };
    JournalKeeper a(dir.path(), snapshot), b(dir.path(), snapshot);
    a.syncNow();
    b.syncNow();
    QVERIFY(a.journalPath() != b.journalPath()); // two programs never share a journal
    QCOMPARE(journals(dir.path()).size(), 2);
    QVERIFY(JournalKeeper::findOrphans(dir.path()).empty()); // both alive
    leaveOrphan(dir.path(), sampleEntry()); // a killed one is tried in the fault tests
    auto orphans = JournalKeeper::findOrphans(dir.path());
    QCOMPARE(int(orphans.size()), 1);
    QCOMPARE(orphans.front().entry.originalPath, sampleEntry().originalPath);
    // While it is being offered, a second look does not offer it again.
    QVERIFY(JournalKeeper::findOrphans(dir.path()).empty());
    JournalKeeper::removeOrphan(orphans.front());
    QCOMPARE(journals(dir.path()).size(), 2);
}

void tst_Journal::emptyLockFileOfACrash()
{
    // A power cut right after the lock file was made leaves it empty.
    QTemporaryDir dir;
    QFile lock(leaveOrphan(dir.path(), sampleEntry()) + ".lock");
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

void tst_Journal::recoveryOffered_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("fileChangedSince");
    QTest::newRow("yes puts the text back") << int(MsgResult::Yes) << false;
    QTest::newRow("yes, file changed since: told, and Save asks") << int(MsgResult::Yes) << true;
    QTest::newRow("no drops it") << int(MsgResult::No) << false;
    QTest::newRow("cancel keeps it for the next start") << int(MsgResult::Cancel) << false;
}

void tst_Journal::recoveryOffered()
{
    QFETCH(int, answer);
    QFETCH(bool, fileChangedSince);
    DocumentWindow t;
    const QString file = t.fake.writeFile("prog.yab", "print 1\n");
    JournalEntry e;
    e.originalPath = file;
    e.hasFileName = true;
    e.savedAt = QDateTime(QDate::currentDate(), QTime(9, 30), Qt::UTC);
    e.disk = DiskStamp::of(file);
    e.text = "print 1\nprint 2 ' not saved";
    const QString orphan = leaveOrphan(t.fake.services.journalFolder, e);
    const QByteArray onDisk = fileChangedSince ? "print 1 changed elsewhere\n" : "print 1\n";
    QVERIFY(writeBytes(file, onDisk));
    t.prompter.answerMessage(MsgResult(answer));
    t.start();
    VERIFY_SCRIPT_DONE(t.prompter);
    QCOMPARE(t.said(0), "Recover Unsaved Work: Vormeld was not closed properly. Changes to \"prog.yab\" that were not "
                        "saved were kept at " + QLocale().toString(e.savedAt.toLocalTime(), QLocale::ShortFormat) + "."
                        + (fileChangedSince ? "\r\nThe file itself was changed since then." : "")
                        + "\r\n\r\nDo you want to get them back?\r\n(Cancel keeps them for the next start.)");
    QCOMPARE(t.prompter.messages[0].buttons, MsgButtons::YesNoCancel);
    QCOMPARE(readBytes(file), onDisk); // the file itself untouched
    QCOMPARE(QFile::exists(orphan), answer == int(MsgResult::Cancel));
    if (answer != int(MsgResult::Yes)) {
        QCOMPARE(t.doc(), QStringLiteral("Untitled: rem template"));
        QVERIFY(t.w->close());
        DocumentWindow again; // the next start offers it only when it was kept
        again.fake.services.journalFolder = t.fake.services.journalFolder;
        again.prompter.answerMessage(MsgResult::No);
        again.start();
        QCOMPARE(again.asked(), answer == int(MsgResult::Cancel) ? QStringList{"Recover Unsaved Work"} : QStringList());
        return;
    }
    QCOMPARE(t.doc(), file + " (changed): " + e.text);
    QCOMPARE(t.title(), QStringLiteral("prog.yab - Vormeld 2005"));
    // This program's own journal holds the text now; it came back as one change.
    QCOMPARE(CrashJournal::parse(readBytes(journal(*t.w).journalPath()))->text, e.text);
    QCOMPARE(editor(*t.w).history().undoStack.count(), 1);
    if (fileChangedSince) { // saving over the other program's change asks first
        t.prompter.answerMessage(MsgResult::No);
        t.trigger("fileSave");
        QCOMPARE(t.asked().last(), QStringLiteral("Save Program"));
        QCOMPARE(readBytes(file), onDisk);
        QVERIFY(t.changed());
    }
}

void tst_Journal::journalFollowsTheDocument()
{
    DocumentWindow t;
    const QString file = t.fake.writeFile("p.yab", "a\n");
    t.start(file);
    QVERIFY(journals(t.fake.services.journalFolder).isEmpty());
    t.type("b");
    journal(*t.w).syncNow(); // as the idle time would
    QVERIFY(journal(*t.w).hasJournal());
    t.trigger("fileSave");
    QVERIFY(!journal(*t.w).hasJournal());
    t.type("c");
    journal(*t.w).syncNow();
    QVERIFY(journal(*t.w).hasJournal());
    // "No" to the question and a new document: the text is given up, and so is its journal.
    t.prompter.answerMessage(MsgResult::No);
    t.trigger("fileNew");
    QVERIFY(!journal(*t.w).hasJournal());
    // A run writes the journal first, without waiting.
    t.type("\nx = 1");
    t.prompter.answerMessage(MsgResult::OK); // no interpreter: "Problem"
    t.trigger("runProgram");
    VERIFY_SCRIPT_DONE(t.prompter);
    QVERIFY(journal(*t.w).hasJournal());
    QCOMPARE(CrashJournal::parse(readBytes(journal(*t.w).journalPath()))->text, t.text());
    // A clean close gives the text up with "No": no journal and no lock are left.
    t.prompter.answerMessage(MsgResult::No);
    QVERIFY(t.w->close());
    QVERIFY(QDir(t.fake.services.journalFolder).entryList(QDir::Files).isEmpty());
}

void tst_Journal::outsideChange_data()
{
    QTest::addColumn<int>("ownSaves"); // saves of our own first: not outside changes
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("outside"); // empty: the file is deleted
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<bool>("changedAfter");
    const QString plain = "The file \"p.yab\" was changed by another program.\r\nDo you want to load it again?";
    const QString mine = "The file \"p.yab\" was changed by another program, and your text has changes that "
                         "are not saved.\r\nDo you want to load the file again and lose your changes?";
    const int yes = int(MsgResult::Yes), no = int(MsgResult::No);
    QTest::newRow("unchanged text: reloaded") << 0 << "" << QByteArray("print 2\n") << yes << "File Changed on Disk" << plain << "print 2" << false;
    QTest::newRow("unchanged text: kept, now counts as changed") << 0 << "" << QByteArray("print 2\n") << no << "File Changed on Disk" << plain << "print 1" << true;
    QTest::newRow("after own saves: the watch followed the replaced file") << 3 << "" << QByteArray("print 2\n") << yes << "File Changed on Disk" << plain << "print 2" << false;
    QTest::newRow("changed text: kept") << 0 << " mine" << QByteArray("print 2\n") << no << "File Changed on Disk" << mine << "print 1 mine" << true;
    QTest::newRow("changed text: reloaded") << 0 << " mine" << QByteArray("print 2\n") << yes << "File Changed on Disk" << mine << "print 2" << false;
    QTest::newRow("deleted file: told, text kept") << 0 << "" << QByteArray() << int(MsgResult::OK) << "File Deleted"
        << "The file \"p.yab\" was deleted or moved by another program.\r\nYour text is still here: save it to keep it.\r\n\r\n"
        << "print 1" << true;
}

void tst_Journal::outsideChange()
{
    QFETCH(int, ownSaves);
    QFETCH(QString, typed);
    QFETCH(QByteArray, outside);
    QFETCH(int, answer);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, textAfter);
    QFETCH(bool, changedAfter);
    DocumentWindow t;
    const QString file = t.fake.writeFile("p.yab", "print 1\n");
    t.start(file);
    QVERIFY(t.activate());
    QSignalSpy noticed(part<QFileSystemWatcher>(*t.w), &QFileSystemWatcher::fileChanged);
    for (int i = 0; i < ownSaves; ++i) {
        const int before = noticed.count();
        t.type("x");
        t.trigger("fileSave");
        QTRY_VERIFY(noticed.count() > before); // each save replaces the watched file
        QVERIFY(!documents(*t.w).diskChangedOutside());
    }
    QCOMPARE(readBytes(file), "print 1" + QByteArray(ownSaves, 'x') + "\n");
    t.type(typed);
    t.prompter.answerMessage(MsgResult(answer));
    QVERIFY(outside.isEmpty() ? QFile::remove(file) : writeBytes(file, outside));
    // The watcher notices; the question comes while the window is active.
    QTRY_COMPARE_WITH_TIMEOUT(t.prompter.messages.size(), 1, 5000);
    QCOMPARE(t.prompter.messages.first().title, title);
    QCOMPARE(t.prompter.messages.first().text, outside.isEmpty() ? message + file : message);
    QCOMPARE(t.doc(), file + (changedAfter ? " (changed): " : ": ") + textAfter);
    // Closing asks only when the text differs from the file; Yes writes it.
    if (changedAfter)
        t.prompter.answerMessage(MsgResult::Yes);
    QVERIFY(t.w->close());
    VERIFY_SCRIPT_DONE(t.prompter);
    QCOMPARE(t.prompter.messages.size(), changedAfter ? 2 : 1);
    QCOMPARE(readBytes(file), changedAfter ? (textAfter + "\n").toUtf8() : outside);
}

void tst_Journal::saveAsksBeforeReplacingAnOutsideChange_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::newRow("yes replaces theirs") << int(MsgResult::Yes) << QByteArray("a mine\n");
    QTest::newRow("no keeps theirs") << int(MsgResult::No) << QByteArray("theirs\n");
}

void tst_Journal::saveAsksBeforeReplacingAnOutsideChange()
{
    QFETCH(int, answer);
    QFETCH(QByteArray, onDisk);
    DocumentWindow t;
    const QString file = t.fake.writeFile("p.yab", "a\n");
    t.start(file);
    t.type(" mine");
    QVERIFY(writeBytes(file, "theirs\n"));
    t.prompter.answerMessage(MsgResult(answer));
    t.trigger("fileSave");
    VERIFY_SCRIPT_DONE(t.prompter);
    QCOMPARE(t.prompter.messages.size(), 1);
    QCOMPARE(t.prompter.messages.first().title, QStringLiteral("Save Program"));
    QCOMPARE(t.prompter.messages.first().text, QStringLiteral("The file \"p.yab\" was changed by another program since Vormeld last read or saved it.\r\nDo you want to replace it with your text?"));
    QCOMPARE(readBytes(file), onDisk);
    QCOMPARE(t.changed(), answer != int(MsgResult::Yes));
    QCOMPARE(documents(*t.w).lastSaveCancelled(), answer != int(MsgResult::Yes));
}

QTEST_MAIN(tst_Journal)
#include "tst_journal.moc"
