// Replays every input kept for the fuzz targets: the hand-written seeds of
// fuzz/corpus/<name>/ and the inputs the fuzzers found, tests/fuzz/regressions/<name>/.
// Each goes through the same entry function as under libFuzzer; a broken
// property fails the row. Inputs listed in known-failures.txt (faults not fixed
// yet) run in a child process, so a crash there is reported as an expected failure.

#include "FuzzTargets.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {
QStringList g_failures;

const QString Corpus = QStringLiteral(VORMELD_FUZZ_SOURCE_DIR "/fuzz/corpus/"),
              Regressions = QStringLiteral(VORMELD_FUZZ_SOURCE_DIR "/tests/fuzz/regressions/");

QFileInfoList filesOf(const QString &folder)
{
    return QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
}

// "<target>/<file name>" -> what goes wrong; one line each, '#' starts a comment line.
QMap<QString, QString> knownFailures()
{
    QMap<QString, QString> known;
    QFile f(Regressions + "../known-failures.txt");
    for (const QByteArray &raw : f.open(QIODevice::ReadOnly) ? f.readAll().split('\n') : QList<QByteArray>()) {
        const QString line = QString::fromUtf8(raw).simplified();
        if (!line.isEmpty() && !line.startsWith('#'))
            known.insert(line.section(' ', 0, 0), line.contains(' ') ? line.section(' ', 1) : "known fault");
    }
    return known;
}

int runOne(const VormeldFuzz::Target &target, const QByteArray &bytes)
{
    return target.entry(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
}
} // namespace

class tst_FuzzRegressions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        VormeldFuzz::SetFailureHook([](const char *target, const QString &reason) {
            g_failures << QString::fromLatin1(target) + ": " + reason;
        });
    }
    void init() { g_failures.clear(); }
    void inputsAreKeptWhereTheReplayFindsThem()
    {
        // The replay can only fail a row if a broken property reaches it.
        VormeldFuzz::Fail("textfile", "probe");
        QCOMPARE(g_failures, QStringList{"textfile: probe"});
        for (const VormeldFuzz::Target &t : VormeldFuzz::Targets()) {
            const QFileInfoList seeds = filesOf(Corpus + t.name);
            QVERIFY2(!seeds.isEmpty(), t.name);
            for (const QFileInfo &f : seeds)
                QVERIFY2(f.size() <= qint64(VormeldFuzz::MaxInputSize), qPrintable(f.filePath() + " is too large"));
        }
        // A misspelt folder or known failure would be replayed by nothing.
        for (const QString &root : {Corpus, Regressions})
            for (const QString &name : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
                QVERIFY2(VormeldFuzz::FindTarget(name), qPrintable(root + name + " names no fuzz target"));
        for (const QString &key : knownFailures().keys())
            QVERIFY2(QFileInfo::exists(Regressions + key), qPrintable(key + " is not kept"));
    }
    void replay_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("knownFault");
        const QMap<QString, QString> known = knownFailures();
        for (const QString &root : {Corpus, Regressions})
            for (const VormeldFuzz::Target &t : VormeldFuzz::Targets())
                for (const QFileInfo &f : filesOf(root + t.name)) {
                    const QString key = QString::fromLatin1(t.name) + '/' + f.fileName();
                    // Only kept inputs may be known faults: a seed must always pass.
                    QTest::addRow("%s/%s", qPrintable(root.section('/', -2, -2)), qPrintable(key))
                        << QString(t.name) << f.filePath() << (root == Regressions ? known.value(key) : QString());
                }
    }
    void replay()
    {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QFETCH(QString, knownFault);
        if (knownFault.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(runOne(*VormeldFuzz::FindTarget(target), f.readAll()), 0);
            QVERIFY2(g_failures.isEmpty(), qPrintable(g_failures.join('\n')));
            return;
        }
        // A known fault may crash: it runs in a child process, whose temporary
        // files (left behind when it aborts) go to a folder removed here.
        QTemporaryDir scratch;
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", scratch.path());
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {"--replay-one", target, path});
        if (!child.waitForFinished(120000))
            child.kill();
        QEXPECT_FAIL("", qPrintable(knownFault), Abort);
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 child.readAll().right(2000).constData());
    }
};

// "--replay-one <target> <file>": runs one input with the default failure hook
// (print and abort), for the child processes of known faults.
int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], "--replay-one") == 0) {
        const VormeldFuzz::Target *t = VormeldFuzz::FindTarget(QString::fromLocal8Bit(argv[2]));
        QFile f(QString::fromLocal8Bit(argv[3]));
        return t && f.open(QIODevice::ReadOnly) ? runOne(*t, f.readAll()) : 2;
    }
    QCoreApplication app(argc, argv);
    tst_FuzzRegressions tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_fuzz_regressions.moc"
