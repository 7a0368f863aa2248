// The Line Browser and its properties dialog, worked through their widgets.

#include "editor/CodeEditor.h"
#include "search/core/LineReferences.h"
#include "search/LineBrowser.h"
#include "search/LineReferenceDialog.h"
#include "support/FakeServices.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>
#include <QtTest>

namespace {
enum class Answer { OK, Cancel, CloseBox, Enter };

template <class T> T *child(const QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QLatin1String(name));
    if (!c)
        qFatal("no widget %s", name);
    return c;
}
QListWidget *list(const QWidget *b) { return child<QListWidget>(b, "referenceList"); }
void click(const QWidget *w, const char *button) { child<QPushButton>(w, button)->click(); }

QStringList entries(const LineBrowser *b)
{
    QStringList out;
    for (int i = 0; i < list(b)->count(); ++i)
        out << list(b)->item(i)->text();
    return out;
}

// An owner window with the code editor, the table of the run and the fake
// services: the parts the browser is given by the main window.
struct Bench {
    FakeServices fake;
    LineReferences references;
    QWidget owner;
    CodeEditor *editor = new CodeEditor(&owner);
    int dialogs = 0;     // properties dialogs answered
    int armed = 0;       // answers waiting for their turn of the event loop
    QStringList seen;    // what the last one showed: caption, offset, line number
    QStringList texts;   // its title, labels and buttons ("*" marks the default)

    explicit Bench(const QString &text)
    {
        editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        editor->setPlainText(text);
        owner.resize(820, 600);
        owner.move(100, 100);
        owner.show();
    }

    LineBrowser *open()
    {
        auto *b = new LineBrowser(references, editor, fake.prompter, fake.shell, fake.folder.path(), &owner);
        b->show();
        b->placeBesideOwner();
        return b;
    }

