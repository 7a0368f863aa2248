#include "documents/core/JournalKeeper.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <memory>

// A program that is killed while the user types loses at most the last two
// seconds of typing, however long the typing went on without a pause.
namespace {
// The system's monotonic clock, the same in every process.
qint64 monotonicMs()
{
    return QDeadlineTimer::current().deadline();
}

QString child()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/journal_child");
}

constexpr qint64 LossBoundMs = 2000;

struct Typist {
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<QProcess> process;
    int baseSize = -1;
    qint64 killAfterMs = 0, readyAt = 0, killedAt = 0;
};
} // namespace

class tst_JournalKills : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(child()), "the journal child is built beside the tests");
    }

    void killedWhileTypingLosesAtMostTwoSeconds()
    {
        QRandomGenerator rng(20260412);
        constexpr int Rounds = 6, AtOnce = 6; // 36 kills, six typists at a time
        int kills = 0, checked = 0;
        qint64 worstLossMs = 0;
        for (int round = 0; round < Rounds; ++round) {
            std::vector<Typist> typists(AtOnce);
            for (Typist &t : typists) {
                t.folder = std::make_unique<QTemporaryDir>();
                t.process = std::make_unique<QProcess>();
                t.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
                t.process->start(child(), {QStringLiteral("type"), t.folder->path()});
                t.killAfterMs = 500 + qint64(rng.bounded(5501)); // 0.5 to 6 s of typing
            }
            for (Typist &t : typists) {
                QVERIFY(t.process->waitForReadyRead(30000));
                const QByteArray first = t.process->readLine().trimmed();
                QVERIFY2(first.startsWith("ready "), first.constData());
                t.baseSize = first.mid(6).toInt();
                t.readyAt = monotonicMs();
            }
            // Each is killed at its own moment, whatever it is doing then. The timers
            // go with the round, should it end early.
            QObject roundScope;
            int left = AtOnce;
            for (Typist &t : typists) {
                const std::chrono::milliseconds due(std::max<qint64>(0, t.readyAt + t.killAfterMs - monotonicMs()));
                QTimer::singleShot(due, Qt::PreciseTimer, &roundScope, [&t, &left] {
                    t.killedAt = monotonicMs();
                    ::kill(pid_t(t.process->processId()), SIGKILL);
                    --left;
                });
            }
            QTRY_COMPARE_WITH_TIMEOUT(left, 0, 60000);
            for (Typist &t : typists) {
                QTRY_COMPARE_WITH_TIMEOUT(t.process->state(), QProcess::NotRunning, 10000);
                ++kills;
                // When each key was typed, by the same clock as the kill.
                std::vector<qint64> keyTimes;
                QString typed;
                for (const QByteArray &line : t.process->readAllStandardOutput().split('\n')) {
                    const QList<QByteArray> parts = line.trimmed().split(' ');
                    if (parts.size() == 4 && parts[0] == "key") {
                        QCOMPARE(parts[1].toInt(), int(keyTimes.size()) + 1);
                        keyTimes.push_back(parts[2].toLongLong());
                        typed += QChar(parts[3].toInt());
                    }
                }
                QVERIFY2(!keyTimes.empty(), "the child typed nothing");
                int mustHave = 0; // keys typed more than the bound before the kill
                while (mustHave < int(keyTimes.size()) && keyTimes[size_t(mustHave)] <= t.killedAt - LossBoundMs)
                    ++mustHave;
                const std::vector<JournalKeeper::Orphan> orphans = JournalKeeper::findOrphans(t.folder->path());
                QVERIFY2(orphans.size() <= 1, "one typist, one journal");
                int kept = 0;
                if (!orphans.empty()) {
                    const QString text = orphans.front().entry.text;
                    kept = int(text.size()) - t.baseSize;
                    QVERIFY2(kept >= 0 && kept <= int(keyTimes.size()), qPrintable(QString::number(kept)));
                    QCOMPARE(text.mid(t.baseSize), typed.left(kept));
                }
                const qint64 lossMs = kept < int(keyTimes.size()) ? t.killedAt - keyTimes[size_t(kept)] : 0;
                worstLossMs = std::max(worstLossMs, lossMs);
                QVERIFY2(kept >= mustHave,
                         qPrintable(QString("killed after %1 ms of typing: %2 of %3 keys kept, %4 were typed "
                                            "more than %5 ms before; %6 ms of typing lost")
                                        .arg(t.killedAt - t.readyAt).arg(kept).arg(keyTimes.size())
                                        .arg(mustHave).arg(LossBoundMs).arg(lossMs)));
                if (mustHave > 0)
                    ++checked;
            }
        }
        QVERIFY(kills >= 30);
        // Most kills come late enough that the bound asks for something.
        QVERIFY2(checked >= kills / 2, qPrintable(QString::number(checked)));
        qInfo("killed the typing program %d times (%d late enough to owe a journal); the most typing lost was %lld ms",
              kills, checked, worstLossMs);
    }

    void fileSizeLimitIsReportedAndOutlived()
    {
        QTemporaryDir dir;
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(child(), {QStringLiteral("fsize"), dir.path()});
        QVERIFY(p.waitForFinished(30000));
        const QStringList said = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(said.value(0).startsWith("lost ") && said.at(0).size() > 5, qPrintable(said.join(" | ")));
        QCOMPARE(said.mid(1), (QStringList{"back", "journal"}));
        qInfo("over the size limit the keeper said: %s", qPrintable(said.at(0)));
    }
};

QTEST_GUILESS_MAIN(tst_JournalKills)
#include "tst_journalkills.moc"
