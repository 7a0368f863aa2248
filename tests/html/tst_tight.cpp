// Tight programs: the rule table, the joining of statement lines, the lines
// that must not be joined, and tight copies that the real interpreter runs
// exactly like their originals.

#include "ProgramGenerator.h"
#include "html/core/HtmlPage.h"
#include "platform/core/TextFile.h"
#include "html/core/TightCode.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace TightCode;

namespace {
const QString TestData = QStringLiteral(VORMELD_HTML_TESTDATA);

// Source lines joined the way the editor text reaches the writer.
QString program(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

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

// Runs a program in the interpreter; the limit only guards against a copy that
// would never end.
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
    void ruleTable_data();
    void ruleTable();
    void programs_data();
    void programs();
    void hugeInput();
    void goldenCopy();
    void interpreterRunsCopiesAlike_data();
    void interpreterRunsCopiesAlike();
};

void tst_Tight::ruleTable_data()
{
    // Each line is written after an open statement line "x=0": own-line rows
    // end it first, joined rows follow a ":", dropped lines leave it open. The
    // prefixes are plain: a keyword may go on with other letters.
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("kind");
    QTest::newRow("own line, trimmed")
        << QStringList{"  #!/usr/bin/yabasic  ", "  docu  text  ", "  label top  ", "  if a then  ", "  else  ",
                       "  endif  ", "  on a gosub x, y  ", "  dim a(3)  ", "online = 1", "iffy = 2"}
        << "own";
    QTest::newRow("own line, leading blanks removed") << QStringList{"  data 1, 2  "} << "own-left";
    QTest::newRow("joined, trimmed")
        << QStringList{"  print 1  ", "  input a$  ", "  for i = 1 to 3  ", "  next i  ", "  goto top  ",
                       "  end  ", "  bell  ", "END IF  ", "end sub", "printer$ = \"x\"", "Print 2"}
        << "join";
    QTest::newRow("joined, leading blanks removed")
        << QStringList{"  wait 1  ", "  read a  ", "  restore d  ", "  open #1, \"f\"  ", "  close #1  ",
                       "  line 1, 2 to 3, 4  ", "  dot 1, 2  ", "  text 1, 2, \"a\"  ", "  circle 1, 2, 3  ",
                       "  a = 3  ", "elsif a then  "}
        << "join-left";
    QTest::newRow("dropped")
        << QStringList{"", " \t \t", "rem", "   REM   ", "rem print 1", "rem\tnote", "#", "   #note", "// print 1",
                       "    //", "' print 1", "\t\trem inside a block"}
        << "drop";
}

void tst_Tight::ruleTable()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, kind);
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        QString left = line;
        while (left.startsWith(QLatin1Char(' ')))
            left.remove(0, 1);
        const QString written = kind == "own"        ? "x=0\r\n" + trimmed + "\r\n"
                                : kind == "own-left" ? "x=0\r\n" + left + "\r\n"
                                : kind == "join"     ? "x=0:" + trimmed
                                : kind == "join-left" ? "x=0:" + left
                                                      : QStringLiteral("x=0");
        TightWriter w;
        w.writeTightLines({QStringLiteral("x=0"), line});
        QVERIFY2(w.output == written, qPrintable(QStringLiteral("[%1] gave [%2]").arg(line, w.output)));
    }
}

