#include "FaultChild.h"
#include "documents/core/JournalKeeper.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// A program that is killed while the user types loses at most the last two
// seconds of typing, however long the typing went on without a pause.
class tst_JournalKills : public QObject {
    Q_OBJECT
private slots:
    void killedWhileTypingLosesAtMostTwoSeconds()
    {
        constexpr qint64 LossBoundMs = 2000;
        QRandomGenerator rng(20260412);
        constexpr int Rounds = 6, AtOnce = 6; // 36 kills, six typists at a time
        int checked = 0;
        qint64 worstLossMs = 0;
        for (int round = 0; round < Rounds; ++round) {
            std::vector<std::unique_ptr<QTemporaryDir>> folders;
            std::vector<std::unique_ptr<QProcess>> typists;
            std::vector<int> killAfterMs;
            for (int i = 0; i < AtOnce; ++i) { // each kills itself at its own moment, whatever it is doing then
                folders.push_back(std::make_unique<QTemporaryDir>());
                killAfterMs.push_back(500 + int(rng.bounded(5501))); // 0.5 to 6 s of typing
                typists.push_back(std::make_unique<QProcess>());
                typists.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
                typists.back()->start(childPath("fault_child"), {"type", folders.back()->path(),
                                                                 QString::number(killAfterMs.back())});
            }
            for (int i = 0; i < AtOnce; ++i) {
                QVERIFY(typists[i]->waitForFinished(30000));
                QCOMPARE(typists[i]->exitStatus(), QProcess::CrashExit);
                const QList<QByteArray> said = typists[i]->readAllStandardOutput().split('\n');
                const QList<QByteArray> ready = said.value(0).split(' ');
                QVERIFY2(ready.size() == 3 && ready[0] == "ready", said.value(0).constData());
                const int baseSize = ready[1].toInt();
                const qint64 killedAt = ready[2].toLongLong() + killAfterMs[i];
                // When each key was typed, by the same clock as the kill.
                std::vector<qint64> keyTimes;
                QString typed;
                for (const QByteArray &line : said.mid(1)) {
                    const QList<QByteArray> parts = line.split(' ');
                    if (parts.size() == 4 && parts[0] == "key") {
                        QCOMPARE(parts[1].toInt(), int(keyTimes.size()) + 1);
                        keyTimes.push_back(parts[2].toLongLong());
                        typed += QChar(parts[3].toInt());
                    }
                }
                const int typedKeys = int(keyTimes.size());
                QVERIFY2(typedKeys > 0, "the child typed nothing");
                int mustHave = 0; // keys typed more than the bound before the kill
                while (mustHave < typedKeys && keyTimes[size_t(mustHave)] <= killedAt - LossBoundMs)
                    ++mustHave;
                const std::vector<JournalKeeper::Orphan> orphans = JournalKeeper::findOrphans(folders[i]->path());
                QVERIFY2(orphans.size() <= 1, "one typist, one journal");
                const QString text = orphans.empty() ? QString() : orphans.front().entry.text;
                const int kept = orphans.empty() ? 0 : int(text.size()) - baseSize;
                QVERIFY2(kept >= 0 && kept <= typedKeys, qPrintable(QString::number(kept)));
                QCOMPARE(text.mid(baseSize), typed.left(kept));
                const qint64 lossMs = kept < typedKeys ? killedAt - keyTimes[size_t(kept)] : 0;
                worstLossMs = std::max(worstLossMs, lossMs);
                QVERIFY2(kept >= mustHave, qPrintable(QString("killed after %1 ms of typing: %2 of %3 keys kept, %4 "
                                                              "typed more than 2 s before; %5 ms of typing lost")
                                                          .arg(killAfterMs[i]).arg(kept).arg(typedKeys)
                                                          .arg(mustHave).arg(lossMs)));
                checked += mustHave > 0;
            }
        }
        // Most kills come late enough that the bound asks for something.
        QVERIFY2(checked >= Rounds * AtOnce / 2, qPrintable(QString::number(checked)));
        qInfo("killed the typing program %d times (%d late enough to owe a journal); the most typing lost was %lld ms",
              Rounds * AtOnce, checked, worstLossMs);
    }

    void fileSizeLimitIsReportedAndOutlived()
    {
        QTemporaryDir dir;
        const QStringList said = runChild("fault_child", {"fsize", dir.path()});
        QVERIFY2(said.value(0).startsWith("lost ") && said.at(0).size() > 5, qPrintable(said.join(" | ")));
        QCOMPARE(said.mid(1), (QStringList{"back", "journal", "exit:0"}));
        qInfo("over the size limit the keeper said: %s", qPrintable(said.at(0)));
    }
};

QTEST_GUILESS_MAIN(tst_JournalKills)
#include "tst_journalkills.moc"
