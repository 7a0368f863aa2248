// The Line Browser and its properties dialog, worked through their widgets.

#include "search/core/LineReferences.h"
#include "search/LineBrowser.h"
#include "search/LineReferenceDialog.h"
#include "support/FakeServices.h"
#include "support/WindowProbe.h"

#include <QtWidgets>

namespace {
template <class T = QPushButton> T *child(const QWidget *w, const char *name) { return part<T>(*w, name); }
QListWidget *list(const QWidget *b) { return child<QListWidget>(b, "referenceList"); }
QStringList entries(const QWidget *b)
{
    QStringList out;
    for (int i = 0; i < list(b)->count(); ++i)
        out << list(b)->item(i)->text();
    return out;
}

// An owner window with the code editor, the run's table and the fake services, as the main window gives them.
struct Bench {
    FakeServices fake;
    LineReferences references;
    QWidget owner;
    CodeEditor *editor = new CodeEditor(&owner);
    QStringList seen; // each properties dialog shown: "caption | offset label | line label"
    bool ran = false; // the answer of the last press has had its turn

    LineBrowser *open()
    {
        owner.setGeometry(100, 100, 820, 600);
        owner.show();
        auto *b = new LineBrowser(references, editor, fake.prompter, fake.shell, fake.folder.path(), &owner);
        b->show();
        b->placeBesideOwner();
        return b;
    }
    QList<int> caret() const { return {editor->textCursor().anchor(), editor->textCursor().position()}; }
    // Sets the caret (or a selection) and presses a browser button. A properties dialog that opens is recorded,
    // given Help first if asked, `typed` as the caption, closed by `how`: "okButton", "cancelButton", "close", "enter".
    void press(QWidget *b, const char *button, int anchor, int position, const char *how = "cancelButton",
               const QString &typed = "typed", bool help = false)
    {
        QTextCursor c(editor->document());
        c.setPosition(anchor);
        c.setPosition(position, QTextCursor::KeepAnchor);
        editor->setTextCursor(c);
        ran = false;
        QTimer::singleShot(0, editor, [=] { // dropped with the editor, should a test end early
            ran = true;
            auto *d = qobject_cast<LineReferenceDialog *>(QApplication::activeModalWidget());
            if (!d)
                return;
            auto *caption = child<QLineEdit>(d, "captionEdit");
            seen << caption->text() + " | " + child<QLabel>(d, "offsetLabel")->text() + " | " + child<QLabel>(d, "lineNumberLabel")->text();
            if (help)
                child(d, "helpButton")->click();
            caption->setText(typed);
            if (QByteArray(how) == "enter")
                QTest::keyClick(caption, Qt::Key_Return);
            else
                QByteArray(how) == "close" ? void(d->close()) : child(d, how)->click();
            if (d->isVisible()) // never leave a test waiting on an open dialog
                d->reject();
        });
        child(b, button)->click();
        QTRY_VERIFY(ran);
    }
};
} // namespace

