// The HTML page generator, the line splitter and the .khs settings file.

#include "html/HtmlSettingsFile.h"
#include "html/modYabHTML.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace modYabHTML;

namespace {
const QString GoldenFolder = QStringLiteral(VORMELD_HTML_TESTDATA "/golden/");

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QString darkblue(const char *word)
{
    return QStringLiteral("<FONT COLOR=darkblue>") + QLatin1String(word) + QStringLiteral("</FONT>");
}

// The colour rules written out plainly, one search of the whole line per rule:
// the generator must give the same lines however it finds the keywords.
QString referenceColour(QString line)
{
    static const char *const keywords[] = {"REM", "DATA", "DIM", "PRINT", "ENDIF", "INPUT", "FOR", "THEN",
                                           "READ", "RESTORE", "NEXT", "OPEN", "CLEAR", "CLOSE", "IF", "FI", "GOTO"};
    static const char *const toEnd[] = {"green", "purple", "brown"};
    for (int i = 0; i < 17; ++i) {
        QString upper = line;
        for (QChar &c : upper) {
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = QChar(c.unicode() - 32);
        }
        const QString kw = QLatin1String(keywords[i]);
        const qsizetype k = upper.indexOf(kw);
        if (k < 0)
            continue;
        if (i < 3)
            line = line.left(k) + QStringLiteral("<FONT COLOR=") + QLatin1String(toEnd[i]) + QLatin1Char('>')
                   + line.mid(k) + QStringLiteral("</FONT>");
        else
            line = line.left(k) + QStringLiteral("<FONT COLOR=darkblue>") + kw.toLower() + QStringLiteral("</FONT>")
                   + line.mid(k + kw.size());
    }
    return line;
}

HtmlSettings pageSettings(bool sideBar = false)
{
    HtmlSettings s;
    s.HtmlTitle = QStringLiteral("demo.yab - Yabasic Code");
    s.HtmlDescription = QStringLiteral("A small demo <b>program</b>");
    s.HtmlKeywords = QStringLiteral("yabasic, demo");
    s.HtmlSideBarOn = sideBar ? 1 : 0;
    s.HtmlSideBarText = QStringLiteral("Written by <I>Ann</I>\r\nfor the & class");
    return s;
}
} // namespace

class tst_Html : public QObject {
    Q_OBJECT
private slots:
    void splitLines_data();
    void splitLines();
    void sourceFileLines_data();
    void sourceFileLines();

    void pageLines_data();
    void pageLines();
    void colourRulesAgreeWithPlainSearch();

    void labelNames_data();
    void labelNames();
    void labelLinks_data();
    void labelLinks();
    void labelTableGrows();
    void tenThousandLabels();
    void megabyteLine();

    void goldenPages_data();
    void goldenPages();
    void sideBarSettingsOtherThanOne();
    void writtenPageEqualsWholePage();
    void latin1SourceGivesLatin1Page();
    void failures_data();
    void failures();

    void settingsFileBytes();
    void settingsFileRoundTrip_data();
    void settingsFileRoundTrip();
    void settingsFileReading_data();
    void settingsFileReading();
    void checkValue_data();
    void checkValue();
};

void tst_Html::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("three lines without a final break") << "a\r\nb\r\nc" << QStringList{"a", "b", "c", ""};
    QTest::newRow("a final break gives an empty line too") << "a\r\nb\r\n" << QStringList{"a", "b", "", ""};
    QTest::newRow("empty text") << "" << QStringList{"", ""};
    QTest::newRow("only a break") << "\r\n" << QStringList{"", "", ""};
    QTest::newRow("lone LF and CR stay in the line") << "a\nb\rc\r\nd" << QStringList{"a\nb\rc", "d", ""};
    QTest::newRow("blank lines") << "x\r\n\r\n\r\ny" << QStringList{"x", "", "", "y", ""};
}

void tst_Html::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitLines(text), lines);
}

