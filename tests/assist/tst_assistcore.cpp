// The data files of the tools, tips and help: Tools.Dat, TIPS.DAT, the text
// viewer's reading and the places the interpreter's documents are looked for.
#include "assist/core/ExternalTools.h"
#include "assist/core/HelpLookup.h"
#include "assist/core/TextViewerFile.h"
#include "assist/core/TipFile.h"
#include "platform/core/SystemPlaces.h"
#include "support/Files.h"

#include <QtTest>

namespace {
QString listed(const ExternalTools &t)
{
    QStringList out;
    for (int slot : t.usedSlots())
        out << QStringLiteral("%1:%2=%3").arg(slot).arg(t.name(slot), t.path(slot));
    return out.join(QLatin1Char('|'));
}
void put(const QString &path, const QByteArray &bytes) { QVERIFY(writeBytes(path, bytes)); }
} // namespace

class tst_AssistCore : public QObject {
    Q_OBJECT
private slots:
    void toolsFileReadAndWritten()
    {
        const QList<std::pair<QString, QString>> files{
            {"\"/usr/bin/gedit\",\"Gedit\"\r\n\"wc -l %f\",\"Count\"\r\n", "0:Gedit=/usr/bin/gedit|1:Count=wc -l %f"},
            {"  xterm -e top , Top \n", "0:Top=xterm -e top"}, // unquoted, blanks trimmed
            {"\"\"\"/opt/My Tool/run\"\" %f\",\"Mine\"", "0:Mine=\"/opt/My Tool/run\" %f"},
            {"\"a\",\"A\"\r\r\"b\",\"B\"\r", "0:A=a|1:B=b"},      // CR-only breaks, blank lines
            {"\"a,A\n\"b\",\"B\"", "0:=a,A|1:B=b"},               // an unterminated quote ends with its line
            {"gimp\n", "0:=gimp"},                                // one field, no name
            {"\"\",\"Nothing\"\nx,X\n", "0:X=x"},                 // a record without a program is skipped
            {"", ""}};
        for (const auto &[file, tools] : files) {
            ExternalTools t;
            t.read(file);
            QCOMPARE(listed(t), tools);
        }

        ExternalTools t;
        t.setPath(0, QStringLiteral("\"/opt/My Tool/run\" --file %f"));
        t.setName(0, QStringLiteral("Run, \"mine\""));
        t.setPath(3, QStringLiteral("/usr/bin/gedit")); // slots 1 and 2 are unused: not written
        t.setName(3, QStringLiteral("Ged\nit"));
        const QString golden = QStringLiteral("\"\"\"/opt/My Tool/run\"\" --file %f\",\"Run, \"\"mine\"\"\"\r\n"
                                              "\"/usr/bin/gedit\",\"Ged it\"\r\n");
        QCOMPARE(t.write(), golden);
        ExternalTools back;
        QCOMPARE(back.read(golden), 2);
        QCOMPARE(listed(back), "0:Run, \"mine\"=\"/opt/My Tool/run\" --file %f|1:Ged it=/usr/bin/gedit");
    }

    void toolsTableAndDataFolder()
    {
        // 1,000 records: the table takes 151, the rest is written back untouched.
        QString big;
        for (int i = 0; i < 1000; ++i)
            big += QStringLiteral("\"tool%1\",\"T%1\"\r\n").arg(i);
        ExternalTools t;
        QCOMPARE(t.read(big), ExternalTools::Size);
        QCOMPARE(t.name(150), QStringLiteral("T150"));
        QCOMPARE(t.add(), -1); // full: Add writes nowhere
        QCOMPARE(t.write(), big);
        // Remove shifts the later slots up and empties the last one.
        t.remove(0);
        QCOMPARE(t.name(0) + t.name(149) + t.path(150), QStringLiteral("T1T150"));
        QCOMPARE(t.add(), 150);
        // A hole left by a cleared path is not overwritten by Add.
        ExternalTools h;
        h.read(QStringLiteral("a,A\nb,B\nc,C\n"));
        h.setPath(1, QString());
        QCOMPARE(h.add(), 3);
        QCOMPARE(listed(h), QStringLiteral("0:A=a|2:C=c|3:(Untitled)=(New Tool)"));
        // Loading replaces only the slots the file holds.
        h.read(QStringLiteral("x,X\n"));
        QCOMPARE(listed(h), QStringLiteral("0:X=x|2:C=c|3:(Untitled)=(New Tool)"));
        // Binary and very large files load without harm.
        QByteArray noise(10 * 1024 * 1024, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919) % 251);
        ExternalTools b;
        QVERIFY(b.read(decodeBytes(noise)) <= ExternalTools::Size);

