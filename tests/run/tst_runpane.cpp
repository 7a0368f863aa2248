#include "editor/LineNumberArea.h"
#include "platform/core/ProcessGroup.h"
#include "support/RunWindow.h"

#include <QScrollBar>
#include <QTextBlock>

class tst_RunPane : public QObject {
    Q_OBJECT
private slots:
    // Run, answer the program, run again while it loops, Stop, close while running.
    void runInThePane()
    {
        NEED_YABASIC();
        QTemporaryDir dir;
        const QString pidFile = dir.filePath("child.pid");
        RunWindow t("import qxdebug\ninput \"name? \" a$\nPrintDebug(\"asked \" + a$)\nprint \"hi \", a$\nprint chr$(255) + \"|\"\nif a$ = \"bob\" end\n"
                    "x = system(\"sleep 300 & echo $! > " + pidFile.toUtf8() + "\")\ndo\nloop\n");
        t.startReal("1");
        auto *input = part<QLineEdit>(*t.w, "outputInput");
        auto *stop = part<QPushButton>(*t.w, "stopButton");
        const auto answer = [&](const char *line) {
            QTRY_VERIFY_WITH_TIMEOUT(t.shown().endsWith("name? "), 10000);
            QVERIFY(input->isEnabled() && stop->isEnabled());
            input->setText(line);
            QTest::keyClick(input, Qt::Key_Return);
        };
        clickToolbar(*t.w, "run");
        QCOMPARE(tabBar(*t.w)->tabText(tabBar(*t.w)->currentIndex()), QStringLiteral("Output")); // the pane comes forward
        answer("bob");
        QTRY_VERIFY_WITH_TIMEOUT(!t.r().isRunning(), 10000);
        QString text = t.shown(); // a byte that is no UTF-8 comes through as Latin-1
        QVERIFY2(QRegularExpression("^name\\? bob\nhi bob\n\u00ff\\|\n\n--- Exit status 0, run time \\d+\\.\\d\\d s\n$")
                     .match(text).hasMatch(), qPrintable(text));
        QVERIFY(!stop->isEnabled() && !input->isEnabled());
        QCOMPARE(t.debugText(), QStringLiteral("asked bob\n")); // the shipped debug library wrote the log

        clickToolbar(*t.w, "run");
        answer("loop");
        QTRY_VERIFY_WITH_TIMEOUT(readBytes(pidFile).trimmed().toLongLong() > 0, 10000);
        const qint64 first = t.r().runningPid(), child = readBytes(pidFile).trimmed().toLongLong();
        const QString temp = t.r().runningProgramFile();
        QVERIFY(QFile::exists(temp) && ProcessGroup::processExists(child));
        t.fake.prompter.answerMessage(MsgResult::No);
        clickToolbar(*t.w, "run"); // No: the program goes on
        QCOMPARE(t.fake.prompter.messages.last().title + ": " + t.fake.prompter.messages.last().text,
                 "Run Program: The program is still running.\r\nStop it and run it again?");
        QCOMPARE(t.r().runningPid(), first);
        stop->click(); // the program and everything it started end; its folder goes
        QTRY_VERIFY_WITH_TIMEOUT(!t.r().isRunning(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!ProcessGroup::processExists(first) && !ProcessGroup::processExists(child), 10000);
        QVERIFY2(t.shown().contains("\n--- Stopped, run time "), qPrintable(t.shown()));
        QVERIFY(!QFile::exists(temp));
        t.set("YABPath", makeExecutable(t.fake.path("yabasic"), "#!/no/such/shell\n"));
        clickToolbar(*t.w, "run");
        QTRY_VERIFY_WITH_TIMEOUT(t.shown().contains("\n--- The interpreter could not be started: "), 10000);
        QVERIFY(!t.r().isRunning());
        t.set("YABPath", realYabasic());

        clickToolbar(*t.w, "run");
        QTRY_VERIFY_WITH_TIMEOUT(t.r().isRunning(), 10000);
        const qint64 third = t.r().runningPid();
        t.fake.prompter.answerMessage(MsgResult::Yes);
        clickToolbar(*t.w, "run"); // Yes: stopped and started again
        QTRY_VERIFY_WITH_TIMEOUT(t.r().isRunning() && t.r().runningPid() != third, 10000);
        QVERIFY(!ProcessGroup::processExists(third));
        const qint64 second = t.r().runningPid();
        t.fake.prompter.answerMessage(MsgResult::No);
        QVERIFY(!t.w->close());
        QCOMPARE(t.fake.prompter.messages.last().title + ": " + t.fake.prompter.messages.last().text,
                 "Exit: The program is still running.\r\nEnd it and close Vormeld?");
        QVERIFY(t.r().isRunning());
        t.fake.prompter.answerMessage(MsgResult::Yes);
        QVERIFY(t.w->close());
        QVERIFY(!ProcessGroup::processExists(second));
    }

    // Where the run goes (1 the pane, 2 a terminal, "" Automatic: a terminal only for screen programs)
    // and how its report takes the caret to the place.
    void errorsTakeTheCaretThere_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("line"); // -1: the caret stays
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("message");
        const QByteArray syntax = "print \"a\"\nx = 5 ) + 3\nprint \"b\"\n";
        const QByteArray index = "dim a(3)\n  a(5) = 1\nprint \"inkey$ in a string\"\n";
        const QString outOfRange = "prog.yab, line 2: index 1 (=5) out of range";
        QTest::newRow("syntax error in the pane") << syntax << "1" << 1 << 6 << "prog.yab, line 2: syntax error";
        QTest::newRow("syntax error in a terminal") << syntax << "2" << 1 << 6 << "prog.yab, line 2: syntax error";
        QTest::newRow("automatic: plain output in the pane") << index << "" << 1 << 10 << outOfRange;
        QTest::newRow("automatic: screen mode in a terminal") << QByteArray("dim a(3)\n  a(5) = 1\nk$ = inkey$(0)\n") << "" << 1 << 10 << outOfRange;
        QTest::newRow("error in a library") << QByteArray("import mylib\nprint \"x\"\nf(7)\n") << "1" << -1 << 0
                                            << "mylib.yab, line 3: index 1 (=7) out of range (in a library)";
    }
    void errorsTakeTheCaretThere()
    {
        NEED_YABASIC();
        QFETCH(QByteArray, program);
        QFETCH(QString, where);
        QFETCH(int, line);
        QFETCH(int, column);
        RunWindow t(program); // in a folder of its own, with a blank, its library beside it
        QVERIFY(QDir(t.fake.folder.path()).mkpath("my progs"));
        t.fake.services.commandLine = t.fake.writeFile("my progs/prog.yab", program);
        t.fake.writeFile("my progs/mylib.yab", "export sub f(n)\n  dim b(2)\n  b(n) = 1\nend sub\n");
        t.startReal(where.toLatin1().constData());
        QTemporaryDir spaced; // blanks in the interpreter's and the temporary program's paths
        QVERIFY(QDir().mkpath(spaced.filePath("dir with space")) && QFile::link(realYabasic(), spaced.filePath("dir with space/yabasic")));
        t.set("YABPath", spaced.filePath("dir with space/yabasic"));
        t.set("TempPath", spaced.filePath("dir with space/T prg.yab"));
        clickToolbar(*t.w, "run");
        const bool inTerminal = where == "2" || program.contains("inkey$(");
        QCOMPARE(t.fake.launcher.started.size(), inTerminal ? 1 : 0);
        QCOMPARE(tabBar(*t.w)->currentIndex(), inTerminal ? 0 : 2);
        if (inTerminal)
            QVERIFY(t.runAsTheTerminalWould());
        QTRY_VERIFY_WITH_TIMEOUT(!t.r().errors().isEmpty() && !t.r().isRunning(), 10000);
        const int at = std::max(line, 0); // the caret's line and column, the marked line
        QCOMPARE((QList<int>{t.line(), t.column(), t.ed()->errorLine()}), (QList<int>{at, column, line}));
        QTEST(t.status(), "message");
        if (!inTerminal) {
            const QString text = t.shown();
            QVERIFY2(!text.contains("T prg") && text.contains(line < 0 ? "---Dump: sub f() called in prog.yab,3\n"
                                                                        : "---Error in prog.yab, line "), qPrintable(text));
            QVERIFY(text.contains("\n--- Exit status 1, run time"));
            // The report in the pane is a link back to the place.
            QTextCursor c(t.output()->document()->find("---Error in ").block());
            c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
            t.w->show();
            t.caretTo(t.ed()->document()->characterCount() - 1);
            QTest::mouseClick(t.output()->viewport(), Qt::LeftButton, {}, t.output()->cursorRect(c).center());
            QCOMPARE(line < 0 ? t.line() > 0 : t.line() == at && t.column() == column, true);
        }
        for (const char *key : {"runNextError", "runPreviousError"}) { // F4, Shift+F4: back to the place
            t.caretTo(t.ed()->document()->characterCount() - 1);
            action(*t.w, key)->trigger();
            QCOMPARE(t.line() == at, line >= 0);
        }
        // The mark belongs to the text that ran: editing its line takes it away.
        if (line >= 0) {
            QTextCursor(t.ed()->document()->findBlockByNumber(line)).insertText(" ");
            QCOMPARE(t.ed()->errorLine(), -1);
        }
    }

