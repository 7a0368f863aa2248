#include "editor/core/LineScanner.h"
#include "editor/core/YabasicLexer.h"

#include <QtTest>

using LineScanner::Colour;
using LineScanner::Range;

namespace {
// One letter per column: k keyword, s string, c comment, i "#!", . plain. Ranges
// that are out of order, empty, overlapping or past the line end give "<bad>".
QString paint(const QString &line, bool first, bool everyKeyword = false)
{
    QString out(line.size(), QLatin1Char('.'));
    int end = 0;
    const auto ranges = everyKeyword ? YabasicLexer::scanLine(line, first) : LineScanner::scanLine(line, first);
    for (const Range &r : ranges) {
        if (r.start < end || r.length <= 0 || r.start + r.length > line.size())
            return QStringLiteral("<bad>");
        end = r.start + r.length;
        const char mark = r.colour == Colour::Keyword ? 'k'
                          : r.colour == Colour::String ? 's'
                          : r.colour == Colour::Comment ? 'c' : 'i';
        out.replace(r.start, r.length, QString(r.length, QLatin1Char(mark)));
    }
    return out;
}
} // namespace

class tst_LineScanner : public QObject {
    Q_OBJECT
private slots:
    void colouring_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("first");
        QTest::addColumn<QString>("expected");
        QTest::newRow("mixed case") << "PutScreen x" << false << "kkkkkkkkkk.";
        QTest::newRow("keyword at line end has no blank") << "x = 1 : next" << false << "........kkkk";
        QTest::newRow("shortest keyword") << "fi" << false << "kk";
        QTest::newRow("keyword inside a word") << "printx = prin" << false << ".............";
        QTest::newRow("accented letter") << "\xc3\xa9 if" << false << "..kk";
        QTest::newRow("bracket joins the word") << "print(x)" << false << "........";
        QTest::newRow("tab does not separate") << "\tprint x" << false << "........";
        QTest::newRow("two blanks") << "if  then" << false << "kkk.kkkk";
        QTest::newRow("many ranges in order") << "if a then print \"for\" : gosub x : rem end while" << false
                                              << "kkk..kkkkkkkkkkksssss...kkkkkk....ccccccccccccc";
        QTest::newRow("apostrophe inside a string starts the comment") << "print \"it's\"" << false << "kkkkkksssccc";
        QTest::newRow("rem inside a word") << "x = theorem y" << false << "........ccccc";
        QTest::newRow("rem alone is no comment") << "rem" << false << "...";
        QTest::newRow("REM with blank") << "REM note" << false << "cccccccc";
        QTest::newRow("single quote mark colours nothing") << "print \"oops" << false << "kkkkkk.....";
        QTest::newRow("unpaired third quote") << "\"a\" \"b" << false << "sss...";
        QTest::newRow("first-line interpreter line") << "#!/usr/bin/yabasic" << true << "iiiiiiiiiiiiiiiiii";
        QTest::newRow("interpreter wins over everything") << "#! print 'x" << true << "iiiiiiiiiii";
        QTest::newRow("interpreter only on the first line") << "#!/usr/bin/yabasic" << false << "..................";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("comment cuts a string") << "\"a'b\" print" << false << "ssccccccccc";
    }
    void colouring()
    {
        QFETCH(QString, line);
        QFETCH(bool, first);
        QTEST(paint(line, first), "expected");
    }
    // The colouring that knows the interpreter's whole vocabulary.
    void everyKeyword_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("first");
        QTest::addColumn<QString>("expected");
        QTest::newRow("words the table lacks") << "else do loop step to" << false << "kkkk.kk.kkkk.kkkk.kk";
        QTest::newRow("operators and any case") << "if NOT a And b Or c" << false << "kk.kkk...kkk...kk..";
        QTest::newRow("no blank needed") << "print(x):next" << false << "kkkkk....kkkk";
        QTest::newRow("string functions keep their $") << "a$=left$(b$,2)" << false << "...kkkkk......";
        QTest::newRow("a variable named like a keyword plus $") << "print$ = 1" << false << "..........";
        QTest::newRow("word inside a name") << "printer2 = import_x" << false << "...................";
        QTest::newRow("rem as a statement") << "x = 1 : rem print" << false << "........ccccccccc";
        QTest::newRow("REM after an expression") << "print 3 REM note" << false << "kkkkk...cccccccc";
        QTest::newRow("rem inside a word is no comment") << "x = theorem" << false << "...........";
        QTest::newRow("rem followed by a colon is no comment") << "rem: print" << false << "kkk..kkkkk";
        QTest::newRow("rem inside a string") << "print \"rem 'x\"" << false << "kkkkk.ssssssss";
        QTest::newRow("apostrophe is no comment") << "print \"it's\" : x'" << false << "kkkkk.ssssss.....";
        QTest::newRow("escaped quote stays inside") << "a$ = \"a\\\"b\" + c" << false << ".....ssssss....";
        QTest::newRow("escaped backslash ends before the quote") << "\"a\\\\\" print" << false << "sssss.kkkkk";
        QTest::newRow("unclosed string runs to the end") << "print \"oops rem" << false << "kkkkk.sssssssss";
        QTest::newRow("slashes start a comment") << "print 1 // for" << false << "kkkkk...cccccc";
        QTest::newRow("hash in the first column") << "# print" << false << "ccccccc";
        QTest::newRow("hash later is no comment") << "x # print" << false << "....kkkkk";
        QTest::newRow("first-line interpreter line") << "#!/usr/bin/yabasic" << true << "iiiiiiiiiiiiiiiiii";
        QTest::newRow("library name after a point") << "lib.print 1" << false << "...........";
        QTest::newRow("digits hold no keyword") << "x = 1e5or 2" << false << "...........";
    }
    void everyKeyword()
    {
        QFETCH(QString, line);
        QFETCH(bool, first);
        QTEST(paint(line, first, true), "expected");
        // Every word of the vocabulary is known in any case, and nothing longer.
        for (const QString &w : YabasicLexer::vocabulary()) {
            QVERIFY2(YabasicLexer::isKnownWord(w.toUpper()), qPrintable(w));
            QVERIFY2(!YabasicLexer::isKnownWord(w + QLatin1Char('x')), qPrintable(w));
        }
    }
    void hostileLinesDoNotHang()
    {
        for (const QString &line : {QString("print ").repeated(180000), QString(1 << 20, QLatin1Char('"')),
                                    QString(1 << 20, QLatin1Char('\'')), QString(1 << 20, QLatin1Char(' ')),
                                    QString::fromLatin1("print \0 \"a\0b\" rem \0", 20)}) {
            QVERIFY(paint(line, true) != QStringLiteral("<bad>"));
            QVERIFY(paint(line, true, true) != QStringLiteral("<bad>"));
        }
    }
};

QTEST_APPLESS_MAIN(tst_LineScanner)
#include "tst_linescanner.moc"
