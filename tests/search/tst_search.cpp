#include "app/MainWindow.h"
#include "editor/CodeEditor.h"
#include "search/core/FindText.h"
#include "search/SearchCommands.h"
#include "search/FindDialogs.h"
#include "support/FakeServices.h"
#include "support/WindowProbe.h"

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
    SearchCommands &s() { return search(*w); }
    // The selection as program positions: (1-based start, length).
    QPair<int, int> selection()
    {
        const QTextCursor c = codeEditor(*w)->textCursor();
        const QTextDocument *d = c.document();
        const int a = EditorText::modelPosition(d, c.selectionStart());
        const int b = EditorText::modelPosition(d, c.selectionEnd());
        return {a + 1, b - a};
    }
    // Drives the modal Find dialog: types the text, sets Match Case, presses a button.
    void find(const QString &text, bool matchCase, const char *button = "FindButton")
    {
        QTimer::singleShot(0, [=] {
            auto *d = qobject_cast<FindDialog *>(QApplication::activeModalWidget());
            QVERIFY(d);
            QCOMPARE(d->Text1->text(), QString()); // a fresh dialog every time
            QVERIFY(!d->FindButton->isEnabled());
            d->Text1->setText(text);
            d->Check1->setChecked(matchCase);
            d->findChild<QPushButton *>(button)->click();
        });
        action(*w, "editFind")->trigger();
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
    action(*t.w, "editFindNext")->setEnabled(true);
    t.w->editMenuAboutToShow();
    QVERIFY(action(*t.w, "editFindNext")->isEnabled());
    action(*t.w, "editFindNext")->trigger();
    QCOMPARE(t.selection(), qMakePair(2, 2));
    action(*t.w, "editFindNext")->trigger();
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
    t.find("c", false, "CancelButton");
    QCOMPARE(t.s().searchText, QStringLiteral("bc"));
    QCOMPARE(t.s().matchCase, qint16(1));
    QCOMPARE(t.selection(), qMakePair(2, 2));
    // The help button opens the help page and leaves the dialog open.
    QTimer::singleShot(0, [&] {
        auto *d = qobject_cast<FindDialog *>(QApplication::activeModalWidget());
        QVERIFY(d);
        d->HelpButton->click();
        QVERIFY(d->isVisible());
        d->reject();
    });
    action(*t.w, "editFind")->trigger();
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
    QCOMPARE(codeEditor(*t.w)->textCursor().selectedText(), QStringLiteral("e"));
}

void tst_Search::replaceSequence()
{
    Window t("a");
    action(*t.w, "editReplace")->trigger();
    ReplaceDialog *r = t.s().replaceDialog();
    QVERIFY(r && r->isVisible());
    QCOMPARE(r->windowTitle(), QStringLiteral("Replace"));
    r->FindBox->setText("a");
    r->ReplaceBox->setText("aa");
    r->FindNextButton->click();
    QCOMPARE(t.s().lastFoundPos, 1);
    QVERIFY(r->ReplaceButton->isEnabled());
    r->ReplaceButton->click();
    QCOMPARE(editorText(*t.w), QStringLiteral("aa"));
    QVERIFY(!r->ReplaceButton->isEnabled());
    QVERIFY(documents(*t.w).state().fileChanged);
    r->FindNextButton->click(); // from position 2: the second a
    QCOMPARE(t.s().lastFoundPos, 2);
    r->ReplaceBox->setText("");
    r->ReplaceButton->click(); // an empty replacement deletes
    QCOMPARE(editorText(*t.w), QStringLiteral("a"));
    t.fake.prompter.answerMessage(MsgResult::OK);
    r->FindNextButton->click();
    QCOMPARE(t.fake.prompter.messages.last().text, QStringLiteral("No Match were found"));
    QCOMPARE(t.fake.prompter.messages.last().icon, MsgIcon::Information);
    QCOMPARE(t.s().lastFoundPos, 0);
    QVERIFY(!r->ReplaceButton->isEnabled());
    r->FindNextButton->click(); // starts at the top again
    QCOMPARE(t.s().lastFoundPos, 1);
}

void tst_Search::replaceDialogRemembersAfterReopen()
{
    Window t("xxxxxxxxx print print");
    action(*t.w, "editReplace")->trigger();
    ReplaceDialog *r = t.s().replaceDialog();
    r->FindBox->setText("print");
    r->FindNextButton->click();
    QCOMPARE(t.s().lastFoundPos, 11);
    r->CloseButton->click();
    QTRY_VERIFY(!t.s().replaceDialog());
    action(*t.w, "editReplace")->trigger();
    r = t.s().replaceDialog();
    QVERIFY(r);
    QCOMPARE(r->FindBox->text(), QString());
    r->FindBox->setText("print");
    r->FindNextButton->click();
    QCOMPARE(t.s().lastFoundPos, 17); // continued after position 11
}

void tst_Search::replaceWithNothingFound()
{
    Window t("abc");
    action(*t.w, "editReplace")->trigger();
    ReplaceDialog *r = t.s().replaceDialog();
    QVERIFY(r->ReplaceButton->isEnabled());
    t.fake.prompter.answerMessage(MsgResult::OK);
    r->ReplaceButton->click();
    const MessageRequest &m = t.fake.prompter.messages.first();
    QCOMPARE(m.title, QStringLiteral("Replace?"));
    QCOMPARE(m.text, QStringLiteral("There are no text to replace"));
    QCOMPARE(m.icon, MsgIcon::Information);
    QVERIFY(!r->ReplaceButton->isEnabled());
    QCOMPARE(editorText(*t.w), QStringLiteral("abc"));
}

void tst_Search::replaceAtStalePositionPastTheEnd()
{
    Window t("hello world");
    action(*t.w, "editReplace")->trigger();
    ReplaceDialog *r = t.s().replaceDialog();
    r->FindBox->setText("world");
    r->FindNextButton->click();
    QCOMPARE(t.s().lastFoundPos, 7);
    // The text becomes shorter behind the dialog's back.
    editor(*t.w).selectAllText();
    codeEditor(*t.w)->textCursor().insertText("hello wo");
    r->ReplaceBox->setText("X");
    r->ReplaceButton->click();
    QCOMPARE(editorText(*t.w), QStringLiteral("hello X"));
}

void tst_Search::replaceButtonsOnEmptyText()
{
    Window t("");
    action(*t.w, "editReplace")->trigger();
    ReplaceDialog *r = t.s().replaceDialog();
    QVERIFY(!r->FindNextButton->isEnabled());
    QVERIFY(!r->ReplaceButton->isEnabled());
    QVERIFY(t.w->close()); // the close sequence closes the dialog too
    QTRY_VERIFY(!t.s().replaceDialog());
}

QTEST_MAIN(tst_Search)
#include "tst_search.moc"
