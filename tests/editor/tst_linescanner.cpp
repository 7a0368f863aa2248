#include "editor/core/LineScanner.h"

#include <QtTest>

using LineScanner::Colour;
using LineScanner::Range;

Q_DECLARE_METATYPE(std::vector<Range>)

namespace {
// "kkkkkk...." : one letter per column, k keyword, s string, c comment, i "#!", . plain.
QString paint(const QString &line, bool first)
{
    QString out(line.size(), QLatin1Char('.'));
    for (const Range &r : LineScanner::scanLine(line, first)) {
        const char mark = r.colour == Colour::Keyword ? 'k'
                          : r.colour == Colour::String ? 's'
                          : r.colour == Colour::Comment ? 'c' : 'i';
        for (int i = r.start; i < r.start + r.length; ++i)
            out[i] = QLatin1Char(mark);
    }
    return out;
}
} // namespace

class tst_LineScanner : public QObject {
    Q_OBJECT
private slots:
    void table();
    void colouring_data();
    void colouring();
    void rangesAreOrderedAndDisjoint();
    void hostileLinesDoNotHang_data();
    void hostileLinesDoNotHang();
    void colours();
};

void tst_LineScanner::table()
{
    const QStringList &t = LineScanner::keywordTable();
    QCOMPARE(t.size(), 59);
    QCOMPARE(t.first(), QStringLiteral("arrow"));
    QCOMPARE(t.at(39), QStringLiteral("print"));
    QCOMPARE(t.last(), QStringLiteral("ytick"));
    QVERIFY(LineScanner::isKeyword(u"PutScreen"));
    QVERIFY(LineScanner::isKeyword(u"fi"));
    for (const char *w : {"else", "and", "or", "not", "step", "to", "do", "loop", "rem", "prin", "printx", "", "\xc3\xa9"})
        QVERIFY2(!LineScanner::isKeyword(QString::fromUtf8(w)), w);
}

void tst_LineScanner::colouring_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("first");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper-case keyword with its blank") << "PRINT x" << false << "kkkkkk.";
    QTest::newRow("mixed case") << "Print x" << false << "kkkkkk.";
    QTest::newRow("keyword at line end has no blank") << "x = 1 : next" << false << "........kkkk";
    QTest::newRow("bracket joins the word") << "print(x)" << false << "........";
    QTest::newRow("colon joins the word") << "print: rest" << false << "...........";
    QTest::newRow("tab does not separate") << "\tprint x" << false << "........";
    QTest::newRow("two blanks") << "if  then" << false << "kkk.kkkk";
    QTest::newRow("keyword inside a string") << "print \"a for b\"" << false << "kkkkkksssssssss";
    QTest::newRow("apostrophe inside a string starts the comment") << "print \"it's\"" << false << "kkkkkksssccc";
    QTest::newRow("rem inside a word") << "x = theorem y" << false << "........ccccc";
    QTest::newRow("rem alone is no comment") << "rem" << false << "...";
    QTest::newRow("REM with blank") << "REM note" << false << "cccccccc";
    QTest::newRow("single quote mark colours nothing") << "print \"oops" << false << "kkkkkk.....";
    QTest::newRow("two strings") << "\"a\" + \"b\"" << false << "sss...sss";
    QTest::newRow("unpaired third quote") << "\"a\" \"b" << false << "sss...";
    QTest::newRow("first-line interpreter line") << "#!/usr/bin/yabasic" << true << "iiiiiiiiiiiiiiiiii";
    QTest::newRow("interpreter wins over everything") << "#! print 'x" << true << "iiiiiiiiiii";
    QTest::newRow("interpreter only on the first line") << "#!/usr/bin/yabasic" << false << "..................";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("keywords after the comment stay green") << "' print for" << false << "ccccccccccc";
    QTest::newRow("comment cuts a string") << "\"a'b\" print" << false << "ssccccccccc";
}

void tst_LineScanner::colouring()
{
    QFETCH(QString, line);
    QFETCH(bool, first);
    QFETCH(QString, expected);
    QCOMPARE(paint(line, first), expected);
}

void tst_LineScanner::rangesAreOrderedAndDisjoint()
{
    const QString line = QStringLiteral("if a then print \"for\" : gosub x : rem end while");
    const auto ranges = LineScanner::scanLine(line, false);
    int end = 0;
    for (const Range &r : ranges) {
        QVERIFY(r.start >= end);
        QVERIFY(r.length > 0);
        end = r.start + r.length;
    }
    QVERIFY(end <= line.size());
}

void tst_LineScanner::hostileLinesDoNotHang_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("1 MB of words") << QString("print ").repeated(180000);
    QTest::newRow("1 MB of quotes") << QString(1 << 20, QLatin1Char('"'));
    QTest::newRow("1 MB of apostrophes") << QString(1 << 20, QLatin1Char('\''));
    QTest::newRow("1 MB of blanks") << QString(1 << 20, QLatin1Char(' '));
    QTest::newRow("NUL characters") << QString::fromLatin1("print \0 \"a\0b\" rem \0", 20);
}

void tst_LineScanner::hostileLinesDoNotHang()
{
    QFETCH(QString, line);
    const auto ranges = LineScanner::scanLine(line, true);
    qint64 covered = 0;
    for (const Range &r : ranges)
        covered += r.length;
    QVERIFY(covered <= line.size());
}

void tst_LineScanner::colours()
{
    QCOMPARE(LineScanner::rgb(Colour::Keyword), 0x0000FFu);
    QCOMPARE(LineScanner::rgb(Colour::String), (159u << 16) | (52u << 8) | 18u);
    QCOMPARE(LineScanner::rgb(Colour::Comment), 159u << 8);
    QCOMPARE(LineScanner::rgb(Colour::Interpreter), 0x0000FFu);
    QCOMPARE(LineScanner::rgb(Colour::Plain), 0u);
}

QTEST_APPLESS_MAIN(tst_LineScanner)
#include "tst_linescanner.moc"
