#include "platform/core/TextFile.h"
#include "platform/core/UserFiles.h"

#include <QtTest>

namespace {
QByteArray slurp(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

// How program files are decoded, encoded and written; their byte-exact round trips are checked
// through the document window.
class tst_TextFile : public QObject {
    Q_OBJECT
private slots:
    void decode()
    {
        const auto utf8 = TextEncoding::Utf8, latin1 = TextEncoding::Latin1;
        const auto crlf = LineBreakStyle::CrLf, lf = LineBreakStyle::Lf, native = TextFileContent::nativeLineBreak();
        // bytes: text, line break, final break, encoding, mixed breaks
        const QList<std::tuple<QByteArray, QString, LineBreakStyle, bool, TextEncoding, bool>> files{
            {"a\r\nb\r\n", "a\nb", crlf, true, utf8, false},
            {"a\nb", "a\nb", lf, false, utf8, false},
            {"a\rb\r", "a\nb", LineBreakStyle::Cr, true, utf8, false},
            {"a\n\n", "a\n", lf, true, utf8, false}, // only one final break taken
            {"", "", native, false, utf8, false},
            {"a\r\nb\nc\r\nd\r", "a\nb\nc\nd", crlf, true, utf8, true}, // mixed: the most common style wins
            {"a\nb\r\nc\n", "a\nb\nc", lf, true, utf8, true},
            {"caf\xe9\r\n", QString::fromLatin1("caf\xe9"), crlf, true, latin1, false}, // invalid UTF-8 is Latin-1
            {"ok \xc3", QString::fromLatin1("ok \xc3"), native, false, latin1, false}}; // a truncated sequence too
        for (const auto &[bytes, text, style, finalBreak, encoding, mixed] : files) {
            const TextFileContent c = decodeTextFile(bytes);
            QCOMPARE(c.text, text);
            QCOMPARE(c.lineBreak, style);
            QCOMPARE(c.finalBreak, finalBreak);
            QCOMPARE(c.encoding, encoding);
            QCOMPARE(c.mixedBreaks, mixed);
        }
    }
    void unencodableCharacterIsRefused()
    {
        TextFileContent c = decodeTextFile("caf\xe9\n");
        c.text += QChar(0x20AC); // the euro sign has no Latin-1 byte
        QByteArray out("untouched");
        QChar bad;
        QVERIFY(!encodeTextFile(c, &out, &bad));
        QCOMPARE(bad, QChar(0x20AC));
        QCOMPARE(out, QByteArray("untouched"));

        // Refused before the file is touched, with the character named.
        QTemporaryDir dir;
        const QString path = dir.filePath("keep.yab");
        put(path, "old\n");
        const FileResult r = writeTextFile(path, c);
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains("U+20AC"), qPrintable(r.error));
        QCOMPARE(slurp(path), QByteArray("old\n"));

        TextFileContent lone; // a lone surrogate cannot be UTF-8 either
        lone.text = QString(QChar(0xD800));
        QVERIFY(!encodeTextFile(lone, &out, &bad));
        QCOMPARE(bad, QChar(0xD800));
        TextFileContent fresh; // a new document takes the platform's line breaks
        fresh.text = QStringLiteral("a\nb");
        QVERIFY(encodeTextFile(fresh, &out));
    #ifdef Q_OS_WIN
        QCOMPARE(out, QByteArray("a\r\nb\r\n"));
    #else
        QCOMPARE(out, QByteArray("a\nb\n"));
    #endif
    }
    void atomicWrites()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("sub");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(!writeWholeFileAtomic(folder, "x").ok);
        QVERIFY(QFileInfo(folder).isDir());
        const FileResult missing = writeWholeFileAtomic(dir.filePath("missing/p.yab"), "x");
        QVERIFY(!missing.ok && !missing.error.isEmpty());
        // A normal write leaves no temporary file behind.
        QVERIFY(writeWholeFileAtomic(dir.filePath("big"), QByteArray(2048, 'a')).ok);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"big"});

        QByteArray bytes("unchanged");
        QVERIFY(!readWholeFile(folder, &bytes).ok);
        QVERIFY(!readWholeFile(dir.filePath("nope.yab"), &bytes).ok);
        QVERIFY(!readWholeFile(dir.filePath("big"), &bytes, 1024).ok);
        QCOMPARE(bytes, QByteArray("unchanged"));
        QVERIFY(readWholeFile(dir.filePath("big"), &bytes, 2048).ok);
        QCOMPARE(bytes.size(), 2048);

        // Links are written through; the permissions stay.
        const QString real = dir.filePath("real.yab"), link = dir.filePath("link.yab");
        QVERIFY(writeWholeFileAtomic(real, "old\n").ok);
        QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(QFile::link(real, link));
        QVERIFY(writeWholeFileAtomic(link, "new\n").ok);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(slurp(real), QByteArray("new\n"));
        QVERIFY(QFileInfo(real).permissions() & QFileDevice::ExeOwner);

        // Leftovers of saves whose process is gone are cleared, no others.
        QTemporaryDir saves;
        const QString alive = QString(".p.yab.vormeld-save-%1-3c4d").arg(QCoreApplication::applicationPid());
        QStringList kept{"p.yab", alive, ".p.yab.backup", ".q.yab.vormeld-save-2147483646-5e6f"};
        for (const QString &name : kept + QStringList{".p.yab.vormeld-save-2147483646-1a2b"}) // the last one's process is gone
            put(saves.filePath(name), "x");
        QVERIFY(writeWholeFileAtomic(saves.filePath("p.yab"), "new\n").ok);
        QStringList left = QDir(saves.path()).entryList(QDir::Files | QDir::Hidden);
        left.sort();
        kept.sort();
        QCOMPARE(left, kept);
    }
    // Where a user's own data files go (that they are read first and always written there: tst_assistcore).
    void userDataFolder()
    {
        QTemporaryDir program;
        put(program.filePath("Snips.dat"), "shipped");
        qputenv("XDG_DATA_HOME", "relative/ignored");
        QCOMPARE(UserFiles::userDataFolder(), QDir::homePath() + "/.local/share/vormeld");
        // A data folder that cannot be made is reported, not written past.
        qputenv("XDG_DATA_HOME", program.filePath("Snips.dat").toUtf8());
        QString error;
        QVERIFY(UserFiles::writableDataFile("Tools.Dat", &error).isEmpty());
        QVERIFY(error.contains("Could not create the folder"));
        qunsetenv("XDG_DATA_HOME");
    }
};

QTEST_APPLESS_MAIN(tst_TextFile)
#include "tst_textfile.moc"
