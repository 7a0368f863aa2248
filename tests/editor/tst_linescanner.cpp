#include "editor/core/LineScanner.h"
#include "editor/core/LongLines.h"
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
    // One letter per column (see paint()), by the table's scanner or by the lexer that knows every keyword.
    void colouring_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("first");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("lexer");
        QTest::newRow("mixed case") << "PutScreen x" << false << "kkkkkkkkkk." << false;
        QTest::newRow("keyword at line end has no blank") << "x = 1 : next" << false << "........kkkk" << false;
        QTest::newRow("shortest keyword") << "fi" << false << "kk" << false;
        QTest::newRow("keyword inside a word") << "printx = prin" << false << "............." << false;
        QTest::newRow("accented letter") << "\xc3\xa9 if" << false << "..kk" << false;
        QTest::newRow("bracket joins the word") << "print(x)" << false << "........" << false;
        QTest::newRow("tab does not separate") << "\tprint x" << false << "........" << false;
        QTest::newRow("two blanks") << "if  then" << false << "kkk.kkkk" << false;
        QTest::newRow("many ranges in order") << "if a then print \"for\" : gosub x : rem end while" << false
                                              << "kkk..kkkkkkkkkkksssss...kkkkkk....ccccccccccccc" << false;
        QTest::newRow("an apostrophe in a string") << "print \"it's\"" << false << "kkkkkksssccc" << false; // a comment
        QTest::newRow("rem inside a word") << "x = theorem y" << false << "........ccccc" << false;
        QTest::newRow("rem alone is no comment") << "rem" << false << "..." << false;
        QTest::newRow("REM with blank") << "REM note" << false << "cccccccc" << false;
        QTest::newRow("single quote mark colours nothing") << "print \"oops" << false << "kkkkkk....." << false;
        QTest::newRow("unpaired third quote") << "\"a\" \"b" << false << "sss..." << false;
        QTest::newRow("first-line interpreter line") << "#!/usr/bin/yabasic" << true << "iiiiiiiiiiiiiiiiii" << false;
        QTest::newRow("interpreter wins over everything") << "#! print 'x" << true << "iiiiiiiiiii" << false;
        QTest::newRow("interpreter line only first") << "#!/usr/bin/yabasic" << false << ".................." << false;
        QTest::newRow("empty") << "" << false << "" << false;
        QTest::newRow("comment cuts a string") << "\"a'b\" print" << false << "ssccccccccc" << false;
        QTest::newRow("words the table lacks") << "else do loop step to" << false << "kkkk.kk.kkkk.kkkk.kk" << true;
        QTest::newRow("operators and any case") << "if NOT a And b Or c" << false << "kk.kkk...kkk...kk.." << true;
        QTest::newRow("no blank needed") << "print(x):next" << false << "kkkkk....kkkk" << true;
        QTest::newRow("string functions keep their $") << "a$=left$(b$,2)" << false << "...kkkkk......" << true;
        QTest::newRow("a variable named like a keyword plus $") << "print$ = 1" << false << ".........." << true;
        QTest::newRow("word inside a name") << "printer2 = import_x" << false << "..................." << true;
        QTest::newRow("rem as a statement") << "x = 1 : rem print" << false << "........ccccccccc" << true;
        QTest::newRow("REM after an expression") << "print 3 REM note" << false << "kkkkk...cccccccc" << true;
        QTest::newRow("rem inside a word is no comment") << "x = theorem" << false << "..........." << true;
        QTest::newRow("rem followed by a colon is no comment") << "rem: print" << false << "kkk..kkkkk" << true;
        QTest::newRow("rem inside a string") << "print \"rem 'x\"" << false << "kkkkk.ssssssss" << true;
        QTest::newRow("apostrophe is no comment") << "print \"it's\" : x'" << false << "kkkkk.ssssss....." << true;
        QTest::newRow("escaped quote stays inside") << "a$ = \"a\\\"b\" + c" << false << ".....ssssss...." << true;
        QTest::newRow("escaped backslash ends before the quote") << "\"a\\\\\" print" << false << "sssss.kkkkk" << true;
        QTest::newRow("unclosed string runs to the end") << "print \"oops rem" << false << "kkkkk.sssssssss" << true;
        QTest::newRow("slashes start a comment") << "print 1 // for" << false << "kkkkk...cccccc" << true;
        QTest::newRow("hash in the first column") << "# print" << false << "ccccccc" << true;
        QTest::newRow("hash later is no comment") << "x # print" << false << "....kkkkk" << true;
        QTest::newRow("lexer: interpreter line") << "#!/usr/bin/yabasic" << true << "iiiiiiiiiiiiiiiiii" << true;
        QTest::newRow("library name after a point") << "lib.print 1" << false << "..........." << true;
        QTest::newRow("digits hold no keyword") << "x = 1e5or 2" << false << "..........." << true;
    }
    void colouring()
    {
        QFETCH(QString, line);
        QFETCH(bool, first);
        QFETCH(bool, lexer);
        QTEST(paint(line, first, lexer), "expected");
    }
    void vocabularyAndHostileLines()
    {
        // The lexer knows every word of the vocabulary in any case, and nothing longer.
        for (const QString &w : YabasicLexer::vocabulary()) {
            QVERIFY2(YabasicLexer::isKnownWord(w.toUpper()), qPrintable(w));
            QVERIFY2(!YabasicLexer::isKnownWord(w + QLatin1Char('x')), qPrintable(w));
        }
        for (const QString &line : {QString("print ").repeated(180000), QString(1 << 20, QLatin1Char('"')),
                                    QString(1 << 20, QLatin1Char('\'')), QString(1 << 20, QLatin1Char(' ')),
                                    QString::fromLatin1("print \0 \"a\0b\" rem \0", 20)}) {
            QVERIFY(paint(line, true) != QStringLiteral("<bad>"));
            QVERIFY(paint(line, true, true) != QStringLiteral("<bad>"));
        }
    }

    void longLinesAreCutIntoRows()
    {
        // A line is cut only past MaxRowChars; rows stay within RowChars, a blank
        // or comma near a row's end is taken, and no break lands inside a pair.
        QVERIFY(LongLines::cuts(QString(LongLines::MaxRowChars, QLatin1Char('x'))).empty());
        // Only characters of one code unit can stand for a break.
        QVERIFY(LongLines::cuts(QStringLiteral("\U0001F600").repeated(LongLines::RowChars * 3)).empty());
        const QString emoji = QStringLiteral("\U0001F600\U0001F600a").repeated(LongLines::RowChars);
        QString numbers = QStringLiteral("data 0");
        for (int i = 1; numbers.size() < 3 * LongLines::RowChars; ++i)
            numbers += QLatin1Char(',') + QString::number(i);
        for (const QString &line : {emoji, numbers, QString(LongLines::MaxRowChars + 1, QLatin1Char('y'))}) {
            const std::vector<int> cuts = LongLines::cuts(line);
            QVERIFY(!cuts.empty());
            int start = 0;
            for (int k : cuts) {
                QVERIFY(k - start <= LongLines::RowChars && k > start);
                QVERIFY(!line.at(k).isSurrogate());
                if (line == numbers)
                    QCOMPARE(line.at(k), QLatin1Char(','));
                start = k + 1;
            }
            QVERIFY(line.size() - start <= LongLines::RowChars);
        }
        // The text keeps its length; each cut character becomes a line break and is remembered.
        const QString text = QStringLiteral("print 1\n") + numbers + QStringLiteral("\nend");
        std::vector<LongLines::Break> breaks;
        QString rows = LongLines::cutText(text, breaks);
        QCOMPARE(rows.size(), text.size());
        QCOMPARE(breaks.size(), LongLines::cuts(numbers).size());
        for (const LongLines::Break &b : breaks) {
            QCOMPARE(rows.at(b.pos), QLatin1Char('\n'));
            rows[b.pos] = QChar(b.ch);
        }
        QCOMPARE(rows, text);
    }
};

QTEST_APPLESS_MAIN(tst_LineScanner)
#include "tst_linescanner.moc"
