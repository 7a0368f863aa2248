#include "platform/core/UserFiles.h"
// The language helper and the code snippets in a real main window.

#include "assist/LanguageHelper.h"
#include "assist/SnippetWindow.h"
#include "support/TestWindow.h"

namespace {
template <class T = QPushButton> T *child(const QWidget *w, const char *name) { return part<T>(*w, name); }
QStringList titles(const QWidget *w) { return listTexts(part<QListWidget>(*w, "titleList")); }
} // namespace

class tst_LanguageAids : public QObject {
    Q_OBJECT
private slots:

    void languageHelper()
    {
        TestWindow t("print 1\n");
        t.fake.writeFile("yabcomds.dat", "\"PRINT\",\"print @hi@\",\"PRINT item\"\n\"THEN\",\"\",\"IF c THEN\"\n"
                                         "\"NOTE\",\"rem x\",\"\"\n");
        MainWindow &w = t.start(); // "LangHelp" is 1 when not set
        auto *helper = w.findChild<LanguageHelper *>("languageHelper");
        QVERIFY(helper && helper->isVisible());
        QCOMPARE(helper->frameGeometry().topRight(), w.frameGeometry().topRight() + QPoint(0, 40));
        auto *list = child<QListWidget>(helper, "commandList");
        const auto labels = [helper] {
            return child<QLabel>(helper, "commandLabel")->text() + "|" + child<QLabel>(helper, "formatLabel")->text()
                   + (child<QLabel>(helper, "formatCaption")->isHidden() ? "|hidden" : "|Format:");
        };
        list->setCurrentRow(0);
        QCOMPARE(labels(), QString("PRINT|PRINT item|Format:"));
        list->setCurrentRow(2);
        QCOMPARE(labels(), QString("||hidden"));

        // Twice at the caret, each on its own line, coloured at once; an empty template types nothing.
        t.caretTo(0);
        for (int row : {0, 0, 1}) {
            const QPoint at = list->visualItemRect(list->item(row)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        }
        QCOMPARE(t.text(), QString("print \"hi\"\nprint \"hi\"\nprint 1"));
        QCOMPARE(t.colours({0, 17}), QString("blue brown"));

        // A window too short for list and panel keeps its last layout.
        auto *panel = child<QFrame>(helper, "formatPanel");
        helper->resize(240, 480);
        QTRY_COMPARE(panel->y(), helper->height() - panel->height());
        const QRect before = panel->geometry();
        helper->resize(240, 2 * panel->height());
        QTRY_COMPARE(helper->height(), 2 * panel->height());
        QVERIFY(panel->geometry() == before && list->height() == before.y());

        // Not at start-up when switched off; the toolbar button opens the shipped list.
        TestWindow off("");
        off.set("Startup", "LangHelp", "0");
        QVERIFY(!off.start().findChild<LanguageHelper *>());
        clickToolbar(*off.w, "langhelp");
        action(*off.w, "tools", 0)->trigger(); // brings the open one forward
        QCOMPARE(off.w->findChildren<LanguageHelper *>().size(), 1);
        QVERIFY(child<QListWidget>(off.w->findChild<LanguageHelper *>(), "commandList")->count() > 190);
    }

    void codeSnippets()
    {
        TestWindow t("print 0\n");
        const QByteArray shipped("\"One\",\"print 1\x07\x08print 2\"\r\n\"Two\",\"rem two\"\r\n");
        const QString shippedPath = t.fake.writeFile("Snips.dat", shipped);
        const QString own = UserFiles::userDataFolder() + "/Snips.dat";
        MainWindow &w = t.start();
        ScriptedPrompter &ask = t.fake.prompter;
        SnippetWindow *win = nullptr;
        QListWidget *list = nullptr;
        QPlainTextEdit *code = nullptr;
        const auto open = [&] {
            QTRY_VERIFY(!w.findChild<SnippetWindow *>()); // the last one has gone
            action(w, "tools", 4)->trigger();
            win = w.findChild<SnippetWindow *>("codeSnippets");
            list = child<QListWidget>(win, "titleList");
            code = child<QPlainTextEdit>(win, "codeEdit");
        };
        const auto press = [&](const char *button, std::optional<MsgResult> answer = {}) {
            if (answer)
                ask.answerMessage(*answer);
            child(win, button)->click();
        };
        open();
        win->close(); // unchanged: the shipped file stays the one read
        QVERIFY(!QFile::exists(own));
        open();
        QCOMPARE(titles(win), (QStringList{"One", "Two"}));
        QCOMPARE(code->toPlainText(), QString("print 1\nprint 2"));
        list->setCurrentRow(1);
        QCOMPARE(code->toPlainText(), QString("rem two"));

        ask.answerInput("Three");
        ask.cancelDialog(); // a cancelled box adds nothing
        code->setPlainText("x = 1");
        press("addButton");
        press("addButton");
        const InputRequest &in = ask.inputs.value(0);
        QCOMPARE(in.prompt + "|" + in.title + "|" + in.defaultText,
                 QString("Choose a Title for your snippet of code:|Provide Snippet Name|New Snippet"));
        QCOMPARE(titles(win), (QStringList{"One", "Two", "Three"}));
        QVERIFY(list->currentRow() == 1 && win->snippets().value(2).code == "x = 1");
        code->setPlainText("rem a\nrem b");
        press("changeButton");
        QCOMPARE(win->snippets().value(1).code, QString("rem a\r\nrem b"));
        press("removeButton"); // removes "Two"; the text stays and nothing is selected
        press("changeButton");
        QCOMPARE(titles(win), (QStringList{"One", "Three"}));
        QVERIFY(code->toPlainText() == "rem a\nrem b" && win->snippets().value(0).code == "print 1\r\nprint 2");
        t.caretTo(0);
        code->setPlainText("rem a\nprint b");
        press("insertButton");
        QCOMPARE(t.text(), QString("rem a\nprint bprint 0"));
        QCOMPARE(t.colours({0, 6}), QString("green blue")); // coloured like typed code

        // Questions answered No change nothing.
        press("revertButton", MsgResult::No);
        press("saveButton", MsgResult::No);
        QVERIFY(!QFile::exists(own) && titles(win).size() == 2);
        press("saveButton", MsgResult::Yes);
        const QByteArray saved("\"One\",\"print 1\x07\x08print 2\"\r\n\"Three\",\"x = 1\"\r\n");
        QVERIFY(readBytes(own) == saved && readBytes(shippedPath) == shipped);
        const auto asked = [&ask](int i) {
            const MessageRequest &m = ask.messages.value(i);
            return m.title + "|" + m.text + (m.buttons == MsgButtons::YesNo && m.icon == MsgIcon::None ? "" : "|?");
        };
        QCOMPARE(asked(0), QString("Revert Snippet Data|Are you sure you want to revert to the snippet data on disk, "
                                   "and lose all change?"));
        QCOMPARE(asked(2), QString("Save Snippet Data|Are you sure you want to save the snippet data and lose the "
                                   "possibility to revert?"));

        // Removing everything and closing leaves the file as it was.
        for (int i = 0; i < 2; ++i) {
            list->setCurrentRow(0);
            press("removeButton");
        }
        win->close();
        QCOMPARE(readBytes(own), saved);

        // The next window reads the user's copy and reverts to it; a failed write is told.
        open();
        ask.answerInput("Four");
        press("addButton");
        press("revertButton", MsgResult::Yes);
        QCOMPARE(titles(win), (QStringList{"One", "Three"}));
        QCOMPARE(code->toPlainText(), QString("print 1\nprint 2"));
        list->setCurrentRow(1);
        QCOMPARE(code->toPlainText(), QString("x = 1"));
        press("removeButton");
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", shippedPath.toUtf8()); // a file: no folder can be made there
        ask.answerMessage(MsgResult::Cancel);
        win->close();
        qputenv("XDG_DATA_HOME", dataHome);
        QVERIFY(asked(4).startsWith("Save Snippet Data|Your snippets could not be saved to "));
        QVERIFY(ask.messages.value(4).buttons == MsgButtons::RetryCancel && ask.unexpected.isEmpty());
    }
};

QTEST_MAIN(tst_LanguageAids)
#include "tst_languageaids.moc"
