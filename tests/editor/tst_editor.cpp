#include "support/TestWindow.h"

#include <QClipboard>
#include <QDate>
#include <QTextBlock>

namespace {
const QColor Blue(0, 0, 255), Brown(159, 52, 18), Green(0, 159, 0), Black(0, 0, 0);

struct Window : TestWindow {
    explicit Window(const QByteArray &text, const QByteArray &hotinfo = QByteArray(), bool autoIndent = true,
                    const char *fileName = nullptr)
        : TestWindow(text, fileName)
    {
        if (!hotinfo.isNull())
            fake.writeFile("hotinfo.dat", hotinfo);
        if (!autoIndent)
            set("Edit", "AutoIndent", "0");
        start();
        ed()->setFocus();
    }
    QColor colourAt(int pos) const { return editor(*w).colouring().colourAt(pos); }
    int undoCount() const { return editor(*w).history().undoStack.count(); }
    int redoCount() const { return editor(*w).history().redoStack.count(); }
};
} // namespace

class tst_Editor : public QObject {
    Q_OBJECT
private slots:
    void loadedTextIsColouredWithoutChangingIt()
    {
        Window t("print \"a\" ' note\nx = 1\n");
        QCOMPARE(t.colourAt(0), Blue);
        QCOMPARE(t.colourAt(5), Blue); // the blank after the keyword
        QCOMPARE(t.colourAt(6), Brown);
        QCOMPARE(t.colourAt(10), Green);
        QCOMPARE(t.colourAt(17), Black);
        editor(*t.w).parseAllLines();
        QCOMPARE(t.undoCount(), 1);
        QVERIFY(!documents(*t.w).state().fileChanged);
    }

    void undoAndRedoColourWhatTheyPutBack()
    {
        Window t("print 1\nif a then\n");
        action(*t.w, "editSelectAll")->trigger();
        action(*t.w, "editClipboard", 3)->trigger(); // delete everything
        QCOMPARE(t.text(), QString());
        action(*t.w, "editUndo")->trigger();
        QCOMPARE(t.text(), QStringLiteral("print 1\nif a then"));
        QCOMPARE(t.colourAt(0), Blue);
        QCOMPARE(t.colourAt(8), Blue);
        QTest::keyClicks(t.ed(), "rem "); // a line typed black, then undone and redone
        action(*t.w, "editUndo")->trigger();
        action(*t.w, "editRedo")->trigger();
        QCOMPARE(t.colourAt(0), Green);
    }

    void typedLineStaysBlackUntilTheCaretLeaves_data()
    {
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("leaving by key") << false;
        QTest::newRow("leaving by mouse") << true;
    }
    void typedLineStaysBlackUntilTheCaretLeaves()
    {
        QFETCH(bool, byMouse);
        Window t("print x\nif a then\n\n\nwhile 1\n");
        t.w->show();
        t.caretTo(7);
        QTest::keyClick(t.ed(), Qt::Key_Y);
        QVERIFY(t.text().startsWith("print xy\nif a then\n"));
        QCOMPARE(t.colourAt(0), Black);
        QTest::keyClick(t.ed(), Qt::Key_Left); // still on the line: stays black
        QCOMPARE(t.colourAt(0), Black);
        QCOMPARE(t.colourAt(9), Blue); // the other lines keep their colours throughout
        if (byMouse) {
            const QRect last = t.ed()->cursorRect(QTextCursor(t.ed()->document()->findBlockByNumber(4)));
            QTest::mouseClick(t.ed()->viewport(), Qt::LeftButton, {}, last.center());
        } else {
            QTest::keyClick(t.ed(), Qt::Key_Down);
        }
        QCOMPARE(editor(*t.w).caretLineNumber(), byMouse ? 4 : 1);
        QCOMPARE(panel(*t.w, 5), byMouse ? QStringLiteral("Line 5, Col 1") : QStringLiteral("Line 2, Col 8"));
        QCOMPARE(t.colourAt(0), Blue);
        QCOMPARE(t.colourAt(9), Blue);
        QVERIFY(documents(*t.w).state().fileChanged);
    }

    void backspaceKeepsColoursOnTheirCharacters()
    {
        Window t("xprint \"s\"\n");
        t.caretTo(1);
        QCOMPARE(t.colourAt(8), Brown);
        QTest::keyClick(t.ed(), Qt::Key_Backspace);
        QCOMPARE(t.text(), QStringLiteral("print \"s\""));
        QCOMPARE(t.colourAt(7), Brown); // the string moved one to the left with its colour
        QCOMPARE(t.colourAt(0), Black); // "xprint" was no keyword, and nothing recoloured it yet
    }

    void clipboardCommands()
    {
        Window t("rem top\n");
        QGuiApplication::clipboard()->setText("old");
        clickToolbar(*t.w, "cut"); // nothing selected: the clipboard is emptied
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
        QCOMPARE(t.text(), QStringLiteral("rem top"));
        t.caretTo(7);
        QGuiApplication::clipboard()->setText("\nprint 2");
        action(*t.w, "editClipboard", 2)->trigger();
        QCOMPARE(t.text(), QStringLiteral("rem top\nprint 2"));
        QCOMPARE(panel(*t.w, 5), QStringLiteral("Line 2, Col 8"));
        QTest::keyClick(t.ed(), Qt::Key_Up);
        QCOMPARE(t.colourAt(8), Black); // a paste types no character: its line is not pending
        editor(*t.w).parseAllLines();
        QCOMPARE(t.colourAt(8), Blue);
    }

