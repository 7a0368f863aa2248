#include "run/AddingDebugOutputWindow.h"
#include "run/YabasicPathDialog.h"
#include "run/core/DebugLog.h"
#include "run/core/RunCommand.h"
#include "support/RunWindow.h"

class tst_Run : public QObject {
    Q_OBJECT
private slots:
    // Runs in a terminal (the fake launcher): the command line, or the message that stops the run.
    void runOutcomes_data()
    {
        QTest::addColumn<QString>("interpreter"); // ok, key, none, missing, folder, plain, nostart
        QTest::addColumn<QString>("tempPath");    // in the program folder
        QTest::addColumn<QString>("message");     // "", "needed", or the "Problem" box's words on the path
        QTest::newRow("started with geometry and level") << "ok" << "" << "";
        QTest::newRow("TempPath wins") << "ok" << "elsewhere.yab" << "";
        QTest::newRow("interpreter found through the key") << "key" << "" << "";
        QTest::newRow("no interpreter") << "none" << "" << "needed";
        QTest::newRow("missing file") << "missing" << "" << "{yab}: there is no such file";
        QTest::newRow("a folder") << "folder" << "" << "{yab}: this is a folder, not the interpreter";
        QTest::newRow("not executable") << "plain" << "" << "{yab}: this file may not be run (it is not executable)";
        QTest::newRow("does not start") << "nostart" << "" << "{yab}: the interpreter could not be started";
        QTest::newRow("unwritable temp file") << "ok" << "no/such/T.yab" << "{tmp}: the temporary program could not be written (";
        QTest::newRow("temp file is the program's own file") << "ok" << "prog.yab" << "{tmp}: the temporary program file is the program itself";
    }
    void runOutcomes()
    {
        QFETCH(QString, interpreter);
        QFETCH(QString, tempPath);
        QFETCH(QString, message);
        const bool started = message.isEmpty() || interpreter == "nostart";
        RunWindow t("print \"hi\"\n");
        QTemporaryDir bin; // the interpreter's folder name holds a blank: every path is quoted
        QString yab = interpreter == "folder" ? t.fake.folder.path()
                      : interpreter == "key"  ? bin.filePath(interpreterExecutableName())
                                              : t.fake.path("yab interp");
        if (interpreter == "plain")
            t.fake.writeFile("yab interp", "x");
        else if (interpreter != "missing" && interpreter != "folder")
            makeExecutable(yab, "#!/bin/sh\n");
        t.fake.launcher.succeed = interpreter != "nostart";
        t.fake.interpreterKey.values["version"] = "2.90.3";
        if (interpreter == "key")
            t.fake.interpreterKey.values["path"] = bin.path() + "/";
        else if (interpreter != "none")
            t.set("YABPath", yab);
        t.set("GeoString", "+10+20");
        t.set("RunWhere", "2");
        t.start();
        action(*t.w, "runInfoLevels", 3)->trigger();
        t.ed()->textCursor().insertText("x = 1\n");
        writeBytes(DebugLog::path(), "from an earlier run\n");
        debugView(*t.w)->setPlainText("untouched");
        QString tmp = tempPath.isEmpty() ? QString() : t.fake.path(tempPath);
        t.set("TempPath", tmp); // read afresh at every run
        if (!message.isEmpty())
            t.fake.prompter.answerMessage(MsgResult::OK);
        clickToolbar(*t.w, "run");
        QCOMPARE(t.fake.launcher.started.size(), started ? 1 : 0);
        if (started) { // through a shell that keeps a copy of standard error beside the temporary program
            const QStringList parts = splitCommandLine(t.fake.launcher.started.first());
            tmp = tempPath.isEmpty() ? parts.value(6) : tmp;
            QVERIFY2(!tempPath.isEmpty() || (tmp.contains("/vormeld-run-") && tmp.endsWith("/TempPrg.yab")), qPrintable(tmp));
            QVERIFY2(parts.value(4).contains("/vormeld-run-") && parts.value(4).endsWith("/errors.txt"), qPrintable(parts.value(4)));
            QCOMPARE(parts.mid(5), (QStringList{yab, tmp, "-geometry", "+10+20", "-i", "e"}));
            QCOMPARE(readBytes(tmp), message.isEmpty() ? QByteArray("x = 1\nprint \"hi\"\n") : QByteArray("<unreadable>"));
        }
        message.replace("{yab}", yab).replace("{tmp}", tmp);
        const bool problem = !message.isEmpty() && message != "needed";
        const MessageRequest m = t.fake.prompter.messages.value(0);
        QCOMPARE(t.fake.prompter.messages.size(), message.isEmpty() ? 0 : 1);
        if (message == "needed")
            t.expectOneMessage("Problem", "The Path of the Yabasic Interpreter is needed", MsgIcon::Information);
        else if (problem)
            QVERIFY2(m.title == "Problem" && m.icon == MsgIcon::Exclamation && m.text.startsWith(
                         "There was a problem while attempting to execute the interpreter.\r\nPlease check the interpreter's path.\r\n" + message),
                     qPrintable(m.text));
        // A run that ends at once leaves the debug view alone; any other reads the log.
        QCOMPARE(t.debugText(), problem ? QStringLiteral("untouched") : QStringLiteral("from an earlier run\n"));
        QCOMPARE(run(*t.w).yabasicVersion(), interpreter == "none" ? QStringLiteral("[ErrorVersion]") : QStringLiteral("2.90.3"));
        QCOMPARE(t.fake.setting("Run", "YABPath"), interpreter == "none" ? QString() : yab);
    }

