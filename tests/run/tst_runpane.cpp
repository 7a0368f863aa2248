#include "editor/LineNumberArea.h"
#include "platform/core/ProcessGroup.h"
#include "platform/core/ProcessLauncher.h"
#include "run/OutputPane.h"
#include "support/TestWindow.h"

#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextBlock>

namespace {
QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString realYabasic()
{
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    return QStandardPaths::findExecutable("yabasic");
}

// A window on a saved program, run by the real interpreter.
struct RunWindow : TestWindow {
    RunWindow(const QByteArray &text, const char *where = "1") : TestWindow(text, "prog.yab")
    {
        set("Run", "YABPath", realYabasic());
        set("Run", "RunWhere", where);
        start();
    }
    QPlainTextEdit *output() const { return part<QPlainTextEdit>(*w, "outputView"); }
    QString shown() const
    {
        part<OutputPane>(*w, "outputPane")->flush();
        return output()->toPlainText();
    }
    RunController &r() const { return run(*w); }
    int line() const { return ed()->textCursor().blockNumber(); }
    int column() const { return ed()->textCursor().positionInBlock(); }
};
} // namespace

#define NEED_YABASIC()                                                                                     \
    if (realYabasic().isEmpty())                                                                           \
    QSKIP("yabasic is not installed on this machine")

