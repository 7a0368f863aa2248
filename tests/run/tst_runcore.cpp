#include "run/core/InterpreterErrors.h"
#include "run/core/OutputDecoder.h"
#include "run/core/ScreenMode.h"
#include "run/core/SyntaxCheck.h"

#include <QtTest>

class tst_RunCore : public QObject {
    Q_OBJECT
private slots:
    void errorReports()
    {
        // Texts as yabasic 2.90 writes them; /tmp/r/TempPrg.yab is the run's temporary program.
        const QString syntax = "---Error in /tmp/r/TempPrg.yab, line 2:\n---Error: syntax error\n",
                      syntaxError = "prog.yab, line 2: syntax error";
        const QList<std::tuple<QString, QString, int, bool>> reports{ // summary, column, in the program
            {syntax + "   x = 1 +\n          ^\n---Error: Couldn't parse program\n", syntaxError, 7, true},
            // named without its folder, a tab counts as one column
            {"---Error in TempPrg.yab, line 2:\n---Error: syntax error\n   \tif x then print 1 endif zz(\n"
             "                            ^~\n", syntaxError, 25, true},
            // the caret counts bytes, the column characters
            {syntax + "   print \"\u00e9\u00e9\" + )\n                  ^\n", syntaxError, 13, true},
            {"---Error in mylib.yab, line 3:\n---Error: index 1 (=7) out of range\n     b(n) = 1\n             ^\n",
             "mylib.yab, line 3: index 1 (=7) out of range", 10, false}, // a library keeps its name
            {"---Error in /tmp/r/TempPrg.yab, line 4:\n---Error: odd\n---Error: more\n", "prog.yab, line 4: odd", -1,
             true}};
        for (const auto &[stderrText, summary, column, inProgram] : reports) {
            const QList<ProgramError> errors
                = InterpreterErrorParser::parse(stderrText, "/tmp/r/TempPrg.yab", "prog.yab");
            QCOMPARE(errors.size(), 1);
            QCOMPARE(errors[0].summary(), summary);
            QCOMPARE(errors[0].column, column);
            QCOMPARE(errors[0].inProgram, inProgram);
        }

        InterpreterErrorParser p("/tmp/r/TempPrg.yab", "Untitled");
        int opened = -2;
        QCOMPARE(p.feedLine("---Warning in /tmp/r/TempPrg.yab, line 1:", &opened), QStringLiteral("---Warning in Untitled, line 1:"));
        QCOMPARE(opened, 0);
        QCOMPARE(p.feedLine("---Dump: sub f() called in /tmp/r/TempPrg.yab,3", &opened),
                 QStringLiteral("---Dump: sub f() called in Untitled,3"));
        QCOMPARE(opened, -1);
        p.feedLine("---Error in /tmp/r/TempPrg.yab, line 9:\r");
        QCOMPARE(p.errors().size(), 2);
        QCOMPARE(p.firstToJumpTo(), 1); // errors before warnings
    }

    void screenModeAndDecoder()
    {
        for (const QString &program : {"CLEAR   SCREEN\nprint 1", "x = 1: print at(3, 4) \"hi\"", "? at(1,1) \"x\"",
                                       "k$ = inkey$(0.1)", "s$ = getscreen$(0,0,5,5)", "putscreen s$, 0, 0",
                                       "print colour(\"red\") \"alarm\""})
            QVERIFY2(usesScreenMode(program), qPrintable(program));
        for (const QString &program : {"print \"hello\"\ninput a$\nprint a$", "print \"clear screen and inkey$\"",
                                       "rem clear screen\n// inkey$\n# print at(1,1)\nprint 2 // color(",
                                       "sub at(x)\nend sub\nprint myat(3)"}) // strings, comments, names like it
            QVERIFY2(!usesScreenMode(program), qPrintable(program));

        // A character split in two pieces, binary bytes as Latin-1, a dangling lead byte at the end.
        const QList<std::pair<QByteArrayList, QString>> outputs{
            {{"caf\xc3", "\xa9!"}, QString::fromUtf8("caf\xc3\xa9!")},
            {{QByteArray("\xff\x00\x01z", 4)}, QString::fromLatin1(QByteArray("\xff\x00\x01z", 4))},
            {{"ab\xe2\x82"}, QString::fromLatin1("ab\xe2\x82")}};
        for (const auto &[pieces, text] : outputs) {
            OutputDecoder d;
            QString out;
            for (const QByteArray &p : pieces)
                out += d.decode(p);
            QCOMPARE(out + d.finish(), text);
        }
    }
    // The copy for the check is written on a thread of its own; a text given
    // meanwhile is the one checked, and only one check runs.
    void newestTextIsChecked()
    {
        const QString yabasic = QStandardPaths::findExecutable("yabasic");
        if (yabasic.isEmpty())
            QSKIP("yabasic is not installed on this machine");
        SyntaxCheck check;
        QSignalSpy results(&check, &SyntaxCheck::checked);
        QSemaphore writing, goOn;
        check.check(yabasic, [&] { writing.release(); goOn.acquire(); return QString("print 1 +"); },
                    TextEncoding::Utf8, QDir::tempPath(), "prog.yab");
        QVERIFY(writing.tryAcquire(1, 5000)); // the first copy is being made
        QVERIFY(check.isChecking());
        check.check(yabasic, [] { return QString("print 1"); }, TextEncoding::Utf8, QDir::tempPath(), "prog.yab");
        goOn.release();
        QVERIFY(results.wait(10000));
        QCOMPARE(results.first().first().toBool(), true); // the broken older text was never checked
        QCOMPARE(check.started(), 1);
        QVERIFY(!check.isChecking());
    }
};

QTEST_GUILESS_MAIN(tst_RunCore)
#include "tst_runcore.moc"
