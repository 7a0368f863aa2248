// The HTML page generator, its label links and the .khs settings file.

#include "html/core/HtmlPage.h"
#include "html/core/HtmlSettingsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace HtmlPage;

namespace {
const QString GoldenFolder = QStringLiteral(VORMELD_HTML_TESTDATA "/golden/");

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Writes `source` as a temporary source file and makes its page: the page's bytes.
QByteArray makePage(const QByteArray &source, const QString &title, const HtmlSettings &settings)
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("Tmpsrc.tmp"));
    const QString html = dir.filePath(QStringLiteral("page.html"));
    if (!writeBytes(src, source) || !createHTMLFile(html, src, title, settings).ok)
        return "<no page>";
    return readBytes(html);
}

QString darkblue(const char *word)
{
    return QStringLiteral("<FONT COLOR=darkblue>") + QLatin1String(word) + QStringLiteral("</FONT>");
}

HtmlSettings pageSettings(int sideBar = 0)
{
    HtmlSettings s;
    s.htmlTitle = QStringLiteral("demo.yab - Yabasic Code");
    s.htmlDescription = QStringLiteral("A small demo <b>program</b>");
    s.htmlKeywords = QStringLiteral("yabasic, demo");
    s.htmlSideBarOn = qint16(sideBar);
    s.htmlSideBarText = QStringLiteral("Written by <I>Ann</I>\r\nfor the & class");
    return s;
}
} // namespace

class tst_Html : public QObject {
    Q_OBJECT
private slots:
    void pageLine_data();
    void pageLine();
    void labelNames_data();
    void labelNames();
    void largeInputs();
    void goldenPages_data();
    void goldenPages();
    void writtenPageEqualsWholePage();
    void latin1SourceGivesLatin1Page();
    void failures_data();
    void failures();
    void settingsFileWriteAndReload();
    void settingsFileReading_data();
    void settingsFileReading();
};

void tst_Html::pageLine_data()
{
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("page");
    const QStringList none;
    const QStringList start{"start"};
    QTest::newRow("for, print and next")
        << none << "for i = 1 to 10: print i: next i"
        << darkblue("for") + " i = 1 to 10: " + darkblue("print") + " i: " + darkblue("next") + " i";
    QTest::newRow("escaping keeps blanks and quotes") << none << "a < b & c > \"d\"" << "a &lt; b &amp; c &gt; \"d\"";
    QTest::newRow("entities are made in order") << none << "&lt;" << "&amp;lt;";
    QTest::newRow("remark is green from REM on") << none << "x = 1 ' a remark here"
                                                 << "x = 1 ' a <FONT COLOR=green>remark here</FONT>";
    QTest::newRow("endif nests an if inside") << none << "endif" << "<FONT COLOR=darkblue>end" + darkblue("if") + "</FONT>";
    QTest::newRow("dim to the end") << none << "  dim a(10)" << "  <FONT COLOR=brown>dim a(10)</FONT>";
    QTest::newRow("data inside a remark") << none << "rem data" << "<FONT COLOR=green>rem <FONT COLOR=purple>data</FONT></FONT>";
    QTest::newRow("each rule once") << none << "print 1: print 2" << darkblue("print") + " 1: print 2";
    QTest::newRow("goto start") << start << "goto start" << darkblue("goto") + " <A HREF=\"#start\">start</A>";
    QTest::newRow("indented definition gets the anchor")
        << start << "  label start" << "<A NAME=\"start\"></A>  label <A HREF=\"#start\">start</A>";
    QTest::newRow("no word boundaries") << start << "restart" << "re<A HREF=\"#start\">start</A>";
    QTest::newRow("last name in the table wins") << QStringList{"ab", "a"} << "gosub ab" << "gosub <A HREF=\"#a\">a</A>b";
    QTest::newRow("anchor names the matching name")
        << QStringList{"loop", "x"} << "label loop: x = 1" << "<A NAME=\"x\"></A>label loop: <A HREF=\"#x\">x</A> = 1";
    QTest::newRow("empty name at the start") << QStringList{""} << "x = 1" << "<A HREF=\"#\"></A>x = 1";
    QTest::newRow("empty name: empty line stays empty") << QStringList{""} << "" << "";
    QTest::newRow("empty name loses to a later match") << QStringList{"", "x"} << "x = 1" << "<A HREF=\"#x\">x</A> = 1";
    QTest::newRow("empty label definition") << QStringList{""} << "label  x" << "<A NAME=\"\"></A><A HREF=\"#\"></A>label  x";
    QTest::newRow("quote in a name") << QStringList{"a\"b"} << "goto a\"b" << darkblue("goto") + " <A HREF=\"#a&quot;b\">a\"b</A>";
    QTest::newRow("a name with < never occurs") << QStringList{"a<b"} << "goto a<b" << darkblue("goto") + " a&lt;b";
    QTest::newRow("names are not sought in tags") << QStringList{"a"} << "print x" << darkblue("print") + " x";
    QTest::newRow("nor in entities") << QStringList{"amp"} << "x & amp" << "x &amp; <A HREF=\"#amp\">amp</A>";
    QTest::newRow("but in the coloured words") << QStringList{"in"} << "print 1"
                                               << "<FONT COLOR=darkblue>pr<A HREF=\"#in\">in</A>t</FONT> 1";
}

