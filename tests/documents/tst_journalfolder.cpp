#include "documents/core/CrashJournal.h"
#include "documents/core/JournalKeeper.h"

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

// Which journals a start offers back, by what their lock files say.
class tst_JournalFolder : public QObject {
    Q_OBJECT
private slots:
    void lockFiles_data()
    {
        QTest::addColumn<QString>("lock"); // {pid} this process, {app} its name, {boot} this boot
        QTest::addColumn<bool>("offered");
        QTest::newRow("held by a running program") << "{pid}\n{app}\n\n\n{boot}\n" << false;
        QTest::newRow("a live number from an earlier boot") << "{pid}\n{app}\n\n\n00000000-0000-0000-0000-000000000000\n" << true;
        QTest::newRow("another machine's lock") << "{pid}\n{app}\nelsewhere\n\n00000000-0000-0000-0000-000000000000\n" << false;
        QTest::newRow("no lock at all") << "" << true;
    }
    void lockFiles()
    {
        QFETCH(QString, lock);
        QFETCH(bool, offered);
        QTemporaryDir folder;
        JournalEntry e;
        e.originalPath = QStringLiteral("/home/ann/game.yab");
        e.hasFileName = true;
        e.savedAt = QDateTime::currentDateTimeUtc();
        e.text = QStringLiteral("print 1");
        const QString journal = folder.filePath(QStringLiteral("journal-1-00000001.yjn"));
        QFile f(journal);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(CrashJournal::serialize(e)) > 0);
        f.close();
        if (!lock.isEmpty()) {
            lock.replace("{pid}", QString::number(QCoreApplication::applicationPid()))
                .replace("{app}", QCoreApplication::applicationFilePath())
                .replace("{boot}", QString::fromUtf8(QSysInfo::bootUniqueId()));
            QFile l(journal + QStringLiteral(".lock"));
            QVERIFY(l.open(QIODevice::WriteOnly) && l.write(lock.toUtf8()) > 0);
        }
        const std::vector<JournalKeeper::Orphan> orphans = JournalKeeper::findOrphans(folder.path());
        QCOMPARE(!orphans.empty(), offered);
        if (offered)
            QCOMPARE(orphans.front().entry.text, e.text);
    }
};

QTEST_GUILESS_MAIN(tst_JournalFolder)
#include "tst_journalfolder.moc"
