#include "documents/core/CrashJournal.h"
#include "documents/core/JournalKeeper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// When the journal is written, what a write under way may and may not do, and
// how a journal that cannot be written is told.
namespace {
JournalEntry entryWith(const QString &text)
{
    JournalEntry e;
    e.originalPath = QStringLiteral("/home/ann/game.yab");
    e.hasFileName = true;
    e.savedAt = QDateTime::currentDateTimeUtc();
    e.text = text;
    return e;
}

// The journals in a folder, read without asking the keeper (whose answers wait
// for a write under way).
QStringList journalFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.yjn")}, QDir::Files);
}

std::optional<JournalEntry> readJournal(const QString &folder)
{
    const QStringList files = journalFiles(folder);
    if (files.size() != 1)
        return std::nullopt;
    QFile f(QDir(folder).filePath(files.front()));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return CrashJournal::parse(f.readAll());
}

qsizetype journalLength(const QString &folder)
{
    const std::optional<JournalEntry> e = readJournal(folder);
    return e ? e->text.size() : -1;
}

// A text big enough that turning it into bytes and writing them takes a while:
// long enough to act while it is under way.
QString bigText()
{
    return QString(24 * 1024 * 1024, QLatin1Char('x'));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}
} // namespace

class tst_JournalKeeper : public QObject {
    Q_OBJECT
private slots:
    void steadyTypingIsJournalledAsItGoes();
    void aPauseIsJournalledWithinTheDelay();
    void theGuiThreadOnlyTakesTheSnapshot();
    void theNewestTextWins();
    void discardDuringAWriteLeavesNoJournal_data();
    void discardDuringAWriteLeavesNoJournal();
    void syncNowIsNotOvertakenByAnOlderWrite();
    void unusableFolderIsReportedOnceAndRecovers_data();
    void unusableFolderIsReportedOnceAndRecovers();
    void nothingUnsavedIsNothingUnprotected();
};

void tst_JournalKeeper::steadyTypingIsJournalledAsItGoes()
{
    // A key every 20 ms, never a pause: the journal must follow all the same.
    QTemporaryDir dir;
    QString text;
    JournalKeeper keeper(dir.path(), [&] { return std::optional<JournalEntry>(entryWith(text)); }, 300);
    QTimer typing;
    typing.setInterval(20);
    connect(&typing, &QTimer::timeout, this, [&] {
        text += QLatin1Char('a');
        keeper.documentChanged();
    });
    typing.start();
    QTRY_VERIFY_WITH_TIMEOUT(journalLength(dir.path()) > 0, 1500);
    QVERIFY2(typing.isActive(), "the journal came only after the typing stopped");
    // And it keeps following, not just once.
    const qsizetype first = journalLength(dir.path());
    QTRY_VERIFY_WITH_TIMEOUT(journalLength(dir.path()) > first + 10, 1500);
    const qsizetype typedBy = text.size();
    QTRY_VERIFY_WITH_TIMEOUT(journalLength(dir.path()) >= typedBy, 1500);
    typing.stop();
    // What is on disk is always what was typed, never more or other.
    QCOMPARE(readJournal(dir.path())->text, text.left(journalLength(dir.path())));
}

void tst_JournalKeeper::aPauseIsJournalledWithinTheDelay()
{
    QTemporaryDir dir;
    std::optional<JournalEntry> state;
    JournalKeeper keeper(dir.path(), [&] { return state; }, 100);
    keeper.documentChanged();
    QTRY_VERIFY(!keeper.isBusy());
    QVERIFY(journalFiles(dir.path()).isEmpty()); // nothing unsaved: nothing written
    state = entryWith(QStringLiteral("print 1"));
    keeper.documentChanged();
    QTRY_COMPARE_WITH_TIMEOUT(journalLength(dir.path()), qsizetype(7), 1000);
    // Before a run: on disk when the call returns.
    state = entryWith(QStringLiteral("print 22"));
    keeper.syncNow();
    QCOMPARE(readJournal(dir.path())->text, QStringLiteral("print 22"));
    keeper.close();
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty()); // journal and lock gone
}

