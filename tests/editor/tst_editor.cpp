#include "app/MainToolbar.h"
#include "app/MainWindow.h"
#include "editor/CodeEditor.h"
#include "editor/EditorController.h"
#include "support/FakeServices.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QLabel>
#include <QTextBlock>
#include <QtTest>

namespace {
const QColor Blue(0, 0, 255), Brown(159, 52, 18), Green(0, 159, 0), Black(0, 0, 0);

struct Window {
    FakeServices fake;
    std::unique_ptr<MainWindow> w;
    explicit Window(const QByteArray &text, const QByteArray &hotinfo = QByteArray())
    {
        fake.writeFile("Template.yab", text);
        if (!hotinfo.isNull())
            fake.writeFile("hotinfo.dat", hotinfo);
        w = std::make_unique<MainWindow>(fake.services);
        w->start();
        editor()->setFocus();
    }
    CodeEditor *editor() { return w->controls().RichTextBox1; }
    EditorController &ctl() { return w->editor(); }
    QColor colourAt(int pos) { return ctl().colouring().colourAt(pos); }
    void caretTo(int pos)
    {
        QTextCursor c = editor()->textCursor();
        c.setPosition(pos);
        editor()->setTextCursor(c);
    }
    int undoCount() { return ctl().history.undoStack.count(); }
    int redoCount() { return ctl().history.redoStack.count(); }
};
} // namespace

class tst_Editor : public QObject {
    Q_OBJECT
private slots:
    void loadedTextIsColouredWithoutChangingIt();
    void typingResetsLineUntilCaretLeaves();
    void mouseReleaseOnAnotherLineRecolours();
    void pasteKeepsItsColourUntilRecoloured();
    void backspaceKeepsColoursOnTheirCharacters();

    void everyChangeIsOneStep();
    void undoRedoThroughTheWindow();
    void undoDoesNotTouchChangedFlag();
    void undoButtonsFollowTheStacks();

    void autoIndent_data();
    void autoIndent();
    void autoIndentCanBeOff();

    void hotInfoShowsBelowCaretAndHides();
    void hotInfoNeedsTenCharactersAndUpperCaseWords();

    void insertSubroutine();
    void cutWithoutSelectionEmptiesClipboard();
    void undoKeyGoesToTheMenu();
};

void tst_Editor::loadedTextIsColouredWithoutChangingIt()
{
    Window t("print \"a\" ' note\nx = 1\n");
    QCOMPARE(t.colourAt(0), Blue);
    QCOMPARE(t.colourAt(5), Blue);   // the blank after the keyword
    QCOMPARE(t.colourAt(6), Brown);
    QCOMPARE(t.colourAt(10), Green);
    QCOMPARE(t.colourAt(17), Black);
    QVERIFY(!t.w->documents().state().fileChanged);
    QCOMPARE(t.undoCount(), 1);
    t.w->parseAllLines();
    QCOMPARE(t.undoCount(), 1);
    QVERIFY(!t.w->documents().state().fileChanged);
}

void tst_Editor::typingResetsLineUntilCaretLeaves()
{
    Window t("print x\nif a then\n");
    t.caretTo(7);
    QTest::keyClick(t.editor(), Qt::Key_Y);
    QCOMPARE(t.w->editorText(), QStringLiteral("print xy\nif a then"));
    QCOMPARE(t.colourAt(0), Black);
    QVERIFY(t.ctl().lineCleared);
    QCOMPARE(t.ctl().editLine, 0);
    QTest::keyClick(t.editor(), Qt::Key_Left); // still on the line: stays black
    QCOMPARE(t.colourAt(0), Black);
    QTest::keyClick(t.editor(), Qt::Key_Down);
    QCOMPARE(t.colourAt(0), Blue);
    QVERIFY(!t.ctl().lineCleared);
    QCOMPARE(t.colourAt(9), Blue); // the other line kept its colour throughout
    QVERIFY(t.w->documents().state().fileChanged);
}

void tst_Editor::mouseReleaseOnAnotherLineRecolours()
{
    Window t("print x\n\n\nwhile 1\n");
    t.caretTo(0);
    QTest::keyClick(t.editor(), Qt::Key_A);
    QCOMPARE(t.colourAt(1), Black);
    const QRect lastLine = t.editor()->cursorRect(QTextCursor(t.editor()->document()->findBlockByNumber(3)));
    QTest::mouseClick(t.editor()->viewport(), Qt::LeftButton, {}, lastLine.center());
    QCOMPARE(t.ctl().caretLine, 3);
    QCOMPARE(t.colourAt(1), Black); // "aprint" is no keyword
    QCOMPARE(t.w->editorText().left(7), QStringLiteral("aprint "));
}

