// Tight programs: the rule table, the joining of statement lines, the lines
// that must not be joined, and tight copies that the real interpreter runs
// exactly like their originals.

#include "ProgramGenerator.h"
#include "html/modYabHTML.h"
#include "platform/TextFile.h"
#include "run/modGeneral1.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace modGeneral1;

namespace {
const QString TestData = QStringLiteral(VORMELD_HTML_TESTDATA);

// Source lines joined the way the editor text reaches the writer.
QString program(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QString programText(const QString &path)
{
    TextFileContent c;
    if (!ReadTextFile(path, &c).ok)
        return QString();
    return c.text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

struct Run {
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program in the interpreter; the limit only guards against a copy that
// would never end.
Run runInterpreter(const QString &yabasic, const QString &file)
{
    QProcess p;
    p.setWorkingDirectory(QFileInfo(file).absolutePath());
    p.start(yabasic, {file});
    p.closeWriteChannel();
    Run r;
    r.finished = p.waitForFinished(60000);
    if (!r.finished) {
        p.kill();
        p.waitForFinished();
    }
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}
} // namespace

class tst_Tight : public QObject {
    Q_OBJECT
private slots:
    void ruleTable_data();
    void ruleTable();
    void droppedLines_data();
    void droppedLines();
    void programs_data();
    void programs();
    void holdsComment_data();
    void holdsComment();
    void writerStateAcrossCalls();
    void hugeInput();
    void goldenCopy();

    void interpreterRunsCopiesAlike_data();
    void interpreterRunsCopiesAlike();
};

void tst_Tight::ruleTable_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("written"); // after an open statement line "x=0"

    // Own-line rows end the open statement line first; joined rows follow a ":".
    const auto own = [](const QString &t) { return QStringLiteral("x=0\r\n") + t + QStringLiteral("\r\n"); };
    const auto join = [](const QString &t) { return QStringLiteral("x=0:") + t; };
    QTest::newRow("1 interpreter line") << "  #!/usr/bin/yabasic  " << 1 << own("#!/usr/bin/yabasic");
    QTest::newRow("2 hash comment") << "  # note  " << 2 << "x=0";
    QTest::newRow("3 rem comment") << "  REM note" << 3 << "x=0";
    QTest::newRow("4 docu") << "  docu  text  " << 4 << own("docu  text");
    QTest::newRow("5 print") << "  print 1  " << 5 << join("print 1");
    QTest::newRow("6 input") << "  input a$  " << 6 << join("input a$");
    QTest::newRow("7 for") << "  for i = 1 to 3  " << 7 << join("for i = 1 to 3");
    QTest::newRow("8 next") << "  next i  " << 8 << join("next i");
    QTest::newRow("9 goto") << "  goto top  " << 9 << join("goto top");
    QTest::newRow("10 label") << "  label top  " << 10 << own("label top");
    QTest::newRow("11 if") << "  if a then  " << 11 << own("if a then");
    QTest::newRow("12 else") << "  else  " << 12 << own("else");
    QTest::newRow("13 endif") << "  endif  " << 13 << own("endif");
    QTest::newRow("14 on") << "  on a gosub x, y  " << 14 << own("on a gosub x, y");
    QTest::newRow("15 end") << "  end  " << 15 << join("end");
    QTest::newRow("16 dim") << "  dim a(3)  " << 16 << own("dim a(3)");
    QTest::newRow("17 bell") << "  bell  " << 17 << join("bell");
    QTest::newRow("18 wait keeps trailing blanks") << "  wait 1  " << 18 << join("wait 1  ");
    QTest::newRow("19 data") << "  data 1, 2  " << 19 << own("data 1, 2  ");
    QTest::newRow("20 read") << "  read a  " << 20 << join("read a  ");
    QTest::newRow("21 restore") << "  restore d  " << 21 << join("restore d  ");
    QTest::newRow("22 open") << "  open #1, \"f\"  " << 22 << join("open #1, \"f\"  ");
    QTest::newRow("23 close") << "  close #1  " << 23 << join("close #1  ");
    QTest::newRow("24 line") << "  line 1, 2 to 3, 4  " << 24 << join("line 1, 2 to 3, 4  ");
    QTest::newRow("25 dot") << "  dot 1, 2  " << 25 << join("dot 1, 2  ");
    QTest::newRow("26 text") << "  text 1, 2, \"a\"  " << 26 << join("text 1, 2, \"a\"  ");
    QTest::newRow("27 circle") << "  circle 1, 2, 3  " << 27 << join("circle 1, 2, 3  ");
    QTest::newRow("28 anything else") << "  a = 3  " << 28 << join("a = 3  ");
    // Plain prefixes: the keyword may go on with other letters.
    QTest::newRow("END IF is joined") << "END IF" << 15 << join("END IF");
    QTest::newRow("end sub is joined") << "end sub" << 15 << join("end sub");
    QTest::newRow("online = 1 keeps its own line") << "online = 1" << 14 << own("online = 1");
    QTest::newRow("iffy = 2 keeps its own line") << "iffy = 2" << 11 << own("iffy = 2");
    QTest::newRow("printer$ is a print") << "printer$ = \"x\"" << 5 << join("printer$ = \"x\"");
    QTest::newRow("elsif is no else") << "elsif a then" << 28 << join("elsif a then");
    QTest::newRow("lower case prefix") << "Print 2" << 5 << join("Print 2");
}

void tst_Tight::ruleTable()
{
    QFETCH(QString, line);
    QFETCH(int, row);
    QFETCH(QString, written);
    QCOMPARE(TightRow(line), row);
    TightWriter w;
    w.WriteTightLines({QStringLiteral("x=0"), line});
    QCOMPARE(w.Output, written);
    if (row >= 1 && row < TightRowCount) {
        const TightRule &r = TightRules()[size_t(row - 1)];
        QVERIFY(line.trimmed().toUpper().startsWith(QString(r.prefix)));
    }
}

void tst_Tight::droppedLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
    QTest::newRow("tabs and blanks") << " \t \t";
    QTest::newRow("rem") << "rem";
    QTest::newRow("rem with blanks") << "   REM   ";
    QTest::newRow("rem with text") << "rem print 1";
    QTest::newRow("rem and a tab") << "rem\tnote";
    QTest::newRow("hash") << "#";
    QTest::newRow("hash with text") << "# print 1";
    QTest::newRow("hash after blanks") << "   #note";
    QTest::newRow("double slash") << "// print 1";
    QTest::newRow("indented double slash") << "    //";
    QTest::newRow("apostrophe") << "' print 1";
    QTest::newRow("tab-indented rem") << "\t\trem inside a block";
}

void tst_Tight::droppedLines()
{
    QFETCH(QString, line);
    const int row = TightRow(line);
    QVERIFY2(row == 0 || row == 2 || row == 3, qPrintable(QString::number(row)));
    // Between two statements a dropped line leaves them joined.
    QCOMPARE(TightProgram(program({"print 1", line, "print 2"})), QStringLiteral("print 1:print 2"));
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
    QTest::newRow("indentation removed")
        << QStringList{"    for i = 1 to 2", "        print i   ", "    next i"}
        << "for i = 1 to 2:print i:next i";
    QTest::newRow("tabs are indentation too")
        << QStringList{"if a then", "\tprint 1\t", "\tlabel x", "endif"}
        << "if a then\r\nprint 1\r\nlabel x\r\nendif\r\n";
    QTest::newRow("empty program") << QStringList{""} << "";
    QTest::newRow("comments only") << QStringList{"rem a", "# b", "// c", "' d", ""} << "";
    QTest::newRow("an assignment to remain is kept")
        << QStringList{"remain = 5", "print remain"} << "remain = 5:print remain";
    QTest::newRow("rem$ and rem1 are variables")
        << QStringList{"rem$ = \"x\"", "rem1 = 2"} << "rem$ = \"x\":rem1 = 2";
    QTest::newRow("trailing comment ends the line")
        << QStringList{"print 1 // one", "print 2", "x = 1 : rem note", "print 3"}
        << "print 1 // one\r\nprint 2:x = 1 : rem note\r\nprint 3";
    QTest::newRow("comment markers inside strings are text")
        << QStringList{"print \"a // b\"", "print \"rem c\"", "print \"it's\""}
        << "print \"a // b\":print \"rem c\":print \"it's\"";
    QTest::newRow("escaped quote keeps the string open")
        << QStringList{"print \"a\\\" // b\"", "print 2"} << "print \"a\\\" // b\":print 2";
    QTest::newRow("interpreter line after statements stands alone")
        << QStringList{"print 1", "#!/usr/bin/yabasic", "print 2"}
        << "print 1\r\n#!/usr/bin/yabasic\r\nprint 2";
    QTest::newRow("interpreter line first")
        << QStringList{"#!/usr/bin/yabasic", "print 2"} << "#!/usr/bin/yabasic\r\nprint 2";
    QTest::newRow("final line break of the text")
        << QStringList{"print 1", ""} << "print 1";
    QTest::newRow("lone CR inside a line is no break")
        << QStringList{"print 1\rprint 2"} << "print 1\rprint 2";
}

void tst_Tight::programs()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, tight);
    QCOMPARE(TightProgram(program(lines)), tight);
}

