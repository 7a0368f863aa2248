// Tight programs: which lines keep a line of their own, which are joined and
// which are dropped, and tight copies that the real interpreter runs exactly
// like their originals.

#include "ProgramGenerator.h"
#include "html/core/TightCode.h"
#include "platform/core/TextFile.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace TightCode;

namespace {
const QString TestData = QStringLiteral(VORMELD_HTML_TESTDATA);

QString programText(const QString &path)
{
    TextFileContent c;
    if (!readTextFile(path, &c).ok)
        return QString();
    return c.text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

struct Run {
    bool finished = false;
    int exitCode = -1;
    QByteArray out, err;
};

// The limit only guards against a copy that would never end.
Run runInterpreter(const QString &yabasic, const QString &file)
{
    QProcess p;
    p.setWorkingDirectory(QFileInfo(file).absolutePath());
    p.start(yabasic, {file});
    p.closeWriteChannel();
    const bool finished = p.waitForFinished(60000);
    if (!finished)
        p.kill();
    p.waitForFinished();
    return {finished, p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}
} // namespace

class tst_Tight : public QObject {
    Q_OBJECT
private slots:
    void programs_data();
    void programs();
    void hugeInput();
    void goldenCopy();
    void interpreterRunsCopiesAlike_data();
    void interpreterRunsCopiesAlike();
};

void tst_Tight::programs_data()
{
    QTest::addColumn<QStringList>("lines"); // joined by CR LF, as the editor text reaches the writer
    QTest::addColumn<QString>("tight");
    QTest::newRow("structure lines stand alone, statements are joined, both trimmed")
        << QStringList{"  print 1  ", "  if a then  ", "  input a$  ", "  else  ", "  endif  ", "  docu x  ",
                       "  on a gosub p, q  ", "  dim a(3)  ", "\tlabel x\t", "  x = 1  ", "  end  "}
        << "print 1\r\nif a then\r\ninput a$\r\nelse\r\nendif\r\ndocu x\r\non a gosub p, q\r\ndim a(3)\r\n"
           "label x\r\nx = 1  :end";
    QTest::newRow("data, file and graphics lines keep trailing blanks")
        << QStringList{"  read a  ", "  data 1, 2  ", "  wait 1  ", "  dot 1, 2  ", "elsif a then  "}
        << "read a  \r\ndata 1, 2  \r\nwait 1  :dot 1, 2  :elsif a then  ";
    QTest::newRow("keywords are plain prefixes") << QStringList{"online = 1", "iffy = 2", "printer$ = 1", "Print 2"}
                                                 << "online = 1\r\niffy = 2\r\nprinter$ = 1:Print 2";
    QTest::newRow("comment and blank lines are dropped")
        << QStringList{"#!/usr/bin/yabasic ", "", " \t", "rem", "   REM   ", "rem\tnote", "#", "   #note", "// x",
                       "    //", "' x", "print 1", "\t\trem inside"}
        << "#!/usr/bin/yabasic\r\nprint 1";
    QTest::newRow("remain, rem$ and rem1 are no comments")
        << QStringList{"remain = 5", "rem$ = \"x\"", "rem1 = 2"} << "remain = 5:rem$ = \"x\":rem1 = 2";
    QTest::newRow("a trailing comment ends the joined line")
        << QStringList{"print 1 // one", "print 2", "x = 1 : rem note", "a = 1\tREM\tc", "c = 3//c", "print 3"}
        << "print 1 // one\r\nprint 2:x = 1 : rem note\r\na = 1\tREM\tc\r\nc = 3//c\r\nprint 3";
    QTest::newRow("comment markers in strings and divisions are no comments")
        << QStringList{"print \"a // b\"", "print \"rem c\"", "print \"\\\" // x\"", "x = a / b", "print \"\\\\\" // x", "d = 4"}
        << "print \"a // b\":print \"rem c\":print \"\\\" // x\":x = a / b:print \"\\\\\" // x\r\nd = 4";
    QTest::newRow("last kept line on its own ends with a break") << QStringList{"print 1", "endif", "rem"}
                                                                 << "print 1\r\nendif\r\n";
    QTest::newRow("final line break, lone CR") << QStringList{"print 1\rprint 2", ""} << "print 1\rprint 2";
}

void tst_Tight::programs()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, tight);
    QCOMPARE(tightProgram(lines.join(QStringLiteral("\r\n"))), tight);
}