void tst_JournalKeeper::theGuiThreadOnlyTakesTheSnapshot()
{
    // Right after the snapshot was taken, the GUI thread is free again, while
    // the big text is still being turned into bytes and written elsewhere. A
    // write made on the GUI thread would be on disk before control came back.
    QTemporaryDir dir;
    const QString text = bigText();
    int snapshots = 0;
    QList<bool> onDiskWhenBack;
    JournalKeeper keeper(dir.path(), [&] {
        ++snapshots;
        QTimer::singleShot(0, this, [&] { onDiskWhenBack << !journalFiles(dir.path()).isEmpty(); });
        return std::optional<JournalEntry>(entryWith(text));
    }, 10);
    for (int round = 0; round < 3; ++round) {
        keeper.documentChanged();
        QTRY_COMPARE_WITH_TIMEOUT(onDiskWhenBack.size(), round + 1, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!keeper.isBusy(), 20000);
        QCOMPARE(journalLength(dir.path()), text.size());
        keeper.discard();
    }
    QCOMPARE(snapshots, 3);
    QVERIFY2(onDiskWhenBack.contains(false), "the journal was written before the GUI thread got control back");
}

void tst_JournalKeeper::theNewestTextWins()
{
    // Changes while a long write is under way: one more write follows, with the newest text.
    QTemporaryDir dir;
    QString text = bigText();
    int snapshots = 0;
    JournalKeeper keeper(dir.path(), [&] {
        if (++snapshots == 1)
            QTimer::singleShot(0, this, [&] {
                for (int i = 0; i < 5; ++i) {
                    text += QLatin1Char('b');
                    keeper.documentChanged();
                }
            });
        return std::optional<JournalEntry>(entryWith(text));
    }, 10);
    keeper.documentChanged();
    QTRY_COMPARE(snapshots, 1);
    QTRY_VERIFY_WITH_TIMEOUT(!keeper.isBusy(), 20000);
    QCOMPARE(snapshots, 2); // one write after the one under way, not one per change
    QCOMPARE(journalLength(dir.path()), text.size());
    QVERIFY(readJournal(dir.path())->text.endsWith(QStringLiteral("bbbbb")));
}

void tst_JournalKeeper::discardDuringAWriteLeavesNoJournal_data()
{
    QTest::addColumn<bool>("close");
    QTest::newRow("saved") << false;
    QTest::newRow("closed") << true;
}

void tst_JournalKeeper::discardDuringAWriteLeavesNoJournal()
{
    QFETCH(bool, close);
    QTemporaryDir dir;
    const QString text = bigText();
    std::optional<JournalEntry> state = entryWith(text);
    int snapshots = 0;
    bool goneAtOnce = false;
    std::function<void()> afterSnapshot;
    JournalKeeper keeper(dir.path(), [&] {
        ++snapshots;
        if (afterSnapshot)
            QTimer::singleShot(0, this, afterSnapshot);
        return state;
    }, 10);
    for (int round = 0; round < 3; ++round) {
        // A journal already there, then a new write on its way when the text is saved.
        afterSnapshot = nullptr;
        state = entryWith(text);
        keeper.syncNow();
        QCOMPARE(journalFiles(dir.path()).size(), 1);
        const int before = snapshots;
        afterSnapshot = [&] {
            state.reset(); // saved: nothing unsaved any more
            if (close)
                keeper.close();
            else
                keeper.discard();
            goneAtOnce = journalFiles(dir.path()).isEmpty();
        };
        keeper.documentChanged();
        QTRY_VERIFY(snapshots > before);
        QTRY_VERIFY(!state);
        QVERIFY(goneAtOnce);
        QTRY_VERIFY_WITH_TIMEOUT(!keeper.isBusy(), 20000);
        // The write that was under way must not bring the journal back.
        QVERIFY2(journalFiles(dir.path()).isEmpty(), "a late write put back the journal of saved text");
    }
}