void tst_Tight::holdsComment_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("comment");
    QTest::newRow("plain statement") << "print a" << false;
    QTest::newRow("double slash") << "x = 1 // c" << true;
    QTest::newRow("double slash, no blank") << "x = 1//c" << true;
    QTest::newRow("colon rem") << "x = 1 : rem c" << true;
    QTest::newRow("rem at the end") << "x = 1 : rem" << true;
    QTest::newRow("REM upper case") << "x = 1 REM c" << true;
    QTest::newRow("rem after a tab") << "x = 1\trem\tc" << true;
    QTest::newRow("remain is a name") << "remain = remain - 1" << false;
    QTest::newRow("rem$ is a name") << "print rem$" << false;
    QTest::newRow("slashes in a string") << "print \"a//b\"" << false;
    QTest::newRow("rem in a string") << "print \"rem x\"" << false;
    QTest::newRow("after the string") << "print \"rem x\" // c" << true;
    QTest::newRow("escaped quote") << "print \"\\\" // x\"" << false;
    QTest::newRow("escaped backslash ends") << "print \"\\\\\" // x" << true;
    QTest::newRow("division") << "x = a / b / c" << false;
    QTest::newRow("unclosed string") << "print \"// x" << false;
}

void tst_Tight::holdsComment()
{
    QFETCH(QString, code);
    QFETCH(bool, comment);
    QCOMPARE(HoldsComment(code), comment);
}