class tst_RunPane : public QObject {
    Q_OBJECT
private slots:
    void outputAndInput()
    {
        NEED_YABASIC();
        RunWindow t("print \"before\"\ninput \"name? \" a$\nprint \"hi \", a$\nprint chr$(255) + \"|\"\n");
        QVERIFY(t.w->findChild<QTabBar *>("tabBar")->count() == 3);
        QCOMPARE(tabBar(*t.w)->tabText(2), QStringLiteral("Output"));
        clickToolbar(*t.w, "run");
        QCOMPARE(tabBar(*t.w)->currentIndex(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(t.shown().contains("name? "), 10000);
        QVERIFY(t.r().isRunning());
        auto *input = part<QLineEdit>(*t.w, "outputInput");
        QVERIFY(input->isEnabled());
        input->setText("bob");
        QTest::keyClick(input, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!t.r().isRunning(), 10000);
        const QString text = t.shown();
        QVERIFY2(text.contains("hi bob\n"), qPrintable(text));
        // A byte that is no UTF-8 comes through as Latin-1, nothing replaced.
        QVERIFY2(text.contains(QString::fromLatin1("\xff|")), qPrintable(text));
        QVERIFY2(QRegularExpression("--- Exit status 0, run time \\d+\\.\\d\\d s\n$").match(text).hasMatch(), qPrintable(text));
        QVERIFY(!part<QPushButton>(*t.w, "stopButton")->isEnabled());
        QVERIFY(t.fake.launcher.started.isEmpty());
        QVERIFY(t.fake.prompter.messages.isEmpty());
    }

    void automaticPlace_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<bool>("inTerminal");
        QTest::newRow("plain output runs in the pane") << QByteArray("print \"inkey$ in a string\"\n") << false;
        QTest::newRow("screen mode needs a terminal") << QByteArray("clear screen\nprint at(2, 2) \"x\"\n") << true;
    }
    void automaticPlace()
    {
        NEED_YABASIC();
        QFETCH(QByteArray, program);
        QFETCH(bool, inTerminal);
        TestWindow t(program, "prog.yab");
        t.set("Run", "YABPath", realYabasic());
        t.start();
        emit t.w->findChild<QMenu *>("runMenu")->aboutToShow();
        QVERIFY(action(*t.w, "runWhere", 0)->isChecked()); // Automatic unless chosen otherwise
        QVERIFY(!action(*t.w, "runWhere", 1)->isChecked() && !action(*t.w, "runWhere", 2)->isChecked());
        clickToolbar(*t.w, "run");
        QCOMPARE(t.fake.launcher.started.size(), inTerminal ? 1 : 0);
        QCOMPARE(tabBar(*t.w)->currentIndex(), inTerminal ? 0 : 2);
        QTRY_VERIFY_WITH_TIMEOUT(!run(*t.w).isRunning(), 10000);
    }

    void stopEndsEverything_data()
    {
        QTest::addColumn<bool>("withChild");
        QTest::addColumn<bool>("byKey");
        QTest::newRow("a runaway loop, Stop button") << false << false;
        QTest::newRow("a loop that started a child, Shift+F5") << true << true;
    }
    void stopEndsEverything()
    {
        NEED_YABASIC();
        QFETCH(bool, withChild);
        QFETCH(bool, byKey);
        QTemporaryDir dir;
        const QString pidFile = dir.filePath("child.pid");
        QByteArray program = "print \"go\"\n";
        if (withChild)
            program += "x = system(\"sleep 300 & echo $! > " + pidFile.toUtf8() + "\")\n";
        program += "do\n  i = i + 1\nloop\n";
        RunWindow t(program);
        clickToolbar(*t.w, "run");
        QTRY_VERIFY_WITH_TIMEOUT(t.shown().contains("go"), 10000);
        const qint64 pid = t.r().runningPid();
        qint64 child = 0;
        if (withChild) {
            QTRY_VERIFY_WITH_TIMEOUT(readBytes(pidFile).trimmed().toLongLong() > 0, 10000);
            child = readBytes(pidFile).trimmed().toLongLong();
            QVERIFY(ProcessGroup::processExists(child));
        }
        const QString temp = t.r().runningProgramFile();
        QVERIFY(QFile::exists(temp));
        if (byKey)
            action(*t.w, "runStop")->trigger();
        else
            part<QPushButton>(*t.w, "stopButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!t.r().isRunning(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!ProcessGroup::processExists(pid), 10000);
        if (withChild)
            QTRY_VERIFY_WITH_TIMEOUT(!ProcessGroup::processExists(child), 10000);
        QVERIFY(t.shown().contains("--- Stopped, run time "));
        QVERIFY2(!QFile::exists(temp), "the temporary program goes when the run ends");
    }

    void runAgainAndCloseWhileRunning()
    {
        NEED_YABASIC();
        RunWindow t("print \"go\"\ndo\nloop\n");
        clickToolbar(*t.w, "run");
        QTRY_VERIFY_WITH_TIMEOUT(t.shown().contains("go"), 10000);
        const qint64 first = t.r().runningPid();
        t.fake.prompter.answerMessage(MsgResult::No);
        clickToolbar(*t.w, "run"); // No: the program goes on
        QCOMPARE(t.fake.prompter.messages.last().text, QStringLiteral("The program is still running.\r\nStop it and run it again?"));
        QCOMPARE(t.fake.prompter.messages.last().title, QStringLiteral("Run Program"));
        QCOMPARE(t.r().runningPid(), first);
        t.fake.prompter.answerMessage(MsgResult::Yes);
        clickToolbar(*t.w, "run");
        QTRY_VERIFY_WITH_TIMEOUT(t.r().isRunning() && t.r().runningPid() != first, 10000);
        QVERIFY(!ProcessGroup::processExists(first));
        const qint64 second = t.r().runningPid();
        t.fake.prompter.answerMessage(MsgResult::No);
        QVERIFY(!t.w->close());
        QCOMPARE(t.fake.prompter.messages.last().title, QStringLiteral("Exit"));
        QCOMPARE(t.fake.prompter.messages.last().text, QStringLiteral("The program is still running.\r\nEnd it and close Vormeld?"));
        QVERIFY(t.r().isRunning());
        t.fake.prompter.answerMessage(MsgResult::Yes);
        QVERIFY(t.w->close());
        QVERIFY(!ProcessGroup::processExists(second));
        QVERIFY(t.fake.prompter.unexpected.isEmpty());
    }

    void errorsTakeTheCaretThere_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("message");
        const QByteArray syntax = "print \"a\"\nx = 5 ) + 3\nprint \"b\"\n";
        const QByteArray index = "dim a(3)\nprint \"hi\"\n  a(5) = 1\n";
        QTest::newRow("syntax error in the pane") << syntax << "1" << 1 << 6 << "prog.yab, line 2: syntax error";
        QTest::newRow("index out of range in the pane") << index << "1" << 2 << 10 << "prog.yab, line 3: index 1 (=5) out of range";
        QTest::newRow("syntax error in a terminal") << syntax << "2" << 1 << 6 << "prog.yab, line 2: syntax error";
        QTest::newRow("index out of range in a terminal") << index << "2" << 2 << 10 << "prog.yab, line 3: index 1 (=5) out of range";
    }
    void errorsTakeTheCaretThere()
    {
        NEED_YABASIC();
        QFETCH(QByteArray, program);
        QFETCH(QString, where);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, message);
        RunWindow t(program, where.toLatin1().constData());
        clickToolbar(*t.w, "run");
        if (where == "2") {
            // The terminal's command line, run as the terminal would run it.
            QCOMPARE(t.fake.launcher.started.size(), 1);
            QStringList parts = splitCommandLine(t.fake.launcher.started.first());
            QProcess sh;
            sh.setWorkingDirectory(t.fake.folder.path());
            sh.setStandardOutputFile(QProcess::nullDevice());
            sh.setStandardErrorFile(QProcess::nullDevice());
            sh.start(parts.takeFirst(), parts);
            QVERIFY(sh.waitForFinished(15000));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!t.r().errors().isEmpty() && !t.r().isRunning(), 10000);
        QCOMPARE(t.line(), line);
        QCOMPARE(t.column(), column);
        QCOMPARE(t.ed()->errorLine(), line);
        QCOMPARE(statusBar(*t.w)->tabMessage(0), message);
        QVERIFY(!t.r().errors().first().summary().contains("TempPrg"));
        if (where == "1") {
            const QString text = t.shown();
            QVERIFY2(!text.contains("TempPrg") && text.contains("---Error in prog.yab, line"), qPrintable(text));
            QVERIFY(text.contains("--- Exit status 1, run time"));
            // The report in the pane is a link: clicking it goes back to the place.
            t.caretTo(0);
            const QTextBlock report = t.output()->document()->find("---Error in prog.yab").block();
            QTextCursor c(report);
            c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
            const QRect r = t.output()->cursorRect(c);
            t.w->show();
            QTest::mouseClick(t.output()->viewport(), Qt::LeftButton, {}, r.center());
            QCOMPARE(t.line(), line);
            QCOMPARE(t.column(), column);
        }
        // F4 and Shift+F4 walk the reports; the caret comes back to the place.
        t.caretTo(0);
        action(*t.w, "runNextError")->trigger();
        QCOMPARE(t.line(), line);
        action(*t.w, "runPreviousError")->trigger();
        QCOMPARE(t.line(), line);
    }