    // Answers the next properties dialog: records what it shows, types `typed`
    // (unless null) and closes it the given way.
    void answer(Answer how, const QString &typed = QString(), bool help = false)
    {
        ++armed;
        QTimer::singleShot(0, [this, how, typed, help] {
            --armed;
            auto *d = qobject_cast<LineReferenceDialog *>(QApplication::activeModalWidget());
            if (!d)
                return;
            ++dialogs;
            auto *caption = child<QLineEdit>(d, "captionEdit");
            seen = QStringList{caption->text(), child<QLabel>(d, "offsetLabel")->text(),
                               child<QLabel>(d, "lineNumberLabel")->text()};
            texts = QStringList{d->windowTitle()};
            for (const QLabel *l : d->findChildren<QLabel *>())
                texts << l->text();
            for (const QPushButton *p : d->findChildren<QPushButton *>())
                texts << p->text() + (p->isDefault() ? "*" : "");
            if (help)
                click(d, "helpButton");
            if (!typed.isNull())
                caption->setText(typed);
            switch (how) {
            case Answer::OK: click(d, "okButton"); break;
            case Answer::Cancel: click(d, "cancelButton"); break;
            case Answer::CloseBox: d->close(); break;
            case Answer::Enter: QTest::keyClick(caption, Qt::Key_Return); break;
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

    // Adds a reference at the caret through the browser, answering its dialog.
    void add(LineBrowser *b, int qtPosition, const QString &name, Answer how = Answer::OK)
    {
        setCaret(qtPosition, qtPosition);
        answer(how, name);
        click(b, "addButton");
    }
};

void select(LineBrowser *b, int row)
{
    list(b)->setCurrentRow(row);
    QVERIFY(list(b)->item(row)->isSelected());
}
} // namespace

class tst_LineBrowser : public QObject {
    Q_OBJECT
private slots:
    void windowTextsAndPlace();
    void addTakesTheSelectionStart_data();
    void addTakesTheSelectionStart();
    void theHundredAndFirstAdd();
    void removeEditAndReopen();
    void goToTheStoredOffset_data();
    void goToTheStoredOffset();
};

void tst_LineBrowser::windowTextsAndPlace()
{
    Bench t("print 1");
    t.setCaret(0, 0);
    LineBrowser *b = t.open();
    QStringList texts{b->windowTitle()};
    for (const char *name : {"addButton", "removeButton", "goToButton", "editButton"})
        texts << child<QPushButton>(b, name)->text();
    QCOMPARE(texts, (QStringList{"Line Browser", "Add Line Reference", "Remove Line Reference",
                                 "Go to Line Reference", "Edit Line Reference"}));
    QVERIFY(b->isWindow() && !b->isModal());
    QCOMPARE(b->frameGeometry().right(), t.owner.frameGeometry().right());
    QCOMPARE(b->frameGeometry().top(), t.owner.frameGeometry().top() + 40);

    // The properties dialog; its Help page is missing, which is told, and the
    // dialog goes on working.
    t.fake.shell.result = ShellResult::FileNotFound;
    t.fake.prompter.answerMessage(MsgResult::OK);
    t.answer(Answer::OK, "named", true);
    click(b, "addButton");
    QCOMPARE(t.texts, (QStringList{"Line Reference Properties", "Caption:", "Line Geometry:", "Character Offset: 0",
                                   "Line Number: 1", "OK*", "Cancel", "&Help"}));
    QCOMPARE(t.fake.shell.opened, QStringList{t.fake.path("hlp00001.htm")});
    QCOMPARE(t.fake.prompter.messages.size(), 1);
    const MessageRequest &m = t.fake.prompter.messages[0];
    QCOMPARE((QStringList{m.title, m.text}), (QStringList{"File Access Error", "The Address was not Found."}));
    QCOMPARE(m.icon, MsgIcon::Critical);
    QVERIFY(t.fake.prompter.unexpected.isEmpty());
    QCOMPARE(entries(b), QStringList{"named (line 1)"});
}

void tst_LineBrowser::addTakesTheSelectionStart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("anchor"); // Qt document positions
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("how");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("offset"); // program positions: a line break counts two
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("entry");
    const QString abc = "ab\ncd\nef";
    QTest::newRow("start of line 3, Cancel still adds by default")
        << abc << 6 << 6 << int(Answer::Cancel) << "typed" << 8 << 3 << "Line reference to Line 3 (line 3)";
    QTest::newRow("selection made forwards, OK with a name")
        << abc << 4 << 7 << int(Answer::OK) << "Main loop" << 5 << 2 << "Main loop (line 2)";
    QTest::newRow("selection made backwards, Enter confirms")
        << abc << 7 << 1 << int(Answer::Enter) << "Setup" << 1 << 1 << "Setup (line 1)";
    QTest::newRow("empty text, close box still adds by default")
        << "" << 0 << 0 << int(Answer::CloseBox) << "typed" << 0 << 1 << "Line reference to Line 1 (line 1)";
    QTest::newRow("non-ASCII letters, OK with an empty caption")
        << QString::fromUtf8("é\n€x") << 3 << 3 << int(Answer::OK) << "" << 4 << 2 << " (line 2)";
}

void tst_LineBrowser::addTakesTheSelectionStart()
{
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(int, how);
    QFETCH(QString, typed);
    QFETCH(int, offset);
    QFETCH(int, line);
    QFETCH(QString, entry);
    Bench t(text);
    LineBrowser *b = t.open();
    t.setCaret(anchor, position);
    t.answer(Answer(how), typed);
    click(b, "addButton");
    QCOMPARE(t.dialogs, 1);
    QCOMPARE(t.seen, (QStringList{QStringLiteral("Line reference to Line %1").arg(line),
                                  QStringLiteral("Character Offset: %1").arg(offset),
                                  QStringLiteral("Line Number: %1").arg(line)}));
    QCOMPARE(entries(b), QStringList{entry});
    QVERIFY(list(b)->selectedItems().isEmpty());
    // Adding neither moves the caret nor changes the text.
    QCOMPARE((QList<int>{t.editor->textCursor().anchor(), t.editor->textCursor().position()}), (QList<int>{anchor, position}));
    QCOMPARE(t.editor->toPlainText(), text);
}

void tst_LineBrowser::theHundredAndFirstAdd()
{
    Bench t("a\nb\nc");
    for (int i = 0; i < 99; ++i)
        t.references.add(i, i + 1);
    LineBrowser *b = t.open();
    t.add(b, 2, "hundredth"); // start of line 2: offset 3
    const QStringList before = entries(b);
    QCOMPARE(before.size(), 100);
    QCOMPARE(before.last(), QStringLiteral("hundredth (line 2)"));

    // No properties dialog and no message: the armed answer finds nothing to answer.
    t.add(b, 4, "hundred and first");
    QTRY_COMPARE(t.armed, 0);
    QCOMPARE(t.dialogs, 1);
    QCOMPARE(entries(b), before);
    QCOMPARE(t.references.at(99).characterOffset, 3);
    QVERIFY(t.fake.prompter.messages.isEmpty() && t.fake.prompter.unexpected.isEmpty());
}

void tst_LineBrowser::removeEditAndReopen()
{
    Bench t("one\ntwo\nthree\n");
    QPointer<LineBrowser> b = t.open();
    t.add(b, 0, "first");
    t.add(b, 4, "second");
    t.add(b, 9, "third"); // before "hree": offset 11 on line 3
    select(b, 1);
    click(b, "removeButton");
    QCOMPARE(entries(b), (QStringList{"first (line 1)", "third (line 3)"}));
    QVERIFY(list(b)->selectedItems().isEmpty());

    b->close();
    QTRY_VERIFY(!b); // closing discards the window, not the references
    QPointer<LineBrowser> again = t.open();
    // Remove, Go and Edit do nothing without a selected entry, even with a current row.
    list(again)->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    t.setCaret(5, 7);
    for (const char *button : {"removeButton", "goToButton", "editButton"}) {
        t.answer(Answer::OK, "renamed");
        click(again, button);
        QTRY_COMPARE(t.armed, 0);
    }
    QCOMPARE(t.dialogs, 3);
    QCOMPARE(entries(again), (QStringList{"first (line 1)", "third (line 3)"}));
    QCOMPARE((QList<int>{t.editor->textCursor().anchor(), t.editor->textCursor().position()}), (QList<int>{5, 7}));

    // The second entry of the reopened list is the third reference: Edit shows
    // it and renames it only.
    select(again, 1);
    t.answer(Answer::OK, "last");
    click(again, "editButton");
    QCOMPARE(t.dialogs, 4);
    QCOMPARE(t.seen, (QStringList{"third", "Character Offset: 11", "Line Number: 3"}));
    QCOMPARE(entries(again), (QStringList{"first (line 1)", "last (line 3)"}));
    QCOMPARE(t.references.at(1).characterOffset, 11);

    // Go moves the caret there and leaves the focus in the browser.
    t.setCaret(0, 0);
    again->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(again));
    select(again, 1);
    list(again)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(list(again)));
    click(again, "goToButton");
    QCOMPARE(t.editor->textCursor().position(), 9);
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget *>(again.data()));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(list(again)));
}