void tst_Html::sourceFileLines_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty file") << "" << QStringList{};
    QTest::newRow("an empty editor plus its break") << "\r\n" << QStringList{""};
    QTest::newRow("no final break") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("final break") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("editor text ending in a break") << "a\r\n\r\n" << QStringList{"a", ""};
}

void tst_Html::sourceFileLines()
{
    QFETCH(QString, content);
    QFETCH(QStringList, lines);
    QCOMPARE(SourceFileLines(content), lines);
}

void tst_Html::pageLines_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("page");
    QTest::newRow("for, print and next")
        << "for i = 1 to 10: print i: next i"
        << darkblue("for") + " i = 1 to 10: " + darkblue("print") + " i: " + darkblue("next") + " i";
    QTest::newRow("escaping keeps blanks and quotes") << "a < b & c > \"d\"" << "a &lt; b &amp; c &gt; \"d\"";
    QTest::newRow("entities are made in order") << "&lt;" << "&amp;lt;";
    QTest::newRow("remark is green from REM on") << "x = 1 ' a remark here"
                                                 << "x = 1 ' a <FONT COLOR=green>remark here</FONT>";
    QTest::newRow("PRINTER") << "PRINTER" << darkblue("print") + "ER";
    QTest::newRow("FORM") << "FORM" << darkblue("for") + "M";
    QTest::newRow("IFFY") << "IFFY" << darkblue("if") + "FY";
    QTest::newRow("endif nests an if inside") << "endif"
                                              << "<FONT COLOR=darkblue>end" + darkblue("if") + "</FONT>";
    QTest::newRow("data to the end") << "data 1, \"x\"" << "<FONT COLOR=purple>data 1, \"x\"</FONT>";
    QTest::newRow("dim to the end") << "  dim a(10)" << "  <FONT COLOR=brown>dim a(10)</FONT>";
    QTest::newRow("rule 2 inside rule 1") << "rem data"
                                          << "<FONT COLOR=green>rem <FONT COLOR=purple>data</FONT></FONT>";
    QTest::newRow("keywords inside a comment") << "rem print this"
                                               << "<FONT COLOR=green>rem " + darkblue("print") + " this</FONT>";
    QTest::newRow("each rule once") << "print 1: print 2" << darkblue("print") + " 1: print 2";
    QTest::newRow("lower-case spelling") << "Print X: GoTo y" << darkblue("print") + " X: " + darkblue("goto") + " y";
    QTest::newRow("inside strings") << "a$ = \"then\"" << "a$ = \"" + darkblue("then") + "\"";
    QTest::newRow("if then with an entity") << "if a&b then"
                                            << darkblue("if") + " a&amp;b " + darkblue("then");
    QTest::newRow("restore before read is read") << "restore x: read a"
                                                 << darkblue("restore") + " x: " + darkblue("read") + " a";
    QTest::newRow("open, close, clear") << "open #1: close #1: clear screen"
                                        << darkblue("open") + " #1: " + darkblue("close") + " #1: " + darkblue("clear") + " screen";
    QTest::newRow("input and fi") << "input a: fi" << darkblue("input") + " a: " + darkblue("fi");
    QTest::newRow("dotless i is no I") << QString::fromUtf8("\xC4\xB1""f x") << QString::fromUtf8("\xC4\xB1""f x");
    QTest::newRow("long s is no S") << QString::fromUtf8("re\xC5\xBF""tore") << QString::fromUtf8("re\xC5\xBF""tore");
    QTest::newRow("umlauts stay") << QString::fromUtf8("Gr\xC3\xB6\xC3\x9F""e") << QString::fromUtf8("Gr\xC3\xB6\xC3\x9F""e");
    QTest::newRow("empty line") << "" << "";
}

void tst_Html::pageLines()
{
    QFETCH(QString, source);
    QFETCH(QString, page);
    QCOMPARE(PageLine(source, LabelLinks({})), page);
}

