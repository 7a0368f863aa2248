#include "app/MainWindow.h"
#include "editor/CodeEditor.h"
#include "search/core/FindText.h"
#include "search/SearchCommands.h"
#include "search/FindDialogs.h"
#include "support/FakeServices.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "editor/EditorText.h"

namespace {
struct Window {
    FakeServices fake;
    std::unique_ptr<MainWindow> w;
    explicit Window(const QByteArray &text)
    {
        fake.writeFile("Template.yab", text);
        w = std::make_unique<MainWindow>(fake.services);
        w->start();
    }
    SearchCommands &s() { return w->search(); }
    // The selection as program positions: (1-based start, length).
    QPair<int, int> selection()
    {
        const QTextCursor c = w->controls().RichTextBox1->textCursor();
        const QTextDocument *d = c.document();
        const int a = EditorText::modelPosition(d, c.selectionStart());
        const int b = EditorText::modelPosition(d, c.selectionEnd());
        return {a + 1, b - a};
    }
    // Drives the modal Find dialog: types the text, sets Match Case, presses a button.
    void find(const QString &text, bool matchCase, const char *button = "findButton")
    {
        QTimer::singleShot(0, [=] {
            auto *d = qobject_cast<FindDialog *>(QApplication::activeModalWidget());
            QVERIFY(d);
            QCOMPARE(d->findChild<QLineEdit *>("findEdit")->text(), QString()); // a fresh dialog every time
            QVERIFY(!d->findChild<QPushButton *>("findButton")->isEnabled());
            d->findChild<QLineEdit *>("findEdit")->setText(text);
            d->findChild<QCheckBox *>("matchCaseCheck")->setChecked(matchCase);
            d->findChild<QPushButton *>(button)->click();
        });
        w->menus().mnueditfind->trigger();
    }
};
} // namespace

class tst_Search : public QObject {
    Q_OBJECT
private slots:
    void findText_data();
    void findText();
    void localeAwareCase();

    void findSelectsAndFindNextOverlaps();
    void findNextWrapsThroughTheMessage();
    void cancelledFindChangesNothing();
    void noMatchMessagesDiffer();
    void positionsCountLineBreaksTwice();

    void replaceSequence();
    void replaceDialogRemembersAfterReopen();
    void replaceWithNothingFound();
    void replaceAtStalePositionPastTheEnd();
    void replaceButtonsOnEmptyText();
};

void tst_Search::findText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<int>("found");
    QTest::newRow("first") << "a print b" << "print" << 1 << true << 3;
    QTest::newRow("case off finds upper") << "x PRINT" << "Print" << 1 << false << 3;
    QTest::newRow("case on misses upper") << "x PRINT" << "Print" << 1 << true << 0;
    QTest::newRow("start below 1") << "ab" << "a" << -5 << true << 1;
    QTest::newRow("start past end") << "ab" << "a" << 9 << true << 0;
    QTest::newRow("regex characters are plain") << "x = a.*b (c)" << ".*b (" << 1 << true << 6;
    QTest::newRow("non-ASCII letters") << "Grüße ÄRGER" << "ärger" << 1 << false << 7;
    QTest::newRow("empty search") << "abc" << "" << 1 << false << 0;
}

void tst_Search::findText()
{
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(int, start);
    QFETCH(bool, matchCase);
    QFETCH(int, found);
    QCOMPARE(FindText::find(text, what, start, matchCase), found);
}

void tst_Search::localeAwareCase()
{
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    // In Turkish the capital of dotless ı is I, and the capital of i is İ.
    QCOMPARE(FindText::find("KALIP", "kalıp", 1, false), 1);
    QCOMPARE(FindText::find("İSTANBUL", "istanbul", 1, false), 1);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(FindText::find("KALIP", "kalip", 1, false), 1);
    QCOMPARE(FindText::foldCase("ÅÉÎ").size(), 3);
    QLocale::setDefault(old);
}

void tst_Search::findSelectsAndFindNextOverlaps()
{
    Window t("aaaa");
    t.find("aa", false);
    QCOMPARE(t.s().searchText, QStringLiteral("aa"));
    QCOMPARE(t.selection(), qMakePair(1, 2));
    QCOMPARE(t.s().nextSearchStart, 2);
    t.w->menus().mnueditfindnext->setEnabled(true);
    t.w->editMenuAboutToShow();
    QVERIFY(t.w->menus().mnueditfindnext->isEnabled());
    t.w->menus().mnueditfindnext->trigger();
    QCOMPARE(t.selection(), qMakePair(2, 2));
    t.w->menus().mnueditfindnext->trigger();
    QCOMPARE(t.selection(), qMakePair(3, 2));
    QVERIFY(t.fake.prompter.messages.isEmpty());
}