    // The stand-alone program made of the text, checking while typing, Ctrl+F5, and a text that cannot be made.
    void syntaxCheckAndStandalone()
    {
        NEED_YABASIC();
        RunWindow t("import mylib\nprint \"twice \", twice(21)\n");
        t.fake.writeFile("mylib.yab", "export sub twice(n)\n  return 2 * n\nend sub\n");
        t.startReal("1");
        QTemporaryDir out;
        const QString made = out.filePath("twice");
        t.fake.prompter.answerFile(made);
        t.fake.prompter.answerMessage(MsgResult::OK);
        action(*t.w, "runMakeStandalone")->trigger();
        QCOMPARE(t.fake.prompter.fileDialogs.at(0).title, QStringLiteral("Make Stand-alone Program"));
        QTRY_COMPARE_WITH_TIMEOUT(t.fake.prompter.messages.size(), 1, 20000);
        t.expectOneMessage("Make Stand-alone Program",
                           QStringLiteral("The stand-alone program %1 was made (%2 bytes).").arg(made).arg(QFileInfo(made).size()),
                           MsgIcon::Information);
        QProcess p; // it runs without Vormeld and without the library beside it
        p.setWorkingDirectory(out.path());
        p.start(made, {});
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.readAllStandardOutput(), QByteArray("twice 42\n"));

