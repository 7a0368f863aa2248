#include "platform/core/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Reading and writing program files must give back the very bytes that were read.
class tst_TextFile : public QObject {
    Q_OBJECT
private slots:
    void roundTripIsByteExact_data();
    void roundTripIsByteExact();
    void decodeSplitsLinesAndRemembersStyle_data();
    void decodeSplitsLinesAndRemembersStyle();
    void allByteValuesSurviveAsLatin1();
    void mixedBreaksAreFlagged();
    void unencodableCharacterIsRefused();
    void newDocumentUsesPlatformBreaks();
    void writeIsAtomicAndReportsFailures();
    void readRefusesFoldersMissingAndHugeFiles();
    void leftoversOfKilledSavesAreCleared();
    void linksAreWrittenThrough();
};

void tst_TextFile::roundTripIsByteExact_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("crlf") << QByteArray("print 1\r\nprint 2\r\n");
    QTest::newRow("lf") << QByteArray("print 1\nprint 2\n");
    QTest::newRow("lone cr") << QByteArray("a\rb\r");
    QTest::newRow("no final break") << QByteArray("print 1\r\nprint 2");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("only a break") << QByteArray("\r\n");
    QTest::newRow("blank lines at end") << QByteArray("a\n\n\n");
    QTest::newRow("utf8") << QByteArray("print \"Gr\xc3\xbc\xc3\x9f dich \xe2\x82\xac\"\n");
    QTest::newRow("utf8 with bom") << QByteArray("\xef\xbb\xbfprint 1\n");
    QTest::newRow("latin1") << QByteArray("print \"caf\xe9\"\r\n");
    QTest::newRow("nul bytes") << QByteArray("a\0b\nc\0\n", 8);
    QTest::newRow("no-break space") << QByteArray("a\xc2\xa0" "b\n");
    QTest::newRow("long line") << QByteArray(200000, 'x').append('\n');
}

void tst_TextFile::roundTripIsByteExact()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("p.yab");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    TextFileContent content;
    QVERIFY(readTextFile(path, &content).ok);
    QVERIFY(!content.mixedBreaks);
    QVERIFY(writeTextFile(path, content).ok);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), bytes);
}

void tst_TextFile::decodeSplitsLinesAndRemembersStyle_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("finalBreak");
    QTest::addColumn<int>("encoding");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << "a\nb" << int(LineBreakStyle::CrLf) << true << int(TextEncoding::Utf8);
    QTest::newRow("lf") << QByteArray("a\nb") << "a\nb" << int(LineBreakStyle::Lf) << false << int(TextEncoding::Utf8);
    QTest::newRow("cr") << QByteArray("a\rb\r") << "a\nb" << int(LineBreakStyle::Cr) << true << int(TextEncoding::Utf8);
    QTest::newRow("only one final break taken") << QByteArray("a\n\n") << "a\n" << int(LineBreakStyle::Lf) << true << int(TextEncoding::Utf8);
    QTest::newRow("invalid utf8 is latin1") << QByteArray("\xff\xfe\n") << QString::fromLatin1("\xff\xfe") << int(LineBreakStyle::Lf) << true << int(TextEncoding::Latin1);
    QTest::newRow("truncated utf8 sequence") << QByteArray("ok \xc3") << QString::fromLatin1("ok \xc3") << int(TextFileContent::nativeLineBreak()) << false << int(TextEncoding::Latin1);
}

void tst_TextFile::decodeSplitsLinesAndRemembersStyle()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(int, style);
    QFETCH(bool, finalBreak);
    QFETCH(int, encoding);
    const TextFileContent c = decodeTextFile(bytes);
    QCOMPARE(c.text, text);
    QCOMPARE(int(c.lineBreak), style);
    QCOMPARE(c.finalBreak, finalBreak);
    QCOMPARE(int(c.encoding), encoding);
}

void tst_TextFile::allByteValuesSurviveAsLatin1()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        if (i != '\r' && i != '\n')
            bytes.append(char(i));
    bytes.append("\r\n");
    const TextFileContent c = decodeTextFile(bytes);
    QCOMPARE(int(c.encoding), int(TextEncoding::Latin1));
    QCOMPARE(c.text.size(), 254);
    QByteArray out;
    QVERIFY(encodeTextFile(c, &out));
    QCOMPARE(out, bytes);
}

void tst_TextFile::mixedBreaksAreFlagged()
{
    const TextFileContent c = decodeTextFile("a\r\nb\nc\r\nd\r");
    QVERIFY(c.mixedBreaks);
    QCOMPARE(int(c.lineBreak), int(LineBreakStyle::CrLf)); // the most common style wins
    QCOMPARE(c.text, QStringLiteral("a\nb\nc\nd"));
}

