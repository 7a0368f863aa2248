#include "editor/core/LineScanner.h"

#include <QtTest>

using LineScanner::Colour;
using LineScanner::Range;

namespace {
// One letter per column: k keyword, s string, c comment, i "#!", . plain. Ranges
// that are out of order, empty, overlapping or past the line end give "<bad>".
QString paint(const QString &line, bool first)
{
    QString out(line.size(), QLatin1Char('.'));
    int end = 0;
    for (const Range &r : LineScanner::scanLine(line, first)) {
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
        QTest::newRow("upper-case keyword with its blank") << "PRINT x" << false << "kkkkkk.";
        QTest::newRow("mixed case") << "PutScreen x" << false << "kkkkkkkkkk.";
        QTest::newRow("keyword at line end has no blank") << "x = 1 : next" << false << "........kkkk";
        QTest::newRow("shortest keyword") << "fi" << false << "kk";
        QTest::newRow("keyword inside a word") << "printx = prin" << false << ".............";
        QTest::newRow("accented letter") << "\xc3\xa9 if" << false << "..kk";
        QTest::newRow("bracket joins the word") << "print(x)" << false << "........";
        QTest::newRow("colon joins the word") << "print: rest" << false << "...........";
        QTest::newRow("tab does not separate") << "\tprint x" << false << "........";
        QTest::newRow("two blanks") << "if  then" << false << "kkk.kkkk";
        QTest::newRow("many ranges in order") << "if a then print \"for\" : gosub x : rem end while" << false
                                              << "kkk..kkkkkkkkkkksssss...kkkkkk....ccccccccccccc";
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
    void colouring()
    {
        QFETCH(QString, line);
        QFETCH(bool, first);
        QTEST(paint(line, first), "expected");
    }
    void hostileLinesDoNotHang_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("1 MB of words") << QString("print ").repeated(180000);
        QTest::newRow("1 MB of quotes") << QString(1 << 20, QLatin1Char('"'));
        QTest::newRow("1 MB of apostrophes") << QString(1 << 20, QLatin1Char('\''));
        QTest::newRow("1 MB of blanks") << QString(1 << 20, QLatin1Char(' '));
        QTest::newRow("NUL characters") << QString::fromLatin1("print \0 \"a\0b\" rem \0", 20);
    }
    void hostileLinesDoNotHang()
    {
        QFETCH(QString, line);
        QVERIFY(paint(line, true) != QStringLiteral("<bad>"));
    }
};

QTEST_APPLESS_MAIN(tst_LineScanner)
#include "tst_linescanner.moc"