    void errorsInALibraryAndPastTheEnd()
    {
        NEED_YABASIC();
        RunWindow t("import mylib\nprint \"x\"\nf(7)\n");
        t.fake.writeFile("mylib.yab", "export sub f(n)\n  dim b(2)\n  b(n) = 1\nend sub\n");
        t.caretTo(0);
        clickToolbar(*t.w, "run");
        QTRY_VERIFY_WITH_TIMEOUT(!t.r().errors().isEmpty() && !t.r().isRunning(), 10000);
        QCOMPARE(statusBar(*t.w)->tabMessage(0), QStringLiteral("mylib.yab, line 3: index 1 (=7) out of range (in a library)"));
        QCOMPARE(t.line(), 0); // the caret stays: the place is in another file
        QVERIFY(t.shown().contains("---Dump: sub f() called in prog.yab,3"));

        // A report past the end of the text puts the caret on the last line.
        t.set("Run", "RunWhere", "2");
        action(*t.w, "runWhere", 2)->trigger();
        clickToolbar(*t.w, "run");
        const QStringList parts = splitCommandLine(t.fake.launcher.started.last());
        QFile copy(parts.at(4));
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write("---Error in " + parts.at(6).toUtf8() + ", line 99:\n---Error: too far\n");
        copy.close();
        QFile end(parts.at(4) + ".end");
        QVERIFY(end.open(QIODevice::WriteOnly));
        end.close();
        QTRY_COMPARE_WITH_TIMEOUT(statusBar(*t.w)->tabMessage(0), QStringLiteral("prog.yab, line 99: too far"), 5000);
        QCOMPARE(t.line(), t.ed()->document()->blockCount() - 1);
        QCOMPARE(t.fake.setting("Run", "RunWhere"), QStringLiteral("2"));
    }