void tst_Html::colourRulesAgreeWithPlainSearch()
{
    // Lines made of keyword pieces, markup characters and letters, so that the
    // rules meet each other's insertions in every order.
    static const char *const pieces[] = {"rem", "DATA", "dim", "Print", "endif", "input", "for", "then",
                                         "read", "restore", "next", "open", "clear", "close", "if", "fi",
                                         "goto", "font", "re", "en", "&", "<", ">", " ", ":", "\"", "x",
                                         "ı", "ſ", "F", "I", "ONT"};
    QRandomGenerator rng(20240);
    for (int n = 0; n < 20000; ++n) {
        QString line;
        const int count = rng.bounded(1, 12);
        for (int i = 0; i < count; ++i)
            line += QString::fromUtf8(pieces[rng.bounded(int(std::size(pieces)))]);
        const QString escaped = EscapeLine(line);
        QCOMPARE(ColourLine(escaped), referenceColour(escaped));
    }
}

void tst_Html::labelNames_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("table");
    QTest::newRow("simple") << QStringList{"label start"} << QStringList{"start"};
    QTest::newRow("upper case, indented, to the blank") << QStringList{"   LABEL Loop here"} << QStringList{"Loop"};
    QTest::newRow("to the bracket") << QStringList{"label draw(x)"} << QStringList{"draw"};
    QTest::newRow("blank before bracket") << QStringList{"label a (b)"} << QStringList{"a"};
    QTest::newRow("two blanks: empty name") << QStringList{"label  x"} << QStringList{""};
    QTest::newRow("keyword and a blank only") << QStringList{"label "} << QStringList{""};
    QTest::newRow("no blank after the keyword") << QStringList{"labels = 3", "label"} << QStringList{};
    QTest::newRow("not at the start") << QStringList{"print 1: label x"} << QStringList{};
    QTest::newRow("tab indentation and separator") << QStringList{"\tlabel\tdone"} << QStringList{"done"};
    QTest::newRow("odd characters kept") << QStringList{"label a<b&c\"d"} << QStringList{"a<b&c\"d"};
    QTest::newRow("in order, duplicates kept")
        << QStringList{"label b", "print 1", "label a", "label b"} << QStringList{"b", "a", "b"};
}

void tst_Html::labelNames()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, table);
    QCOMPARE(CollectLabels(lines), table);
}

void tst_Html::labelLinks_data()
{
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("page");
    const QStringList start{"start"};
    QTest::newRow("goto start") << start << "goto start" << darkblue("goto") + " <A HREF=\"#start\">start</A>";
    QTest::newRow("definition gets the anchor")
        << start << "label start" << "<A NAME=\"start\"></A>label <A HREF=\"#start\">start</A>";
    QTest::newRow("indented definition") << start << "  label start"
                                         << "<A NAME=\"start\"></A>  label <A HREF=\"#start\">start</A>";
    QTest::newRow("case-sensitive") << start << "gosub Start" << "gosub Start";
    QTest::newRow("no word boundaries") << start << "restart" << "re<A HREF=\"#start\">start</A>";
    QTest::newRow("first occurrence") << start << "x start start" << "x <A HREF=\"#start\">start</A> start";
    QTest::newRow("last name in the table wins")
        << QStringList{"ab", "a"} << "gosub ab" << "gosub <A HREF=\"#a\">a</A>b";
    QTest::newRow("longer name last wins") << QStringList{"a", "ab"} << "gosub ab" << "gosub <A HREF=\"#ab\">ab</A>";
    QTest::newRow("anchor names the matching name")
        << QStringList{"loop", "x"} << "label loop: x = 1" << "<A NAME=\"x\"></A>label loop: <A HREF=\"#x\">x</A> = 1";
    QTest::newRow("empty name at the start") << QStringList{""} << "x = 1" << "<A HREF=\"#\"></A>x = 1";
    QTest::newRow("empty name: empty line stays empty") << QStringList{""} << "" << "";
    QTest::newRow("empty name loses to a later match")
        << QStringList{"", "x"} << "x = 1" << "<A HREF=\"#x\">x</A> = 1";
    QTest::newRow("empty label definition")
        << QStringList{""} << "label  x" << "<A NAME=\"\"></A><A HREF=\"#\"></A>label  x";
    QTest::newRow("quote in a name") << QStringList{"a\"b"} << "goto a\"b"
                                     << darkblue("goto") + " <A HREF=\"#a&quot;b\">a\"b</A>";
    QTest::newRow("a name with < never occurs") << QStringList{"a<b"} << "goto a<b" << darkblue("goto") + " a&lt;b";
    QTest::newRow("names are not sought in tags")
        << QStringList{"a"} << "print x" << darkblue("print") + " x";
    QTest::newRow("nor in entities") << QStringList{"amp"} << "x & amp" << "x &amp; <A HREF=\"#amp\">amp</A>";
    QTest::newRow("but in the coloured words") << QStringList{"in"} << "print 1"
                                               << "<FONT COLOR=darkblue>pr<A HREF=\"#in\">in</A>t</FONT> 1";
}

