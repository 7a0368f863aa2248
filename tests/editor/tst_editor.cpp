#include "support/TestWindow.h"

#include <QClipboard>
#include <QDate>
#include <QTextBlock>

using Window = EditorWindow;

class tst_Editor : public QObject {
    Q_OBJECT
private slots:
    void colouring()
    {
        Window t("xprint \"a\" ' note\nif a then\n\n\nwhile 1\n");
        t.w->show();
        QCOMPARE(t.colours({0, 7, 11, 18}), QStringLiteral("black brown green blue")); // "xprint" is no keyword
        QVERIFY(!documents(*t.w).state().fileChanged);
        t.caretTo(1);
        QTest::keyClick(t.ed(), Qt::Key_Backspace);
        QCOMPARE(t.colours({0, 6}), QStringLiteral("black brown")); // the string moved with its colour
        QTest::keyClick(t.ed(), Qt::Key_End);
        QTest::keyClick(t.ed(), Qt::Key_Y);
        QCOMPARE(t.colours({0, 18}), QStringLiteral("black blue")); // the typed line waits until the caret leaves it
        QTest::keyClick(t.ed(), Qt::Key_Down);
        QCOMPARE(panel(*t.w, 5), QStringLiteral("Line 2, Col 10"));
        QCOMPARE(t.colours({0}), QStringLiteral("blue"));
        // Leaving a typed line by mouse colours it too.
        QTest::keyClick(t.ed(), Qt::Key_Up);
        QTest::keyClick(t.ed(), Qt::Key_End);
        QTest::keyClick(t.ed(), Qt::Key_Z);
        QCOMPARE(t.colours({0}), QStringLiteral("black"));
        const QRect last = t.ed()->cursorRect(QTextCursor(t.ed()->document()->findBlockByNumber(4)));
        QTest::mouseClick(t.ed()->viewport(), Qt::LeftButton, {}, last.center());
        QCOMPARE(panel(*t.w, 5), QStringLiteral("Line 5, Col 1"));
        QCOMPARE(t.colours({0}), QStringLiteral("blue"));
        // Undo colours what it puts back.
        action(*t.w, "editSelectAll")->trigger();
        action(*t.w, "editClipboard", 3)->trigger(); // delete everything
        action(*t.w, "editUndo")->trigger();
        QCOMPARE(t.colours({0, 19}), QStringLiteral("blue blue"));
    }

    void undoRedoThroughTheMenu()
    {
        Window t("l1\nxy\n", QByteArray(), true, "prog.yab");
        // Text, caret, toolbar Undo and Redo, menu Undo and Redo, changed flag.
        const auto state = [&] {
            return QString("%1|%2|%3%4%5%6|%7").arg(t.text()).arg(t.caret()).arg(toolBar(*t.w)->button("undo")->isEnabled())
                .arg(toolBar(*t.w)->button("redo")->isEnabled()).arg(action(*t.w, "editUndo")->isEnabled())
                .arg(action(*t.w, "editRedo")->isEnabled()).arg(documents(*t.w).state().fileChanged);
        };
        QCOMPARE(state(), QStringLiteral("l1\nxy|0|0000|0")); // the loaded text is the bottom of the history
        QTest::keyClicks(t.ed(), "ab");
        action(*t.w, "fileSave")->trigger();
        t.caretTo(6); // Undo keeps the caret at its program position (line breaks counted twice)
        action(*t.w, "editUndo")->trigger();
        QCOMPARE(state(), QStringLiteral("al1\nxy|6|1111|1"));
        action(*t.w, "editUndo")->trigger();
        action(*t.w, "editUndo")->trigger(); // Undo stops at the loaded text
        QCOMPARE(state(), QStringLiteral("l1\nxy|5|0101|1"));
        t.caretTo(1);
        clickToolbar(*t.w, "redo");
        QCOMPARE(state(), QStringLiteral("al1\nxy|1|1111|1"));
        action(*t.w, "editRedo")->trigger();
        QCOMPARE(state(), QStringLiteral("abl1\nxy|1|1010|0")); // back at the saved text
        action(*t.w, "editUndo")->trigger();
        QTest::keyClick(t.ed(), Qt::Key_X); // a change empties the redo stack
        QCOMPARE(state().section('|', 2), QStringLiteral("1010|1"));
        const int steps = t.undoCount(); // deleting a selection is one step too
        action(*t.w, "editSelectAll")->trigger();
        action(*t.w, "editClipboard", 3)->trigger();
        QCOMPARE(t.undoCount(), steps + 1);
    }