void tst_Tight::writerStateAcrossCalls()
{
    TightWriter w;
    QVERIFY(!w.StatementLineOpen);
    w.WriteTightLine(u"print 1");
    QVERIFY(w.StatementLineOpen);
    w.WriteTightLine(u"rem nothing");
    QVERIFY(w.StatementLineOpen);
    w.WriteTightLine(u"label x");
    QVERIFY(!w.StatementLineOpen);
    w.WriteTightLine(u"print 2 // c");
    QVERIFY(!w.StatementLineOpen);
    QCOMPARE(w.Output, QStringLiteral("print 1\r\nlabel x\r\nprint 2 // c\r\n"));
}

void tst_Tight::hugeInput()
{
    // A line of 1 MB and 100,000 short lines.
    const QString big = QStringLiteral("print \"") + QString(1 << 20, QLatin1Char('x')) + QStringLiteral("\"");
    const QString out = TightProgram(program({"a = 1", big, "b = 2"}));
    QCOMPARE(out.size(), big.size() + 12);
    QVERIFY(out.startsWith(QStringLiteral("a = 1:print \"xxx")));
    QVERIFY(out.endsWith(QStringLiteral("xx\":b = 2")));

    QStringList many;
    for (int i = 0; i < 100000; ++i)
        many << (i % 10 == 0 ? QStringLiteral("label l%1").arg(i) : QStringLiteral("  x = x + %1").arg(i));
    const QString tight = TightProgram(program(many));
    QCOMPARE(tight.count(QLatin1String("\r\n")), 10000 * 2 - 1);
}

void tst_Tight::goldenCopy()
{
    const QString text = programText(TestData + QStringLiteral("/programs/ledger.yab"));
    QVERIFY(!text.isEmpty());
    const QByteArray tight = TightProgram(text).toUtf8();
    const QString golden = TestData + QStringLiteral("/golden/ledger.tight.yab");
    if (qEnvironmentVariableIsSet("VORMELD_UPDATE_GOLDEN")) {
        QFile f(golden);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(tight);
    }
    QCOMPARE(tight, readBytes(golden));
}

void tst_Tight::interpreterRunsCopiesAlike_data()
{
    QTest::addColumn<QString>("source"); // a file under programs/, or "generated:LINES:SEED"
    QTest::newRow("ledger: labels, gosub, DATA, comments of every kind") << "ledger.yab";
    QTest::newRow("wordplay: subs, strings with quotes, loops, tabs") << "wordplay.yab";
    QTest::newRow("grades: docu, on gosub, switch, short if") << "grades.yab";
    QTest::newRow("generated 400 lines") << "generated:400:3";
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
    QVERIFY(WriteWholeFileAtomic(original, (text + QStringLiteral("\r\n")).toUtf8()).ok);
    const QString tight = TightProgram(text);
    QVERIFY(WriteWholeFileAtomic(copy, tight.toUtf8()).ok);
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