        // A read-only installation: the user's own copy is written to the data folder and read first.
        QTemporaryDir program, home;
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        put(program.filePath("Tools.Dat"), "shipped,Shipped\r\n");
        QVERIFY(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner)); // installed: read-only
        ExternalTools mine;
        QVERIFY(mine.load(program.path()));
        QCOMPARE(listed(mine), QStringLiteral("0:Shipped=shipped"));
        mine.setName(0, QStringLiteral("Mine"));
        QVERIFY(mine.save().ok);
        const QString own = home.filePath("data/vormeld/Tools.Dat");
        QCOMPARE(readBytes(own), QByteArray("\"shipped\",\"Mine\"\r\n"));
        ExternalTools again;
        again.load(program.path());
        QCOMPARE(listed(again), QStringLiteral("0:Mine=shipped"));
        // A write that cannot happen is told.
        QVERIFY(QFile::remove(own) && QDir().mkdir(own));
        const FileResult failed = mine.save();
        QVERIFY(!failed.ok && failed.error.contains(QStringLiteral("Tools.Dat")));
        QVERIFY(QDir().rmdir(own));
        QVERIFY(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(!again.load(program.path() + "/missing")); // nothing to read: the table stays
        QCOMPARE(listed(again), QStringLiteral("0:Mine=shipped"));
    }

    void toolCommandLines()
    {
        QTemporaryDir dir;
        const QString blanks = dir.filePath("my tool");
        put(blanks, "#!/bin/sh\n");
        QCOMPARE(ExternalToolCommand::commandLine(blanks, "/x/a.yab"), '"' + blanks + '"');
        QCOMPARE(ExternalToolCommand::commandLine("\"" + blanks + "\" -n %f", "/home/u/my prog.yab"),
                 "\"" + blanks + "\" -n \"/home/u/my prog.yab\"");
        QCOMPARE(ExternalToolCommand::commandLine("wc %f", QString()), QStringLiteral("wc \"\""));
        QCOMPARE(ExternalToolCommand::startError("/no/such/tool arg"), 53);
        QCOMPARE(ExternalToolCommand::startError("nosuchtoolanywhere"), 53);
        QCOMPARE(ExternalToolCommand::startError("\"" + blanks + "\" x"), 75); // there, not runnable
    }

    void tipsAndTextViewer()
    {
        const QList<std::pair<QString, QStringList>> files{
            {"a, \"b\"\r\n\r\nc\r\n", {"a, \"b\"", "", "c"}}, // CR LF, blank line and commas kept
            {"a\rb\rc", {"a", "b", "c"}},
            {"a\nb", {"a", "b"}}, // the last line unended
            {"", {}}};
        for (const auto &[file, tips] : files)
            QCOMPARE(TipFile::parse(file), tips);
        QCOMPARE(QList<int>({TipFile::pick(4, 0.0), TipFile::pick(4, 0.9999), TipFile::pick(0, 0.5)}),
                 QList<int>({1, 4, 0}));

        QTemporaryDir dir;
        const QString head = QStringLiteral("A Error has occured while trying to open the requested file\r\n");
        QCOMPARE(TextViewerFile::read(dir.filePath("no/none.txt")).text, head + "      The path was not found.");
        QCOMPARE(TextViewerFile::read(dir.path()).text,
                 head + "      There was a error while accessing the path or the file.");
        QCOMPARE(TextViewerFile::errorText(62).split("\r\n").last(), " unrecognized Error Access Code:62");
        put(dir.filePath("r.txt"), "line 1\r\nl\xc3\xa4ne 2\r\n");
        const TextViewerFile::Contents ok = TextViewerFile::read(dir.filePath("r.txt"));
        QVERIFY(ok.ok);
        QCOMPARE(ok.text, QStringLiteral("line 1\r\nläne 2\r\n"));
    }

    void yabasicDocumentsOnThisMachine()
    {
        // The package puts the manual and the licence into its documentation folder, none beside the interpreter.
        const QString doc = packageDocFolder("yabasic");
        if (!QFileInfo(doc + "yabasic.htm").isFile())
            QSKIP("the yabasic package is not installed");
        using HelpLookup::YabasicDocument;
        const QStringList manual = HelpLookup::candidates(YabasicDocument::Manual, "/usr/bin/", doc);
        QCOMPARE(manual, (QStringList{"/usr/bin/yabasic.htm", "/usr/share/doc/yabasic/yabasic.htm"}));
        QCOMPARE(HelpLookup::firstExisting(manual), QStringLiteral("/usr/share/doc/yabasic/yabasic.htm"));
        QCOMPARE(HelpLookup::firstExisting(HelpLookup::candidates(YabasicDocument::Copying, "/usr/bin/", doc)),
                 QStringLiteral("/usr/share/doc/yabasic/copyright"));
        QTemporaryDir own; // the interpreter's own folder wins
        put(own.filePath("copying.txt"), "mine");
        QCOMPARE(HelpLookup::firstExisting(HelpLookup::candidates(YabasicDocument::Copying, own.path() + "/", doc)),
                 own.filePath("copying.txt"));
    }
};

QTEST_APPLESS_MAIN(tst_AssistCore)
#include "tst_assistcore.moc"