    void autoIndent()
    {
        const QList<std::tuple<QString, int, bool, QString>> cases{ // text, caret, switched on: after Enter
            {"x\n    abc", 9, true, "x\n    abc\n    "},
            {"    abc", 7, true, "    abc\n"},      // the first line gets none
            {"x\n\tabc", 6, true, "x\n\tabc\n"},      // a tab gives none
            {"x\n  abcd", 6, true, "x\n  ab\n  cd"}, // the middle of an indented line
            {"x\n   ", 5, true, "x\n   \n   "},      // a blank line
            {"x\n    abc", 9, false, "x\n    abc\n"}};
        for (const auto &[text, caret, on, expected] : cases) {
            Window t(text.toUtf8(), QByteArray(), on);
            t.caretTo(caret);
            const int before = t.undoCount();
            QTest::keyClick(t.ed(), Qt::Key_Return);
            QCOMPARE(t.text(), expected);
            QCOMPARE(t.undoCount(), before + 1); // the blanks are no step of their own
            const int blanks = int(expected.section('\n', -1).size() - text.mid(caret).size());
            QCOMPARE(t.ed()->textCursor().positionInBlock(), std::max(0, blanks));
        }
    }

    void hotInfo()
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
        QCOMPARE(hotInfoLabel(*t.w)->text(), QStringLiteral("PRINT expression [; expression]"));
        QTRY_COMPARE(box->pos(), t.ed()->viewport()->mapTo(box->parentWidget(), t.ed()->cursorRect().topLeft()) + QPoint(0, 20));
        QTest::keyClick(t.ed(), Qt::Key_Return);
        QVERIFY(!box->isVisible());
        QTest::keyClicks(t.ed(), "1: for ");
        QCOMPARE(hotInfoLabel(*t.w)->text(), QStringLiteral("FOR v = a TO b"));
        QTest::keyClick(t.ed(), Qt::Key_Up);
        QVERIFY(!box->isVisible());

        const HotInfoTable table = HotInfoTable::parse(
            "\"PRINT \",6,\"upper\"\n\"print \",6,\"lower\"\n\"GOTO \",4,\"wrong length\"\n"
            "\"FOR \",4,\"for, with comma\"\n\"TOOLONGWORD\",11,\"never\"\n,0,\n\"WHILE \",6,\"after the end\"\n");
        const QList<std::pair<QString, int>> tails{
            {"abc print ", 0},
            {"abcdPRINT ", 0},  // upper case typed, the last match wins
            {"bc print ", -1},  // nine characters: no hint
            {"abcd goto ", -1}, // the length differs from the word
            {"x = 1: for ", 3}, // quoted text with a comma, read whole
            {"abc while ", -1}, // behind the empty word: not looked at
            {"\r\nprint \r\n", -1}};
        for (const auto &[tail, entry] : tails)
            QCOMPARE(table.lookup(tail), entry);
        QCOMPARE(table.entries()[3].text, QStringLiteral("for, with comma"));
        QString many; // the table holds the first 256 records
        for (int i = 0; i < 300; ++i)
            many += QStringLiteral("W%1,%2,\"t\"\n").arg(i).arg(QString::number(i).size() + 1);
        QCOMPARE(HotInfoTable::parse(many).entries().back().Word, QStringLiteral("W255"));
    }

    void editCommands()
    {
        Window t("rem top\n");
        t.caretTo(7);
        QGuiApplication::clipboard()->setText("\nprint 2");
        action(*t.w, "editClipboard", 2)->trigger();
        QCOMPARE(t.text(), QStringLiteral("rem top\nprint 2"));
        QCOMPARE(panel(*t.w, 5), QStringLiteral("Line 2, Col 8"));
        QTest::keyClick(t.ed(), Qt::Key_Up);
        QCOMPARE(t.colours({8}), QStringLiteral("black")); // a paste types no character: its line is not pending
        // The Insert key switches to overwriting and back.
        t.caretTo(0);
        QString insPanel;
        for (Qt::Key key : {Qt::Key_Insert, Qt::Key_X, Qt::Key_Insert, Qt::Key_Y}) {
            QTest::keyClick(t.ed(), key);
            insPanel += statusBar(*t.w)->panel(2)->isEnabled() ? '1' : '0';
        }
        QCOMPARE(insPanel, QStringLiteral("1100")); // X overwrote, Y was inserted
        const int before = t.undoCount();
        action(*t.w, "editInsertSub")->trigger();
        const QString date = QDate::currentDate().toString("MM-dd-yyyy");
        QCOMPARE(t.text(), "xyem top\nprint 2\n\nrem  Name: New Procedure\nrem  Purpose: Unknown\nrem  Date Made: " + date
                               + "\nsub newproc()\n  \nend sub\n");
        QCOMPARE(QString("%1 %2 %3").arg(t.undoCount() - before).arg(panel(*t.w, 5), subsList(*t.w)->itemText(0)),
                 QStringLiteral("1 Line 8, Col 3 newproc()")); // one step; the caret in the new sub's body
    }
};

QTEST_MAIN(tst_Editor)
#include "tst_editor.moc"
