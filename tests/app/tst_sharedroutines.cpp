#include "common/core/FileNames.h"
#include "common/core/TextCodes.h"
#include "common/core/ShellErrors.h"
#include "run/core/Interpreter.h"
#include "support/FakeServices.h"

#include <QtTest>

class tst_SharedRoutines : public QObject {
    Q_OBJECT
private slots:
    void fileNameOnly_data();
    void fileNameOnly();
    void encodingsAreReversibleAndKeepLength();
    void shellOpenReportsFailures_data();
    void shellOpenReportsFailures();
    void interpreterFolder_data();
    void interpreterFolder();
    void versionAndDetection();
};

void tst_SharedRoutines::fileNameOnly_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("windows path") << "C:\\a\\b.yab" << "b.yab";
    QTest::newRow("bare name") << "b.yab" << "b.yab";
    QTest::newRow("ends in backslash") << "C:\\a\\" << "";
    QTest::newRow("unix path") << "/home/ann/progs/b.yab" << "b.yab";
    QTest::newRow("mixed separators") << "C:\\a/b\\c.bas" << "c.bas";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("untitled") << "Untitled" << "Untitled";
}

void tst_SharedRoutines::fileNameOnly()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(::fileNameOnly(path), name);
}

void tst_SharedRoutines::encodingsAreReversibleAndKeepLength()
{
    const QString text = QStringLiteral("a\r\nb \"q\"\r\n");
    const QString lines = encodeLineBreaks(text);
    QCOMPARE(lines, QStringLiteral("a") + QChar(7) + QChar(8) + QStringLiteral("b \"q\"") + QChar(7) + QChar(8));
    QCOMPARE(decodeLineBreaks(lines), text);

    const QString both = encodeQuotes(lines);
    QCOMPARE(both.size(), text.size());
    QVERIFY(!both.contains('"') && !both.contains('\r') && !both.contains('\n'));
    QCOMPARE(both.count(QChar(14)), 2);
    QCOMPARE(decodeLineBreaks(decodeQuotes(both)), text);
    QCOMPARE(encodeLineBreaks(QString()), QString());
}

void tst_SharedRoutines::shellOpenReportsFailures_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    const QString access = "Address Access Error";
    QTest::newRow("2 file") << 2 << "File Access Error" << "The Address was not Found.";
    QTest::newRow("3 path") << 3 << access << "The Path was not Found.";
    QTest::newRow("5 denied") << 5 << access << "URL Access Failed: Access was denied to the Address.";
    QTest::newRow("8 memory") << 8 << access << "There was no more Memory or resources. Free up some memory by closing some Programs.";
    QTest::newRow("26 sharing") << 26 << access << "URL Access Failed: There was a file sharing violation.";
    QTest::newRow("27 association") << 27 << access << "URL Access Failed: Program association was Incomplete.";
    QTest::newRow("28 dde timeout") << 28 << access << "URL Access Failed: DDE operation to associated program was Timed out.";
    QTest::newRow("29 dde failed") << 29 << access << "URL Access Failed: DDE operation to associated program failed.";
    QTest::newRow("30 dde busy") << 30 << access << "URL Access Failed: DDE operation to associated program was busy.";
    QTest::newRow("31 no program") << 31 << access << "URL Access Failed: There was no program associated to this Address. To view this Internet address a associated Internet browser is needed.";
    QTest::newRow("32 extension") << 32 << access << "URL Access Failed: A needed program extension was not found.";
    QTest::newRow("0 unknown") << 0 << access << "URL Access Failed: Unknown Error - Error Code is 0";
    QTest::newRow("11 unknown") << 11 << access << "URL Access Failed: Unknown Error - Error Code is 11";
    QTest::newRow("33 success") << 33 << "" << "";
    QTest::newRow("42 success") << 42 << "" << "";
}

void tst_SharedRoutines::shellOpenReportsFailures()
{
    QFETCH(int, result);
    QFETCH(QString, title);
    QFETCH(QString, text);
    FakeServices fake;
    fake.shell.result = result;
    if (!title.isEmpty())
        fake.prompter.answerMessage(MsgResult::OK);
    shellOpen(fake.shell, fake.prompter, "C:\\prog\\hlp00005.htm");
    QCOMPARE(fake.shell.opened, QStringList{"C:\\prog\\hlp00005.htm"});
    if (title.isEmpty()) {
        QVERIFY(fake.prompter.messages.isEmpty());
        return;
    }
    QCOMPARE(fake.prompter.messages.size(), 1);
    const MessageRequest &m = fake.prompter.messages.first();
    QCOMPARE(m.title, title);
    QCOMPARE(m.text, text);
    QCOMPARE(m.buttons, MsgButtons::OK);
    QCOMPARE(m.icon, MsgIcon::Critical);
}

void tst_SharedRoutines::interpreterFolder_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::newRow("windows") << "C:\\Yabasic\\yabasic.exe" << "C:\\Yabasic\\";
    QTest::newRow("unix") << "/usr/bin/yabasic" << "/usr/bin/";
    QTest::newRow("no folder") << "yabasic.exe" << "";
    QTest::newRow("empty") << "" << "";
}

void tst_SharedRoutines::interpreterFolder()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QCOMPARE(Interpreter::interpreterFolderOf(path), folder);
}

void tst_SharedRoutines::versionAndDetection()
{
    FakeServices fake;
    SettingsAccess s(fake.settings, "vormeld");
    QCOMPARE(Interpreter::readYabasicVersion(fake.interpreterKey), QStringLiteral("[ErrorVersion]"));
    QString version = "2.90";
    QVERIFY(!Interpreter::detectInterpreterPath(s, fake.interpreterKey, &version));
    QCOMPARE(version, QStringLiteral("[ErrorVersion]"));
    QVERIFY(!s.stored("Run", "YABPath"));

    // The folder and the file name are joined as they are, with no separator added.
    fake.interpreterKey.values["path"] = "/opt/yab";
    fake.interpreterKey.values["version"] = "2.90.3";
    QVERIFY(Interpreter::detectInterpreterPath(s, fake.interpreterKey, &version));
    QCOMPARE(s.getSetting("Run", "YABPath"), "/opt/yab" + interpreterExecutableName());
    QCOMPARE(Interpreter::readYabasicVersion(fake.interpreterKey), QStringLiteral("2.90.3"));
}

QTEST_GUILESS_MAIN(tst_SharedRoutines)
#include "tst_sharedroutines.moc"