void tst_Html::labelLinks()
{
    QFETCH(QStringList, table);
    QFETCH(QString, source);
    QFETCH(QString, page);
    const LabelLinks links(table);
    QCOMPARE(PageLine(source, links), page);
}

void tst_Html::labelTableGrows()
{
    // More labels than the 251 a fixed table would hold: every one keeps its anchor.
    QStringList lines;
    for (int i = 0; i < 600; ++i)
        lines << QStringLiteral("label L%1_").arg(i) << QStringLiteral("goto L%1_").arg(i);
    const QStringList table = CollectLabels(lines);
    QCOMPARE(table.size(), 600);
    const QString page = HtmlPage(lines, QStringLiteral("t"), HtmlSettings());
    for (const int i : {0, 250, 251, 252, 599}) {
        const QString name = QStringLiteral("L%1_").arg(i);
        QVERIFY2(page.contains(QStringLiteral("<A NAME=\"%1\"></A>label <A HREF=\"#%1\">%1</A>\r\n").arg(name)), qPrintable(name));
        QVERIFY2(page.contains(darkblue("goto") + QStringLiteral(" <A HREF=\"#%1\">%1</A>\r\n").arg(name)), qPrintable(name));
    }
}

void tst_Html::tenThousandLabels()
{
    QStringList lines;
    QStringList table;
    for (int i = 0; i < 10000; ++i) {
        lines << QStringLiteral("label n%1x").arg(i) << QStringLiteral("  gosub n%1x: x = x + 1").arg(9999 - i);
        table << QStringLiteral("n%1x").arg(i);
    }
    const LabelLinks links(table);
    for (int i = 0; i < 10000; i += 997) {
        QCOMPARE(links.LastMatch(QStringLiteral("gosub n%1x").arg(i)), qsizetype(i));
        QCOMPARE(links.LastMatch(QStringLiteral("n%1").arg(i)), qsizetype(-1));
    }
    const QString page = HtmlPage(lines, QStringLiteral("t"), HtmlSettings());
    QCOMPARE(page.count(QLatin1String("<A NAME=")), 10000);
    QCOMPARE(page.count(QLatin1String("<A HREF=\"#n")), 20000);
}

void tst_Html::megabyteLine()
{
    QString line = QStringLiteral("print \"");
    for (int i = 0; i < 100000; ++i)
        line += QStringLiteral("a<b&c ");
    line += QStringLiteral("\" : rem end");
    const QString out = PageLine(line, LabelLinks({"", "c"}));
    QVERIFY(out.startsWith(darkblue("print") + QStringLiteral(" \"a&lt;b&amp;<A HREF=\"#c\">c</A> a&lt;b")));
    QVERIFY(out.endsWith(QStringLiteral("\" : <FONT COLOR=green>rem end</FONT>")));
    QCOMPARE(out.count(QLatin1String("&amp;")), 100000);
}

