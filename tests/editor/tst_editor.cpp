#include "app/MainToolbar.h"
#include "app/MainWindow.h"
#include "editor/CodeEditor.h"
#include "editor/EditorController.h"
#include "support/FakeServices.h"
#include "support/WindowProbe.h"

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
    CodeEditor *editor() { return codeEditor(*w); }
    EditorController &ctl() { return editor(*w); }
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
    QVERIFY(!documents(*t.w).state().fileChanged);
    QCOMPARE(t.undoCount(), 1);
    editor(*t.w).parseAllLines();
    QCOMPARE(t.undoCount(), 1);
    QVERIFY(!documents(*t.w).state().fileChanged);
}

void tst_Editor::typingResetsLineUntilCaretLeaves()
{
    Window t("print x\nif a then\n");
    t.caretTo(7);
    QTest::keyClick(editor(t), Qt::Key_Y);
    QCOMPARE(editorText(*t.w), QStringLiteral("print xy\nif a then"));
    QCOMPARE(t.colourAt(0), Black);
    QVERIFY(t.ctl().lineCleared);
    QCOMPARE(t.ctl().editLine, 0);
    QTest::keyClick(editor(t), Qt::Key_Left); // still on the line: stays black
    QCOMPARE(t.colourAt(0), Black);
    QTest::keyClick(editor(t), Qt::Key_Down);
    QCOMPARE(t.colourAt(0), Blue);
    QVERIFY(!t.ctl().lineCleared);
    QCOMPARE(t.colourAt(9), Blue); // the other line kept its colour throughout
    QVERIFY(documents(*t.w).state().fileChanged);
}

void tst_Editor::mouseReleaseOnAnotherLineRecolours()
{
    Window t("print x\n\n\nwhile 1\n");
    t.caretTo(0);
    QTest::keyClick(editor(t), Qt::Key_A);
    QCOMPARE(t.colourAt(1), Black);
    const QRect lastLine = editor(t)->cursorRect(QTextCursor(editor(t)->document()->findBlockByNumber(3)));
    QTest::mouseClick(editor(t)->viewport(), Qt::LeftButton, {}, lastLine.center());
    QCOMPARE(t.ctl().caretLine, 3);
    QCOMPARE(t.colourAt(1), Black); // "aprint" is no keyword
    QCOMPARE(editorText(*t.w).left(7), QStringLiteral("aprint "));
}

void tst_Editor::pasteKeepsItsColourUntilRecoloured()
{
    Window t("rem top\n");
    t.caretTo(7);
    QGuiApplication::clipboard()->setText("\nprint 2");
    editor(*t.w).editCommand(2);
    QCOMPARE(editorText(*t.w), QStringLiteral("rem top\nprint 2"));
    QTest::keyClick(editor(t), Qt::Key_Up);
    QCOMPARE(t.colourAt(8), Black); // a paste types no character: its line is not pending
    editor(*t.w).parseAllLines();
    QCOMPARE(t.colourAt(8), Blue);
}

void tst_Editor::backspaceKeepsColoursOnTheirCharacters()
{
    Window t("xprint \"s\"\n");
    t.caretTo(1);
    QCOMPARE(t.colourAt(8), Brown);
    QTest::keyClick(editor(t), Qt::Key_Backspace);
    QCOMPARE(editorText(*t.w), QStringLiteral("print \"s\""));
    QCOMPARE(t.colourAt(7), Brown);  // the string moved one to the left with its colour
    QCOMPARE(t.colourAt(0), Black);  // "xprint" was no keyword, and nothing recoloured it yet
}

void tst_Editor::everyChangeIsOneStep()
{
    Window t("a");
    t.caretTo(1);
    QTest::keyClicks(editor(t), "bcd");
    QCOMPARE(t.undoCount(), 4);
    editor(*t.w).selectAllText();
    editor(*t.w).editCommand(3);
    QCOMPARE(t.undoCount(), 5);
    QCOMPARE(t.ctl().history.undoStack.top(), QString());
}

void tst_Editor::undoRedoThroughTheWindow()
{
    Window t("ab");
    t.caretTo(2);
    QTest::keyClicks(editor(t), "cd");
    editor(*t.w).undoEdit();
    QCOMPARE(editorText(*t.w), QStringLiteral("abc"));
    editor(*t.w).undoEdit();
    QCOMPARE(editorText(*t.w), QStringLiteral("ab"));
    QCOMPARE(t.undoCount(), 0);
    editor(*t.w).undoEdit(); // nothing left to undo
    QCOMPARE(editorText(*t.w), QStringLiteral("ab"));
    QCOMPARE(t.redoCount(), 3);
    // The redo top is the current text, so Redo goes one further.
    editor(*t.w).redoEdit();
    QCOMPARE(editorText(*t.w), QStringLiteral("abc"));
    editor(*t.w).redoEdit();
    QCOMPARE(editorText(*t.w), QStringLiteral("abcd"));
    QCOMPARE(t.redoCount(), 0);
    QCOMPARE(t.undoCount(), 3);
}