void tst_LineBrowser::goToTheStoredOffset_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("addAt");     // Qt position of the caret when added
    QTest::addColumn<QString>("after"); // the text when "Go" is pressed
    QTest::addColumn<int>("caret");     // Qt position of the caret after "Go"
    // "d" on line 4 is program offset 9 (three line breaks of two characters).
    const QString abcd = "a\nb\nc\nd";
    QTest::newRow("two characters inserted above: earlier in the program") << abcd << 6 << "xya\nb\nc\nd" << 7;
    QTest::newRow("offset between CR and LF: end of that line") << abcd << 6 << "xa\nb\nc\nd" << 6;
    QTest::newRow("past the end of a shorter text") << abcd << 7 << "p\nq" << 3;
    QTest::newRow("another file, now empty") << abcd << 6 << "" << 0;
    QTest::newRow("offset exactly at the end") << abcd << 7 << abcd << 7;
    // One letter added above puts the stored offset between the two halves of
    // the character that starts line 2.
    QTest::newRow("offset inside a two-unit character: its start")
        << QString::fromUtf8("ab\n\xF0\x9F\x98\x80" "c") << 5 << QString::fromUtf8("abz\n\xF0\x9F\x98\x80" "c") << 4;
}

void tst_LineBrowser::goToTheStoredOffset()
{
    QFETCH(QString, text);
    QFETCH(int, addAt);
    QFETCH(QString, after);
    QFETCH(int, caret);
    Bench t(text);
    LineBrowser *b = t.open();
    t.add(b, addAt, QString(), Answer::Cancel);
    const QStringList stored = entries(b);
    t.editor->setPlainText(after);
    t.setCaret(0, qMin(1, after.size())); // a selection that Go replaces by a caret
    select(b, 0);
    click(b, "goToButton");
    QCOMPARE(t.editor->textCursor().position(), caret);
    QVERIFY(!t.editor->textCursor().hasSelection());
    QCOMPARE(entries(b), stored); // the line shown stays as stored
    QCOMPARE(t.editor->toPlainText(), after);
}

QTEST_MAIN(tst_LineBrowser)
#include "tst_linebrowser.moc"