void tst_JournalKeeper::syncNowIsNotOvertakenByAnOlderWrite()
{
    // The big text goes to the worker; before it is written, most of it is
    // taken out and a run starts, whose small journal is written at once.
    QTemporaryDir dir;
    QString text;
    int snapshots = 0;
    JournalKeeper keeper(dir.path(), [&] {
        if (++snapshots % 2 == 1) // the background one; the next is syncNow's own
            QTimer::singleShot(0, this, [&] {
                text = QStringLiteral("print \"run %1\"").arg(snapshots);
                keeper.syncNow();
            });
        return std::optional<JournalEntry>(entryWith(text));
    }, 10);
    for (int round = 0; round < 3; ++round) {
        text = bigText();
        const int before = snapshots;
        keeper.documentChanged();
        QTRY_COMPARE(snapshots, before + 2);
        QTRY_VERIFY_WITH_TIMEOUT(!keeper.isBusy(), 20000);
        QCOMPARE(readJournal(dir.path())->text, text);
    }
}

void tst_JournalKeeper::unusableFolderIsReportedOnceAndRecovers_data()
{
    QTest::addColumn<QString>("blocker"); // a regular file in the way
    QTest::addColumn<QString>("folder");  // the journal folder, under the test's folder
    QTest::newRow("folder is a file") << "journal" << "journal";
    QTest::newRow("folder under a file") << "data" << "data/vormeld/journal";
}

void tst_JournalKeeper::unusableFolderIsReportedOnceAndRecovers()
{
    QFETCH(QString, blocker);
    QFETCH(QString, folder);
    QTemporaryDir dir;
    writeFile(dir.filePath(blocker), "not a folder");
    QString text = QStringLiteral("print 1");
    JournalKeeper keeper(dir.filePath(folder), [&] { return std::optional<JournalEntry>(entryWith(text)); }, 20);
    QSignalSpy spy(&keeper, &JournalKeeper::protectionChanged);
    QVERIFY(keeper.isProtected());
    keeper.documentChanged();
    QTRY_COMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), false);
    const QString reason = spy.at(0).at(1).toString();
    QVERIFY2(reason.contains(QDir::toNativeSeparators(dir.filePath(folder))), qPrintable(reason));
    QVERIFY(!keeper.isProtected());
    // Later changes try again, and say nothing new while it still fails.
    for (int i = 0; i < 3; ++i) {
        text += QLatin1Char('x');
        keeper.documentChanged();
        QTRY_VERIFY(!keeper.isBusy());
    }
    keeper.syncNow();
    QCOMPARE(spy.size(), 1);
    // The way is cleared: the next change is kept, and that is said once.
    QVERIFY(QFile::remove(dir.filePath(blocker)));
    text += QLatin1Char('y');
    keeper.documentChanged();
    QTRY_COMPARE(spy.size(), 2);
    QCOMPARE(spy.at(1).at(0).toBool(), true);
    QVERIFY(keeper.isProtected());
    QCOMPARE(readJournal(dir.filePath(folder))->text, text);
    text += QLatin1Char('z');
    keeper.syncNow();
    QCOMPARE(spy.size(), 2);
}

void tst_JournalKeeper::nothingUnsavedIsNothingUnprotected()
{
    // A save while the journal could not be written: nothing is at risk any more.
    QTemporaryDir dir;
    writeFile(dir.filePath("journal"), "not a folder");
    JournalKeeper keeper(dir.filePath("journal"), [] { return std::optional<JournalEntry>(entryWith("a")); }, 20);
    QSignalSpy spy(&keeper, &JournalKeeper::protectionChanged);
    keeper.syncNow();
    QCOMPARE(spy.size(), 1);
    keeper.discard();
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(1).at(0).toBool(), true);
    QVERIFY(keeper.isProtected());
}

QTEST_GUILESS_MAIN(tst_JournalKeeper)
#include "tst_journalkeeper.moc"
