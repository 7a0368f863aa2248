#include "common/core/FileNames.h"
#include "common/core/ShellErrors.h"
#include "common/core/TextCodes.h"
#include "run/core/Interpreter.h"
#include "support/FakeServices.h"

#include <QtTest>

class tst_SharedRoutines : public QObject {
    Q_OBJECT
private slots:
    void fileNamesAndTextCodes()
    {
        const QList<std::array<QString, 3>> paths{{"C:\\Yabasic\\b.yab", "b.yab", "C:\\Yabasic\\"},
                                                  {"/usr/bin/yabasic", "yabasic", "/usr/bin/"},
                                                  {"C:\\a/b\\c.bas", "c.bas", "C:\\a/b\\"},
                                                  {"C:\\a\\", "", "C:\\a\\"},
                                                  {"Untitled", "Untitled", ""},
                                                  {"", "", ""}};
        for (const auto &[path, name, folder] : paths) {
            QCOMPARE(fileNameOnly(path), name);
            QCOMPARE(Interpreter::interpreterFolderOf(path), folder);
        }

        const QString text = QStringLiteral("a\r\nb \"q\"\r\n");
        const QString lines = encodeLineBreaks(text);
        QCOMPARE(lines, QStringLiteral("a") + QChar(7) + QChar(8) + QStringLiteral("b \"q\"") + QChar(7) + QChar(8));
        const QString both = encodeQuotes(lines);
        QCOMPARE(both, QString(lines).replace('"', QChar(14)));
        QCOMPARE(decodeLineBreaks(decodeQuotes(both)), text);
    }
    void shellOpenReportsFailures()
    {
        const QString url = "URL Access Failed: ", dde = url + "DDE operation to associated program ";
        const QList<std::pair<int, QString>> results{ // an empty text: success, no message
            {2, "The Address was not Found."}, {3, "The Path was not Found."},
            {5, url + "Access was denied to the Address."},
            {8, "There was no more Memory or resources. Free up some memory by closing some Programs."},
            {26, url + "There was a file sharing violation."}, {27, url + "Program association was Incomplete."},
            {28, dde + "was Timed out."}, {29, dde + "failed."}, {30, dde + "was busy."},
            {31, url + "There was no program associated to this Address. To view this Internet address a associated "
                       "Internet browser is needed."},
            {32, url + "A needed program extension was not found."}, {11, url + "Unknown Error - Error Code is 11"},
            {33, ""}};
        for (const auto &[result, text] : results) {
            FakeServices fake;
            fake.shell.result = result;
            fake.prompter.answerMessage(MsgResult::OK);
            shellOpen(fake.shell, fake.prompter, "C:\\prog\\hlp00005.htm");
            QCOMPARE(fake.shell.opened, QStringList{"C:\\prog\\hlp00005.htm"});
            QCOMPARE(fake.prompter.messages.size(), text.isEmpty() ? 0 : 1);
            if (text.isEmpty())
                continue;
            const MessageRequest &m = fake.prompter.messages.first();
            QCOMPARE(m.title, result == 2 ? "File Access Error" : "Address Access Error");
            QCOMPARE(m.text, text);
            QCOMPARE(m.buttons, MsgButtons::OK);
            QCOMPARE(m.icon, MsgIcon::Critical);
        }
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