        t.caretTo(t.ed()->document()->findBlockByNumber(1).position() + 25);
        QTest::keyClicks(t.ed(), " + )");
        QTRY_COMPARE_WITH_TIMEOUT(t.ed()->syntaxMarkLine(), 1, 10000);
        QCOMPARE(t.ed()->syntaxMessage(), QStringLiteral("syntax error"));
        const QList<QTextEdit::ExtraSelection> marks = t.ed()->extraSelections();
        QCOMPARE(marks.size(), 1);
        QCOMPARE(marks[0].format.underlineStyle(), QTextCharFormat::SpellCheckUnderline);
        QCOMPARE(marks[0].cursor.selectedText(), QStringLiteral(")"));
        QCOMPARE(t.status(), QStringLiteral("prog.yab, line 2: syntax error"));
        QTest::keyClicks(t.ed(), "\b1");
        QTRY_COMPARE_WITH_TIMEOUT(t.ed()->syntaxMarkLine(), -1, 10000);
        QVERIFY(t.ed()->extraSelections().isEmpty());
        action(*t.w, "runCheckSyntax")->trigger(); // Ctrl+F5 tells a clean text, and goes to an error
        QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("No syntax errors"), 10000);
        t.insertAt(0, "x = (\n");
        action(*t.w, "runCheckSyntax")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(t.line(), 0, 10000);
        QCOMPARE(t.ed()->syntaxMarkLine(), 0);

        t.fake.prompter.answerFile(out.filePath("broken")); // the interpreter's words on a text that does not parse
        t.fake.prompter.answerMessage(MsgResult::OK);
        action(*t.w, "runMakeStandalone")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(t.fake.prompter.messages.size(), 2, 20000);
        const MessageRequest &m = t.fake.prompter.messages.last();
        QVERIFY2(m.text.startsWith("The stand-alone program could not be made.\r\n"), qPrintable(m.text));
        QVERIFY2(m.text.contains("prog.yab") && !m.text.contains("TempPrg"), qPrintable(m.text));
        QCOMPARE(m.icon, MsgIcon::Exclamation);
    }

    void goToLineAndLineNumbers()
    {
        TestWindow t(QByteArray("print 1\n").repeated(119) + "print 1");
        t.start();
        t.w->show();
        const auto goTo = [&](const QString &answer, const char *place) { // no place: refused
            t.caretTo(t.ed()->document()->characterCount() - 1);
            answer.isEmpty() ? t.fake.prompter.cancelDialog() : t.fake.prompter.answerInput(answer);
            const bool refused = !*place;
            const qsizetype asked = t.fake.prompter.messages.size();
            if (refused)
                t.fake.prompter.answerMessage(MsgResult::OK);
            action(*t.w, "editGoToLine")->trigger();
            QCOMPARE(t.fake.prompter.inputs.last().title + ": " + t.fake.prompter.inputs.last().prompt, "Go to Line: Line number (1 to 120):");
            QCOMPARE(t.fake.prompter.messages.size(), asked + refused);
            if (refused)
                t.expectLastMessage("Go to Line", "There is no line \"" + answer.trimmed() + "\". The program has lines 1 to 120.", MsgIcon::Exclamation);
            QCOMPARE(panel(*t.w, 5), QString::fromLatin1(refused ? "Line 120, Col 8" : place));
        };
        goTo("3", "Line 3, Col 1");
        goTo(" 1 ", "Line 1, Col 1");
        goTo("0", "");
        goTo("121", "");
        goTo("x", "");
        goTo("", "Line 120, Col 8"); // cancelled

        auto *gutter = part<LineNumberArea>(*t.w, "lineNumberArea");
        const auto margin = [&] { return t.ed()->viewport()->geometry().left() - t.ed()->contentsRect().left(); };
        QCOMPARE(margin(), 0);
        action(*t.w, "viewLineNumbers")->trigger();
        QVERIFY(gutter->isVisible() && gutter->width() == margin() && margin() >= t.ed()->fontMetrics().horizontalAdvance("999"));
        const QImage before = gutter->grab().toImage(); // the numbers scroll with the text
        t.ed()->verticalScrollBar()->setValue(50);
        QVERIFY(gutter->grab().toImage() != before);
        QCOMPARE(t.fake.setting("Edit", "LineNumbers"), QStringLiteral("1"));
        action(*t.w, "viewLineNumbers")->trigger();
        QCOMPARE(QString::number(margin()) + t.fake.setting("Edit", "LineNumbers"), QStringLiteral("00"));
    }
};

QTEST_MAIN(tst_RunPane)
#include "tst_runpane.moc"
