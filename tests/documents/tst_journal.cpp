#include "app/CentralArea.h"
#include "app/WindowCaption.h"
#include "documents/core/CrashJournal.h"
#include "documents/core/JournalKeeper.h"
#include "support/DocumentWindow.h"

// The crash journal: its format, which journals are offered back, when and how it is written, what the window says.
namespace {
JournalEntry entryWith(const QString &text)
{
    JournalEntry e;
    e.originalPath = "/home/ann/My Progs/ünïcode, 100%.yab";
    e.hasFileName = true;
    e.savedAt = QDateTime(QDate(2026, 12, 6), QTime(9, 30, 15, 250), Qt::UTC);
    e.disk = DiskStamp::ofBytes("print 1\n", QDateTime(QDate(2026, 12, 5), QTime(8, 0), Qt::UTC));
    e.encoding = 1;
    e.finalBreak = false;
    e.text = text;
    return e;
}

bool anyJournal(const QString &folder)
{
    return !QDir(folder).entryList({"*.yjn"}, QDir::Files).isEmpty();
}

} // namespace

class tst_Journal : public QObject {
    Q_OBJECT
private slots:

    void recoveryOffered_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("fileChangedSince");
        QTest::newRow("yes puts the text back") << int(MsgResult::Yes) << false;
        QTest::newRow("yes, file changed since: told, and Save asks") << int(MsgResult::Yes) << true;
        QTest::newRow("no drops it") << int(MsgResult::No) << false;
        QTest::newRow("cancel keeps it for the next start") << int(MsgResult::Cancel) << false;
    }

    void recoveryOffered()
    {
        QFETCH(int, answer);
        QFETCH(bool, fileChangedSince);
        DocumentWindow t;
        const QString file = t.fake.writeFile("prog.yab", "print 1\n");
        JournalEntry e = entryWith("print 1\nprint 2 ' not saved");
        e.originalPath = file;
        e.savedAt = QDateTime(QDate::currentDate(), QTime(9, 30), Qt::UTC);
        e.disk = DiskStamp::of(file);
        // Left behind as by a program that died: written, with no live lock.
        QVERIFY(QDir().mkpath(t.fake.services.journalFolder));
        const QString orphan = QDir(t.fake.services.journalFolder).filePath("journal-999999-deadbeef.yjn");
        QVERIFY(writeBytes(orphan, CrashJournal::serialize(e)));
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
            return;
        }
        QCOMPARE(t.doc(), file + " (changed): " + e.text);
        // This program's own journal holds the text now; it came back as one change.
        QCOMPARE(CrashJournal::parse(readBytes(journal(*t.w).journalPath()))->text, e.text);
        QCOMPARE(editor(*t.w).history().undoStack.count(), 1);
        if (fileChangedSince)
            t.prompter.answerMessage(MsgResult::No);
        t.trigger("fileSave"); // over the other program's change only after asking
        QCOMPARE(t.asked().size(), fileChangedSince ? 2 : 1);
        QCOMPARE(readBytes(file), fileChangedSince ? onDisk : QByteArray("print 1\r\nprint 2 ' not saved\r\n")); // in the journal's format
        QCOMPARE(t.changed(), fileChangedSince);
    }

    void journalFollowsTheDocument()
    {
        DocumentWindow t;
        const QString blocker = t.fake.writeFile("journal", "a file where the folder belongs"); // the journal folder
        MainWindow &w = t.start(t.fake.writeFile("p.yab", "a\n"));
        QSignalSpy told(&journal(w), &JournalKeeper::protectionChanged);
        // While unsaved work cannot be kept safe, the window says so, once, until it can again.
        const QString title = "p.yab - Vormeld 2005", notSafe = "Unsaved changes cannot be kept safe: the folder "
            + QDir::toNativeSeparators(blocker) + " cannot be made. Vormeld keeps trying.";
        codeEditor(w)->setFocus();
        codeEditor(w)->moveCursor(QTextCursor::End);
        QTest::keyClicks(codeEditor(w), "b");
        QTRY_COMPARE(w.windowTitle(), title + WindowCaption::NotProtectedMark);
        QCOMPARE(statusBar(w)->tabMessage(CentralArea::CodeTab), notSafe);
        QTest::keyClicks(codeEditor(w), "c");
        QTRY_VERIFY(!journal(w).isBusy());
        t.trigger("fileSave"); // nothing at risk any more
        QCOMPARE(w.windowTitle(), title);
        QTest::keyClicks(codeEditor(w), "d");
        QTRY_COMPARE(w.windowTitle(), title + WindowCaption::NotProtectedMark);
        QVERIFY(QFile::remove(blocker));
        QTest::keyClicks(codeEditor(w), "e");
        QTRY_COMPARE(w.windowTitle(), title);
        QCOMPARE(statusBar(w)->tabMessage(CentralArea::CodeTab), QStringLiteral("Unsaved changes are kept safe again."));
        QCOMPARE(told.size(), 4);
        QTRY_VERIFY(!journal(w).isBusy());
        QCOMPARE(CrashJournal::parse(readBytes(journal(w).journalPath()))->text, QStringLiteral("abcde"));
        t.trigger("fileSave"); // saved, or back at the saved text by undo: the journal goes
        QVERIFY(!journal(w).hasJournal());
        t.type("f");
        journal(w).syncNow(); // as the idle time would
        QVERIFY(journal(w).hasJournal());
        t.trigger("editUndo");
        QVERIFY(!journal(w).hasJournal());
        // "No" to the question and a new document: the text is given up, and so is its journal.
        t.type("g");
        journal(w).syncNow();
        t.prompter.answerMessage(MsgResult::No);
        t.trigger("fileNew");
        QVERIFY(!journal(w).hasJournal());
        // A run writes the journal first, without waiting.
        t.type("\nx = 1");
        t.prompter.answerMessage(MsgResult::OK); // no interpreter: "Problem"
        t.trigger("runProgram");
        QCOMPARE(CrashJournal::parse(readBytes(journal(w).journalPath()))->text, t.text());
        // A clean close gives the text up with "No": no journal and no lock are left.
        t.prompter.answerMessage(MsgResult::No);
        QVERIFY(w.close());
        VERIFY_SCRIPT_DONE(t.prompter);
        QCOMPARE(t.asked(), (QStringList{"File Changed", "Problem", "File Changed"}));
        QVERIFY(QDir(t.fake.services.journalFolder).entryList(QDir::Files).isEmpty());
    }

    void offeredAtStart_data()
    {
        QTest::addColumn<QByteArray>("journal"); // empty: a good one
        QTest::addColumn<QString>("lock");       // none: no lock file; {pid} this process, {app} its name, {boot} this boot
        QTest::addColumn<int>("lockAge");        // seconds
        QTest::addColumn<bool>("offered");
        const QByteArray good = CrashJournal::serialize(entryWith("print 1"));
        const QString none, earlierBoot = "00000000-0000-0000-0000-000000000000\n";
        QTest::newRow("damaged: cut short") << good.left(good.size() - 3) << none << 0 << false;
        QTest::newRow("damaged: no header end") << good.left(40) << none << 0 << false;
        QTest::newRow("another format") << QByteArray("VORMELD-JOURNAL 2\npath=/a.yab\ntext-bytes=4\n\ntext")
                                        << none << 0 << false;
        QTest::newRow("damaged: bad header line") << QByteArray("VORMELD-JOURNAL 1\nnonsense\n\ntext") << none << 0 << false;
        QTest::newRow("damaged: no path") << QByteArray("VORMELD-JOURNAL 1\ntext-bytes=4\n\ntext") << none << 0 << false;
        QTest::newRow("no lock at all") << QByteArray() << none << 0 << true;
        QTest::newRow("held by a running program") << QByteArray() << "{pid}\n{app}\n\n\n{boot}\n" << 0 << false;
        QTest::newRow("a live number from an earlier boot") << QByteArray() << "{pid}\n{app}\n\n\n" + earlierBoot << 0 << true;
        QTest::newRow("another machine's lock") << QByteArray() << "{pid}\n{app}\nelsewhere\n\n" + earlierBoot << 0 << false;
        QTest::newRow("empty lock of a crash, moments old: may still be being written") << QByteArray() << "" << 0 << false;
        QTest::newRow("empty lock of a crash, a minute old") << QByteArray() << "" << 60 << true;
    }
    void offeredAtStart()
    {
        QFETCH(QByteArray, journal);
        QFETCH(QString, lock);
        QFETCH(int, lockAge);
        QFETCH(bool, offered);
        QTemporaryDir dir;
        const JournalEntry e = entryWith("print \"€\"\n\n\nrem last line \r with a CR");
        const QString path = dir.filePath("journal-999999-deadbeef.yjn");
        QVERIFY(writeBytes(path, journal.isEmpty() ? CrashJournal::serialize(e) : journal));
        if (!lock.isNull()) {
            lock.replace("{pid}", QString::number(QCoreApplication::applicationPid()))
                .replace("{app}", QCoreApplication::applicationFilePath())
                .replace("{boot}", QString::fromUtf8(QSysInfo::bootUniqueId()));
            QFile l(path + ".lock");
            QVERIFY(l.open(QIODevice::WriteOnly) && l.write(lock.toUtf8()) == lock.toUtf8().size());
            QVERIFY(l.setFileTime(QDateTime::currentDateTime().addSecs(-lockAge), QFileDevice::FileModificationTime));
        }
        const std::vector<JournalKeeper::Orphan> orphans = JournalKeeper::findOrphans(dir.path());
        QCOMPARE(int(orphans.size()), int(offered));
        if (!offered)
            return;
        QCOMPARE(CrashJournal::serialize(orphans.front().entry), CrashJournal::serialize(e)); // every field as it was written
        QVERIFY(JournalKeeper::findOrphans(dir.path()).empty()); // while offered, not offered again
        JournalKeeper::removeOrphan(orphans.front());
        QVERIFY(!QFile::exists(path));
    }

    void aWriteUnderWay_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<int>("snapshots"); // taken in all
        QTest::newRow("typing: one more write follows, with the newest text") << "typing" << 2;
        QTest::newRow("a run: its journal is not overtaken by the older write") << "run" << 2;
        QTest::newRow("saved: the journal goes at once and the write does not bring it back") << "saved" << 1;
        QTest::newRow("closed: the journal goes at once and the write does not bring it back") << "closed" << 1;
    }
    void aWriteUnderWay()
    {
        // Right after the snapshot the GUI thread is free again, while the big text is written elsewhere.
        QFETCH(QString, meanwhile);
        QFETCH(int, snapshots);
        const bool saved = meanwhile == "saved" || meanwhile == "closed";
        const JournalEntry big = entryWith(QString(24 * 1024 * 1024, QLatin1Char('x')));
        QTemporaryDir dir;
        std::optional<JournalEntry> state;
        QList<bool> onDiskWhenBack, goneAtOnce;
        int taken = 0, start = 0;
        std::function<void()> meanwhileStep;
        JournalKeeper keeper(dir.path(), [&] {
            ++taken;
            QTimer::singleShot(0, meanwhileStep);
            return state;
        }, 10);
        meanwhileStep = [&] {
            if (taken != start + 1)
                return;
            onDiskWhenBack << anyJournal(dir.path());
            for (int i = 0; meanwhile == "typing" && i < 5; ++i) {
                state->text += QLatin1Char('b');
                keeper.documentChanged();
            }
            if (meanwhile == "run") {
                state->text = "print \"run\"";
                keeper.syncNow();
            } else if (saved) {
                state.reset();
                meanwhile == "closed" ? keeper.close() : keeper.discard();
                goneAtOnce << !anyJournal(dir.path());
            }
        };
        for (int round = 1; round <= 3; ++round) {
            state = big;
            if (saved)
                keeper.syncNow(); // a journal already there
            start = taken;
            keeper.documentChanged();
            QTRY_VERIFY_WITH_TIMEOUT(onDiskWhenBack.size() == round && !keeper.isBusy(), 20000);
            QCOMPARE(taken - start, snapshots);
            const QStringList files = QDir(dir.path()).entryList({"*.yjn"}, QDir::Files);
            QCOMPARE(files.size(), int(bool(state)));
            if (state)
                QCOMPARE(CrashJournal::parse(readBytes(dir.filePath(files.first())))->text, state->text);
            keeper.discard();
        }
        QCOMPARE(goneAtOnce, QList<bool>(saved ? 3 : 0, true));
        QVERIFY2(saved || onDiskWhenBack.contains(false), "the journal was written before the GUI thread got control back");
    }
};

QTEST_MAIN(tst_Journal)
#include "tst_journal.moc"