void tst_Search::findNextWrapsThroughTheMessage()
{
    Window t("print 1\nPRINT 2\nPrint 3");
    t.find("Print", false);
    QCOMPARE(t.selection(), qMakePair(1, 5));
    t.s().findNext();
    QCOMPARE(t.selection(), qMakePair(10, 5));
    t.s().findNext();
    QCOMPARE(t.selection(), qMakePair(19, 5));
    t.fake.prompter.answerMessage(MsgResult::OK);
    t.s().findNext();
    QCOMPARE(t.fake.prompter.messages.size(), 1);
    QCOMPARE(t.fake.prompter.messages.first().title, QStringLiteral("No Match"));
    QCOMPARE(t.fake.prompter.messages.first().text, QStringLiteral("No Match was Found"));
    QCOMPARE(t.fake.prompter.messages.first().icon, MsgIcon::Information);
    QCOMPARE(t.s().nextSearchStart, 1);
    t.s().findNext();
    QCOMPARE(t.selection(), qMakePair(1, 5));

    // With Match Case only the exact spelling is found.
    t.find("Print", true);
    QCOMPARE(t.selection(), qMakePair(19, 5));
}

void tst_Search::cancelledFindChangesNothing()
{
    Window t("abc abc");
    t.s().findNext(); // before any Find: nothing, silently
    QVERIFY(t.fake.prompter.messages.isEmpty());
    t.find("bc", true);
    QCOMPARE(t.selection(), qMakePair(2, 2));
    t.find("c", false, "cancelButton");
    QCOMPARE(t.s().searchText, QStringLiteral("bc"));
    QCOMPARE(t.s().matchCase, qint16(1));
    QCOMPARE(t.selection(), qMakePair(2, 2));
    // The help button opens the help page and leaves the dialog open.
    QTimer::singleShot(0, [&] {
        auto *d = qobject_cast<FindDialog *>(QApplication::activeModalWidget());
        QVERIFY(d);
        d->findChild<QPushButton *>("helpButton")->click();
        QVERIFY(d->isVisible());
        d->reject();
    });
    t.w->menus().mnueditfind->trigger();
    QCOMPARE(t.fake.shell.opened, QStringList{t.fake.path("hlp00001.htm")});
}

void tst_Search::noMatchMessagesDiffer()
{
    Window t("abc");
    t.fake.prompter.answerMessage(MsgResult::OK);
    t.find("zzz", false);
    const MessageRequest &m = t.fake.prompter.messages.first();
    QCOMPARE(m.title, QStringLiteral("No Match"));
    QCOMPARE(m.text, QStringLiteral("No Match was Found"));
    QCOMPARE(m.icon, MsgIcon::None); // the Find dialog's box has no icon
    QCOMPARE(m.buttons, MsgButtons::OK);
}

void tst_Search::positionsCountLineBreaksTwice()
{
    Window t("ab\ncd\nef");
    t.find("e", true);
    QCOMPARE(t.s().nextSearchStart, 10); // "ab" CR LF "cd" CR LF: e stands at 9
    QCOMPARE(t.selection(), qMakePair(9, 1));
    QCOMPARE(t.w->controls().RichTextBox1->textCursor().selectedText(), QStringLiteral("e"));
}