void tst_Html::goldenPages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("source"); // the temporary file's bytes
    QTest::addColumn<bool>("sideBar");
    QTest::newRow("no labels") << "nolabels"
                               << QByteArray("rem A first program\r\n"
                                             "for i = 1 to 10: print i: next i\r\n"
                                             "if i > 5 then\r\n"
                                             "  print \"big & <bold>\"\r\n"
                                             "endif\r\n"
                                             "dim a(3)\r\n"
                                             "data 1, 2, 3\r\n"
                                             "\r\n")
                               << false;
    QTest::newRow("labels with links") << "labels"
                                       << QByteArray("label start\r\n"
                                                     "  gosub show\r\n"
                                                     "  goto start\r\n"
                                                     "label show\r\n"
                                                     "  print \"shown\"\r\n"
                                                     "  return\r\n"
                                                     "label draw(x)\r\n"
                                                     "restore draw\r\n")
                                       << false;
    QTest::newRow("empty-name label") << "emptyname"
                                      << QByteArray("label  odd\r\n"
                                                    "print 1\r\n"
                                                    "\r\n"
                                                    "label one\r\n"
                                                    "goto one\r\n")
                                      << false;
    QTest::newRow("side bar on") << "sidebar"
                                 << QByteArray("print \"hello\"\r\nend\r\n") << true;
    QTest::newRow("side bar off: no table") << "nosidebar"
                                            << QByteArray("print \"hello\"\r\nend\r\n") << false;
    QTest::newRow("the examples of remark, PRINTER, FORM and IFFY")
        << "examples"
        << QByteArray("x = 1 ' a remark here\r\n"
                      "PRINTER\r\n"
                      "FORM\r\n"
                      "IFFY\r\n"
                      "a < b & c\r\n"
                      "endif\r\n")
        << false;
    QTest::newRow("empty editor") << "empty" << QByteArray("\r\n") << false;
}

void tst_Html::goldenPages()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, source);
    QFETCH(bool, sideBar);
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("Tmpsrc.tmp"));
    const QString html = dir.filePath(QStringLiteral("page.html"));
    QFile f(src);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(source);
    f.close();
    const HtmlSettings s = pageSettings(sideBar);
    const HtmlFileResult r = CreateHTMLFile(html, src, s.HtmlTitle, s);
    QVERIFY(r.ok);
    const QByteArray page = readBytes(html);
    const QString golden = GoldenFolder + name + QStringLiteral(".htm");
    if (qEnvironmentVariableIsSet("VORMELD_UPDATE_GOLDEN")) {
        QFile g(golden);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write(page);
    }
    QCOMPARE(page, readBytes(golden));
    // Every line ends with CR LF; no bare line feed anywhere.
    QVERIFY(page.endsWith("</HTML>\r\n"));
    QCOMPARE(page.count("\n"), page.count("\r\n"));
}

void tst_Html::sideBarSettingsOtherThanOne()
{
    HtmlSettings s = pageSettings(true);
    const QStringList lines{QStringLiteral("print 1")};
    QVERIFY(HtmlPage(lines, QStringLiteral("t"), s).contains(QLatin1String("<TABLE BORDER=0>")));
    for (const qint16 value : {qint16(0), qint16(2), qint16(-1)}) {
        s.HtmlSideBarOn = value;
        const QString page = HtmlPage(lines, QStringLiteral("t"), s);
        QVERIFY(!page.contains(QLatin1String("TABLE")));
        QVERIFY(!page.contains(QLatin1String("Ann")));
    }
}

