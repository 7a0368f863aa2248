#include "platform/core/FileAssociation.h"
#include "setup/core/PrintRows.h"
#include "support/Files.h"

#include <QtTest>

namespace {
void write(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()) && writeBytes(path, bytes));
}

// Folders of a user of their own, with no system folders to find defaults in.
FileAssociation::Folders foldersIn(const QTemporaryDir &dir)
{
    return {dir.filePath("data"), dir.filePath("config"), {dir.filePath("none")}, {dir.filePath("none")}};
}
} // namespace

class tst_SetupCore : public QObject {
    Q_OBJECT
private slots:
    // The entry written runs the program named, whatever its path holds.
    void desktopEntryRunsTheProgram_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("characters desktop entries reserve") << "/x/\"q\" $HOME `id` 100% \\n;|&'/vormeld";
    }
    void desktopEntryRunsTheProgram()
    {
        QFETCH(QString, program);
        QTemporaryDir dir;
        FileAssociation a(foldersIn(dir));
        QCOMPARE(a.currentCommand(), QString());
        QString error;
        QVERIFY2(a.makeDefault(program, &error), qPrintable(error));
        const QByteArray entry = readBytes(dir.filePath("data/applications/vormeld.desktop"));
        const QString exec = FileAssociation::desktopEntryValue(entry, "Exec");
        QCOMPARE(FileAssociation::execArguments(exec), QStringList({program, "%f"}));
        QCOMPARE(FileAssociation::desktopEntryValue(entry, "MimeType"), QStringLiteral("text/x-yabasic;"));
        QVERIFY(readBytes(dir.filePath("data/mime/packages/vormeld.xml")).contains("<glob pattern=\"*.yab\"/>"));
        QCOMPARE(FileAssociation::defaultIn(readBytes(dir.filePath("config/mimeapps.list")), "text/x-yabasic"),
                 QStringLiteral("vormeld.desktop"));
        QCOMPARE(a.currentCommand(), exec); // read back from the files
    }

    // What a mimeapps.list held stays, line for line, but for our own default.
    void mimeAppsKeepsWhatItHolds_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("missing") << QByteArray("<unreadable>")
                                 << QByteArray("[Default Applications]\ntext/x-yabasic=vormeld.desktop;\n");
        QTest::newRow("other defaults and groups")
            << QByteArray("[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n# mine\ntext/html=firefox.desktop;\n")
            << QByteArray("[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\ntext/x-yabasic=vormeld.desktop;\n# mine\ntext/html=firefox.desktop;\n");
        QTest::newRow("another program was the default")
            << QByteArray("[Default Applications]\ntext/x-yabasic = kate.desktop;\ntext/html=firefox.desktop;")
            << QByteArray("[Default Applications]\ntext/x-yabasic=vormeld.desktop;\ntext/html=firefox.desktop;");
        QTest::newRow("garbage") << QByteArray("\x01\xff garbage =\n[[broken\nno group=1")
                                 << QByteArray("\x01\xff garbage =\n[[broken\nno group=1\n\n[Default Applications]\ntext/x-yabasic=vormeld.desktop;\n");
        QTest::newRow("CR LF") << QByteArray("[Default Applications]\r\ntext/html=a.desktop;\r\n")
                               << QByteArray("[Default Applications]\r\ntext/x-yabasic=vormeld.desktop;\r\ntext/html=a.desktop;\r\n");
    }
    void mimeAppsKeepsWhatItHolds()
    {
        QFETCH(QByteArray, before);
        QTemporaryDir dir;
        if (before != "<unreadable>")
            write(dir.filePath("config/mimeapps.list"), before);
        QString error;
        QVERIFY2(FileAssociation(foldersIn(dir)).makeDefault("/p/vormeld", &error), qPrintable(error));
        QTEST(readBytes(dir.filePath("config/mimeapps.list")), "after");
    }

    // A data folder that cannot hold folders: nothing is named the default (a read-only
    // mimeapps.list is the Options suite's).
    void refusedWritesAreReported()
    {
        QTemporaryDir dir;
        QString error;
        write(dir.filePath("file"), "x");
        FileAssociation::Folders blocked = foldersIn(dir);
        blocked.dataHome = dir.filePath("file/data");
        blocked.configHome = dir.filePath("config2");
        QVERIFY(!FileAssociation(blocked).makeDefault("/p/vormeld", &error));
        QCOMPARE(error, QStringLiteral("The folder %1/applications could not be created.\n"
                                       "The folder %1/mime/packages could not be created.").arg(blocked.dataHome));
        QVERIFY(!QFile::exists(dir.filePath("config2/mimeapps.list")));
    }

    void printedLines()
    {
        QCOMPARE(PrintRows::sourceLines(""), QStringList({"", ""}));
        QCOMPARE(PrintRows::sourceLines("a\r\nb"), QStringList({"a", "b", ""}));
        QCOMPARE(PrintRows::sourceLines("a\nb\n"), QStringList({"a", "b", "", ""}));
        QCOMPARE(PrintRows::wrap("\tx\ty", 20), QStringList({"        x       y"}));
        QCOMPARE(PrintRows::wrap("abcdef", 6), QStringList({"abcdef"}));
        QCOMPARE(PrintRows::wrap("abcdefghij", 6), QStringList({"abcdef", "\u00BB ghij"}));
        // Nothing of a long line is lost, even on an absurdly narrow page.
        const QString line = QString("0123456789").repeated(50);
        for (int columns : {1, 3, 80}) {
            QString joined;
            for (const QString &row : PrintRows::wrap(line, columns)) {
                QVERIFY(row.size() <= std::max(columns, 3));
                joined += joined.isEmpty() ? row : row.mid(PrintRows::ContinuationMark.size());
            }
            QCOMPARE(joined, line);
        }
    }
};

QTEST_APPLESS_MAIN(tst_SetupCore)
#include "tst_setupcore.moc"