void tst_TextFile::unencodableCharacterIsRefused()
{
    TextFileContent c = decodeTextFile("caf\xe9\n");
    QCOMPARE(int(c.encoding), int(TextEncoding::Latin1));
    c.text += QChar(0x20AC); // the euro sign has no Latin-1 byte
    QByteArray out("untouched");
    QChar bad;
    QVERIFY(!encodeTextFile(c, &out, &bad));
    QCOMPARE(bad, QChar(0x20AC));
    QCOMPARE(out, QByteArray("untouched"));

    QTemporaryDir dir;
    const QString path = dir.filePath("keep.yab");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old\n");
    f.close();
    const FileResult r = writeTextFile(path, c);
    QVERIFY(!r.ok);
    QVERIFY2(r.error.contains("U+20AC"), qPrintable(r.error));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old\n"));

    TextFileContent lone;
    lone.text = QString(QChar(0xD800));
    QVERIFY(!encodeTextFile(lone, &out, &bad));
    QCOMPARE(bad, QChar(0xD800));
}

void tst_TextFile::newDocumentUsesPlatformBreaks()
{
    TextFileContent c;
    c.text = QStringLiteral("a\nb");
    QByteArray out;
    QVERIFY(encodeTextFile(c, &out));
#ifdef Q_OS_WIN
    QCOMPARE(out, QByteArray("a\r\nb\r\n"));
#else
    QCOMPARE(out, QByteArray("a\nb\n"));
#endif
}

void tst_TextFile::writeIsAtomicAndReportsFailures()
{
    QTemporaryDir dir;
    // A folder in the way: reported, the folder untouched.
    const QString folder = dir.filePath("sub");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(!writeWholeFileAtomic(folder, "x").ok);
    QVERIFY(QFileInfo(folder).isDir());
    // A folder that does not exist.
    const FileResult r = writeWholeFileAtomic(dir.filePath("missing/p.yab"), "x");
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    // A normal write leaves no temporary file behind.
    QVERIFY(writeWholeFileAtomic(dir.filePath("p.yab"), "new").ok);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.yab"});
}

void tst_TextFile::readRefusesFoldersMissingAndHugeFiles()
{
    QTemporaryDir dir;
    QByteArray bytes("unchanged");
    QVERIFY(!readWholeFile(dir.path(), &bytes).ok);
    QVERIFY(!readWholeFile(dir.filePath("nope.yab"), &bytes).ok);
    QFile f(dir.filePath("big"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2048, 'a'));
    f.close();
    QVERIFY(!readWholeFile(f.fileName(), &bytes, 1024).ok);
    QCOMPARE(bytes, QByteArray("unchanged"));
    QVERIFY(readWholeFile(f.fileName(), &bytes, 4096).ok);
    QCOMPARE(bytes.size(), 2048);
}

void tst_TextFile::leftoversOfKilledSavesAreCleared()
{
    QTemporaryDir dir;
    const QString target = dir.filePath("p.yab");
    auto touch = [&](const QString &name) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    };
    touch("p.yab");
    touch(".p.yab.vormeld-save-2147483646-1a2b"); // a process that is gone
    touch(QString(".p.yab.vormeld-save-%1-3c4d").arg(QCoreApplication::applicationPid())); // alive
    touch(".p.yab.backup");                         // the user's own file
    touch(".q.yab.vormeld-save-2147483646-5e6f");   // another file's
    QVERIFY(writeWholeFileAtomic(target, "new\n").ok);
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    QStringList expected{".p.yab.backup", QString(".p.yab.vormeld-save-%1-3c4d").arg(QCoreApplication::applicationPid()),
                         ".q.yab.vormeld-save-2147483646-5e6f", "p.yab"};
    expected.sort();
    QCOMPARE(left, expected);
}

void tst_TextFile::linksAreWrittenThrough()
{
    QTemporaryDir dir;
    const QString real = dir.filePath("real.yab");
    QVERIFY(writeWholeFileAtomic(real, "old\n").ok);
    QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString link = dir.filePath("link.yab");
    QVERIFY(QFile::link(real, link));
    QVERIFY(writeWholeFileAtomic(link, "new\n").ok);
    QVERIFY(QFileInfo(link).isSymLink());
    QFile f(real);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("new\n"));
    QVERIFY(QFileInfo(real).permissions() & QFileDevice::ExeOwner); // the permissions stay
}

QTEST_APPLESS_MAIN(tst_TextFile)
#include "tst_textfile.moc"