void tst_Html::pageLine()
{
    QFETCH(QStringList, labels);
    QFETCH(QString, source);
    QFETCH(QString, page);
    QCOMPARE(HtmlPage::pageLine(source, LabelLinks(labels)), page);
}

void tst_Html::labelNames_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("table");
    QTest::newRow("upper case, indented, to the blank") << QStringList{"   LABEL Loop here"} << QStringList{"Loop"};
    QTest::newRow("to the bracket") << QStringList{"label draw(x)"} << QStringList{"draw"};
    QTest::newRow("two blanks: empty name") << QStringList{"label  x"} << QStringList{""};
    QTest::newRow("no blank after the keyword, not at the start")
        << QStringList{"labels = 3", "label", "print 1: label x"} << QStringList{};
    QTest::newRow("tab indentation and separator") << QStringList{"\tlabel\tdone"} << QStringList{"done"};
    QTest::newRow("in order, duplicates kept") << QStringList{"label b", "print 1", "label a", "label b"}
                                               << QStringList{"b", "a", "b"};
}

void tst_Html::labelNames()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, table);
    QCOMPARE(collectLabels(lines), table);
}

void tst_Html::largeInputs()
{
    // Far more labels than a fixed table of 251 would hold keep their anchors and links.
    QStringList lines, table;
    for (int i = 0; i < 10000; ++i) {
        lines << QStringLiteral("label n%1x").arg(i) << QStringLiteral("  gosub n%1x: x = x + 1").arg(9999 - i);
        table << QStringLiteral("n%1x").arg(i);
    }
    QCOMPARE(collectLabels(lines), table);
    const QString page = htmlPage(lines, QStringLiteral("t"), HtmlSettings());
    QCOMPARE(page.count(QLatin1String("<A NAME=")), 10000);
    QCOMPARE(page.count(QLatin1String("<A HREF=\"#n")), 20000);
    for (const QString name : {"n0x", "n251x", "n9999x"}) {
        QVERIFY2(page.contains(QStringLiteral("<A NAME=\"%1\"></A>label <A HREF=\"#%1\">%1</A>\r\n").arg(name)), qPrintable(name));
        QVERIFY2(page.contains(QStringLiteral("  gosub <A HREF=\"#%1\">%1</A>:").arg(name)), qPrintable(name));
    }
    // A line of a megabyte.
    QString line = QStringLiteral("print \"");
    for (int i = 0; i < 100000; ++i)
        line += QStringLiteral("a<b&c ");
    const QString out = HtmlPage::pageLine(line + QStringLiteral("\" : rem end"), LabelLinks({"", "c"}));
    QVERIFY(out.startsWith(darkblue("print") + QStringLiteral(" \"a&lt;b&amp;<A HREF=\"#c\">c</A> a&lt;b")));
    QVERIFY(out.endsWith(QStringLiteral("\" : <FONT COLOR=green>rem end</FONT>")));
    QCOMPARE(out.count(QLatin1String("&amp;")), 100000);
}

