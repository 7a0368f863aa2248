#include "app/modMain.h"
#include "editor/CodeEditor.h"
#include "search/LineReferences.h"
#include "search/frmLineBrowser.h"
#include "search/frmLineGeo.h"
#include "support/FakeServices.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {
// What a properties dialog showed when it was answered.
struct GeoSeen {
    int count = 0;
    QString title, caption, offset, line;
};

enum class Answer { OK, Cancel, CloseBox, Escape, Enter };

// An owner window with the code editor, the table of the run and the fake
// services: the parts the browser is given by the main window.
struct Bench {
    FakeServices fake;
    LineReferences references;
    QWidget owner;
    CodeEditor *editor = new CodeEditor(&owner);
    GeoSeen seen;

    Bench()
    {
        editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        owner.resize(820, 600);
        owner.move(100, 100);
        owner.show();
    }

    frmLineBrowser *open()
    {
        auto *b = new frmLineBrowser(references, editor, fake.prompter, fake.shell,
                                     fake.folder.path(), &owner);
        b->show();
        b->placeBesideOwner();
        return b;
    }

    // Answers the next properties dialog: records what it shows, lets `act`
    // work on it, then closes it the given way. A dialog that never opens is
    // not answered (seen.count stays as it was).
    void answerGeo(Answer how, const QString &typed = QString(),
                   std::function<void(frmLineGeo *)> act = {})
    {
        QTimer::singleShot(0, [this, how, typed, act] {
            auto *d = qobject_cast<frmLineGeo *>(QApplication::activeModalWidget());
            if (!d)
                return;
            ++seen.count;
            seen.title = d->windowTitle();
            seen.caption = d->Text1->text();
            seen.offset = d->Label3->text();
            seen.line = d->Label4->text();
            if (act)
                act(d);
            if (!typed.isNull())
                d->Text1->setText(typed);
            switch (how) {
            case Answer::OK: d->Command1->click(); break;
            case Answer::Cancel: d->Command2->click(); break;
            case Answer::CloseBox: d->close(); break;
            case Answer::Escape: QTest::keyClick(d, Qt::Key_Escape); break;
            case Answer::Enter: QTest::keyClick(d->Text1, Qt::Key_Return); break;
            }
            if (d->isVisible()) // never leave a test waiting on an open dialog
                d->reject();
        });
    }

    void setCaret(int anchor, int position)
    {
        QTextCursor c(editor->document());
        c.setPosition(anchor);
        c.setPosition(position, QTextCursor::KeepAnchor);
        editor->setTextCursor(c);
    }

    // Adds a reference at the caret through the browser and names it.
    void add(frmLineBrowser *b, int qtPosition, const QString &name)
    {
        setCaret(qtPosition, qtPosition);
        answerGeo(Answer::OK, name);
        b->Command1->click();
    }
};

QStringList entries(const frmLineBrowser *b)
{
    QStringList out;
    for (int i = 0; i < b->List1->count(); ++i)
        out << b->List1->item(i)->text();
    return out;
}

void select(frmLineBrowser *b, int row)
{
    b->List1->setCurrentRow(row);
    QVERIFY(b->List1->item(row)->isSelected());
}
} // namespace

class tst_LineBrowser : public QObject {
    Q_OBJECT
private slots:
    void windowTexts();
    void placedBesideTheOwner();

    void addTakesTheSelectionStart_data();
    void addTakesTheSelectionStart();
    void addAnsweredEachWay_data();
    void addAnsweredEachWay();
    void theHundredAndFirstAdd();

    void removeSecondOfThreeAndReopen();
    void noSelectionDoesNothing_data();
    void noSelectionDoesNothing();

    void goToTheStoredOffset_data();
    void goToTheStoredOffset();
    void goKeepsTheFocusInTheBrowser();

    void editTheSelectedReference_data();
    void editTheSelectedReference();
    void helpOpensThePage_data();
    void helpOpensThePage();
};