    void syntaxCheckWhileTyping()
    {
        NEED_YABASIC();
        RunWindow t("print \"a\"\nprint \"b\"\n");
        t.caretTo(t.ed()->document()->findBlockByNumber(1).position() + 9);
        QTest::keyClicks(t.ed(), " + )");
        QTRY_COMPARE_WITH_TIMEOUT(t.ed()->syntaxMarkLine(), 1, 10000);
        QCOMPARE(t.ed()->syntaxMessage(), QStringLiteral("syntax error"));
        const QList<QTextEdit::ExtraSelection> marks = t.ed()->extraSelections();
        QCOMPARE(marks.size(), 1);
        QCOMPARE(marks[0].format.underlineStyle(), QTextCharFormat::SpellCheckUnderline);
        QCOMPARE(marks[0].cursor.blockNumber(), 1);
        QCOMPARE(marks[0].cursor.selectedText(), QStringLiteral(")"));
        QCOMPARE(statusBar(*t.w)->tabMessage(0), QStringLiteral("prog.yab, line 2: syntax error"));
        QTest::keyClick(t.ed(), Qt::Key_Backspace);
        QTest::keyClicks(t.ed(), "\"c\"");
        QTRY_COMPARE_WITH_TIMEOUT(t.ed()->syntaxMarkLine(), -1, 10000);
        QVERIFY(t.ed()->extraSelections().isEmpty());
        // Ctrl+F5 says so when the text is clean, and goes to the error when not.
        action(*t.w, "runCheckSyntax")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(statusBar(*t.w)->tabMessage(0), QStringLiteral("No syntax errors"), 10000);
        t.insertAt(0, "x = (\n");
        t.caretTo(t.ed()->document()->characterCount() - 1);
        action(*t.w, "runCheckSyntax")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(t.line(), 0, 10000);
        QCOMPARE(t.ed()->syntaxMarkLine(), 0);
    }