void tst_Editor::pasteKeepsItsColourUntilRecoloured()
{
    Window t("rem top\n");
    t.caretTo(7);
    QGuiApplication::clipboard()->setText("\nprint 2");
    t.w->editCommand(2);
    QCOMPARE(t.w->editorText(), QStringLiteral("rem top\nprint 2"));
    QTest::keyClick(t.editor(), Qt::Key_Up);
    QCOMPARE(t.colourAt(8), Black); // a paste types no character: its line is not pending
    t.w->parseAllLines();
    QCOMPARE(t.colourAt(8), Blue);
}

void tst_Editor::backspaceKeepsColoursOnTheirCharacters()
{
    Window t("xprint \"s\"\n");
    t.caretTo(1);
    QCOMPARE(t.colourAt(8), Brown);
    QTest::keyClick(t.editor(), Qt::Key_Backspace);
    QCOMPARE(t.w->editorText(), QStringLiteral("print \"s\""));
    QCOMPARE(t.colourAt(7), Brown);  // the string moved one to the left with its colour
    QCOMPARE(t.colourAt(0), Black);  // "xprint" was no keyword, and nothing recoloured it yet
}

void tst_Editor::everyChangeIsOneStep()
{
    Window t("a");
    t.caretTo(1);
    QTest::keyClicks(t.editor(), "bcd");
    QCOMPARE(t.undoCount(), 4);
    t.w->selectAllText();
    t.w->editCommand(3);
    QCOMPARE(t.undoCount(), 5);
    QCOMPARE(t.ctl().history.undoStack.top(), QString());
}

void tst_Editor::undoRedoThroughTheWindow()
{
    Window t("ab");
    t.caretTo(2);
    QTest::keyClicks(t.editor(), "cd");
    t.w->undoEdit();
    QCOMPARE(t.w->editorText(), QStringLiteral("abc"));
    t.w->undoEdit();
    QCOMPARE(t.w->editorText(), QStringLiteral("ab"));
    QCOMPARE(t.undoCount(), 0);
    t.w->undoEdit(); // nothing left to undo
    QCOMPARE(t.w->editorText(), QStringLiteral("ab"));
    QCOMPARE(t.redoCount(), 3);
    // The redo top is the current text, so Redo goes one further.
    t.w->redoEdit();
    QCOMPARE(t.w->editorText(), QStringLiteral("abc"));
    t.w->redoEdit();
    QCOMPARE(t.w->editorText(), QStringLiteral("abcd"));
    QCOMPARE(t.redoCount(), 0);
    QCOMPARE(t.undoCount(), 3);
}

void tst_Editor::undoDoesNotTouchChangedFlag()
{
    Window t("ab");
    t.caretTo(2);
    QTest::keyClick(t.editor(), Qt::Key_C);
    t.w->documents().state().fileChanged = false;
    t.w->undoEdit();
    QCOMPARE(t.w->editorText(), QStringLiteral("ab"));
    QVERIFY(!t.w->documents().state().fileChanged);
}

void tst_Editor::undoButtonsFollowTheStacks()
{
    Window t("a");
    QAction *undo = t.w->controls().Toolbar1->button("undo");
    QAction *redo = t.w->controls().Toolbar1->button("redo");
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    t.w->undoEdit();
    QVERIFY(!undo->isEnabled());
    QVERIFY(redo->isEnabled());
    QVERIFY(!t.w->menus().mnueditundo->isEnabled());
    t.caretTo(0);
    QTest::keyClick(t.editor(), Qt::Key_X); // a change empties the redo stack
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    QVERIFY(t.w->menus().mnueditundo->isEnabled());
}

void tst_Editor::autoIndent_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("expected");
    QTest::newRow("four blanks carried") << "x\n    abc" << 9 << "x\n    abc\n    ";
    QTest::newRow("first line gets none") << "    abc" << 7 << "    abc\n";
    QTest::newRow("tab gives none") << "x\n\tabc" << 6 << "x\n\tabc\n";
    QTest::newRow("middle of an indented line") << "x\n  abcd" << 6 << "x\n  ab\n  cd";
    QTest::newRow("blank line") << "x\n   " << 5 << "x\n   \n   ";
}

void tst_Editor::autoIndent()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, expected);
    Window t(text.toUtf8());
    t.caretTo(caret);
    const int before = t.undoCount();
    QTest::keyClick(t.editor(), Qt::Key_Return);
    QCOMPARE(t.w->editorText(), expected);
    QCOMPARE(t.undoCount(), before + 1); // the blanks are no step of their own
    const int blanks = expected.section('\n', -1).size() - text.mid(caret).size();
    QCOMPARE(t.editor()->textCursor().positionInBlock(), std::max(0, blanks));
}