void tst_Tight::hugeInput()
{
    // A line of 1 MB, and 100,000 short lines.
    const QString big = QStringLiteral("print \"") + QString(1 << 20, QLatin1Char('x')) + QStringLiteral("\"");
    QCOMPARE(tightProgram("a = 1\r\n" + big + "\r\nb = 2"), "a = 1:" + big + ":b = 2");
    QStringList many;
    for (int i = 0; i < 100000; ++i)
        many << (i % 10 == 0 ? QStringLiteral("label l%1").arg(i) : QStringLiteral("  x = x + %1").arg(i));
    QCOMPARE(tightProgram(many.join(QStringLiteral("\r\n"))).count(QLatin1String("\r\n")), 10000 * 2 - 1);
}

void tst_Tight::goldenCopy()
{
    const QByteArray tight = tightProgram(programText(TestData + QStringLiteral("/programs/ledger.yab"))).toUtf8();
    QFile golden(TestData + QStringLiteral("/golden/ledger.tight.yab"));
    if (qEnvironmentVariableIsSet("VORMELD_UPDATE_GOLDEN")) {
        QVERIFY(golden.open(QIODevice::WriteOnly));
        golden.write(tight);
        golden.close();
    }
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(tight, golden.readAll());
}

void tst_Tight::interpreterRunsCopiesAlike_data()
{
    QTest::addColumn<QString>("source"); // a file under programs/, or "generated:LINES:SEED"
    QTest::newRow("ledger: labels, gosub, DATA, comments of every kind") << "ledger.yab";
    QTest::newRow("wordplay: subs, strings with quotes, loops, tabs") << "wordplay.yab";
    QTest::newRow("grades: docu, on gosub, switch, short if") << "grades.yab";
    QTest::newRow("generated 2000 lines") << "generated:2000:7";
}

void tst_Tight::interpreterRunsCopiesAlike()
{
    QFETCH(QString, source);
    const QString yabasic = QStandardPaths::findExecutable(QStringLiteral("yabasic"));
    if (yabasic.isEmpty())
        QSKIP("The yabasic interpreter is not installed (Debian package yabasic).");
    QTemporaryDir dir;
    const QStringList parts = source.split(QLatin1Char(':'));
    const QString text = parts.size() == 3
                             ? ProgramGenerator(parts.at(2).toULongLong()).lines(parts.at(1).toInt()).join("\r\n")
                             : programText(TestData + QStringLiteral("/programs/") + source);
    QVERIFY(!text.isEmpty());
    const QString original = dir.filePath(QStringLiteral("original.yab"));
    const QString copy = dir.filePath(QStringLiteral("tight.yab"));
    const QString tight = tightProgram(text);
    QVERIFY(writeWholeFileAtomic(original, (text + QStringLiteral("\r\n")).toUtf8()).ok);
    QVERIFY(writeWholeFileAtomic(copy, tight.toUtf8()).ok);
    QVERIFY2(tight.count(QLatin1String("\r\n")) < text.count(QLatin1String("\r\n")) / 2 + 1, qPrintable(tight.left(2000)));

    const Run a = runInterpreter(yabasic, original);
    const Run b = runInterpreter(yabasic, copy);
    QVERIFY2(a.finished && b.finished, "a program did not end");
    QVERIFY2(a.err.isEmpty(), a.err.constData());
    QVERIFY2(b.err.isEmpty(), (b.err + "\n--- tight copy ---\n" + tight.left(4000).toUtf8()).constData());
    QCOMPARE((QList<int>{a.exitCode, b.exitCode}), (QList<int>{0, 0}));
    QVERIFY(!a.out.isEmpty());
    QCOMPARE(b.out, a.out);
}

QTEST_APPLESS_MAIN(tst_Tight)
#include "tst_tight.moc"