void tst_Html::writtenPageEqualsWholePage()
{
    // The file is written in pieces; together they must be the whole page,
    // with a line longer than a piece among them.
    QStringList lines;
    for (int i = 0; i < 30000; ++i)
        lines << (i % 50 == 0 ? QStringLiteral("label p%1").arg(i) : QStringLiteral("  print \"%1 & <x>\": goto p%2").arg(i).arg(i / 50 * 50));
    lines[777] = QString(200000, QLatin1Char('y'));
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src.tmp"));
    const QString html = dir.filePath(QStringLiteral("p.html"));
    QFile f(src);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    f.close();
    const HtmlSettings s = pageSettings(true);
    QVERIFY(CreateHTMLFile(html, src, s.HtmlTitle, s).ok);
    QCOMPARE(readBytes(html), HtmlPage(lines, s.HtmlTitle, s).toUtf8());
}

void tst_Html::latin1SourceGivesLatin1Page()
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src.tmp"));
    const QString html = dir.filePath(QStringLiteral("p.html"));
    QFile f(src);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("print \"Gr\xF6\xDF" "e\"\r\n");
    f.close();
    HtmlSettings s;
    QVERIFY(CreateHTMLFile(html, src, QStringLiteral("T\xE9"), s).ok);
    const QByteArray page = readBytes(html);
    QVERIFY(page.contains("<TITLE>T\xE9</TITLE>"));
    QVERIFY(page.contains("\"Gr\xF6\xDF" "e\"\r\n"));
    // What the page leaves out does not count.
    s.HtmlSideBarText = QString::fromUtf8("\xE2\x82\xAC");
    QVERIFY(CreateHTMLFile(html, src, QStringLiteral("T"), s).ok);
    QVERIFY(readBytes(html).contains("\"Gr\xF6\xDF" "e\"\r\n"));
    // A title Latin-1 cannot hold makes the whole page UTF-8.
    QVERIFY(CreateHTMLFile(html, src, QString::fromUtf8("\xE2\x82\xAC"), s).ok);
    const QByteArray utf8 = readBytes(html);
    QVERIFY(utf8.contains("<TITLE>\xE2\x82\xAC</TITLE>"));
    QVERIFY(utf8.contains("\"Gr\xC3\xB6\xC3\x9F" "e\"\r\n"));
}

void tst_Html::failures_data()
{
    QTest::addColumn<QString>("source"); // relative to a temporary folder holding "src.tmp" and "folder/"
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    const QString head = QStringLiteral("An Error has occured during the creation of the HTML file\r\n");
    QTest::newRow("source missing") << "missing.tmp" << "p.html" << 53 << head + "53 - File not found";
    QTest::newRow("source folder missing") << "nowhere/src.tmp" << "p.html" << 76 << head + "76 - Path not found";
    QTest::newRow("source is a folder") << "folder" << "p.html" << 75 << head + "75 - Path/File access error";
    QTest::newRow("target folder missing") << "src.tmp" << "nowhere/p.html" << 76 << head + "76 - Path not found";
    QTest::newRow("target is a folder") << "src.tmp" << "folder" << 75 << head + "75 - Path/File access error";
}

