// A program long enough to be read and put into the editor away from the
// window: the window goes on answering, and what the user gets afterwards is
// the same as for a short program.

#include "editor/RowBreaks.h"
#include "support/TestWindow.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QSignalSpy>
#include <QTest>

class LongProgramTest : public QObject {
    Q_OBJECT

private slots:
    void opensWhileTheWindowAnswers()
    {
        // About 6 MB with CR LF breaks, tabs, characters beyond Latin-1 and a
        // line of 20,000 characters; no break at the very end.
        QString expected;
        for (int i = 0; i < 200000; ++i) {
            if (i % 50000 == 0)
                expected += QStringLiteral("sub part%1()\n").arg(i / 50000);
            expected += QStringLiteral("print \"Zeile\t%1 \u00e9\U0001F600\" : rem %1\n").arg(i);
        }
        expected += QStringLiteral("rem ") + QString(20000, QLatin1Char('x')) + QStringLiteral("\nend");
        TestWindow t(expected.toUtf8().replace("\n", "\r\n"), "long.yab");
        t.w = std::make_unique<MainWindow>(t.fake.services);
        MainWindow &w = *t.w;
        const QFont font = t.ed()->font();
        QList<int> percents;
        bool closeRefused = false;
        connect(&editor(w), &EditorController::loadProgress, this, [&](int percent) {
            percents << percent;
            if (percent > 0 && percent < 100 && !closeRefused) {
                // Only the event loop running during the load gets here; no
                // question (an outside change) may open meanwhile.
                QCloseEvent close;
                QApplication::sendEvent(&w, &close);
                closeRefused = !close.isAccepted() && w.isVisible() && documents(w).isAsking();
            }
        });
        QSignalSpy said(&documents(w), &DocumentController::statusMessage);
        w.start();

        QVERIFY2(percents.size() >= 3, "no progress while the text was put in");
        QVERIFY(percents.first() == 0 && percents.last() == 100 && std::is_sorted(percents.begin(), percents.end()));
        QVERIFY(closeRefused);
        QCOMPARE(said.first().at(0).toString() + " | " + said.last().at(0).toString(),
                 QStringLiteral("Opening long.yab... 0% | Opening long.yab... 100%"));
        QVERIFY(panel(w, 1).startsWith(QStringLiteral("Ready")));

        // The same document as a short program would give.
        QCOMPARE(t.text(), expected);
        QCOMPARE(EditorText::lineCount(t.ed()->document()), 200006); // the long line in rows
        QVERIFY(t.ed()->blockCount() > 200006);
        QCOMPARE(t.ed()->document()->defaultFont(), font);
        QCOMPARE(t.ed()->document()->defaultTextOption().wrapMode(), QTextOption::NoWrap);
        QCOMPARE(t.colours({0, 4, 12, 19}), QStringLiteral("blue black blue brown"));
        QTRY_COMPARE(comboItems(subsList(w)), (QStringList{"part0()", "part1()", "part2()", "part3()"}));
        QVERIFY(!editor(w).canUndo() && !documents(w).state().fileChanged);

        // Typing, Undo and the line count follow the new document.
        t.caretTo(0);
        QTest::keyClicks(t.ed(), "rem x");
        QTest::keyClick(t.ed(), Qt::Key_Return);
        QCOMPARE(EditorText::lineCount(t.ed()->document()), 200007);
        QVERIFY(documents(w).state().fileChanged && editor(w).canUndo());
        while (editor(w).canUndo())
            action(w, "editUndo")->trigger();
        QCOMPARE(t.text(), expected);
        QVERIFY(!documents(w).state().fileChanged);

        // A short program opened next takes the ordinary way into the same editor.
        t.fake.prompter.answerFile(t.fake.writeFile(QStringLiteral("short.yab"), "print 1\n"));
        action(w, "fileOpen")->trigger();
        QCOMPARE(t.text(), QStringLiteral("print 1"));
        QTest::keyClicks(t.ed(), "x");
        QCOMPARE(t.text(), QStringLiteral("xprint 1"));
        QVERIFY(editor(w).canUndo());
        QVERIFY(t.fake.prompter.unexpected.isEmpty());
    }

