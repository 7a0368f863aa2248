// Replays every input kept for the fuzz targets: the hand-written seeds of
// fuzz/corpus/<name>/ and the inputs the fuzzers found, tests/fuzz/regressions/<name>/.
// Each goes through the same entry function as under libFuzzer; a broken
// property fails the row. Inputs listed in known-failures.txt (faults not fixed
// yet) run in a child process, so a crash there is reported as an expected failure.

#include "FuzzTargets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

QStringList g_failures;

void recordFailure(const char *target, const QString &reason)
{
    g_failures << QStringLiteral("%1: %2").arg(QString::fromLatin1(target), reason);
}

QString sourceDir()
{
    const QString env = qEnvironmentVariable("VORMELD_SOURCE_DIR");
    return env.isEmpty() ? QStringLiteral(VORMELD_FUZZ_SOURCE_DIR) : env;
}

// The two places inputs are kept, by the name used in the row tags.
QList<std::pair<QString, QString>> inputRoots()
{
    return {{QStringLiteral("corpus"), sourceDir() + QStringLiteral("/fuzz/corpus")},
            {QStringLiteral("regressions"), sourceDir() + QStringLiteral("/tests/fuzz/regressions")}};
}

QFileInfoList filesOf(const QString &folder)
{
    return QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
}

// "<target>/<file name>" -> what goes wrong.
QMap<QString, QString> knownFailures()
{
    QMap<QString, QString> known;
    QFile f(sourceDir() + QStringLiteral("/tests/fuzz/known-failures.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return known;
    for (const QByteArray &raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype blank = line.indexOf(QRegularExpression(QStringLiteral("\\s")));
        const QString key = blank < 0 ? line : line.left(blank);
        known.insert(key, blank < 0 ? QStringLiteral("known fault") : line.mid(blank).trimmed());
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
    void init();
    void failureHookReports();
    void everyTargetHasSeeds();
    void foldersNameTargets();
    void knownFailuresNameFiles();
    void replay_data();
    void replay();
    void cleanupTestCase();
};

void tst_FuzzRegressions::init()
{
    g_failures.clear();
    VormeldFuzz::SetFailureHook(recordFailure);
}

void tst_FuzzRegressions::cleanupTestCase()
{
    VormeldFuzz::SetFailureHook(nullptr);
}

void tst_FuzzRegressions::failureHookReports()
{
    // The replay can only fail a row if a broken property reaches it.
    VormeldFuzz::Fail("textfile", QStringLiteral("probe"));
    QCOMPARE(g_failures, QStringList{QStringLiteral("textfile: probe")});
}

void tst_FuzzRegressions::everyTargetHasSeeds()
{
    QVERIFY(VormeldFuzz::Targets().size() >= 10);
    for (const VormeldFuzz::Target &t : VormeldFuzz::Targets()) {
        QCOMPARE(VormeldFuzz::FindTarget(QString::fromLatin1(t.name)), &t);
        const QFileInfoList seeds = filesOf(sourceDir() + QStringLiteral("/fuzz/corpus/") + t.name);
        QVERIFY2(!seeds.isEmpty(), qPrintable(QStringLiteral("no seed inputs for %1").arg(t.name)));
        for (const QFileInfo &f : seeds)
            QVERIFY2(f.size() <= qint64(VormeldFuzz::MaxInputSize),
                     qPrintable(f.filePath() + QStringLiteral(" is larger than the targets read")));
    }
}

void tst_FuzzRegressions::foldersNameTargets()
{
    // A misspelt folder would be replayed by nothing.
    for (const auto &[kind, root] : inputRoots()) {
        for (const QString &name : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QVERIFY2(VormeldFuzz::FindTarget(name),
                     qPrintable(QStringLiteral("%1/%2 names no fuzz target").arg(root, name)));
    }
}

void tst_FuzzRegressions::knownFailuresNameFiles()
{
    const QMap<QString, QString> known = knownFailures();
    for (auto it = known.cbegin(); it != known.cend(); ++it) {
        QVERIFY2(QFileInfo::exists(sourceDir() + QStringLiteral("/tests/fuzz/regressions/") + it.key()),
                 qPrintable(QStringLiteral("known-failures.txt names %1, which is not kept").arg(it.key())));
    }
}

void tst_FuzzRegressions::replay_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("knownFault");
    const QMap<QString, QString> known = knownFailures();
    for (const auto &[kind, root] : inputRoots()) {
        for (const VormeldFuzz::Target &t : VormeldFuzz::Targets()) {
            const QString name = QString::fromLatin1(t.name);
            for (const QFileInfo &f : filesOf(root + QLatin1Char('/') + name)) {
                const QString key = name + QLatin1Char('/') + f.fileName();
                // Only kept inputs may be known faults: a seed must always pass.
                QTest::addRow("%s/%s", qPrintable(kind), qPrintable(key))
                    << name << f.filePath() << (kind == QLatin1String("regressions") ? known.value(key) : QString());
            }
        }
    }
}

void tst_FuzzRegressions::replay()
{
    QFETCH(QString, target);
    QFETCH(QString, path);
    QFETCH(QString, knownFault);
    const VormeldFuzz::Target *t = VormeldFuzz::FindTarget(target);
    QVERIFY(t);
    QFile f(path);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.errorString()));
    const QByteArray bytes = f.readAll();

    if (knownFault.isEmpty()) {
        QCOMPARE(runOne(*t, bytes), 0);
        QVERIFY2(g_failures.isEmpty(), qPrintable(g_failures.join(QLatin1Char('\n'))));
        return;
    }
    // A known fault may crash: it runs in a child process, whose temporary
    // files (left behind when it aborts) go to a folder removed here.
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), scratch.path());
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--replay-one"), target, path});
    QVERIFY(child.waitForStarted(10000));
    if (!child.waitForFinished(120000))
        child.kill();
    const bool passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    const QByteArray why = knownFault.toUtf8();
    QEXPECT_FAIL("", why.constData(), Abort);
    QVERIFY2(passed, child.readAll().right(2000).constData());
}

// "--replay-one <target> <file>": runs one input with the default failure hook
// (print and abort), for the child processes of known faults.
int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], "--replay-one") == 0) {
        const VormeldFuzz::Target *t = VormeldFuzz::FindTarget(QString::fromLocal8Bit(argv[2]));
        QFile f(QString::fromLocal8Bit(argv[3]));
        if (!t || !f.open(QIODevice::ReadOnly))
            return 2;
        return runOne(*t, f.readAll());
    }
    QCoreApplication app(argc, argv);
    tst_FuzzRegressions tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_fuzz_regressions.moc"