void tst_Editor::undoDoesNotTouchChangedFlag()
{
    Window t("ab");
    t.caretTo(2);
    QTest::keyClick(editor(t), Qt::Key_C);
    documents(*t.w).state().fileChanged = false;
    editor(*t.w).undoEdit();
    QCOMPARE(editorText(*t.w), QStringLiteral("ab"));
    QVERIFY(!documents(*t.w).state().fileChanged);
}

void tst_Editor::undoButtonsFollowTheStacks()
{
    Window t("a");
    QAction *undo = toolBar(*t.w)->button("undo");
    QAction *redo = toolBar(*t.w)->button("redo");
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    editor(*t.w).undoEdit();
    QVERIFY(!undo->isEnabled());
    QVERIFY(redo->isEnabled());
    QVERIFY(!action(*t.w, "editUndo")->isEnabled());
    t.caretTo(0);
    QTest::keyClick(editor(t), Qt::Key_X); // a change empties the redo stack
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    QVERIFY(action(*t.w, "editUndo")->isEnabled());
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
    QTest::keyClick(editor(t), Qt::Key_Return);
    QCOMPARE(editorText(*t.w), expected);
    QCOMPARE(t.undoCount(), before + 1); // the blanks are no step of their own
    const int blanks = expected.section('\n', -1).size() - text.mid(caret).size();
    QCOMPARE(editor(t)->textCursor().positionInBlock(), std::max(0, blanks));
}

void tst_Editor::autoIndentCanBeOff()
{
    FakeServices fake;
    fake.writeFile("Template.yab", "x\n    abc");
    SettingsAccess(fake.settings, "vormeld").saveSetting("Edit", "AutoIndent", QStringLiteral("0"));
    MainWindow w(fake.services);
    w.start();
    QTextCursor c = codeEditor(w)->textCursor();
    c.movePosition(QTextCursor::End);
    codeEditor(w)->setTextCursor(c);
    QTest::keyClick(codeEditor(w), Qt::Key_Return);
    QCOMPARE(editorText(w), QStringLiteral("x\n    abc\n"));
}

void tst_Editor::hotInfoShowsBelowCaretAndHides()
{
    Window t("x = 12345678\n", "\"PRINT \",6,\"PRINT expression [; expression]\"\r\n\"FOR \",4,\"FOR v = a TO b\"\r\n");
    t.w->resize(700, 500);
    t.w->show();
    QCOMPARE(int(t.ctl().hotInfo.entries().size()), 2);
    t.caretTo(12);
    QTest::keyClick(editor(t), Qt::Key_Return);
    QTest::keyClicks(editor(t), "print ");
    QFrame *box = hotInfoBox(*t.w);
    QVERIFY(box->isVisible());
    QCOMPARE(hotInfoLabel(*t.w)->text(), QStringLiteral("PRINT expression [; expression]"));
    const QRect caret = editor(t)->cursorRect();
    const QPoint expected = editor(t)->viewport()->mapTo(box->parentWidget(), caret.topLeft()) + QPoint(0, 20);
    QTRY_COMPARE(box->pos(), expected);
    QCOMPARE(box->height(), hotInfoLabel(*t.w)->height() + 3);
    QTest::keyClick(editor(t), Qt::Key_Return);
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
    editor(*t.w).insertSubroutine();
    const QString date = QDate::currentDate().toString("MM-dd-yyyy");
    QCOMPARE(editorText(*t.w), "a\n\nrem  Name: New Procedure\nrem  Purpose: Unknown\nrem  Date Made: " + date
                                    + "\nsub newproc()\n  \nend sub\n");
    QCOMPARE(t.undoCount(), before + 1);
    QTextCursor c = editor(t)->textCursor();
    QCOMPARE(c.block().text(), QStringLiteral("  "));
    QCOMPARE(c.positionInBlock(), 2);
}

void tst_Editor::cutWithoutSelectionEmptiesClipboard()
{
    Window t("print 1");
    QGuiApplication::clipboard()->setText("old");
    clickToolbar(*t.w, "cut");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QCOMPARE(editorText(*t.w), QStringLiteral("print 1"));
}

void tst_Editor::undoKeyGoesToTheMenu()
{
    Window t("ab");
    t.w->show();
    QVERIFY(QTest::qWaitForWindowActive(t.w.get()));
    editor(t)->setFocus();
    t.caretTo(2);
    QTest::keyClick(editor(t), Qt::Key_C);
    QTest::keyClick(editor(t), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editorText(*t.w), QStringLiteral("ab"));
}

QTEST_MAIN(tst_Editor)
#include "tst_editor.moc"
