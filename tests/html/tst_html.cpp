// The HTML page generator, its label links and the .khs settings file.

#include "html/core/HtmlPage.h"
#include "html/core/HtmlSettingsFile.h"

#include <QtTest>

using namespace HtmlPage;

namespace {
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
    const QString src = dir.filePath("Tmpsrc.tmp"), html = dir.filePath("page.html");
    return writeBytes(src, source) && createHTMLFile(html, src, title, settings).ok ? readBytes(html) : "<no page>";
}
QString blue(const char *word) { return QStringLiteral("<FONT COLOR=darkblue>%1</FONT>").arg(QLatin1String(word)); }
} // namespace

class tst_Html : public QObject {
    Q_OBJECT
private slots:
    void pageLinesAndLabels()
    {
        const QStringList none;
        const QList<std::tuple<QStringList, QString, QString>> lines{ // labels, source line, page line
            {none, "print 1: print 2", blue("print") + " 1: print 2"}, // each rule once
            {none, "&lt;", "&amp;lt;"},                                 // entities are made in order
            {none, "endif", "<FONT COLOR=darkblue>end" + blue("if") + "</FONT>"},
            {none, "rem data", "<FONT COLOR=green>rem <FONT COLOR=purple>data</FONT></FONT>"},
            // an indented definition gets the anchor; no word boundaries
            {{"start"}, "  label restart", "<A NAME=\"start\"></A>  label re<A HREF=\"#start\">start</A>"},
            {{"ab", "a"}, "gosub ab", "gosub <A HREF=\"#a\">a</A>b"}, // the last name in the table wins
            {{"loop", "x"}, "label loop: x = 1", "<A NAME=\"x\"></A>label loop: <A HREF=\"#x\">x</A> = 1"},
            {{"", "x"}, "x = 1", "<A HREF=\"#x\">x</A> = 1"}, // an empty name loses to a later match
            {{"a\"b"}, "goto a\"b", blue("goto") + " <A HREF=\"#a&quot;b\">a\"b</A>"},
            {{"a<b"}, "goto a<b", blue("goto") + " a&lt;b"}, // never occurs
            // names are sought neither in tags nor in entities, but in the coloured words
            {{"amp", "FONT"}, "print & amp", blue("print") + " &amp; <A HREF=\"#amp\">amp</A>"},
            {{"in"}, "print 1", "<FONT COLOR=darkblue>pr<A HREF=\"#in\">in</A>t</FONT> 1"}};
        for (const auto &[labels, source, page] : lines)
            QCOMPARE(HtmlPage::pageLine(source, LabelLinks(labels)), page);

        // Upper case, indented, up to a blank or bracket, a tab as separator, duplicates
        // kept; two blanks give an empty name; none without the blank, nor after the start.
        QCOMPARE(collectLabels({"   LABEL Loop here", "label draw(x)", "\tlabel\tdone", "label  x", "label draw", "labels = 3",
                                "label", "print 1: label x"}),
                 (QStringList{"Loop", "draw", "done", "", "draw"}));
    }