void tst_LineBrowser::windowTexts()
{
    Bench t;
    t.editor->setPlainText("print 1");
    t.setCaret(0, 0);
    frmLineBrowser *b = t.open();
    QCOMPARE(b->windowTitle(), QStringLiteral("Line Browser"));
    QCOMPARE(b->Command1->text(), QStringLiteral("Add Line Reference"));
    QCOMPARE(b->Command2->text(), QStringLiteral("Remove Line Reference"));
    QCOMPARE(b->Command3->text(), QStringLiteral("Go to Line Reference"));
    QCOMPARE(b->Command4->text(), QStringLiteral("Edit Line Reference"));
    QVERIFY(b->isWindow());
    QVERIFY(!b->isModal());
    QCOMPARE(b->parentWidget(), &t.owner);

    QStringList texts;
    bool okIsDefault = false;
    QWidget *dialogParent = nullptr;
    t.answerGeo(Answer::Cancel, QString(), [&](frmLineGeo *d) {
        for (const QLabel *l : d->findChildren<QLabel *>())
            texts << l->text();
        for (const QPushButton *p : d->findChildren<QPushButton *>())
            texts << p->text();
        okIsDefault = d->Command1->isDefault();
        dialogParent = d->parentWidget();
    });
    b->Command1->click();
    QCOMPARE(t.seen.count, 1);
    QCOMPARE(t.seen.title, QStringLiteral("Line Reference Properties"));
    for (const char *text : {"Caption:", "Line Geometry:", "Character Offset: 0", "Line Number: 1",
                             "OK", "Cancel", "&Help"})
        QVERIFY2(texts.contains(QString::fromLatin1(text)), text);
    QVERIFY(okIsDefault);
    QCOMPARE(dialogParent, b);
}

void tst_LineBrowser::placedBesideTheOwner()
{
    Bench t;
    frmLineBrowser *b = t.open();
    const QRect owner = t.owner.frameGeometry();
    QCOMPARE(b->frameGeometry().right(), owner.right());
    QCOMPARE(b->frameGeometry().top(), owner.top() + 40);
}

void tst_LineBrowser::addTakesTheSelectionStart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("anchor"); // Qt document positions
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("offset"); // program positions: a line break counts two
    QTest::addColumn<int>("line");
    QTest::newRow("start of the text") << "ab\ncd\nef" << 0 << 0 << 0 << 1;
    QTest::newRow("end of line 1") << "ab\ncd\nef" << 2 << 2 << 2 << 1;
    QTest::newRow("start of line 2") << "ab\ncd\nef" << 3 << 3 << 4 << 2;
    QTest::newRow("start of line 3") << "ab\ncd\nef" << 6 << 6 << 8 << 3;
    QTest::newRow("end of the text") << "ab\ncd\nef" << 8 << 8 << 10 << 3;
    QTest::newRow("selection made forwards") << "ab\ncd\nef" << 4 << 7 << 5 << 2;
    QTest::newRow("selection made backwards") << "ab\ncd\nef" << 7 << 1 << 1 << 1;
    QTest::newRow("empty lines count") << "\n\n\nx" << 3 << 3 << 6 << 4;
    QTest::newRow("empty text") << "" << 0 << 0 << 0 << 1;
    QTest::newRow("non-ASCII letters") << QString::fromUtf8("é\n€x") << 3 << 3 << 4 << 2;
}

void tst_LineBrowser::addTakesTheSelectionStart()
{
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(int, offset);
    QFETCH(int, line);
    Bench t;
    t.editor->setPlainText(text);
    frmLineBrowser *b = t.open();
    t.setCaret(anchor, position);
    t.answerGeo(Answer::Cancel);
    b->Command1->click();
    QCOMPARE(t.seen.count, 1);
    QCOMPARE(t.seen.offset, QStringLiteral("Character Offset: %1").arg(offset));
    QCOMPARE(t.seen.line, QStringLiteral("Line Number: %1").arg(line));
    QCOMPARE(t.seen.caption, QStringLiteral("Line reference to Line %1").arg(line));
    QCOMPARE(t.references.at(0).characterOffset, offset);
    QCOMPARE(t.references.at(0).lineNumber, line);
    QCOMPARE(entries(b), QStringList{QStringLiteral("Line reference to Line %1 (line %1)").arg(line)});
    // Adding neither moves the caret nor changes the text.
    QCOMPARE(t.editor->textCursor().anchor(), anchor);
    QCOMPARE(t.editor->textCursor().position(), position);
    QCOMPARE(t.editor->toPlainText(), text);
    QVERIFY(t.fake.prompter.messages.isEmpty());
}