void tst_Html::goldenPages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("source"); // the temporary file's bytes
    QTest::addColumn<int>("sideBar");       // 1 writes it, any other value does not
    const QByteArray hello("print \"hello\"\r\nend\r\n");
    QTest::newRow("no labels") << "nolabels"
                               << QByteArray("rem A first program\r\nfor i = 1 to 10: print i: next i\r\nif i > 5 then\r\n"
                                             "  print \"big & <bold>\"\r\nendif\r\ndim a(3)\r\ndata 1, 2, 3\r\n\r\n")
                               << 0;
    QTest::newRow("labels with links") << "labels"
                                       << QByteArray("label start\r\n  gosub show\r\n  goto start\r\nlabel show\r\n"
                                                     "  print \"shown\"\r\n  return\r\nlabel draw(x)\r\nrestore draw\r\n")
                                       << 0;
    QTest::newRow("empty-name label") << "emptyname" << QByteArray("label  odd\r\nprint 1\r\n\r\nlabel one\r\ngoto one\r\n") << 0;
    QTest::newRow("side bar on") << "sidebar" << hello << 1;
    QTest::newRow("side bar 0: no table") << "nosidebar" << hello << 0;
    QTest::newRow("side bar 2: no table") << "nosidebar" << hello << 2;
    QTest::newRow("the examples of remark, PRINTER, FORM and IFFY")
        << "examples" << QByteArray("x = 1 ' a remark here\r\nPRINTER\r\nFORM\r\nIFFY\r\na < b & c\r\nendif\r\n") << 0;
    QTest::newRow("empty editor") << "empty" << QByteArray("\r\n") << 0;
}

void tst_Html::goldenPages()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, source);
    QFETCH(int, sideBar);
    const HtmlSettings s = pageSettings(sideBar);
    const QByteArray page = makePage(source, s.htmlTitle, s);
    const QString golden = GoldenFolder + name + QStringLiteral(".htm");
    if (qEnvironmentVariableIsSet("VORMELD_UPDATE_GOLDEN"))
        QVERIFY(writeBytes(golden, page));
    QCOMPARE(page, readBytes(golden));
}

void tst_Html::writtenPageEqualsWholePage()
{
    // The file is written in pieces; together they must be the whole page,
    // with a line longer than a piece among them.
    QStringList lines;
    for (int i = 0; i < 30000; ++i)
        lines << (i % 50 == 0 ? QStringLiteral("label p%1").arg(i) : QStringLiteral("  print \"%1 & <x>\": goto p%2").arg(i).arg(i / 50 * 50));
    lines[777] = QString(200000, QLatin1Char('y'));
    lines[3] = QStringLiteral("print \"a\nb\rc\""); // a lone LF or CR ends no line
    const HtmlSettings s = pageSettings(1);
    QCOMPARE(makePage((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(), s.htmlTitle, s),
             htmlPage(lines, s.htmlTitle, s).toUtf8());
}

void tst_Html::latin1SourceGivesLatin1Page()
{
    const QByteArray source("print \"Gr\xF6\xDF" "e\"\r\n");
    HtmlSettings s;
    QByteArray page = makePage(source, QStringLiteral("T\xE9"), s);
    QVERIFY(page.contains("<TITLE>T\xE9</TITLE>\r\n") && page.contains("\"Gr\xF6\xDF" "e\"\r\n"));
    // What the page leaves out does not count; a title Latin-1 cannot hold makes the whole page UTF-8.
    s.htmlSideBarText = QString::fromUtf8("\xE2\x82\xAC");
    QVERIFY(makePage(source, QStringLiteral("T"), s).contains("\"Gr\xF6\xDF" "e\"\r\n"));
    page = makePage(source, QString::fromUtf8("\xE2\x82\xAC"), s);
    QVERIFY(page.contains("<TITLE>\xE2\x82\xAC</TITLE>") && page.contains("\"Gr\xC3\xB6\xC3\x9F" "e\"\r\n"));
}

void tst_Html::failures_data()
{
    QTest::addColumn<QString>("source"); // relative to a temporary folder holding "src.tmp" and "folder/"
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("text");
    const QString head = QStringLiteral("An Error has occured during the creation of the HTML file\r\n");
    QTest::newRow("source missing") << "missing.tmp" << "p.html" << head + "53 - File not found";
    QTest::newRow("source is a folder") << "folder" << "p.html" << head + "75 - Path/File access error";
    QTest::newRow("target folder missing") << "src.tmp" << "nowhere/p.html" << head + "76 - Path not found";
    QTest::newRow("target is a folder") << "src.tmp" << "folder" << head + "75 - Path/File access error";
}

void tst_Html::failures()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, text);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("src.tmp")), "print 1\r\n"));
    // An existing page stays whole when the new one cannot be made.
    const QString page = dir.filePath(QStringLiteral("p.html"));
    QVERIFY(writeBytes(page, "old page"));
    const HtmlFileResult r = createHTMLFile(dir.filePath(target), dir.filePath(source), QStringLiteral("t"), HtmlSettings());
    QVERIFY(!r.ok);
    QCOMPARE(errorMessageText(r), text);
    QCOMPARE(readBytes(page), QByteArray("old page"));
}