    void goToLine_data()
    {
        QTest::addColumn<QString>("answer"); // "" cancels
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("message");
        QTest::newRow("a line") << "3" << 2 << "";
        QTest::newRow("blanks around") << " 1 " << 0 << "";
        QTest::newRow("past the end") << "9" << 4 << "There is no line \"9\". The program has lines 1 to 5.";
        QTest::newRow("not a number") << "x" << 4 << "There is no line \"x\". The program has lines 1 to 5.";
        QTest::newRow("cancelled") << "" << 4 << "";
    }
    void goToLine()
    {
        QFETCH(QString, answer);
        QFETCH(int, line);
        QFETCH(QString, message);
        TestWindow t("a\nb\nc\nd\ne");
        t.start();
        t.caretTo(t.ed()->document()->characterCount() - 1);
        if (answer.isEmpty())
            t.fake.prompter.cancelDialog();
        else
            t.fake.prompter.answerInput(answer);
        if (!message.isEmpty())
            t.fake.prompter.answerMessage(MsgResult::OK);
        QCOMPARE(action(*t.w, "editGoToLine")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
        action(*t.w, "editGoToLine")->trigger();
        QCOMPARE(t.fake.prompter.inputs.size(), 1);
        QCOMPARE(t.fake.prompter.inputs[0].title, QStringLiteral("Go to Line"));
        QCOMPARE(t.fake.prompter.inputs[0].prompt, QStringLiteral("Line number (1 to 5):"));
        QCOMPARE(t.ed()->textCursor().blockNumber(), line);
        if (message.isEmpty())
            QVERIFY(t.fake.prompter.messages.isEmpty());
        else
            t.expectOneMessage("Go to Line", message, MsgIcon::Exclamation);
        QCOMPARE(panel(*t.w, 5), QStringLiteral("Line %1, Col %2").arg(line + 1).arg(line == 4 ? 2 : 1));
    }

    void lineNumberGutter()
    {
        QByteArray text;
        for (int i = 1; i <= 120; ++i)
            text += "print " + QByteArray::number(i) + "\n";
        TestWindow t(text);
        t.start();
        t.w->show();
        auto *gutter = part<LineNumberArea>(*t.w, "lineNumberArea");
        QVERIFY(!gutter->isVisible());
        QCOMPARE((t.ed()->viewport()->geometry().left() - t.ed()->contentsRect().left()), 0);
        action(*t.w, "viewLineNumbers")->trigger();
        QVERIFY(gutter->isVisible());
        const int width = (t.ed()->viewport()->geometry().left() - t.ed()->contentsRect().left());
        QVERIFY(width >= t.ed()->fontMetrics().horizontalAdvance("999"));
        QCOMPARE(gutter->width(), width);
        QCOMPARE(t.fake.setting("Edit", "LineNumbers"), QStringLiteral("1"));
        // A larger font makes a wider gutter; scrolling moves the numbers with the text.
        QFont f = t.ed()->font();
        f.setPointSizeF(f.pointSizeF() * 2);
        t.ed()->setFont(f);
        QVERIFY((t.ed()->viewport()->geometry().left() - t.ed()->contentsRect().left()) > width);
        const QImage before = gutter->grab().toImage();
        t.ed()->verticalScrollBar()->setValue(50);
        QVERIFY(gutter->grab().toImage() != before);
        action(*t.w, "viewLineNumbers")->trigger();
        QCOMPARE((t.ed()->viewport()->geometry().left() - t.ed()->contentsRect().left()), 0);
        QCOMPARE(t.fake.setting("Edit", "LineNumbers"), QStringLiteral("0"));
    }

    void standaloneProgram()
    {
        NEED_YABASIC();
        RunWindow t("import mylib\nprint \"twice \", twice(21)\n");
        t.fake.writeFile("mylib.yab", "export sub twice(n)\n  return 2 * n\nend sub\n");
        QTemporaryDir out;
        const QString made = out.filePath("twice");
        t.fake.prompter.answerFile(made);
        t.fake.prompter.answerMessage(MsgResult::OK);
        action(*t.w, "runMakeStandalone")->trigger();
        QCOMPARE(t.fake.prompter.fileDialogs.size(), 1);
        QCOMPARE(t.fake.prompter.fileDialogs[0].title, QStringLiteral("Make Stand-alone Program"));
        QCOMPARE(t.fake.prompter.fileDialogs[0].kind, FileDialogRequest::Save);
        QTRY_COMPARE_WITH_TIMEOUT(t.fake.prompter.messages.size(), 1, 20000);
        t.expectOneMessage("Make Stand-alone Program",
                           QStringLiteral("The stand-alone program %1 was made (%2 bytes).").arg(made).arg(QFileInfo(made).size()),
                           MsgIcon::Information);
        // It runs without Vormeld and without the library beside it.
        QVERIFY(QFileInfo(made).isExecutable());
        QProcess p;
        p.setWorkingDirectory(out.path());
        p.start(made, {});
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.readAllStandardOutput(), QByteArray("twice 42\n"));

        // A program that does not parse: the interpreter's words are told.
        editor(*t.w).setText("print (\n");
        t.fake.prompter.answerFile(out.filePath("broken"));
        t.fake.prompter.answerMessage(MsgResult::OK);
        action(*t.w, "runMakeStandalone")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(t.fake.prompter.messages.size(), 2, 20000);
        const MessageRequest &m = t.fake.prompter.messages.last();
        QVERIFY2(m.text.startsWith("The stand-alone program could not be made.\r\n"), qPrintable(m.text));
        QVERIFY2(m.text.contains("prog.yab") && !m.text.contains("TempPrg"), qPrintable(m.text));
        QCOMPARE(m.icon, MsgIcon::Exclamation);
    }

    void interpreterThatCannotStart()
    {
        TestWindow t("print 1\n");
        QTemporaryDir bin;
        const QString fake = bin.filePath("yabasic");
        QFile f(fake);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/no/such/shell\n");
        f.close();
        QFile::setPermissions(fake, QFile::permissions(fake) | QFileDevice::ExeOwner);
        t.set("Run", "YABPath", fake);
        t.set("Run", "RunWhere", "1");
        t.start();
        clickToolbar(*t.w, "run");
        QTRY_VERIFY_WITH_TIMEOUT(!run(*t.w).isRunning(), 10000);
        part<OutputPane>(*t.w, "outputPane")->flush();
        QVERIFY2(part<QPlainTextEdit>(*t.w, "outputView")->toPlainText().contains("--- The interpreter could not be started: "),
                 qPrintable(part<QPlainTextEdit>(*t.w, "outputView")->toPlainText()));
    }
};

QTEST_MAIN(tst_RunPane)
#include "tst_runpane.moc"