void tst_Tight::programs_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("tight");
    QTest::newRow("statements joined, no final break")
        << QStringList{"print 1", "print 2", "a = 3"} << "print 1:print 2:a = 3";
    QTest::newRow("data closes the joined line")
        << QStringList{"print 1", "read a", "data 1, 2"} << "print 1:read a\r\ndata 1, 2\r\n";
    QTest::newRow("last kept line own: ends with a break")
        << QStringList{"print 1", "endif", "rem done"} << "print 1\r\nendif\r\n";
    QTest::newRow("tabs are indentation too")
        << QStringList{"if a then", "\tprint 1\t", "\tlabel x", "endif"}
        << "if a then\r\nprint 1\r\nlabel x\r\nendif\r\n";
    QTest::newRow("comments only") << QStringList{"rem a", "# b", "// c", "' d", ""} << "";
    QTest::newRow("an assignment to remain, rem$ and rem1 are kept")
        << QStringList{"remain = 5", "rem$ = \"x\"", "rem1 = 2"} << "remain = 5:rem$ = \"x\":rem1 = 2";
    QTest::newRow("trailing comment ends the line")
        << QStringList{"print 1 // one", "print 2", "x = 1 : rem note", "print 3"}
        << "print 1 // one\r\nprint 2:x = 1 : rem note\r\nprint 3";
    QTest::newRow("comment markers inside strings, division and remain are no comments")
        << QStringList{"print \"a // b\"", "print \"rem c\"", "print \"it's\"", "print \"\\\" // x\"", "x = a / b + remain"}
        << "print \"a // b\":print \"rem c\":print \"it's\":print \"\\\" // x\":x = a / b + remain";
    QTest::newRow("comments after a string, after a tab, at the end of the line")
        << QStringList{"print \"\\\\\" // x", "a = 1\tREM\tc", "b = 2 : rem", "c = 3//c", "print \"// open", "d = 4"}
        << "print \"\\\\\" // x\r\na = 1\tREM\tc\r\nb = 2 : rem\r\nc = 3//c\r\nprint \"// open:d = 4";
    QTest::newRow("final line break of the text") << QStringList{"print 1", ""} << "print 1";
    QTest::newRow("lone CR inside a line is no break") << QStringList{"print 1\rprint 2"} << "print 1\rprint 2";
}

void tst_Tight::programs()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, tight);
    QCOMPARE(tightProgram(program(lines)), tight);
}

void tst_Tight::hugeInput()
{
    // A line of 1 MB and 100,000 short lines.
    const QString big = QStringLiteral("print \"") + QString(1 << 20, QLatin1Char('x')) + QStringLiteral("\"");
    const QString out = tightProgram(program({"a = 1", big, "b = 2"}));
    QCOMPARE(out.size(), big.size() + 12);
    QVERIFY(out.startsWith(QStringLiteral("a = 1:print \"xxx")));
    QVERIFY(out.endsWith(QStringLiteral("xx\":b = 2")));

    QStringList many;
    for (int i = 0; i < 100000; ++i)
        many << (i % 10 == 0 ? QStringLiteral("label l%1").arg(i) : QStringLiteral("  x = x + %1").arg(i));
    QCOMPARE(tightProgram(program(many)).count(QLatin1String("\r\n")), 10000 * 2 - 1);
}

void tst_Tight::goldenCopy()
{
    const QString text = programText(TestData + QStringLiteral("/programs/ledger.yab"));
    QVERIFY(!text.isEmpty());
    const QByteArray tight = tightProgram(text).toUtf8();
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
    QVERIFY(dir.isValid());
    QString text;
    if (source.startsWith(QLatin1String("generated:"))) {
        const QStringList parts = source.split(QLatin1Char(':'));
        text = ProgramGenerator(parts.at(2).toULongLong()).lines(parts.at(1).toInt()).join(QStringLiteral("\r\n"));
    } else {
        text = programText(TestData + QStringLiteral("/programs/") + source);
    }
    QVERIFY(!text.isEmpty());
    const QString original = dir.filePath(QStringLiteral("original.yab"));
    const QString copy = dir.filePath(QStringLiteral("tight.yab"));
    QVERIFY(writeWholeFileAtomic(original, (text + QStringLiteral("\r\n")).toUtf8()).ok);
    const QString tight = tightProgram(text);
    QVERIFY(writeWholeFileAtomic(copy, tight.toUtf8()).ok);
    // The copy is tighter than the original.
    QVERIFY2(tight.count(QLatin1String("\r\n")) < text.count(QLatin1String("\r\n")) / 2 + 1,
             qPrintable(tight.left(2000)));

    const Run a = runInterpreter(yabasic, original);
    const Run b = runInterpreter(yabasic, copy);
    QVERIFY2(a.finished && b.finished, "a program did not end");
    QVERIFY2(a.err.isEmpty(), a.err.constData());
    QVERIFY2(b.err.isEmpty(), (b.err + "\n--- tight copy ---\n" + tight.left(4000).toUtf8()).constData());
    QCOMPARE(a.exitCode, 0);
    QCOMPARE(b.exitCode, 0);
    QVERIFY(!a.out.isEmpty());
    QCOMPARE(b.out, a.out);
}

QTEST_APPLESS_MAIN(tst_Tight)
#include "tst_tight.moc"