    void goldenPages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("source"); // the temporary file's bytes
        QTest::addColumn<int>("sideBar");       // 1 writes it, any other value does not
        const QByteArray hello("print \"hello\"\r\nend\r\n");
        QTest::newRow("no labels") << "nolabels" << QByteArray("rem A first program\r\nfor i = 1 to 10: print i: next i\r\nif i > 5 then\r\n"
                                                               "  print \"big & <bold>\"\r\nendif\r\ndim a(3)\r\ndata 1, 2, 3\r\n\r\n") << 0;
        QTest::newRow("labels with links") << "labels" << QByteArray("label start\r\n  gosub show\r\n  goto start\r\nlabel show\r\n"
                                                                     "  print \"shown\"\r\n  return\r\nlabel draw(x)\r\nrestore draw\r\n") << 0;
        QTest::newRow("empty-name label") << "emptyname" << QByteArray("label  odd\r\nprint 1\r\n\r\nlabel one\r\ngoto one\r\n") << 0;
        QTest::newRow("side bar on") << "sidebar" << hello << 1;
        QTest::newRow("side bar 2: no table") << "nosidebar" << hello << 2;
        QTest::newRow("the examples of remark, PRINTER, FORM and IFFY")
            << "examples" << QByteArray("x = 1 ' a remark here\r\nPRINTER\r\nFORM\r\nIFFY\r\na < b & c\r\nendif\r\n") << 0;
        QTest::newRow("empty editor") << "empty" << QByteArray("\r\n") << 0;
    }
    void goldenPages()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, source);
        QFETCH(int, sideBar);
        const HtmlSettings s{"demo.yab - Yabasic Code", "A small demo <b>program</b>", "yabasic, demo", qint16(sideBar),
                             "Written by <I>Ann</I>\r\nfor the & class"};
        const QByteArray page = makePage(source, s.htmlTitle, s);
        const QString golden = VORMELD_HTML_TESTDATA "/golden/" + name + ".htm";
        if (qEnvironmentVariableIsSet("VORMELD_UPDATE_GOLDEN"))
            QVERIFY(writeBytes(golden, page));
        QCOMPARE(page, readBytes(golden));
    }

    void wholePages()
    {
        // Far more labels than a fixed table of 251 would hold, a line longer than a
        // piece of the file, and a lone LF and CR that end no line.
        QStringList lines;
        for (int i = 0; i < 30000; ++i)
            lines << (i % 50 ? QStringLiteral("  print \"%1 & <x>\": goto p%2").arg(i).arg(i / 50 * 50) : QStringLiteral("label p%1").arg(i));
        lines[777] = QString(200000, QLatin1Char('y'));
        lines[3] = QStringLiteral("print \"a\nb\rc\"");
        HtmlSettings s;
        s.htmlSideBarOn = 1;
        const QString page = htmlPage(lines, QStringLiteral("t"), s);
        QCOMPARE(page.count(QLatin1String("<A NAME=")), 600);
        QVERIFY(page.contains(": <FONT COLOR=darkblue>goto</FONT> <A HREF=\"#p29950\">p29950</A>\r\n"));
        QCOMPARE(makePage((lines.join("\r\n") + "\r\n").toUtf8(), "t", s), page.toUtf8());

        // A Latin-1 source gives a Latin-1 page, whatever the page leaves out; a title
        // Latin-1 cannot hold makes the whole page UTF-8.
        const QByteArray source("print \"Gr\xF6\xDF" "e\"\r\n");
        const HtmlSettings euro{{}, {}, {}, 0, QString::fromUtf8("\xE2\x82\xAC")};
        QByteArray latin1 = makePage(source, QStringLiteral("T\xE9"), euro);
        QVERIFY(latin1.contains("<TITLE>T\xE9</TITLE>\r\n") && latin1.contains("\"Gr\xF6\xDF" "e\"\r\n"));
        latin1 = makePage(source, QString::fromUtf8("\xE2\x82\xAC"), euro);
        QVERIFY(latin1.contains("<TITLE>\xE2\x82\xAC</TITLE>") && latin1.contains("\"Gr\xC3\xB6\xC3\x9F" "e\"\r\n"));
    }

    void failures()
    {
        QTemporaryDir dir; // holds "src.tmp" and "folder/"
        QVERIFY(QDir(dir.path()).mkdir("folder") && writeBytes(dir.filePath("src.tmp"), "print 1\r\n"));
        const QList<std::array<QString, 3>> cases{{"missing.tmp", "p.html", "53 - File not found"},
                                                  {"folder", "p.html", "75 - Path/File access error"},
                                                  {"src.tmp", "folder", "75 - Path/File access error"}};
        for (const auto &[source, target, error] : cases) {
            // An existing page stays whole when the new one cannot be made.
            QVERIFY(writeBytes(dir.filePath("p.html"), "old page"));
            const HtmlFileResult r = createHTMLFile(dir.filePath(target), dir.filePath(source), "t", HtmlSettings());
            QVERIFY(!r.ok);
            QCOMPARE(errorMessageText(r), "An Error has occured during the creation of the HTML file\r\n" + error);
            QCOMPARE(readBytes(dir.filePath("p.html")), QByteArray("old page"));
        }
    }

    void settingsFileReading()
    {
        const QByteArray four("a\r\nb\r\nc\r\nd\r\n");
        const QList<std::pair<QByteArray, QStringList>> files{ // fields: title, description, keywords, side bar, box
            {"-", {"", "", "", "", "0"}},                        // no file: every field empty
            {"t\r\n7\r\n", {"t", "7", "7", "7", "7"}},           // the rest repeat the last line
            {"1\x07", {"1\x07", "1\x07", "1\x07", "1\r", "1"}},
            {"a\r\nb\r\nc\r\n1 x\r\n", {"a", "b", "c", "1 x", "1"}}, // the box takes the side bar's line
            {"a\nb\nc\ns\x07\x08s\n1\nx\n", {"a", "b", "c", "s\r\ns", "1"}}, // line feeds alone, the sixth ignored
            {four + " \t12abc\r\n", {"a", "b", "c", "d", "12"}},       // box: blanks, digits then text
            {four + "99999999999999999999\r\n", {"a", "b", "c", "d", "1000000"}}};
        for (const auto &[bytes, fields] : files) {
            const HtmlSettingsFields f = HtmlSettingsFile::read(bytes == "-" ? std::nullopt : std::optional(bytes));
            const QString box = QString::number(f.sideBarOn);
            QCOMPARE(QStringList({f.title, f.description, f.keywords, f.sideBarText, box}), fields);
        }
    }
};

QTEST_APPLESS_MAIN(tst_Html)
#include "tst_html.moc"