void tst_Html::failures()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(int, number);
    QFETCH(QString, text);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QFile f(dir.filePath(QStringLiteral("src.tmp")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("print 1\r\n");
    f.close();
    // An existing page stays whole when the new one cannot be made.
    const QString page = dir.filePath(QStringLiteral("p.html"));
    QFile old(page);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old page");
    old.close();

    const HtmlFileResult r = CreateHTMLFile(dir.filePath(target), dir.filePath(source), QStringLiteral("t"), HtmlSettings());
    QVERIFY(!r.ok);
    QCOMPARE(r.number, number);
    QCOMPARE(ErrorMessageText(r), text);
    QCOMPARE(readBytes(page), QByteArray("old page"));
}

void tst_Html::settingsFileBytes()
{
    HtmlSettingsFields f;
    f.title = QStringLiteral("My Page");
    f.description = QStringLiteral("About <it>");
    f.keywords = QStringLiteral("a, b");
    f.sideBarText = QStringLiteral("one\r\ntwo\nthree");
    f.sideBarOn = 1;
    QCOMPARE(HtmlSettingsFile::Write(f), QByteArray("My Page\r\nAbout <it>\r\na, b\r\none\x07\x08two\x08three\r\n1\r\n"));
    f.sideBarOn = 0;
    f.sideBarText.clear();
    QCOMPARE(HtmlSettingsFile::Write(f), QByteArray("My Page\r\nAbout <it>\r\na, b\r\n\r\n0\r\n"));
}

void tst_Html::settingsFileRoundTrip_data()
{
    QTest::addColumn<QString>("sideBarText");
    QTest::addColumn<int>("on");
    QTest::newRow("line breaks of the side bar") << "a\r\nb\r\n\r\nc" << 1;
    QTest::newRow("empty side bar, box off") << "" << 0;
    QTest::newRow("markup and non-ASCII") << QString::fromUtf8("<B>Gr\xC3\xBC\xC3\x9F" "e</B> \xE2\x82\xAC") << 0;
}

void tst_Html::settingsFileRoundTrip()
{
    QFETCH(QString, sideBarText);
    QFETCH(int, on);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.khs"));
    HtmlSettingsFields f;
    f.title = QStringLiteral("T");
    f.description = QString();
    f.keywords = QStringLiteral("k1 k2");
    f.sideBarText = sideBarText;
    f.sideBarOn = on;
    QVERIFY(HtmlSettingsFile::Save(path, f));
    QCOMPARE(HtmlSettingsFile::Load(path), f);
}

void tst_Html::settingsFileReading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("missing");
    QTest::addColumn<QStringList>("fields"); // title, description, keywords, side bar
    QTest::addColumn<int>("on");
    QTest::newRow("missing file empties every field") << QByteArray() << true << QStringList{"", "", "", ""} << 0;
    QTest::newRow("empty file") << QByteArray() << false << QStringList{"", "", "", ""} << 0;
    QTest::newRow("full file") << QByteArray("t\r\nd\r\nk\r\ns\x07\x08s\r\n1\r\n") << false
                               << QStringList{"t", "d", "k", "s\r\ns"} << 1;
    QTest::newRow("two lines: the rest repeat the last") << QByteArray("t\r\n7\r\n") << false
                                                         << QStringList{"t", "7", "7", "7"} << 7;
    QTest::newRow("one line") << QByteArray("1\x07") << false << QStringList{"1\x07", "1\x07", "1\x07", "1\r"} << 1;
    QTest::newRow("four lines: the box takes the side bar's line") << QByteArray("a\r\nb\r\nc\r\n1 x\r\n") << false
                                                                   << QStringList{"a", "b", "c", "1 x"} << 1;
    QTest::newRow("line feeds alone") << QByteArray("a\nb\nc\nd\n0\n") << false << QStringList{"a", "b", "c", "d"} << 0;
    QTest::newRow("lines after the fifth are ignored") << QByteArray("a\r\nb\r\nc\r\nd\r\n1\r\nx\r\n") << false
                                                      << QStringList{"a", "b", "c", "d"} << 1;
}

void tst_Html::settingsFileReading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, missing);
    QFETCH(QStringList, fields);
    QFETCH(int, on);
    const HtmlSettingsFields f = HtmlSettingsFile::Read(missing ? std::nullopt : std::optional<QByteArray>(bytes));
    QCOMPARE(QStringList({f.title, f.description, f.keywords, f.sideBarText}), fields);
    QCOMPARE(f.sideBarOn, on);
}

void tst_Html::checkValue_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("value");
    QTest::newRow("one") << "1" << 1;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("words") << "yes" << 0;
    QTest::newRow("leading blanks") << "  1" << 1;
    QTest::newRow("digits then text") << "12abc" << 12;
    QTest::newRow("minus") << "-1" << 0;
    QTest::newRow("huge") << "99999999999999999999" << 1000000;
}

void tst_Html::checkValue()
{
    QFETCH(QString, line);
    QFETCH(int, value);
    QCOMPARE(HtmlSettingsFile::CheckValue(line), value);
}

QTEST_APPLESS_MAIN(tst_Html)
#include "tst_html.moc"