void tst_Search::replaceSequence()
{
    Window t("a");
    t.w->menus().mnueditreplace->trigger();
    ReplaceDialog *r = t.s().replaceDialog();
    QVERIFY(r && r->isVisible());
    QCOMPARE(r->windowTitle(), QStringLiteral("Replace"));
    r->findChild<QLineEdit *>("findEdit")->setText("a");
    r->findChild<QLineEdit *>("replaceEdit")->setText("aa");
    r->findChild<QPushButton *>("findNextButton")->click();
    QCOMPARE(t.s().lastFoundPos, 1);
    QVERIFY(r->findChild<QPushButton *>("replaceButton")->isEnabled());
    r->findChild<QPushButton *>("replaceButton")->click();
    QCOMPARE(t.w->editorText(), QStringLiteral("aa"));
    QVERIFY(!r->findChild<QPushButton *>("replaceButton")->isEnabled());
    QVERIFY(t.w->documents().state().fileChanged);
    r->findChild<QPushButton *>("findNextButton")->click(); // from position 2: the second a
    QCOMPARE(t.s().lastFoundPos, 2);
    r->findChild<QLineEdit *>("replaceEdit")->setText("");
    r->findChild<QPushButton *>("replaceButton")->click(); // an empty replacement deletes
    QCOMPARE(t.w->editorText(), QStringLiteral("a"));
    t.fake.prompter.answerMessage(MsgResult::OK);
    r->findChild<QPushButton *>("findNextButton")->click();
    QCOMPARE(t.fake.prompter.messages.last().text, QStringLiteral("No Match were found"));
    QCOMPARE(t.fake.prompter.messages.last().icon, MsgIcon::Information);
    QCOMPARE(t.s().lastFoundPos, 0);
    QVERIFY(!r->findChild<QPushButton *>("replaceButton")->isEnabled());
    r->findChild<QPushButton *>("findNextButton")->click(); // starts at the top again
    QCOMPARE(t.s().lastFoundPos, 1);
}

void tst_Search::replaceDialogRemembersAfterReopen()
{
    Window t("xxxxxxxxx print print");
    t.w->menus().mnueditreplace->trigger();
    ReplaceDialog *r = t.s().replaceDialog();
    r->findChild<QLineEdit *>("findEdit")->setText("print");
    r->findChild<QPushButton *>("findNextButton")->click();
    QCOMPARE(t.s().lastFoundPos, 11);
    r->findChild<QPushButton *>("closeButton")->click();
    QTRY_VERIFY(!t.s().replaceDialog());
    t.w->menus().mnueditreplace->trigger();
    r = t.s().replaceDialog();
    QVERIFY(r);
    QCOMPARE(r->findChild<QLineEdit *>("findEdit")->text(), QString());
    r->findChild<QLineEdit *>("findEdit")->setText("print");
    r->findChild<QPushButton *>("findNextButton")->click();
    QCOMPARE(t.s().lastFoundPos, 17); // continued after position 11
}

void tst_Search::replaceWithNothingFound()
{
    Window t("abc");
    t.w->menus().mnueditreplace->trigger();
    ReplaceDialog *r = t.s().replaceDialog();
    QVERIFY(r->findChild<QPushButton *>("replaceButton")->isEnabled());
    t.fake.prompter.answerMessage(MsgResult::OK);
    r->findChild<QPushButton *>("replaceButton")->click();
    const MessageRequest &m = t.fake.prompter.messages.first();
    QCOMPARE(m.title, QStringLiteral("Replace?"));
    QCOMPARE(m.text, QStringLiteral("There are no text to replace"));
    QCOMPARE(m.icon, MsgIcon::Information);
    QVERIFY(!r->findChild<QPushButton *>("replaceButton")->isEnabled());
    QCOMPARE(t.w->editorText(), QStringLiteral("abc"));
}

void tst_Search::replaceAtStalePositionPastTheEnd()
{
    Window t("hello world");
    t.w->menus().mnueditreplace->trigger();
    ReplaceDialog *r = t.s().replaceDialog();
    r->findChild<QLineEdit *>("findEdit")->setText("world");
    r->findChild<QPushButton *>("findNextButton")->click();
    QCOMPARE(t.s().lastFoundPos, 7);
    // The text becomes shorter behind the dialog's back.
    t.w->selectAllText();
    t.w->controls().RichTextBox1->textCursor().insertText("hello wo");
    r->findChild<QLineEdit *>("replaceEdit")->setText("X");
    r->findChild<QPushButton *>("replaceButton")->click();
    QCOMPARE(t.w->editorText(), QStringLiteral("hello X"));
}

void tst_Search::replaceButtonsOnEmptyText()
{
    Window t("");
    t.w->menus().mnueditreplace->trigger();
    ReplaceDialog *r = t.s().replaceDialog();
    QVERIFY(!r->findChild<QPushButton *>("findNextButton")->isEnabled());
    QVERIFY(!r->findChild<QPushButton *>("replaceButton")->isEnabled());
    QVERIFY(t.w->close()); // the close sequence closes the dialog too
    QTRY_VERIFY(!t.s().replaceDialog());
}

QTEST_MAIN(tst_Search)
#include "tst_search.moc"