    void undoRedoThroughTheMenu()
    {
        Window t("l1\nxy\n", QByteArray(), true, "prog.yab");
        QAction *undoButton = toolBar(*t.w)->button("undo");
        QAction *redoButton = toolBar(*t.w)->button("redo");
        const auto enabled = [&] {
            return QString("%1%2%3%4").arg(undoButton->isEnabled()).arg(redoButton->isEnabled())
                .arg(action(*t.w, "editUndo")->isEnabled()).arg(action(*t.w, "editRedo")->isEnabled());
        };
        QCOMPARE(enabled(), QStringLiteral("0000")); // the loaded text is the bottom of the history
        t.caretTo(0);
        QTest::keyClicks(t.ed(), "ab");
        QCOMPARE(t.undoCount(), 3); // every change is one step
        action(*t.w, "fileSave")->trigger();
        QVERIFY(!documents(*t.w).state().fileChanged);
        // Undo keeps the caret at its program position (line breaks counted twice),
        // and the changed flag says whether the text differs from the saved one.
        t.caretTo(6);
        action(*t.w, "editUndo")->trigger();
        QCOMPARE(t.text(), QStringLiteral("al1\nxy"));
        QCOMPARE(t.caret(), 6);
        QCOMPARE(enabled(), QStringLiteral("1111"));
        QVERIFY(documents(*t.w).state().fileChanged);
        action(*t.w, "editUndo")->trigger();
        QCOMPARE(t.text(), QStringLiteral("l1\nxy"));
        QCOMPARE(t.caret(), 5);
        QCOMPARE(enabled(), QStringLiteral("0101"));
        action(*t.w, "editUndo")->trigger(); // Undo stops at the loaded text
        QCOMPARE(t.text(), QStringLiteral("l1\nxy"));
        QCOMPARE(t.redoCount(), 3);
        // The redo top is the current text, so Redo goes one further.
        t.caretTo(1);
        clickToolbar(*t.w, "redo");
        QCOMPARE(t.text(), QStringLiteral("al1\nxy"));
        QCOMPARE(t.caret(), 1);
        QVERIFY(documents(*t.w).state().fileChanged);
        action(*t.w, "editRedo")->trigger();
        QCOMPARE(t.text(), QStringLiteral("abl1\nxy"));
        QVERIFY(!documents(*t.w).state().fileChanged); // back at the saved text
        QCOMPARE(t.redoCount(), 0);
        QCOMPARE(enabled(), QStringLiteral("1010"));
        action(*t.w, "editUndo")->trigger();
        QTest::keyClick(t.ed(), Qt::Key_X); // a change empties the redo stack
        QCOMPARE(enabled(), QStringLiteral("1010"));
        // Deleting a selection is one step too.
        const int steps = t.undoCount();
        action(*t.w, "editSelectAll")->trigger();
        action(*t.w, "editClipboard", 3)->trigger();
        QCOMPARE(t.undoCount(), steps + 1);
        QCOMPARE(editor(*t.w).history().undoStack.top(), QString());
        // Ctrl+Z reaches the menu item, not the editor's own undo.
        QVERIFY(QTest::qWaitForWindowActive(t.w.get()));
        t.ed()->setFocus();
        QTest::keyClick(t.ed(), Qt::Key_C);
        QTest::keyClick(t.ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(t.text(), QString());
        QVERIFY(t.fake.prompter.messages.isEmpty());
    }

    void autoIndent_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("expected");
        QTest::newRow("four blanks carried") << "x\n    abc" << 9 << true << "x\n    abc\n    ";
        QTest::newRow("first line gets none") << "    abc" << 7 << true << "    abc\n";
        QTest::newRow("tab gives none") << "x\n\tabc" << 6 << true << "x\n\tabc\n";
        QTest::newRow("middle of an indented line") << "x\n  abcd" << 6 << true << "x\n  ab\n  cd";
        QTest::newRow("blank line") << "x\n   " << 5 << true << "x\n   \n   ";
        QTest::newRow("switched off") << "x\n    abc" << 9 << false << "x\n    abc\n";
    }
    void autoIndent()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(bool, on);
        QFETCH(QString, expected);
        Window t(text.toUtf8(), QByteArray(), on);
        t.caretTo(caret);
        const int before = t.undoCount();
        QTest::keyClick(t.ed(), Qt::Key_Return);
        QCOMPARE(t.text(), expected);
        QCOMPARE(t.undoCount(), before + 1); // the blanks are no step of their own
        const int blanks = int(expected.section('\n', -1).size() - text.mid(caret).size());
        QCOMPARE(t.ed()->textCursor().positionInBlock(), std::max(0, blanks));
    }

    void hotInfoShowsBelowTheCaretAndHides()
    {
        Window t("x = 12345678\n", "\"PRINT \",6,\"PRINT expression [; expression]\"\r\n\"FOR \",4,\"FOR v = a TO b\"\r\n");
        t.w->resize(700, 500);
        t.w->show();
        QFrame *box = hotInfoBox(*t.w);
        t.caretTo(12);
        QTest::keyClick(t.ed(), Qt::Key_Return);
        QTest::keyClicks(t.ed(), "print");
        QVERIFY(!box->isVisible()); // "print" without its blank is no word yet
        QTest::keyClick(t.ed(), Qt::Key_Space);
        QVERIFY(box->isVisible());
        QCOMPARE(hotInfoLabel(*t.w)->text(), QStringLiteral("PRINT expression [; expression]"));
        const QPoint expected = t.ed()->viewport()->mapTo(box->parentWidget(), t.ed()->cursorRect().topLeft()) + QPoint(0, 20);
        QTRY_COMPARE(box->pos(), expected);
        QCOMPARE(box->height(), hotInfoLabel(*t.w)->height() + 3);
        QTest::keyClick(t.ed(), Qt::Key_Return);
        QVERIFY(!box->isVisible());
        QTest::keyClicks(t.ed(), "1: for ");
        QCOMPARE(hotInfoLabel(*t.w)->text(), QStringLiteral("FOR v = a TO b"));
        QVERIFY(box->isVisible());
        QTest::keyClick(t.ed(), Qt::Key_Up);
        QVERIFY(!box->isVisible());
    }

    void hotInfoLookup_data()
    {
        QTest::addColumn<QString>("tail");
        QTest::addColumn<int>("entry");
        QTest::newRow("lower case typed") << "abc print " << 0;
        QTest::newRow("upper case typed, the last match wins") << "abcdPRINT " << 0;
        QTest::newRow("nine characters: no hint") << "bc print " << -1;
        QTest::newRow("length differs from the word") << "abcd goto " << -1;
        QTest::newRow("quoted text with a comma") << "x = 1: for " << 3;
        QTest::newRow("behind the empty word: not looked at") << "abc while " << -1;
        QTest::newRow("line breaks after the word") << "\r\nprint \r\n" << -1;
    }
    void hotInfoLookup()
    {
        QFETCH(QString, tail);
        QFETCH(int, entry);
        const HotInfoTable table = HotInfoTable::parse(
            "\"PRINT \",6,\"upper\"\n\"print \",6,\"lower\"\n\"GOTO \",4,\"wrong length\"\n"
            "\"FOR \",4,\"for, with comma\"\n\"TOOLONGWORD\",11,\"never\"\n,0,\n\"WHILE \",6,\"after the end\"\n");
        QCOMPARE(table.entries()[3].text, QStringLiteral("for, with comma"));
        QCOMPARE(table.lookup(tail), entry);
    }

    void hotInfoTableHolds256Records()
    {
        QString many;
        for (int i = 0; i < 300; ++i)
            many += QStringLiteral("W%1,%2,\"t\"\n").arg(i).arg(QString::number(i).size() + 1);
        const HotInfoTable big = HotInfoTable::parse(many);
        QCOMPARE(int(big.entries().size()), 256);
        QCOMPARE(big.ignoredRecords(), 44);
        QCOMPARE(big.entries().back().Word, QStringLiteral("W255"));
    }

    void insertSubroutine()
    {
        Window t("a");
        const int before = t.undoCount();
        action(*t.w, "editInsertSub")->trigger();
        const QString date = QDate::currentDate().toString("MM-dd-yyyy");
        QCOMPARE(t.text(), "a\n\nrem  Name: New Procedure\nrem  Purpose: Unknown\nrem  Date Made: " + date
                               + "\nsub newproc()\n  \nend sub\n");
        QCOMPARE(t.undoCount(), before + 1);
        const QTextCursor c = t.ed()->textCursor();
        QCOMPARE(c.blockNumber(), 6);
        QCOMPARE(c.positionInBlock(), 2);
        QCOMPARE(panel(*t.w, 5), QStringLiteral("Line 7, Col 3"));
        QCOMPARE(subsList(*t.w)->itemText(0), QStringLiteral("newproc()"));
    }

    void insertKeySwitchesToOverwriting()
    {
        Window t("ab");
        QLabel *ins = statusBar(*t.w)->panel(2);
        QCOMPARE(ins->text(), QStringLiteral("INS"));
        QVERIFY(!ins->isEnabled());
        t.caretTo(0);
        QTest::keyClick(t.ed(), Qt::Key_Insert);
        QVERIFY(ins->isEnabled());
        QTest::keyClick(t.ed(), Qt::Key_X);
        QCOMPARE(t.text(), QStringLiteral("xb"));
        QTest::keyClick(t.ed(), Qt::Key_Insert);
        QVERIFY(!ins->isEnabled());
        QTest::keyClick(t.ed(), Qt::Key_Y);
        QCOMPARE(t.text(), QStringLiteral("xyb"));
    }
};

QTEST_MAIN(tst_Editor)
#include "tst_editor.moc"