void tst_LineBrowser::addAnsweredEachWay_data()
{
    QTest::addColumn<int>("how");
    QTest::addColumn<QString>("typed"); // null: left as shown
    QTest::addColumn<QString>("entry");
    const QString byDefault = "Line reference to Line 2 (line 2)";
    QTest::newRow("OK with a name") << int(Answer::OK) << "Main loop" << "Main loop (line 2)";
    QTest::newRow("OK keeping the default") << int(Answer::OK) << QString() << byDefault;
    QTest::newRow("OK with an empty caption") << int(Answer::OK) << "" << " (line 2)";
    QTest::newRow("Enter confirms") << int(Answer::Enter) << "Setup" << "Setup (line 2)";
    QTest::newRow("Cancel keeps the default") << int(Answer::Cancel) << "typed" << byDefault;
    QTest::newRow("Escape cancels") << int(Answer::Escape) << "typed" << byDefault;
    QTest::newRow("close box cancels") << int(Answer::CloseBox) << "typed" << byDefault;
}

void tst_LineBrowser::addAnsweredEachWay()
{
    QFETCH(int, how);
    QFETCH(QString, typed);
    QFETCH(QString, entry);
    Bench t;
    t.editor->setPlainText("x = 1\nprint x\n");
    frmLineBrowser *b = t.open();
    t.setCaret(8, 8);
    t.answerGeo(Answer(how), typed);
    b->Command1->click();
    QCOMPARE(t.seen.count, 1);
    QCOMPARE(entries(b), QStringList{entry});
    QCOMPARE(t.references.Count(), 1);
    QCOMPARE(t.references.at(0).characterOffset, 9);
    QVERIFY(b->List1->selectedItems().isEmpty());
    QVERIFY(t.fake.prompter.messages.isEmpty());
}

void tst_LineBrowser::theHundredAndFirstAdd()
{
    Bench t;
    t.editor->setPlainText("a\nb\nc");
    for (int i = 0; i < 99; ++i)
        t.references.Add(i, i + 1);
    frmLineBrowser *b = t.open();
    QCOMPARE(b->List1->count(), 99);

    t.add(b, 2, "hundredth"); // start of line 2: offset 3
    QCOMPARE(t.seen.count, 1);
    QStringList before = entries(b);
    QCOMPARE(before.size(), 100);
    QCOMPARE(before.last(), QStringLiteral("hundredth (line 2)"));

    t.setCaret(4, 4);
    t.answerGeo(Answer::OK, "hundred and first");
    b->Command1->click();
    QTest::qWait(0); // let the armed answer run, if a dialog had been expected
    QCOMPARE(t.seen.count, 1); // no properties dialog
    QCOMPARE(entries(b), before);
    QCOMPARE(t.references.Count(), 100);
    QCOMPARE(t.references.at(99).characterOffset, 3);
    QVERIFY(t.fake.prompter.messages.isEmpty());
    QVERIFY(t.fake.prompter.unexpected.isEmpty());
}

void tst_LineBrowser::removeSecondOfThreeAndReopen()
{
    Bench t;
    t.editor->setPlainText("one\ntwo\nthree\n");
    QPointer<frmLineBrowser> b = t.open();
    t.add(b, 0, "first");
    t.add(b, 4, "second");
    t.add(b, 8, "third");
    QCOMPARE(entries(b), (QStringList{"first (line 1)", "second (line 2)", "third (line 3)"}));

    select(b, 1);
    b->Command2->click();
    const QStringList left{"first (line 1)", "third (line 3)"};
    QCOMPARE(entries(b), left);
    QVERIFY(b->List1->selectedItems().isEmpty());

    b->close();
    QTRY_VERIFY(!b); // closing discards the window, not the references
    QPointer<frmLineBrowser> again = t.open();
    QCOMPARE(entries(again), left);

    // The second entry of the reopened list is the third reference.
    t.setCaret(0, 0);
    select(again, 1);
    again->Command3->click();
    QCOMPARE(t.editor->textCursor().position(), 8);
    QCOMPARE(t.seen.count, 3);
}

