// The language helper and the code snippets in a real main window.

#include "assist/LanguageHelper.h"
#include "assist/SnippetWindow.h"
#include "support/TestWindow.h"

#include <QListWidget>
#include <QTemporaryDir>

namespace {
template <class T> T *child(const QWidget *w, const char *name) { return part<T>(*w, name); }
QStringList titles(const QWidget *w)
{
    QStringList out;
    const auto *list = child<QListWidget>(w, "titleList");
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}
void doubleClick(QListWidget *list, int row)
{
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}
QByteArray slurp(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}
} // namespace

class tst_LanguageAids : public QObject {
    Q_OBJECT
    QTemporaryDir m_dataHome;
private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", m_dataHome.path().toUtf8()); }

    void languageHelper()
    {
        TestWindow t("print 1\n");
        t.fake.writeFile("yabcomds.dat", "\"PRINT\",\"print @hi@\",\"PRINT item\"\n\"THEN\",\"\",\"IF c THEN\"\n"
                                         "\"NOTE\",\"rem x\",\"\"\n");
        MainWindow &w = t.start(); // "LangHelp" is 1 when not set
        auto *helper = w.findChild<LanguageHelper *>("languageHelper");
        QVERIFY(helper);
        QTRY_VERIFY(helper->isVisible());
        QCOMPARE(helper->frameGeometry().right(), w.frameGeometry().right());
        QCOMPARE(helper->frameGeometry().top(), w.frameGeometry().top() + 40);
        auto *list = child<QListWidget>(helper, "commandList");
        QCOMPARE(list->count(), 3);
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
        doubleClick(list, 0);
        doubleClick(list, 0);
        doubleClick(list, 1);
        QCOMPARE(t.text(), QString("print \"hi\"\nprint \"hi\"\nprint 1"));
        QCOMPARE(t.colours({0, 17}), QString("blue brown"));

        // A window too short for list and panel keeps its last layout.
        helper->resize(240, 480);
        auto *panel = child<QFrame>(helper, "formatPanel");
        QTRY_COMPARE(panel->y(), helper->height() - panel->height());
        const QRect before = panel->geometry();
        helper->resize(240, 2 * panel->height());
        QTRY_COMPARE(helper->height(), 2 * panel->height());
        QCOMPARE(panel->geometry(), before);
        QCOMPARE(list->height(), before.y());
    }

    void languageHelperOpenedOnRequest()
    {
        TestWindow t("");
        t.set("Startup", "LangHelp", "0");
        MainWindow &w = t.start();
        QVERIFY(!w.findChild<LanguageHelper *>());
        QVERIFY(toolBar(w)->button("langhelp")->isEnabled() && action(w, "tools", 0)->isEnabled());
        clickToolbar(w, "langhelp");
        QTRY_VERIFY(w.findChild<LanguageHelper *>() && w.findChild<LanguageHelper *>()->isVisible());
        action(w, "tools", 0)->trigger();
        QCOMPARE(w.findChildren<LanguageHelper *>().size(), 1);
        QVERIFY(child<QListWidget>(w.findChild<LanguageHelper *>(), "commandList")->count() > 190); // the shipped list
    }

