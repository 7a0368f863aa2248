#include "app/CentralArea.h"
#include "app/WindowCaption.h"
#include "documents/core/CrashJournal.h"
#include "support/TestWindow.h"

#include <QDir>
#include <QtTest>

// What the window says while unsaved work cannot be kept safe, and that the
// journal it keeps holds the text as typed.
class tst_JournalNotice : public QObject {
    Q_OBJECT
private slots:
    void blockedJournalIsShownUntilItWorksAgain();
};

void tst_JournalNotice::blockedJournalIsShownUntilItWorksAgain()
{
    TestWindow t("print 1\n", "prog.yab");
    const QString blocker = t.fake.writeFile(QStringLiteral("journal"), "a file where the folder belongs");
    QCOMPARE(t.fake.services.journalFolder, blocker);
    MainWindow &w = t.start();
    const QString plainTitle = w.windowTitle();
    QVERIFY(!plainTitle.endsWith(WindowCaption::NotProtectedMark));
    t.ed()->setFocus();
    QTest::keyClicks(t.ed(), "x");
    QTRY_VERIFY(w.windowTitle().endsWith(WindowCaption::NotProtectedMark));
    const QString message = statusBar(w)->tabMessage(CentralArea::CodeTab);
    QVERIFY2(message.startsWith("Unsaved changes cannot be kept safe: ") && message.endsWith(". Vormeld keeps trying."),
             qPrintable(message));
    QVERIFY2(message.contains(QDir::toNativeSeparators(blocker)), qPrintable(message));
    // The title still follows the document, mark and all.
    const QString changedTitle = documents(w).title();
    QCOMPARE(w.windowTitle(), changedTitle + WindowCaption::NotProtectedMark);
    // The way is cleared: the next change is kept, the mark goes.
    QVERIFY(QFile::remove(blocker));
    QTest::keyClicks(t.ed(), "yz");
    QTRY_COMPARE(w.windowTitle(), changedTitle);
    QCOMPARE(statusBar(w)->tabMessage(CentralArea::CodeTab), QStringLiteral("Unsaved changes are kept safe again."));
    // The journal holds exactly the text shown, taken without copying the document.
    QTRY_VERIFY(!journal(w).isBusy());
    QFile f(journal(w).journalPath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const std::optional<JournalEntry> e = CrashJournal::parse(f.readAll());
    QVERIFY(e);
    QCOMPARE(e->text, t.text());
    QVERIFY(e->text.contains(QStringLiteral("xyz")));
}

QTEST_MAIN(tst_JournalNotice)
#include "tst_journalnotice.moc"
