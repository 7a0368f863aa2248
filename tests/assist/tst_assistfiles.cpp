// The data files of the language helper and the code snippets, and the shipped
// command list checked against the interpreter and its manual.

#include "assist/core/CommandList.h"
#include "assist/core/SnippetFile.h"
#include "support/Files.h"

#include <QtTest>

namespace {
QString shippedFile(const char *name) { return qEnvironmentVariable("VORMELD_SOURCE_DIR") + "/data/" + name; }
} // namespace

class tst_AssistFiles : public QObject {
    Q_OBJECT
private slots:
    void fields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("quoted comma, blanks") << "\"a, b\" ,  c  ,\"d\"\r\n" << QStringList{"a, b", "c", "d"};
        QTest::newRow("empty fields") << ",,x,\n" << QStringList{"", "", "x", ""};
        QTest::newRow("text after closing quote") << "\"a\"junk,b" << QStringList{"a", "b"};
        QTest::newRow("unterminated quote ends with line") << "\"a,b\nc,d" << QStringList{"a,b", "c", "d"};
        QTest::newRow("blank lines, cr only, bom") << "\xef\xbb\xbf" "a\r\r\n  \nb\rc" << QStringList{"a", "b", "c"};
    }
    void fields()
    {
        QFETCH(QString, text);
        QTEST(CommandList::readFields(text), "fields");
    }

    void commandEntries()
    {
        const auto c = CommandList::parse("\"A\",\"@@@@@\",\"F\"\n\"B\",,\n\"C\",\"i\"");
        QStringList got;
        for (const CommandEntry &e : c.entries)
            got << e.command + "|" + e.insertText + "|" + e.format;
        QCOMPARE(got, (QStringList{"A|\"\"\"\"@|F", "B||", "C|i|"}));

        // Ten megabytes of one-letter entries stop at the limit.
        QTemporaryDir dir;
        QFile big(dir.filePath("big.dat"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.write(QByteArray("a,b,c\n").repeated((10 << 20) / 6)) > 0);
        big.close();
        const auto huge = CommandList::load(big.fileName());
        QVERIFY(huge.entries.size() == CommandList::MaxEntries && huge.cutShort);
        QVERIFY(CommandList::load(dir.filePath("missing.dat")).entries.isEmpty());
    }

    void snippetFileGolden()
    {
        const QList<Snippet> lib{{"Say \"hi\"", "print \"hi\"\r\nprint 2"}, {"Empty", ""}};
        const QByteArray golden("\"Say \x0ehi\x0e\",\"print \x0ehi\x0e\x07\x08print 2\"\r\n\"Empty\",\"\"\r\n");
        QTemporaryDir dir;
        const QString path = dir.filePath("Snips.dat");
        QVERIFY(SnippetFile::write(path, lib, TextEncoding::Utf8).ok);
        QCOMPARE(readBytes(path), golden);
        QList<Snippet> back;
        TextEncoding enc;
        QVERIFY(SnippetFile::read(path, &back, &enc));
        QCOMPARE(back, lib);

        // Characters 7, 8 and 14 typed into a snippet come back as CR, LF and a quote.
        QCOMPARE(SnippetFile::parse("\"t\x0e\",\"a\x07\x08\x0e\"").value(0), (Snippet{"t\"", "a\r\n\""}));
        // A text read as Latin-1 that no longer fits it is written as UTF-8, losing nothing.
        QVERIFY(SnippetFile::write(path, {{"\u20ac", "x"}}, TextEncoding::Latin1).ok);
        QVERIFY(SnippetFile::read(path, &back, &enc) && back.value(0).title == "\u20ac");
        QVERIFY(!SnippetFile::read(dir.filePath("missing.dat"), &back, &enc));
    }

    // Every statement and function of the manual has an entry, and every
    // template and shipped snippet parses in the interpreter.
    void shippedCommandListCoversTheInterpreter()
    {
        auto list = CommandList::load(shippedFile("yabcomds.dat"));
        QVERIFY(list.entries.size() > 190);
        QSet<QString> keys;
        for (const CommandEntry &e : list.entries) {
            const QString up = e.command.toUpper().remove("()");
            const qsizetype paren = up.indexOf(" (");
            keys << up;
            if (paren > 0)
                keys << up.left(paren) << up.mid(paren + 2).chopped(1);
        }
        const QString manual = QString::fromLatin1(readBytes("/usr/share/doc/yabasic/yabasic.htm"));
        if (manual.startsWith('<') == false)
            QSKIP("the interpreter's manual is not installed");
        const QHash<QString, QString> aliases{{"LOGICAL OR", "OR"}, {"SCREEN", "CLEAR SCREEN"}, {"@", "AT SIGN"},
                                              {"< <= > >= = == <> !=", "COMPARISONS"}};
        QStringList missing;
        static const QRegularExpression title("class=\"refentrytitle\"><a href=\"#[^\"]*\">([^<]*)</a>");
        for (auto m = title.globalMatch(manual); m.hasNext();) {
            QString name = m.next().captured(1).replace("&lt;", "<").replace("&gt;", ">").toUpper().remove("()");
            if (!keys.contains(aliases.value(name, name)))
                missing << name;
        }
        QVERIFY2(missing.isEmpty(), qPrintable("no entry for: " + missing.join(", ")));

        const QString yabasic = QStandardPaths::findExecutable("yabasic");
        if (yabasic.isEmpty())
            QSKIP("yabasic is not installed");
        QTemporaryDir dir; // with the debug library beside the program, as after Add Debug Output
        QVERIFY(QFile::copy(shippedFile("qxdebug.yab"), dir.filePath("qxdebug.yab")));
        QList<Snippet> snippets;
        TextEncoding encoding;
        QVERIFY(SnippetFile::read(shippedFile("Snips.dat"), &snippets, &encoding) && !snippets.isEmpty());
        for (const Snippet &s : std::as_const(snippets))
            list.entries.append({s.title, s.code, {}});
        QStringList failing;
        for (const CommandEntry &e : list.entries) {
            if (e.insertText.isEmpty())
                continue;
            QFile program(dir.filePath("t.yab"));
            QVERIFY(program.open(QIODevice::WriteOnly) && program.write(e.insertText.toUtf8() + "\n") > 0);
            program.close();
            QProcess check;
            check.setWorkingDirectory(dir.path());
            check.setProcessChannelMode(QProcess::MergedChannels);
            check.start(yabasic, {"--check", "t.yab"});
            QVERIFY(check.waitForFinished(10000));
            if (check.exitCode() != 0 || check.readAll().contains("Error"))
                failing << e.command + ": " + e.insertText;
        }
        QVERIFY2(failing.isEmpty(), qPrintable("do not parse:\n" + failing.join('\n')));
    }
};

QTEST_APPLESS_MAIN(tst_AssistFiles)
#include "tst_assistfiles.moc"