    void codeSnippets()
    {
        TestWindow t("print 0\n");
        const QByteArray shipped("\"One\",\"print 1\x07\x08print 2\"\r\n\"Two\",\"rem two\"\r\n");
        const QString shippedPath = t.fake.writeFile("Snips.dat", shipped);
        const QString own = m_dataHome.filePath("vormeld/Snips.dat");
        QFile::remove(own);
        MainWindow &w = t.start();
        ScriptedPrompter &ask = t.fake.prompter;
        action(w, "tools", 4)->trigger();
        auto *win = w.findChild<SnippetWindow *>("codeSnippets");
        win->close(); // unchanged: the shipped file stays the one read
        QTRY_VERIFY(!w.findChild<SnippetWindow *>());
        QVERIFY(!QFile::exists(own));
        action(w, "tools", 4)->trigger();
        win = w.findChild<SnippetWindow *>("codeSnippets");
        QVERIFY(win && win->isVisible());
        auto *list = child<QListWidget>(win, "titleList");
        auto *code = child<QPlainTextEdit>(win, "codeEdit");
        const auto press = [win](const char *b) { child<QPushButton>(win, b)->click(); };
        QCOMPARE(titles(win), (QStringList{"One", "Two"}));
        QCOMPARE(code->toPlainText(), QString("print 1\nprint 2"));
        list->setCurrentRow(1);
        QCOMPARE(code->toPlainText(), QString("rem two"));

        ask.answerInput("Three");
        ask.cancelDialog(); // a cancelled box adds nothing
        code->setPlainText("x = 1");
        press("addButton");
        press("addButton");
        QCOMPARE(ask.inputs.value(0).prompt + "|" + ask.inputs.value(0).title + "|" + ask.inputs.value(0).defaultText,
                 QString("Choose a Title for your snippet of code:|Provide Snippet Name|New Snippet"));
        QCOMPARE(titles(win), (QStringList{"One", "Two", "Three"}));
        QCOMPARE(list->currentRow(), 1);
        QCOMPARE(win->snippets().value(2).code, QString("x = 1"));
        code->setPlainText("rem a\nrem b");
        press("changeButton");
        QCOMPARE(win->snippets().value(1).code, QString("rem a\r\nrem b"));
        press("removeButton"); // removes "Two"; the text stays and nothing is selected
        QCOMPARE(titles(win), (QStringList{"One", "Three"}));
        QCOMPARE(code->toPlainText(), QString("rem a\nrem b"));
        press("changeButton");
        QCOMPARE(win->snippets().value(0).code, QString("print 1\r\nprint 2"));
        t.caretTo(0);
        code->setPlainText("rem a\nprint b");
        press("insertButton");
        QCOMPARE(t.text(), QString("rem a\nprint bprint 0"));
        QCOMPARE(t.colours({0, 6}), QString("green blue")); // coloured like typed code

        ask.answerMessage(MsgResult::No);
        press("revertButton");
        QCOMPARE(titles(win), (QStringList{"One", "Three"}));
        const MessageRequest revert = ask.messages.value(0);
        QCOMPARE(revert.title + "|" + revert.text, QString("Revert Snippet Data|Are you sure you want to revert to "
                                                           "the snippet data on disk, and lose all change?"));
        QVERIFY(revert.buttons == MsgButtons::YesNo && revert.icon == MsgIcon::None);
        ask.answerMessage(MsgResult::No);
        ask.answerMessage(MsgResult::Yes);
        press("saveButton");
        QVERIFY(!QFile::exists(own));
        press("saveButton");
        const MessageRequest save = ask.messages.value(1);
        QCOMPARE(save.title + "|" + save.text, QString("Save Snippet Data|Are you sure you want to save the snippet "
                                                       "data and lose the possibility to revert?"));
        const QByteArray saved("\"One\",\"print 1\x07\x08print 2\"\r\n\"Three\",\"x = 1\"\r\n");
        QCOMPARE(slurp(own), saved);
        QCOMPARE(slurp(shippedPath), shipped);

        // Removing everything and closing leaves the file as it was.
        list->setCurrentRow(0);
        press("removeButton");
        list->setCurrentRow(0);
        press("removeButton");
        QVERIFY(titles(win).isEmpty());
        win->close();
        QCOMPARE(slurp(own), saved);
        QVERIFY(ask.unexpected.isEmpty());

        // The next window reads the user's copy; a write that fails is told, not lost silently.
        QTRY_VERIFY(!w.findChild<SnippetWindow *>());
        action(w, "tools", 4)->trigger();
        QTRY_VERIFY((win = w.findChild<SnippetWindow *>("codeSnippets")) && titles(win).size() == 2);
        qputenv("XDG_DATA_HOME", shippedPath.toUtf8()); // a file: no folder can be made there
        ask.answerInput("Four");
        child<QPushButton>(win, "addButton")->click();
        ask.answerMessage(MsgResult::Cancel);
        win->close();
        qputenv("XDG_DATA_HOME", m_dataHome.path().toUtf8());
        QCOMPARE(ask.messages.size(), 4);
        QCOMPARE(ask.messages.last().title, QString("Save Snippet Data"));
        QVERIFY(ask.messages.last().text.startsWith("Your snippets could not be saved to "));
        QVERIFY(ask.messages.last().buttons == MsgButtons::RetryCancel);
    }
};

QTEST_MAIN(tst_LanguageAids)
#include "tst_languageaids.moc"
