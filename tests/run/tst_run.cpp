#include "run/AddingDebugOutputWindow.h"
#include "run/YabasicPathDialog.h"
#include "run/core/DebugLog.h"
#include "platform/core/ProcessLauncher.h"
#include "run/core/RunCommand.h"
#include "support/TestWindow.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

namespace {
QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString &path, const QByteArray &bytes, QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QFile f(path);
    QVERIFY(f.open(mode));
    f.write(bytes);
}

// An executable file that stands in for the interpreter (the fakes never start it).
QString makeExecutable(const QString &path)
{
    writeBytes(path, "#!/bin/sh\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

// A window whose debug log lives in a home folder of its own.
struct Window : TestWindow {
    QTemporaryDir home;
    QByteArray oldHome = qgetenv("HOME");
    explicit Window(const QByteArray &text = "print 1\n", const char *fileName = nullptr) : TestWindow(text, fileName)
    {
        qputenv("HOME", home.path().toLocal8Bit());
    }
    ~Window() { qputenv("HOME", oldHome); }
    void set(const char *key, const QString &value) { TestWindow::set("Run", key, value); }
    QString debugText() const { return debugView(*w)->toPlainText(); }
};

const QString RunProblem = QStringLiteral(
    "There was a problem while attempting to execute the interpreter.\r\nPlease check the interpreter's path.");

// The real interpreter, without a display (the programs only write files).
QString realYabasic()
{
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    return QStandardPaths::findExecutable("yabasic");
}
} // namespace

class tst_Run : public QObject {
    Q_OBJECT
private slots:
    void optionText_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("geo");
        QTest::addColumn<QString>("text");
        QTest::newRow("diagnostics") << 0 << "" << "-i d";
        QTest::newRow("notes") << 1 << "" << "-i n";
        QTest::newRow("warnings") << 2 << "" << "-i w";
        QTest::newRow("errors") << 3 << "" << "-i e";
        QTest::newRow("fatal") << 4 << "" << "-i f";
        QTest::newRow("geometry first") << 2 << "+10+20" << "-geometry +10+20 -i w";
        QTest::newRow("level out of range") << 7 << "" << "-i ";
        QTest::newRow("negative level") << -1 << "640x480" << "-geometry 640x480 -i ";
    }
    void optionText()
    {
        QFETCH(int, level);
        QFETCH(QString, geo);
        QFETCH(QString, text);
        QCOMPARE(RunCommand::optionText(level, geo), text);
    }

    void runOutcomes_data()
    {
        QTest::addColumn<QString>("interpreter"); // ok, key, none, missing, folder, plain, nostart
        QTest::addColumn<QString>("tempPath");    // in the program folder
        QTest::addColumn<QString>("started");     // the command line; {yab} the interpreter, {dir} the folder
        QTest::addColumn<QString>("message");     // "", "needed", or the "Problem" box's second line
        // Every path is quoted: the interpreter's folder name holds a blank.
        const QString options = QStringLiteral(" \"-geometry\" \"+10+20\" \"-i\" \"e\"");
        const QString started = QStringLiteral("\"{yab}\" \"{dir}/TempPrg.yab\"") + options;
        QTest::newRow("started with geometry and level") << "ok" << "" << started << "";
        QTest::newRow("TempPath wins") << "ok" << "elsewhere.yab" << "\"{yab}\" \"{dir}/elsewhere.yab\"" + options << "";
        QTest::newRow("interpreter found through the key") << "key" << "" << started << "";
        QTest::newRow("no interpreter") << "none" << "" << "" << "needed";
        QTest::newRow("missing file") << "missing" << "" << "" << "{yab}: there is no such file";
        QTest::newRow("a folder") << "folder" << "" << "" << "{yab}: this is a folder, not the interpreter";
        QTest::newRow("not executable") << "plain" << "" << "" << "{yab}: this file may not be run (it is not executable)";
        QTest::newRow("does not start") << "nostart" << "" << started << "{yab}: the interpreter could not be started";
        QTest::newRow("unwritable temp file") << "ok" << "no/such/folder/T.yab" << "" << "{dir}/no/such/folder/T.yab: the temporary program could not be written (";
        QTest::newRow("temp file is the program's own file") << "ok" << "prog.yab" << "" << "{dir}/prog.yab: the temporary program file is the program itself";
    }
    void runOutcomes()
    {
        QFETCH(QString, interpreter);
        QFETCH(QString, tempPath);
        QFETCH(QString, started);
        QFETCH(QString, message);
        Window t("print \"hi\"\n", "prog.yab");
        QTemporaryDir bin;
        QString yab = t.fake.path("yab interp");
        if (interpreter == "folder")
            yab = t.fake.folder.path();
        else if (interpreter == "plain")
            t.fake.writeFile("yab interp", "x");
        else if (interpreter == "key")
            yab = makeExecutable(bin.filePath(interpreterExecutableName()));
        else if (interpreter != "missing")
            makeExecutable(yab);
        t.fake.launcher.succeed = interpreter != "nostart";
        t.fake.interpreterKey.values["version"] = "2.90.3";
        if (interpreter == "key")
            t.fake.interpreterKey.values["path"] = bin.path() + "/";
        else if (interpreter != "none")
            t.set("YABPath", yab);
        t.set("GeoString", "+10+20");
        t.set("RunWhere", "2"); // in a terminal window, as before the output pane
        t.start();
        action(*t.w, "runInfoLevels", 3)->trigger();
        t.ed()->textCursor().insertText("x = 1\n");
        writeBytes(DebugLog::path(), "from an earlier run\n");
        debugView(*t.w)->setPlainText("untouched");
        if (!tempPath.isEmpty())
            t.set("TempPath", t.fake.path(tempPath)); // read afresh at every run
        if (!message.isEmpty())
            t.fake.prompter.answerMessage(MsgResult::OK);
        clickToolbar(*t.w, "run");
        started.replace("{yab}", yab).replace("{dir}", t.fake.folder.path());
        message.replace("{yab}", yab).replace("{dir}", t.fake.folder.path());
        QCOMPARE(t.fake.launcher.started.size(), started.isEmpty() ? 0 : 1);
        QString tempProgram;
        if (!started.isEmpty()) {
            // The terminal runs the command through a shell that keeps a copy of
            // standard error in the run's own folder, beside its temporary program.
            const QStringList parts = splitCommandLine(t.fake.launcher.started.first());
            QCOMPARE(parts.mid(0, 2), (QStringList{"/bin/sh", "-c"}));
            QCOMPARE(parts.at(3), QStringLiteral("vormeld-run"));
            tempProgram = parts.at(6);
            if (tempPath.isEmpty()) {
                QVERIFY2(QFileInfo(tempProgram).absolutePath().contains("vormeld-run-"), qPrintable(tempProgram));
                QCOMPARE(QFileInfo(tempProgram).fileName(), QStringLiteral("TempPrg.yab"));
                started.replace(t.fake.folder.path() + "/TempPrg.yab", tempProgram);
            }
            QCOMPARE(parts.at(4), QFileInfo(parts.at(4)).absolutePath() + "/errors.txt");
            QCOMPARE(RunCommand::joinArguments(parts.mid(5)), started);
        }
        const bool problem = !message.isEmpty() && message != "needed";
        if (message == "needed") {
            t.expectOneMessage("Problem", "The Path of the Yabasic Interpreter is needed", MsgIcon::Information);
        } else if (problem) {
            QCOMPARE(t.fake.prompter.messages.size(), 1);
            const MessageRequest &m = t.fake.prompter.messages.first();
            QCOMPARE(m.title, QStringLiteral("Problem"));
            QVERIFY2(m.text.startsWith(RunProblem + "\r\n" + message), qPrintable(m.text));
            QCOMPARE(m.icon, MsgIcon::Exclamation);
        } else {
            QVERIFY(t.fake.prompter.messages.isEmpty());
        }
        if (!started.isEmpty() && message.isEmpty()) // the split command line gives both paths back whole
            QCOMPARE(readBytes(tempProgram), QByteArray("x = 1\nprint \"hi\"\n"));
        else
            QVERIFY(!QFile::exists(t.fake.path("TempPrg.yab")));
        // A run that ends at once leaves the debug view alone; any other reads the log.
        QCOMPARE(t.debugText(), problem ? QStringLiteral("untouched") : QStringLiteral("from an earlier run\n"));
        QCOMPARE(run(*t.w).yabasicVersion(), interpreter == "none" ? QStringLiteral("[ErrorVersion]") : QStringLiteral("2.90.3"));
        if (interpreter == "key")
            QCOMPARE(t.fake.setting("Run", "YABPath"), yab);
        // The run leaves the document as it was: its file unwritten, its changes unsaved.
        QCOMPARE(readBytes(t.fake.path("prog.yab")), QByteArray("print \"hi\"\n"));
        QVERIFY(documents(*t.w).state().fileChanged);
        QCOMPARE(panel(*t.w, 5), QStringLiteral("Line 2, Col 1"));
    }

    void geometryAndInfoLevelsAreKept()
    {
        Window t;
        t.set("GeoString", "+1+2");
        t.start();
        t.fake.prompter.answerInput("+10+20");
        action(*t.w, "runGeometry")->trigger();
        QCOMPARE(t.fake.prompter.inputs.size(), 1);
        QCOMPARE(t.fake.prompter.inputs[0].title, QStringLiteral("Geometry String"));
        QCOMPARE(t.fake.prompter.inputs[0].prompt, QStringLiteral("Enter the new Geometry String of the grafics window\r\n\r\ne.g. +10+20 (Makes the window appear at 10 pixels from the left and 20 pixels from the top)"));
        QCOMPARE(t.fake.prompter.inputs[0].defaultText, QStringLiteral("+1+2"));
        QCOMPARE(run(*t.w).geometry(), QStringLiteral("+10+20"));
        t.fake.prompter.cancelDialog();
        action(*t.w, "runGeometry")->trigger(); // Cancel clears it
        QCOMPARE(t.fake.prompter.inputs.last().defaultText, QStringLiteral("+10+20"));
        QCOMPARE(run(*t.w).geometry(), QString());

        const auto checked = [&] {
            QString marks;
            for (int i = 0; i < 5; ++i)
                marks += action(*t.w, "runInfoLevels", i)->isChecked() ? 'x' : '-';
            return marks;
        };
        emit t.w->findChild<QMenu *>("runMenu")->aboutToShow();
        QCOMPARE(checked(), QStringLiteral("--x--"));
        action(*t.w, "runInfoLevels", 4)->trigger();
        QCOMPARE(run(*t.w).infoLevel(), 4);
        QCOMPARE(checked(), QStringLiteral("----x"));
        QVERIFY(t.w->close());
        QCOMPARE(t.fake.setting("Run", "GeoString"), QString());
        QCOMPARE(t.fake.setting("Run", "InfoLevel"), QStringLiteral("4"));
    }

    void yabasicPathDialog()
    {
        Window t;
        t.set("YABPath", "/old/yabasic");
        t.start();
        QCOMPARE(run(*t.w).interpreterFolder(), QStringLiteral("/old/"));
        const auto dialogDoes = [&](std::function<void(YabasicPathDialog *)> steps) {
            QTimer::singleShot(0, [=] {
                auto *d = qobject_cast<YabasicPathDialog *>(QApplication::activeModalWidget());
                QVERIFY(d);
                steps(d);
            });
            action(*t.w, "runYabasicPath")->trigger();
        };
        dialogDoes([&](YabasicPathDialog *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Yabasic Path"));
            QCOMPARE(d->findChild<QLineEdit *>("interpreterEdit")->text(), QStringLiteral("/old/yabasic"));
            QCOMPARE(d->findChild<QLineEdit *>("tempFileEdit")->text(), QString());
            QCOMPARE(d->findChild<QPushButton *>("browseButton")->text(), QStringLiteral("Browse..."));
            QCOMPARE(d->findChild<QPushButton *>("registryButton")->text(), QStringLiteral("Check in Registry"));
            QVERIFY(d->findChild<QLabel *>("spacesNote")->text().endsWith("In case Vormeld is stored in \"Program Files\""));
            t.fake.prompter.cancelDialog();
            d->findChild<QPushButton *>("browseButton")->click();
            QCOMPARE(t.fake.prompter.fileDialogs[0].title, QStringLiteral("Select YaBasic Interpreter"));
            QCOMPARE(d->findChild<QLineEdit *>("interpreterEdit")->text(), QStringLiteral("/old/yabasic")); // a cancelled browse keeps the text
            t.fake.prompter.answerFile("/picked/yabasic");
            d->findChild<QPushButton *>("browseButton")->click();
            QCOMPARE(d->findChild<QLineEdit *>("interpreterEdit")->text(), QStringLiteral("/picked/yabasic"));
            d->findChild<QPushButton *>("registryButton")->click(); // nothing in the key: unchanged, no message
            QCOMPARE(d->findChild<QLineEdit *>("interpreterEdit")->text(), QStringLiteral("/picked/yabasic"));
            t.fake.interpreterKey.values["path"] = "/usr/local/bin"; // no separator is added
            d->findChild<QPushButton *>("registryButton")->click();
            QCOMPARE(d->findChild<QLineEdit *>("interpreterEdit")->text(), "/usr/local/bin" + interpreterExecutableName());
            d->findChild<QPushButton *>("helpButton")->click();
            QCOMPARE(t.fake.shell.opened, QStringList{t.fake.path("hlp00001.htm")});
            d->findChild<QPushButton *>("cancelButton")->click(); // Cancel stores nothing
        });
        QCOMPARE(t.fake.setting("Run", "YABPath"), QStringLiteral("/old/yabasic"));
        dialogDoes([](YabasicPathDialog *d) {
            d->findChild<QLineEdit *>("interpreterEdit")->setText("/opt/yab/yabasic");
            d->findChild<QLineEdit *>("tempFileEdit")->setText(" /tmp/with blank.yab");
            d->findChild<QPushButton *>("okButton")->click();
        });
        QCOMPARE(run(*t.w).interpreterFolder(), QStringLiteral("/opt/yab/"));
        QCOMPARE(t.fake.setting("Run", "YABPath"), QStringLiteral("/opt/yab/yabasic"));
        QCOMPARE(t.fake.setting("Run", "TempPath"), QStringLiteral(" /tmp/with blank.yab"));
        QVERIFY(t.fake.prompter.messages.isEmpty());
    }

    void debugViewShowsTheLog()
    {
        Window t;
        t.start();
        QCOMPARE(t.debugText(), QString());
        writeBytes(DebugLog::path(), "x = 1\n");
        action(*t.w, "debugRefresh")->trigger();
        QCOMPARE(t.debugText(), QStringLiteral("x = 1\n"));
        writeBytes(DebugLog::path(), "x = 2\n", QIODevice::Append);
        t.w->findChild<QPushButton *>("refreshDebugButton")->click();
        QCOMPARE(t.debugText(), QStringLiteral("x = 1\nx = 2\n")); // in full, not appended piecewise
        action(*t.w, "debugClear")->trigger();
        QVERIFY(!QFile::exists(DebugLog::path()));
        QCOMPARE(t.debugText(), QString());
        debugView(*t.w)->setPlainText("kept");
        action(*t.w, "debugRefresh")->trigger(); // no log: the view keeps what it has
        QCOMPARE(t.debugText(), QStringLiteral("kept"));
        action(*t.w, "debugClear")->trigger(); // clearing without a log is no error
        QCOMPARE(t.debugText(), QString());
        QVERIFY(t.fake.prompter.messages.isEmpty());
        // A huge log shows its end.
        QByteArray log;
        for (int i = 0; i < 200000; ++i)
            log += "line " + QByteArray::number(i) + "\n";
        writeBytes(DebugLog::path(), log + QByteArray("\0\xff\xfe binary tail\n", 16));
        const DebugLog::Contents c = DebugLog::read(DebugLog::path(), 64 * 1024);
        QVERIFY(c.ok && c.shortened && c.text.size() < 70 * 1024);
        QVERIFY(c.text.startsWith("[The debug log holds") && c.text.endsWith("binary tail\n"));
        QVERIFY(c.text.contains("line 199999\n") && !c.text.contains("line 1\n"));
        QVERIFY(!DebugLog::read(t.home.path()).ok); // a folder is no log
    }

    void addingDebugOutputWindow()
    {
        Window t;
        t.start();
        t.w->move(100, 100);
        action(*t.w, "debugAddOutput")->trigger();
        auto *help = t.w->findChild<AddingDebugOutputWindow *>();
        QVERIFY(help);
        QCOMPARE(help->windowTitle(), QStringLiteral("Adding Debug Output"));
        QCOMPARE(help->findChild<QLineEdit *>("importLineEdit")->text(), QStringLiteral("import qxdebug"));
        QVERIFY(help->findChild<QLineEdit *>("printDebugLineEdit")->isReadOnly());
        QCOMPARE(help->frameGeometry().right(), t.w->frameGeometry().right());
        QCOMPARE(help->frameGeometry().top(), t.w->frameGeometry().top() + 40);
    }

    void realInterpreterWritesTheDebugLog()
    {
        const QString yabasic = realYabasic();
        if (yabasic.isEmpty())
            QSKIP("yabasic is not installed on this machine");
        Window t("import qxdebug\nx = 6 * 7\nPrintDebug(\"x = \" + str$(x))\n");
        SystemProcessLauncher launcher;
        t.fake.services.launcher = &launcher;
        QVERIFY2(QFile::exists(t.fake.path("qxdebug.yab")), "the shipped debug library is beside the program");
        t.set("YABPath", yabasic);
        t.start();
        run(*t.w).runProgram();
        QVERIFY(t.fake.prompter.messages.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(readBytes(DebugLog::path()).contains("x = 42"), 15000);
        action(*t.w, "debugRefresh")->trigger();
        QCOMPARE(t.debugText(), QStringLiteral("x = 42\n"));
    }

    void realInterpreterFindsALibraryBesideTheProgram()
    {
        // Blanks in every path the command line carries: the interpreter's folder,
        // the temporary program and the program's own folder.
        const QString yabasic = realYabasic();
        if (yabasic.isEmpty())
            QSKIP("yabasic is not installed on this machine");
        QTemporaryDir root;
        const QString progs = root.filePath("my progs"), interp = root.filePath("dir with space");
        QVERIFY(QDir().mkpath(progs) && QDir().mkpath(interp) && QDir().mkpath(root.filePath("temp dir")));
        QVERIFY(QFile::link(yabasic, interp + "/yabasic"));
        const QString result = progs + "/result.txt";
        writeBytes(progs + "/mylib.yab", "export sub twice(n)\n  return 2 * n\nend sub\n");
        writeBytes(progs + "/prog.yab", QString("import mylib\nopen #1, \"%1\", \"w\"\n"
                                                "print #1 \"twice 21 is \", twice(21), \" caf\xc3\xa9\"\nclose #1\n")
                                            .arg(result).toUtf8());
        Window t;
        SystemProcessLauncher launcher;
        t.fake.services.launcher = &launcher;
        t.fake.services.commandLine = progs + "/prog.yab";
        t.set("YABPath", interp + "/yabasic");
        t.set("TempPath", root.filePath("temp dir/T prg.yab"));
        t.start();
        run(*t.w).runProgram();
        QVERIFY(t.fake.prompter.messages.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(readBytes(result).contains("caf"), 15000);
        QCOMPARE(readBytes(result), QByteArray("twice 21 is 42 caf\xc3\xa9\n"));
    }
};

QTEST_MAIN(tst_Run)
#include "tst_run.moc"