void tst_Editor::autoIndentCanBeOff()
{
    FakeServices fake;
    fake.writeFile("Template.yab", "x\n    abc");
    SettingsAccess(fake.settings, "vormeld").saveSetting("Edit", "AutoIndent", QStringLiteral("0"));
    MainWindow w(fake.services);
    w.start();
    QTextCursor c = w.controls().RichTextBox1->textCursor();
    c.movePosition(QTextCursor::End);
    w.controls().RichTextBox1->setTextCursor(c);
    QTest::keyClick(w.controls().RichTextBox1, Qt::Key_Return);
    QCOMPARE(w.editorText(), QStringLiteral("x\n    abc\n"));
}

void tst_Editor::hotInfoShowsBelowCaretAndHides()
{
    Window t("x = 12345678\n", "\"PRINT \",6,\"PRINT expression [; expression]\"\r\n\"FOR \",4,\"FOR v = a TO b\"\r\n");
    t.w->resize(700, 500);
    t.w->show();
    QCOMPARE(int(t.ctl().hotInfo.entries().size()), 2);
    t.caretTo(12);
    QTest::keyClick(t.editor(), Qt::Key_Return);
    QTest::keyClicks(t.editor(), "print ");
    QFrame *box = t.w->controls().Picture2;
    QVERIFY(box->isVisible());
    QCOMPARE(t.w->controls().Label2->text(), QStringLiteral("PRINT expression [; expression]"));
    const QRect caret = t.editor()->cursorRect();
    const QPoint expected = t.editor()->viewport()->mapTo(box->parentWidget(), caret.topLeft()) + QPoint(0, 20);
    QTRY_COMPARE(box->pos(), expected);
    QCOMPARE(box->height(), t.w->controls().Label2->height() + 3);
    QTest::keyClick(t.editor(), Qt::Key_Return);
    QVERIFY(!box->isVisible());
}

void tst_Editor::hotInfoNeedsTenCharactersAndUpperCaseWords()
{
    HotInfoTable table = HotInfoTable::parse(
        "\"PRINT \",6,\"upper\"\n\"print \",6,\"lower\"\n\"GOTO \",4,\"wrong length\"\n"
        "\"FOR \",4,\"for, with comma\"\n\"TOOLONGWORD\",11,\"never\"\n,0,\n\"WHILE \",6,\"after the end\"\n");
    QCOMPARE(table.entries()[3].text, QStringLiteral("for, with comma"));
    QCOMPARE(table.lookup("abc print "), 0);
    QCOMPARE(table.lookup("abcdPRINT "), 0);
    QCOMPARE(table.lookup("bc print "), -1);     // nine characters: no hint
    QCOMPARE(table.lookup("abcd goto "), -1);
    QCOMPARE(table.lookup("x = 1: for "), 3);
    QCOMPARE(table.lookup("abc while "), -1);    // behind the empty word: not looked at
    QCOMPARE(table.lookup("\r\nprint \r\n"), -1);

    // Only the first 256 records fit.
    QString many;
    for (int i = 0; i < 300; ++i)
        many += QStringLiteral("W%1,%2,\"t\"\n").arg(i).arg(QString::number(i).size() + 1);
    const HotInfoTable big = HotInfoTable::parse(many);
    QCOMPARE(int(big.entries().size()), 256);
    QCOMPARE(big.ignoredRecords(), 44);
    QCOMPARE(big.entries().back().Word, QStringLiteral("W255"));
}

void tst_Editor::insertSubroutine()
{
    Window t("a");
    const int before = t.undoCount();
    t.w->insertSubroutine();
    const QString date = QDate::currentDate().toString("MM-dd-yyyy");
    QCOMPARE(t.w->editorText(), "a\n\nrem  Name: New Procedure\nrem  Purpose: Unknown\nrem  Date Made: " + date
                                    + "\nsub newproc()\n  \nend sub\n");
    QCOMPARE(t.undoCount(), before + 1);
    QTextCursor c = t.editor()->textCursor();
    QCOMPARE(c.block().text(), QStringLiteral("  "));
    QCOMPARE(c.positionInBlock(), 2);
}

void tst_Editor::cutWithoutSelectionEmptiesClipboard()
{
    Window t("print 1");
    QGuiApplication::clipboard()->setText("old");
    t.w->toolbarButtonClick("cut");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QCOMPARE(t.w->editorText(), QStringLiteral("print 1"));
}

void tst_Editor::undoKeyGoesToTheMenu()
{
    Window t("ab");
    t.w->show();
    QVERIFY(QTest::qWaitForWindowActive(t.w.get()));
    t.editor()->setFocus();
    t.caretTo(2);
    QTest::keyClick(t.editor(), Qt::Key_C);
    QTest::keyClick(t.editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(t.w->editorText(), QStringLiteral("ab"));
}

QTEST_MAIN(tst_Editor)
#include "tst_editor.moc"