class tst_LineBrowser : public QObject {
    Q_OBJECT
private slots:
    // One browser walked through: adds closed each way, remove, reopen, edit, go, a full table.
    void addRemoveEditGo()
    {
        // Qt positions: "a"0 "c"3 "é"6 "€"7 "x"8; a line break counts two in the program.
        const QString text = QString::fromUtf8("ab\ncd\n\xC3\xA9\xE2\x82\xACx");
        Bench t;
        t.editor->setPlainText(text);
        QPointer<LineBrowser> b = t.open();
        QCOMPARE(b->frameGeometry().topRight(), t.owner.frameGeometry().topRight() + QPoint(0, 40));

        // The Help page is missing, which is told; Cancel and the close box keep the
        // default caption; Enter confirms; a selection counts from its start.
        t.fake.shell.result = ShellResult::FileNotFound;
        t.fake.prompter.answerMessage(MsgResult::OK);
        t.press(b, "addButton", 6, 6, "cancelButton", "typed", true);
        QCOMPARE(t.fake.shell.opened, QStringList{t.fake.path("hlp00001.htm")});
        const MessageRequest m = t.fake.prompter.messages.value(0);
        QCOMPARE(m.title + "|" + m.text, "File Access Error|The Address was not Found.");
        QCOMPARE(m.icon, MsgIcon::Critical);
        t.press(b, "addButton", 4, 1, "enter", "Setup");
        t.press(b, "addButton", 3, 5, "close");
        t.press(b, "addButton", 8, 9, "okButton", ""); // the non-ASCII letters count one each
        QCOMPARE(t.seen, (QStringList{"Line reference to Line 3 | Character Offset: 8 | Line Number: 3",
                                      "Line reference to Line 1 | Character Offset: 1 | Line Number: 1",
                                      "Line reference to Line 2 | Character Offset: 4 | Line Number: 2",
                                      "Line reference to Line 3 | Character Offset: 10 | Line Number: 3"}));
        QCOMPARE(entries(b), (QStringList{"Line reference to Line 3 (line 3)", "Setup (line 1)",
                                          "Line reference to Line 2 (line 2)", " (line 3)"}));
        QCOMPARE(t.caret(), (QList<int>{8, 9})); // adding moves no caret and changes no text
        QCOMPARE(t.editor->toPlainText(), text);

        list(b)->setCurrentRow(1);
        child(b, "removeButton")->click();
        QStringList left{"Line reference to Line 3 (line 3)", "Line reference to Line 2 (line 2)", " (line 3)"};
        QCOMPARE(entries(b), left);
        QVERIFY(list(b)->selectedItems().isEmpty());
        b->close();
        QTRY_VERIFY(!b); // closing discards the window, not the references

        QPointer<LineBrowser> again = t.open();
        // Remove, Go and Edit do nothing without a selected entry, even with a current row.
        list(again)->setCurrentRow(1, QItemSelectionModel::NoUpdate);
        for (const char *button : {"removeButton", "goToButton", "editButton"})
            t.press(again, button, 5, 7, "okButton");
        QCOMPARE(entries(again), left);
        QCOMPARE(t.caret() << int(t.seen.size()), (QList<int>{5, 7, 4}));
        // Edit shows the selected reference and renames it.
        list(again)->setCurrentRow(1);
        t.press(again, "editButton", 0, 0, "okButton", "middle");
        QCOMPARE(t.seen.last(), "Line reference to Line 2 | Character Offset: 4 | Line Number: 2");
        left[1] = "middle (line 2)";
        QCOMPARE(entries(again), left);

        // Go puts a caret (no selection) there and leaves the focus in the browser.
        again->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(again));
        list(again)->setCurrentRow(2);
        list(again)->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(list(again)));
        t.press(again, "goToButton", 0, 2);
        QCOMPARE(t.caret(), (QList<int>{8, 8}));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(list(again)));
        // The stored offsets (8, 4, 10) go to the text as it is now, the entries unchanged.
        const QList<std::tuple<QString, int, int>> changed{
            {"xyzab\ncdef", 0, 7},                                // the offset, not the place it pointed to
            {"abc\nd", 1, 3},                                     // between CR and LF: the end of that line
            {"p\nq", 2, 3},                                       // past the end
            {QString::fromUtf8("a\n\xF0\x9F\x98\x80" "c"), 1, 2}}; // inside a two-unit character: its start
        for (const auto &[changedText, row, caret] : changed) {
            t.editor->setPlainText(changedText);
            list(again)->setCurrentRow(row);
            t.press(again, "goToButton", 0, 0);
            QCOMPARE(t.caret(), (QList<int>{caret, caret}));
        }
        QCOMPARE(entries(again), left);

        // With all 100 slots used, Add shows no dialog and replaces nothing.
        for (int i = t.references.count(); i < LineReferences::SlotCount; ++i)
            t.references.add(0, 1);
        t.press(again, "addButton", 2, 2, "okButton");
        QCOMPARE((QList<qsizetype>{t.seen.size(), entries(again).size(), t.references.at(99).characterOffset}),
                 (QList<qsizetype>{5, 100, 0}));
        QVERIFY(t.fake.prompter.unexpected.isEmpty() && t.fake.prompter.messages.size() == 1);
    }
};

QTEST_MAIN(tst_LineBrowser)
#include "tst_linebrowser.moc"