void tst_Html::settingsFileWriteAndReload()
{
    HtmlSettingsFields f{QStringLiteral("My Page"), QStringLiteral("About <it>"), QString::fromUtf8("a, \xE2\x82\xAC"),
                         QStringLiteral("one\r\ntwo\nthree"), 1};
    QCOMPARE(HtmlSettingsFile::write(f),
             QByteArray("My Page\r\nAbout <it>\r\na, \xE2\x82\xAC\r\none\x07\x08two\x08three\r\n1\r\n"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.khs"));
    f.sideBarText = QStringLiteral("a\r\nb\r\n\r\nc");
    QVERIFY(HtmlSettingsFile::save(path, f));
    QCOMPARE(HtmlSettingsFile::load(path), f);
}

void tst_Html::settingsFileReading_data()
{
    QTest::addColumn<QByteArray>("bytes"); // "-": no file
    QTest::addColumn<QStringList>("fields"); // title, description, keywords, side bar
    QTest::addColumn<int>("on");
    const QByteArray four("a\r\nb\r\nc\r\nd\r\n");
    const QStringList abcd{"a", "b", "c", "d"};
    QTest::newRow("missing file empties every field") << QByteArray("-") << QStringList{"", "", "", ""} << 0;
    QTest::newRow("two lines: the rest repeat the last") << QByteArray("t\r\n7\r\n") << QStringList{"t", "7", "7", "7"} << 7;
    QTest::newRow("one line") << QByteArray("1\x07") << QStringList{"1\x07", "1\x07", "1\x07", "1\r"} << 1;
    QTest::newRow("four lines: the box takes the side bar's line") << QByteArray("a\r\nb\r\nc\r\n1 x\r\n")
                                                                   << QStringList{"a", "b", "c", "1 x"} << 1;
    QTest::newRow("line feeds alone") << QByteArray("a\nb\nc\nd\n0\n") << abcd << 0;
    QTest::newRow("lines after the fifth are ignored") << QByteArray("a\r\nb\r\nc\r\ns\x07\x08s\r\n1\r\nx\r\n")
                                                      << QStringList{"a", "b", "c", "s\r\ns"} << 1;
    QTest::newRow("box: words") << four + "yes\r\n" << abcd << 0;
    QTest::newRow("box: blanks, digits then text") << four + " \t12abc\r\n" << abcd << 12;
    QTest::newRow("box: huge") << four + "99999999999999999999\r\n" << abcd << 1000000;
}

void tst_Html::settingsFileReading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QFETCH(int, on);
    const HtmlSettingsFields f = HtmlSettingsFile::read(bytes == "-" ? std::nullopt : std::optional<QByteArray>(bytes));
    QCOMPARE(QStringList({f.title, f.description, f.keywords, f.sideBarText}), fields);
    QCOMPARE(f.sideBarOn, on);
}

QTEST_APPLESS_MAIN(tst_Html)
#include "tst_html.moc"
