// A program long enough to be read and put into the editor away from the
// window: the window goes on answering, and what the user gets afterwards is
// the same as for a short program.

#include "support/TestWindow.h"

#include <QCloseEvent>
#include <QSignalSpy>
#include <QTest>

class LongProgramTest : public QObject {
    Q_OBJECT

private slots:
    void opensWhileTheWindowAnswers()
    {
        // About 6 MB with CR LF breaks, tabs and characters beyond Latin-1; no
        // break at the very end.
        QString expected;
        for (int i = 0; i < 200000; ++i) {
            if (i % 50000 == 0)
                expected += QStringLiteral("sub part%1()\n").arg(i / 50000);
            expected += QStringLiteral("print \"Zeile\t%1 \u00e9\U0001F600\" : rem %1\n").arg(i);
        }
        expected += QStringLiteral("end");
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
        QCOMPARE(t.ed()->blockCount(), 200005);
        QCOMPARE(t.ed()->document()->defaultFont(), font);
        QCOMPARE(t.ed()->document()->defaultTextOption().wrapMode(), QTextOption::NoWrap);
        QCOMPARE(t.colours({0, 4, 12, 19}), QStringLiteral("blue black blue brown"));
        QTRY_COMPARE(comboItems(subsList(w)), (QStringList{"part0()", "part1()", "part2()", "part3()"}));
        QVERIFY(!editor(w).canUndo() && !documents(w).state().fileChanged);

        // Typing, Undo and the line count follow the new document.
        t.caretTo(0);
        QTest::keyClicks(t.ed(), "rem x");
        QTest::keyClick(t.ed(), Qt::Key_Return);
        QCOMPARE(t.ed()->blockCount(), 200006);
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
};

QTEST_MAIN(LongProgramTest)
#include "tst_longprogram.moc"