void tst_LineBrowser::noSelectionDoesNothing_data()
{
    QTest::addColumn<int>("button"); // 2 Remove, 3 Go, 4 Edit
    QTest::addColumn<bool>("currentRowSet");
    QTest::newRow("remove") << 2 << false;
    QTest::newRow("go") << 3 << false;
    QTest::newRow("edit") << 4 << false;
    QTest::newRow("remove, current row not selected") << 2 << true;
    QTest::newRow("go, current row not selected") << 3 << true;
    QTest::newRow("edit, current row not selected") << 4 << true;
}

void tst_LineBrowser::noSelectionDoesNothing()
{
    QFETCH(int, button);
    QFETCH(bool, currentRowSet);
    Bench t;
    t.editor->setPlainText("ab\ncd\nef");
    t.references.Add(0, 1);
    t.references.Add(4, 2);
    frmLineBrowser *b = t.open();
    if (currentRowSet)
        b->List1->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    QVERIFY(b->List1->selectedItems().isEmpty());
    const QStringList before = entries(b);
    t.setCaret(5, 7);

    t.answerGeo(Answer::OK, "renamed");
    QPushButton *buttons[] = {nullptr, nullptr, b->Command2, b->Command3, b->Command4};
    buttons[button]->click();
    QTest::qWait(0);
    QCOMPARE(t.seen.count, 0);
    QCOMPARE(entries(b), before);
    QCOMPARE(t.references.Count(), 2);
    QCOMPARE(t.editor->textCursor().anchor(), 5);
    QCOMPARE(t.editor->textCursor().position(), 7);
    QVERIFY(t.fake.prompter.messages.isEmpty());
}

void tst_LineBrowser::goToTheStoredOffset_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("addAt");     // Qt position of the caret when added
    QTest::addColumn<QString>("after"); // the text when "Go" is pressed
    QTest::addColumn<int>("caret");     // Qt position of the caret after "Go"
    QTest::addColumn<QString>("entry");
    // "d" on line 4 is program offset 9 (three line breaks of two characters).
    const QString abcd = "a\nb\nc\nd";
    QTest::newRow("text unchanged") << abcd << 6 << abcd << 6 << "Line reference to Line 4 (line 4)";
    QTest::newRow("two characters inserted above: earlier in the program")
        << abcd << 6 << "xya\nb\nc\nd" << 7 << "Line reference to Line 4 (line 4)";
    QTest::newRow("offset between CR and LF: end of that line")
        << abcd << 6 << "xa\nb\nc\nd" << 6 << "Line reference to Line 4 (line 4)";
    QTest::newRow("a line inserted above") << abcd << 6 << "new\na\nb\nc\nd" << 7
                                           << "Line reference to Line 4 (line 4)";
    QTest::newRow("past the end of a shorter text") << abcd << 6 << "hi" << 2
                                                    << "Line reference to Line 4 (line 4)";
    QTest::newRow("past the end of a shorter text with breaks") << abcd << 7 << "p\nq" << 3
                                                                << "Line reference to Line 4 (line 4)";
    QTest::newRow("another file, now empty") << abcd << 6 << "" << 0
                                             << "Line reference to Line 4 (line 4)";
    // Line 2 starts with a character of two UTF-16 units; one letter added
    // above puts the stored offset between its halves.
    const QString emoji = QString::fromUtf8("ab\n\xF0\x9F\x98\x80" "c");
    QTest::newRow("offset inside a two-unit character: its start")
        << emoji << 5 << QString::fromUtf8("abz\n\xF0\x9F\x98\x80" "c") << 4
        << "Line reference to Line 2 (line 2)";
    QTest::newRow("offset exactly at the end") << abcd << 7 << "a\nb\nc\nd" << 7
                                               << "Line reference to Line 4 (line 4)";
}

void tst_LineBrowser::goToTheStoredOffset()
{
    QFETCH(QString, text);
    QFETCH(int, addAt);
    QFETCH(QString, after);
    QFETCH(int, caret);
    QFETCH(QString, entry);
    Bench t;
    t.editor->setPlainText(text);
    frmLineBrowser *b = t.open();
    t.setCaret(addAt, addAt);
    t.answerGeo(Answer::Cancel);
    b->Command1->click();
    t.editor->setPlainText(after);
    t.setCaret(0, qMin(1, after.size())); // a selection that Go replaces by a caret

    select(b, 0);
    b->Command3->click();
    QCOMPARE(t.editor->textCursor().position(), caret);
    QVERIFY(!t.editor->textCursor().hasSelection());
    QCOMPARE(entries(b), QStringList{entry}); // the line shown stays as stored
    QVERIFY(b->List1->item(0)->isSelected());
    QCOMPARE(t.editor->toPlainText(), after);
    // Typing at the caret keeps every character whole.
    QTest::keyClicks(t.editor, "Q");
    QCOMPARE(QString::fromUtf8(t.editor->toPlainText().toUtf8()), t.editor->toPlainText());
}