    void runMenuSettingsAndDebugWindow()
    {
        RunWindow t;
        t.set("GeoString", "+1+2");
        t.set("YABPath", "/old/yabasic");
        t.start();
        t.fake.prompter.answerInput("+10+20");
        action(*t.w, "runGeometry")->trigger();
        const InputRequest &in = t.fake.prompter.inputs.at(0);
        QCOMPARE(in.title + "|" + in.prompt + "|" + in.defaultText, "Geometry String|Enter the new Geometry String of the grafics window\r\n\r\n"
                 "e.g. +10+20 (Makes the window appear at 10 pixels from the left and 20 pixels from the top)|+1+2");
        t.fake.prompter.cancelDialog();
        action(*t.w, "runGeometry")->trigger(); // Cancel clears it
        QCOMPARE(t.fake.prompter.inputs.last().defaultText, QStringLiteral("+10+20"));
        action(*t.w, "runInfoLevels", 4)->trigger();

        // Yabasic Path: browse, the key, help; Cancel stores nothing, OK stores as typed.
        whenModal<YabasicPathDialog>(action(*t.w, "runYabasicPath"), [&](YabasicPathDialog *d) {
            auto *edit = d->findChild<QLineEdit *>("interpreterEdit");
            QCOMPARE(d->windowTitle() + ": " + edit->text(), QStringLiteral("Yabasic Path: /old/yabasic"));
            t.fake.prompter.cancelDialog();
            d->findChild<QPushButton *>("browseButton")->click();
            QCOMPARE(t.fake.prompter.fileDialogs[0].title + ": " + edit->text(), "Select YaBasic Interpreter: /old/yabasic");
            t.fake.prompter.answerFile("/picked/yabasic");
            d->findChild<QPushButton *>("browseButton")->click();
            QCOMPARE(edit->text(), QStringLiteral("/picked/yabasic"));
            t.fake.interpreterKey.values["path"] = "/usr/local/bin"; // no separator is added
            d->findChild<QPushButton *>("registryButton")->click();
            QCOMPARE(edit->text(), "/usr/local/bin" + interpreterExecutableName());
            d->findChild<QPushButton *>("helpButton")->click();
            QCOMPARE(t.fake.shell.opened, QStringList{t.fake.path("hlp00001.htm")});
            d->findChild<QPushButton *>("cancelButton")->click();
        });
        QCOMPARE(t.fake.setting("Run", "YABPath"), QStringLiteral("/old/yabasic"));
        whenModal<YabasicPathDialog>(action(*t.w, "runYabasicPath"), [](YabasicPathDialog *d) {
            d->findChild<QLineEdit *>("interpreterEdit")->setText("/opt/yab/yabasic");
            d->findChild<QLineEdit *>("tempFileEdit")->setText(" /tmp/with blank.yab");
            d->findChild<QPushButton *>("okButton")->click();
        });
        QCOMPARE(run(*t.w).interpreterFolder(), QStringLiteral("/opt/yab/"));

        // The debug view shows the log in full, a huge log's end, keeps its text when there is none; clearing clears both.
        writeBytes(DebugLog::path(), "x = 1\n");
        action(*t.w, "debugRefresh")->trigger();
        writeBytes(DebugLog::path(), "x = 2\n", QIODevice::Append); // read in full, not appended piecewise
        t.w->findChild<QPushButton *>("refreshDebugButton")->click();
        QCOMPARE(t.debugText(), QStringLiteral("x = 1\nx = 2\n"));
        QByteArray log;
        for (int i = 0; i < 200000; ++i)
            log += "line " + QByteArray::number(i) + "\n";
        QVERIFY(writeBytes(DebugLog::path(), log + QByteArray("\0\xff\xfe binary tail\n", 16)));
        action(*t.w, "debugRefresh")->trigger();
        const QString shown = t.debugText();
        QVERIFY(shown.startsWith("[The debug log holds 2.") && shown.endsWith("binary tail\n") && shown.contains("\nline 199999\n"));
        QVERIFY(shown.size() < 1100 * 1024 && !shown.contains("line 1\n"));
        action(*t.w, "debugClear")->trigger();
        QVERIFY(!QFile::exists(DebugLog::path()) && t.debugText().isEmpty());
        debugView(*t.w)->setPlainText("kept");
        action(*t.w, "debugRefresh")->trigger();
        QCOMPARE(t.debugText(), QStringLiteral("kept"));
        t.w->move(100, 100);
        action(*t.w, "debugAddOutput")->trigger();
        auto *help = part<AddingDebugOutputWindow>(*t.w);
        QCOMPARE(help->windowTitle() + ": " + help->findChild<QLineEdit *>("importLineEdit")->text(), "Adding Debug Output: import qxdebug");
        QCOMPARE(help->frameGeometry().topRight(), t.w->frameGeometry().topRight() + QPoint(0, 40));
        QVERIFY(t.fake.prompter.messages.isEmpty() && t.w->close()); // what was chosen is kept
        QCOMPARE(t.fake.setting("Run", "GeoString") + "|" + t.fake.setting("Run", "InfoLevel") + "|" + t.fake.setting("Run", "YABPath") + "|"
                     + t.fake.setting("Run", "TempPath"), QStringLiteral("|4|/opt/yab/yabasic| /tmp/with blank.yab"));
    }
};

QTEST_MAIN(tst_Run)
#include "tst_run.moc"
