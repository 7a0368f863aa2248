// Tight programs: which lines stand alone, are joined or dropped, and tight
// copies that the real interpreter runs exactly like their originals.

#include "ProgramGenerator.h"
#include "html/core/TightCode.h"
#include "platform/core/TextFile.h"

#include <QtTest>

using namespace TightCode;

// Runs a program to its end (the limit only guards against a copy that never
// ends): its exit code, standard output and standard error.
static QByteArrayList runInterpreter(const QString &yabasic, const QString &file)
{
    QProcess p;
    p.setWorkingDirectory(QFileInfo(file).absolutePath());
    p.start(yabasic, {file});
    p.closeWriteChannel();
    if (!p.waitForFinished(60000))
        return {"did not end"};
    return {QByteArray::number(p.exitCode()), p.readAllStandardOutput(), p.readAllStandardError()};
}

class tst_Tight : public QObject {
    Q_OBJECT
private slots:
    void programs_data()
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
        QTest::newRow("keywords are plain prefixes; remain, rem$ and rem1 are no comments")
            << QStringList{"online = 1", "iffy = 2", "printer$ = 1", "Print 2", "remain = 5", "rem$ = \"x\"", "rem1 = 2"}
            << "online = 1\r\niffy = 2\r\nprinter$ = 1:Print 2:remain = 5:rem$ = \"x\":rem1 = 2";
        QTest::newRow("comment and blank lines are dropped")
            << QStringList{"#!/usr/bin/yabasic ", "", " \t", "rem", "   REM   ", "rem\tnote", "#", "   #note", "// x",
                           "    //", "' x", "print 1", "\t\trem inside"}
            << "#!/usr/bin/yabasic\r\nprint 1";
        QTest::newRow("a trailing comment ends the joined line")
            << QStringList{"print 1 // one", "print 2", "x = 1 : rem note", "a = 1\tREM\tc", "c = 3//c", "print 3"}
            << "print 1 // one\r\nprint 2:x = 1 : rem note\r\na = 1\tREM\tc\r\nc = 3//c\r\nprint 3";
        QTest::newRow("comment markers in strings and divisions are no comments")
            << QStringList{"print \"a // b\"", "print \"rem c\"", "print \"\\\" // x\"", "x = a / b", "print \"\\\\\" // x", "d = 4"}
            << "print \"a // b\":print \"rem c\":print \"\\\" // x\":x = a / b:print \"\\\\\" // x\r\nd = 4";
        QTest::newRow("last kept line on its own ends with a break") << QStringList{"print 1", "endif", "rem"}
                                                                     << "print 1\r\nendif\r\n";
        QTest::newRow("numbered lines start a line; a numbered comment keeps its number")
            << QStringList{"print 0", "10 for a=1 to 3", "print a", "20 if (a>2) goto 40", "print 2", "30 next a",
                           "  40 rem end", "50", "60 x = 1", "7up = 1"}
            << "print 0\r\n10 for a=1 to 3:print a\r\n20 if (a>2) goto 40\r\nprint 2\r\n30 next a\r\n40\r\n50\r\n"
               "60 x = 1:7up = 1";
        QTest::newRow("final line break, lone CR") << QStringList{"print 1\rprint 2", ""} << "print 1\rprint 2";
        const QString big = "print \"" + QString(1 << 20, QLatin1Char('x')) + "\"";
        QTest::newRow("a huge line") << QStringList{"a = 1", big, "b = 2"} << "a = 1:" + big + ":b = 2";
    }
    void programs()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, tight);
        QCOMPARE(tightProgram(lines.join("\r\n")), tight);
    }

    // The ledger's copy is also kept as a golden file; after a deliberate change,
    // run once with VORMELD_UPDATE_GOLDEN=1 and review the diff.
    void interpreterRunsCopiesAlike_data()
    {
        QTest::addColumn<QString>("source"); // a file under programs/, or "generated:LINES:SEED"
        QTest::newRow("ledger: labels, gosub, DATA, comments of every kind") << "ledger.yab";
        QTest::newRow("generated 2000 lines") << "generated:2000:7";
        QTest::newRow("numbered lines and jumps to them") << "numbered.yab";
    }
    void interpreterRunsCopiesAlike()
    {
        QFETCH(QString, source);
        const QString data = VORMELD_HTML_TESTDATA, yabasic = QStandardPaths::findExecutable("yabasic");
        const QStringList parts = source.split(':');
        TextFileContent file;
        const QString text = parts.size() == 3 ? ProgramGenerator(parts.at(2).toULongLong()).lines(parts.at(1).toInt()).join("\r\n")
                             : readTextFile(data + "/programs/" + source, &file).ok ? file.text.replace("\n", "\r\n") : QString();
        const QString tight = tightProgram(text);
        QVERIFY2(tight.count("\r\n") < text.count("\r\n") * 3 / 4 + 1, qPrintable(tight.left(2000)));
        if (source == "ledger.yab") {
            if (qEnvironmentVariableIsSet("VORMELD_UPDATE_GOLDEN"))
                QVERIFY(writeWholeFileAtomic(data + "/golden/ledger.tight.yab", tight.toUtf8()).ok);
            QFile golden(data + "/golden/ledger.tight.yab");
            QVERIFY(golden.open(QIODevice::ReadOnly));
            QCOMPARE(tight.toUtf8(), golden.readAll());
        }
        if (yabasic.isEmpty())
            QSKIP("The yabasic interpreter is not installed (Debian package yabasic).");
        QTemporaryDir dir;
        QVERIFY(writeWholeFileAtomic(dir.filePath("original.yab"), (text + "\r\n").toUtf8()).ok);
        QVERIFY(writeWholeFileAtomic(dir.filePath("tight.yab"), tight.toUtf8()).ok);
        QProcess check;
        check.start(yabasic, {"--check", dir.filePath("tight.yab")});
        QVERIFY(check.waitForFinished(60000));
        QVERIFY2(check.exitCode() == 0, check.readAllStandardError().constData());
        const QByteArrayList a = runInterpreter(yabasic, dir.filePath("original.yab"));
        QCOMPARE(a.value(0), "0");
        QVERIFY(a.value(1).size() > 100 && a.value(2).isEmpty());
        QCOMPARE(runInterpreter(yabasic, dir.filePath("tight.yab")), a);
    }
};

QTEST_APPLESS_MAIN(tst_Tight)
#include "tst_tight.moc"