    void longLineIsHeldInRows()
    {
        // A line of about 30,000 characters: numbers, then a string that spans
        // several rows, then a comment.
        QString data = QStringLiteral("data 0");
        for (int i = 1; data.size() < 20000; ++i)
            data += QLatin1Char(',') + QString::number(i);
        const QString wide = QStringLiteral("  ") + data + QStringLiteral(" : a$ = \"") + QString(9000, QChar(0xe9)) + QStringLiteral("\" : rem done");
        const QString expected = QStringLiteral("print 1\n") + wide + QStringLiteral("\nsub tail()\nend sub");
        TestWindow t(expected.toUtf8().replace("\n", "\r\n"), "wide.yab");
        MainWindow &w = t.start();
        QTextDocument *doc = t.ed()->document();
        const auto rowsOk = [doc] {
            for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
                if (b.length() - 1 > LongLines::MaxRowChars)
                    return false;
            return true;
        };
        const auto breakAfter = [doc](int pos) {
            for (const RowBreaks::Break &b : RowBreaks::of(doc)->all())
                if (b.pos > pos)
                    return b.pos;
            return -1;
        };
        const int quote = 10 + int(data.size()) + 8;
        QCOMPARE(t.text(), expected);
        QVERIFY(rowsOk() && t.ed()->blockCount() >= 10 && EditorText::lineCount(doc) == 4);
        QCOMPARE(comboItems(subsList(w)), QStringList{"tail()"});
        QCOMPARE(EditorText::modelLineStart(doc, 2), expected.indexOf(QStringLiteral("sub tail")) + 2);
        // The colours of the whole line, the break inside the string included.
        const int inString = breakAfter(quote);
        QCOMPARE(t.colours({10, quote + 1, inString, inString + 1, quote + 9005}),
                 QStringLiteral("blue brown brown brown green"));
        const int end = EditorText::lineEnd(doc, 1);
        for (int p : {quote, inString, inString + 1, end, doc->characterCount() - 1})
            QCOMPARE(EditorText::qtPosition(doc, EditorText::modelPosition(doc, p)), p);
        QCOMPARE(EditorText::qtPosition(doc, EditorText::modelPosition(doc, end) + 1), end); // between CR and LF
        QCOMPARE(EditorText::modelTextBefore(doc, inString + 3, 6), expected.mid(inString - 3, 6));
        // Go to Line counts lines; an error mark covers every row of its line.
        t.fake.prompter.answerInput(QStringLiteral("3"));
        action(w, "editGoToLine")->trigger();
        QCOMPARE(t.fake.prompter.inputs.last().prompt, QStringLiteral("Line number (1 to 4):"));
        QCOMPARE(t.caret(), end + 1);
        t.ed()->setErrorLine(1);
        QCOMPARE(t.ed()->extraSelections().size(), t.ed()->blockCount() - 3);
        t.ed()->setErrorLine(-1);
        t.caretTo(inString + 1);
        QCOMPARE(panel(w, 5), QStringLiteral("Line 2, Col %1").arg(inString + 1 - 8 + 1));

        // Backspace after a break and Delete before one take the character it
        // stands for; Enter starts a real line, indented as the long line is.
        QString edited = expected;
        QTest::keyClick(t.ed(), Qt::Key_Backspace);
        edited.remove(inString, 1);
        const int next = breakAfter(inString);
        t.caretTo(next);
        QTest::keyClick(t.ed(), Qt::Key_Delete);
        edited.remove(next, 1);
        QCOMPARE(t.text(), edited);
        t.caretTo(next);
        QTest::keyClick(t.ed(), Qt::Key_Return);
        edited.insert(next, QStringLiteral("\n  "));
        QCOMPARE(t.text(), edited);
        QCOMPARE(EditorText::lineCount(doc), 5);
        QCOMPARE(t.caret(), next + 3);
        QCOMPARE(EditorText::columnOf(doc, t.caret()), 2);
        // Overwriting at the end of a row replaces the character its break stands for.
        const int third = breakAfter(next + 3);
        t.caretTo(third);
        QTest::keyClick(t.ed(), Qt::Key_Insert);
        QTest::keyClicks(t.ed(), "q");
        QTest::keyClick(t.ed(), Qt::Key_Insert);
        edited[third] = QLatin1Char('q');
        QCOMPARE(t.text(), edited);
        QTRY_VERIFY(rowsOk());
        QCOMPARE(t.text(), edited);

        // Copying across breaks, by the menu and by the editor's own Copy (its context menu, dragging).
        QTextCursor c(doc);
        c.setPosition(8);
        c.setPosition(8 + 3 * LongLines::RowChars, QTextCursor::KeepAnchor);
        t.ed()->setTextCursor(c);
        action(w, "editClipboard", 1)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), edited.mid(8, 3 * LongLines::RowChars));
        QGuiApplication::clipboard()->clear();
        t.ed()->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), edited.mid(8, 3 * LongLines::RowChars));

        // A long line pasted goes in as rows; one put in otherwise is cut into
        // rows a moment later, as no step of its own.
        QGuiApplication::clipboard()->setText(wide);
        t.caretTo(7);
        const int steps = t.undoCount();
        action(w, "editClipboard", 2)->trigger();
        edited.insert(7, wide);
        QVERIFY(rowsOk());
        QCOMPARE(t.text(), edited);
        t.insertAt(7, wide);
        edited.insert(7, wide);
        QVERIFY(!rowsOk());
        const int cutAt = LongLines::cuts(doc->findBlock(7).text())[1] + doc->findBlock(7).position();
        t.caretTo(cutAt); // a caret just before a character that becomes a break stays before it
        QTRY_VERIFY(rowsOk());
        QCOMPARE(t.caret(), cutAt);
        QVERIFY(RowBreaks::of(doc)->at(cutAt));
        QCOMPARE(t.colours({7 + int(wide.indexOf(QLatin1Char('"'))) + 5000}), QStringLiteral("brown"));
        t.caretTo(7);
        t.ed()->paste(); // the editor's own paste, as a drop
        edited.insert(7, wide);
        QVERIFY(rowsOk());
        QCOMPARE(EditorText::lineCount(doc), 5);
        QCOMPARE(t.text(), edited);
        QCOMPARE(t.undoCount(), steps + 3);

        // Undo goes back through every step; the program is saved as it was.
        while (editor(w).canUndo())
            action(w, "editUndo")->trigger();
        QCOMPARE(t.text(), expected);
        QTRY_VERIFY(rowsOk());
        QCOMPARE(t.text(), expected);
        t.caretTo(0);
        QTest::keyClicks(t.ed(), "x");
        action(w, "fileSave")->trigger();
        QCOMPARE(readBytes(t.fake.services.commandLine), ("x" + expected + "\n").toUtf8().replace("\n", "\r\n"));
        QVERIFY(t.fake.prompter.unexpected.isEmpty());
    }

    void randomEditsKeepTheText()
    {
        // Edits of every kind at random places, breaks included, against the
        // same edits made to a plain string: every editor position is a text position.
        QString ref = QStringLiteral("a\n") + QStringLiteral("xy, ").repeated(5000) + QStringLiteral("\nb");
        const QString original = ref;
        TestWindow t(ref.toUtf8(), "random.yab");
        MainWindow &w = t.start();
        QTextDocument *doc = t.ed()->document();
        QRandomGenerator random(7);
        const QString alphabet = QStringLiteral("ab, \n\"\u00e9");
        for (int step = 0; step < 400; ++step) {
            // Half the time at a row break or right beside it.
            int at = int(random.bounded(ref.size() + 1));
            if (const RowBreaks *rows = RowBreaks::of(doc); rows && random.bounded(2)) {
                const int near = rows->all()[random.bounded(int(rows->all().size()))].pos;
                at = std::clamp(near + int(random.bounded(3)) - 1, 0, int(ref.size()));
            }
            const int op = int(random.bounded(100));
            if (op < 25) {
                QString s;
                for (int n = int(random.bounded(1, 6)); n > 0; --n)
                    s += alphabet.at(random.bounded(alphabet.size()));
                t.insertAt(at, s);
                ref.insert(at, s);
            } else if (op < 45) {
                const int n = std::min(int(random.bounded(20)), int(ref.size()) - at);
                QTextCursor c(doc);
                c.setPosition(at);
                c.setPosition(at + n, QTextCursor::KeepAnchor);
                c.removeSelectedText();
                ref.remove(at, n);
            } else if (op < 65 && at > 0) {
                t.caretTo(at);
                QTest::keyClick(t.ed(), Qt::Key_Backspace);
                ref.remove(at - 1, 1);
            } else if (op < 85 && at < ref.size()) {
                t.caretTo(at);
                QTest::keyClick(t.ed(), Qt::Key_Delete);
                ref.remove(at, 1);
            } else if (op < 98) {
                t.caretTo(at);
                QTest::keyClicks(t.ed(), "q");
                ref.insert(at, QLatin1Char('q'));
            } else {
                const QString line = QStringLiteral("zz,").repeated(4000);
                t.insertAt(at, line);
                ref.insert(at, line);
            }
            QCoreApplication::processEvents();
            QCOMPARE(t.text(), ref);
            if (step % 20 == 0) {
                const QStringList lines = ref.split(QLatin1Char('\n'));
                QCOMPARE(EditorText::lineCount(doc), lines.size());
                const int line = int(random.bounded(lines.size()));
                QCOMPARE(EditorText::lineText(doc, line), lines.at(line));
                const int p = int(random.bounded(ref.size() + 1));
                QCOMPARE(EditorText::modelPosition(doc, p), p + int(ref.left(p).count(QLatin1Char('\n'))));
                QCOMPARE(EditorText::qtPosition(doc, EditorText::modelPosition(doc, p)), p);
            }
        }
        QVERIFY(RowBreaks::of(doc));
        while (editor(w).canUndo())
            action(w, "editUndo")->trigger();
        QCOMPARE(t.text(), original);
    }
};

QTEST_MAIN(LongProgramTest)
#include "tst_longprogram.moc"