void tst_LineBrowser::goKeepsTheFocusInTheBrowser()
{
    Bench t;
    t.editor->setPlainText("a\nb\nc");
    t.references.Add(4, 3);
    frmLineBrowser *b = t.open();
    b->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b));
    select(b, 0);
    b->List1->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(b->List1));
    b->Command3->click();
    QCOMPARE(t.editor->textCursor().position(), 3);
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget *>(b));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(b->List1));
}

void tst_LineBrowser::editTheSelectedReference_data()
{
    QTest::addColumn<int>("how");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("renamed") << int(Answer::OK) << "loop"
                             << QStringList{"top (line 1)", "loop (line 2)", "end (line 3)"};
    QTest::newRow("emptied") << int(Answer::OK) << ""
                             << QStringList{"top (line 1)", " (line 2)", "end (line 3)"};
    QTest::newRow("cancelled") << int(Answer::Cancel) << "loop"
                               << QStringList{"top (line 1)", "middle (line 2)", "end (line 3)"};
}

void tst_LineBrowser::editTheSelectedReference()
{
    QFETCH(int, how);
    QFETCH(QString, typed);
    QFETCH(QStringList, list);
    Bench t;
    t.editor->setPlainText("top\nmiddle\nend");
    frmLineBrowser *b = t.open();
    t.add(b, 0, "top");
    t.add(b, 6, "middle"); // before "ddle": offset 7 on line 2
    t.add(b, 11, "end");
    select(b, 1);
    t.answerGeo(Answer(how), typed);
    b->Command4->click();
    QCOMPARE(t.seen.count, 4);
    QCOMPARE(t.seen.caption, QStringLiteral("middle"));
    QCOMPARE(t.seen.offset, QStringLiteral("Character Offset: 7"));
    QCOMPARE(t.seen.line, QStringLiteral("Line Number: 2"));
    QCOMPARE(entries(b), list);
    QCOMPARE(t.references.at(1).characterOffset, 7); // only the caption is edited
}

void tst_LineBrowser::helpOpensThePage_data()
{
    QTest::addColumn<int>("shellResult");
    QTest::addColumn<QString>("title"); // empty: no message
    QTest::addColumn<QString>("text");
    QTest::newRow("opened") << int(ShellResult::Success) << "" << "";
    QTest::newRow("page missing") << int(ShellResult::FileNotFound) << "File Access Error"
                                  << "The Address was not Found.";
}

void tst_LineBrowser::helpOpensThePage()
{
    QFETCH(int, shellResult);
    QFETCH(QString, title);
    QFETCH(QString, text);
    Bench t;
    t.fake.shell.result = shellResult;
    if (!title.isEmpty())
        t.fake.prompter.answerMessage(MsgResult::OK);
    frmLineBrowser *b = t.open();
    // Help leaves the dialog open and working.
    t.answerGeo(Answer::OK, "named", [](frmLineGeo *d) { d->Command3->click(); });
    b->Command1->click();
    QCOMPARE(t.fake.shell.opened, QStringList{t.fake.path("hlp00001.htm")});
    QCOMPARE(entries(b), QStringList{"named (line 1)"});
    if (title.isEmpty()) {
        QVERIFY(t.fake.prompter.messages.isEmpty());
    } else {
        QCOMPARE(t.fake.prompter.messages.size(), 1);
        QCOMPARE(t.fake.prompter.messages[0].title, title);
        QCOMPARE(t.fake.prompter.messages[0].text, text);
        QCOMPARE(t.fake.prompter.messages[0].icon, MsgIcon::Critical);
    }
    QVERIFY(t.fake.prompter.unexpected.isEmpty());
}

QTEST_MAIN(tst_LineBrowser)
#include "tst_linebrowser.moc"
