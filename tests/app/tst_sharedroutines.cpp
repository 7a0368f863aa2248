#include "common/core/FileNames.h"
#include "common/core/ShellErrors.h"
#include "common/core/TextCodes.h"
#include "run/core/Interpreter.h"
#include "support/FakeServices.h"

#include <QtTest>

class tst_SharedRoutines : public QObject {
    Q_OBJECT
private slots:
    void fileNameAndInterpreterFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::newRow("windows path") << "C:\\Yabasic\\b.yab" << "b.yab" << "C:\\Yabasic\\";
        QTest::newRow("unix path") << "/usr/bin/yabasic" << "yabasic" << "/usr/bin/";
        QTest::newRow("mixed separators") << "C:\\a/b\\c.bas" << "c.bas" << "C:\\a/b\\";
        QTest::newRow("ends in a separator") << "C:\\a\\" << "" << "C:\\a\\";
        QTest::newRow("bare name") << "Untitled" << "Untitled" << "";
        QTest::newRow("empty") << "" << "" << "";
    }
    void fileNameAndInterpreterFolder()
    {
        QFETCH(QString, path);
        QTEST(fileNameOnly(path), "name");
        QTEST(Interpreter::interpreterFolderOf(path), "folder");
    }
    void encodingsAreReversibleAndKeepLength()
    {
        const QString text = QStringLiteral("a\r\nb \"q\"\r\n");
        const QString lines = encodeLineBreaks(text);
        QCOMPARE(lines, QStringLiteral("a") + QChar(7) + QChar(8) + QStringLiteral("b \"q\"") + QChar(7) + QChar(8));
        const QString both = encodeQuotes(lines);
        QCOMPARE(both, QString(lines).replace('"', QChar(14)));
        QCOMPARE(decodeLineBreaks(decodeQuotes(both)), text);
    }
    void shellOpenReportsFailures_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("text"); // empty: success, no message
        QTest::newRow("2 file") << 2 << "The Address was not Found.";
        QTest::newRow("3 path") << 3 << "The Path was not Found.";
        QTest::newRow("5 denied") << 5 << "URL Access Failed: Access was denied to the Address.";
        QTest::newRow("8 memory") << 8 << "There was no more Memory or resources. Free up some memory by closing some Programs.";
        QTest::newRow("26 sharing") << 26 << "URL Access Failed: There was a file sharing violation.";
        QTest::newRow("27 association") << 27 << "URL Access Failed: Program association was Incomplete.";
        QTest::newRow("28 dde timeout") << 28 << "URL Access Failed: DDE operation to associated program was Timed out.";
        QTest::newRow("29 dde failed") << 29 << "URL Access Failed: DDE operation to associated program failed.";
        QTest::newRow("30 dde busy") << 30 << "URL Access Failed: DDE operation to associated program was busy.";
        QTest::newRow("31 no program") << 31 << "URL Access Failed: There was no program associated to this Address. To view this Internet address a associated Internet browser is needed.";
        QTest::newRow("32 extension") << 32 << "URL Access Failed: A needed program extension was not found.";
        QTest::newRow("0 unknown") << 0 << "URL Access Failed: Unknown Error - Error Code is 0";
        QTest::newRow("11 unknown") << 11 << "URL Access Failed: Unknown Error - Error Code is 11";
        QTest::newRow("33 success") << 33 << "";
        QTest::newRow("42 success") << 42 << "";
    }
    void shellOpenReportsFailures()
    {
        QFETCH(int, result);
        QFETCH(QString, text);
        FakeServices fake;
        fake.shell.result = result;
        fake.prompter.answerMessage(MsgResult::OK);
        shellOpen(fake.shell, fake.prompter, "C:\\prog\\hlp00005.htm");
        QCOMPARE(fake.shell.opened, QStringList{"C:\\prog\\hlp00005.htm"});
        QCOMPARE(fake.prompter.messages.size(), text.isEmpty() ? 0 : 1);
        if (text.isEmpty())
            return;
        const MessageRequest &m = fake.prompter.messages.first();
        QCOMPARE(m.title, result == 2 ? "File Access Error" : "Address Access Error");
        QCOMPARE(m.text, text);
        QCOMPARE(m.buttons, MsgButtons::OK);
        QCOMPARE(m.icon, MsgIcon::Critical);
    }
    void versionAndDetection()
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
};

QTEST_GUILESS_MAIN(tst_SharedRoutines)
#include "tst_sharedroutines.moc"
