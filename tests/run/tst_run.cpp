#include "app/MainWindow.h"
#include "editor/CodeEditor.h"
#include "run/core/DebugLog.h"
#include "run/core/RunCommand.h"
#include "run/AddingDebugOutputWindow.h"
#include "run/YabasicPathDialog.h"
#include "support/FakeServices.h"
#include "support/WindowProbe.h"

#include "app/MainStatusBar.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

namespace {
QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// An executable file that stands in for the interpreter (it is never started by the fakes).
QString makeExecutable(const QString &path)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write("#!/bin/sh\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    return path;
}

struct Window {
    FakeServices fake;
    QTemporaryDir home;
    QByteArray oldHome = qgetenv("HOME");
    std::unique_ptr<MainWindow> w;
    explicit Window(const QByteArray &templ = "print 1\n")
    {
        qputenv("HOME", home.path().toLocal8Bit()); // the debug log lives here
        fake.writeFile("Template.yab", templ);
    }
    ~Window() { qputenv("HOME", oldHome); }
    void start()
    {
        w = std::make_unique<MainWindow>(fake.services);
        w->start();
    }
    SettingsAccess settings() { return SettingsAccess(fake.settings, "vormeld"); }
    QString debugView() { return debugView(*w)->toPlainText(); }
    QString panel(int n) { return statusBar(*w)->panel(n)->text(); }
};
} // namespace

class tst_Run : public QObject {
    Q_OBJECT
private slots:
    void optionText_data();
    void optionText();
    void tempProgramPath();

    void runWritesTheFileAndStartsTheInterpreter();
    void runLeavesTheDocumentAlone();
    void detectionFromTheKey();
    void noInterpreterIsReported();
    void badInterpreterPathsAreReported_data();
    void badInterpreterPathsAreReported();
    void unwritableTempFileIsReported();

    void geometryInput();
    void infoLevelItems();

    void pathDialog();
    void pathDialogThroughTheMenu();

    void debugViewRefreshAndClear();
    void hugeDebugLogShowsItsEnd();
    void addingDebuggingWindow();

    void realInterpreterWritesTheDebugLog();
    void realInterpreterRunsTheProgram();
};

void tst_Run::optionText_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("geo");
    QTest::addColumn<QString>("text");
    QTest::newRow("diagnostics") << 0 << "" << "-i d";
    QTest::newRow("notes") << 1 << "" << "-i n";
    QTest::newRow("warnings") << 2 << "" << "-i w";
    QTest::newRow("errors") << 3 << "" << "-i e";
    QTest::newRow("fatal") << 4 << "" << "-i f";
    QTest::newRow("geometry") << 2 << "+10+20" << "-geometry +10+20 -i w";
    QTest::newRow("level out of range") << 7 << "" << "-i ";
    QTest::newRow("negative level") << -1 << "640x480" << "-geometry 640x480 -i ";
}

void tst_Run::optionText()
{
    QFETCH(int, level);
    QFETCH(QString, geo);
    QFETCH(QString, text);
    QCOMPARE(RunCommand::optionText(level, geo), text);
}

void tst_Run::tempProgramPath()
{
    QCOMPARE(RunCommand::tempProgramPath("", "/opt/vormeld"), QStringLiteral("/opt/vormeld/TempPrg.yab"));
    QCOMPARE(RunCommand::tempProgramPath("C:\\tmp\\x.yab", "/opt/vormeld"), QStringLiteral("C:\\tmp\\x.yab"));
    QCOMPARE(RunCommand::CommandLine("/my progs/yabasic", "/t/T.yab", "-i w"),
             QStringLiteral("/my progs/yabasic /t/T.yab -i w"));
}

void tst_Run::runWritesTheFileAndStartsTheInterpreter()
{
    Window t("print \"hi\"\n");
    const QString yab = makeExecutable(t.fake.path("yab interp"));
    t.settings().saveSetting("Run", "YABPath", yab);
    SettingsAccess(t.fake.settings, "vormeld").saveSetting("Run", "GeoString", QStringLiteral("+10+20"));
    t.start();
    t.w->infoLevel = 3;
    clickToolbar(*t.w, "run");
    const QString temp = t.fake.path("TempPrg.yab");
    QCOMPARE(t.fake.launcher.started, QStringList{yab + " " + temp + " -geometry +10+20 -i e"});
    QCOMPARE(readBytes(temp), QByteArray("print \"hi\"\n"));
    QVERIFY(t.fake.prompter.messages.isEmpty());

    // TempPath wins; settings are read afresh at every run.
    const QString other = t.fake.path("elsewhere.yab");
    t.settings().saveSetting("Run", "TempPath", other);
    action(*t.w, "runProgram")->trigger();
    QCOMPARE(t.fake.launcher.started.last(), yab + " " + other + " -geometry +10+20 -i e");
    QVERIFY(QFile::exists(other));
}

void tst_Run::runLeavesTheDocumentAlone()
{
    Window t;
    t.settings().saveSetting("Run", "YABPath", makeExecutable(t.fake.path("yabasic")));
    t.start();
    QTextCursor c = codeEditor(*t.w)->textCursor();
    c.insertText("x = 1\n");
    run(*t.w).runProgram();
    QVERIFY(documents(*t.w).state().fileChanged);
    QVERIFY(!documents(*t.w).state().hasFileName);
    QCOMPARE(t.w->windowTitle(), QStringLiteral("Untitled - Vormeld 2005"));
    QCOMPARE(t.panel(5), QStringLiteral("Line 2"));
}

void tst_Run::detectionFromTheKey()
{
    Window t;
    QTemporaryDir bin;
    makeExecutable(bin.filePath(interpreterExecutableName()));
    t.fake.interpreterKey.values["path"] = bin.path() + "/";
    t.start();
    run(*t.w).runProgram();
    const QString expected = bin.path() + "/" + interpreterExecutableName();
    QCOMPARE(t.fake.setting("Run", "YABPath"), expected);
    QCOMPARE(t.fake.launcher.started.size(), 1);
    QVERIFY(t.fake.launcher.started.first().startsWith(expected + " "));
}

void tst_Run::noInterpreterIsReported()
{
    Window t;
    t.fake.interpreterKey.values["version"] = "2.90.3";
    t.start();
    QFile log(DebugLog::path());
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write("from an earlier run\n");
    log.close();
    t.fake.prompter.answerMessage(MsgResult::OK);
    run(*t.w).runProgram();
    QCOMPARE(t.fake.prompter.messages.size(), 1);
    const MessageRequest &m = t.fake.prompter.messages.first();
    QCOMPARE(m.title, QStringLiteral("Problem"));
    QCOMPARE(m.text, QStringLiteral("The Path of the Yabasic Interpreter is needed"));
    QCOMPARE(m.icon, MsgIcon::Information);
    QVERIFY(t.fake.launcher.started.isEmpty());
    QVERIFY(!QFile::exists(t.fake.path("TempPrg.yab")));
    QCOMPARE(t.w->yabasicVersion, QStringLiteral("[ErrorVersion]"));
    QCOMPARE(t.debugView(), QStringLiteral("from an earlier run\n")); // the refresh still happens
}

void tst_Run::badInterpreterPathsAreReported_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("not executable") << "plain";
    QTest::newRow("does not start") << "nostart";
}

void tst_Run::badInterpreterPathsAreReported()
{
    QFETCH(QString, kind);
    Window t;
    QString path = t.fake.path("yabasic");
    if (kind == "folder")
        path = t.fake.folder.path();
    else if (kind == "plain")
        path = t.fake.writeFile("plain", "x");
    else if (kind == "nostart") {
        makeExecutable(path);
        t.fake.launcher.succeed = false;
    }
    t.settings().saveSetting("Run", "YABPath", path);
    t.start();
    debugView(*t.w)->setPlainText("untouched");
    t.fake.prompter.answerMessage(MsgResult::OK);
    run(*t.w).runProgram();
    QCOMPARE(t.fake.prompter.messages.size(), 1);
    const MessageRequest &m = t.fake.prompter.messages.first();
    QCOMPARE(m.title, QStringLiteral("Problem"));
    QCOMPARE(m.text, QStringLiteral("There was a problem while attempting to execute the interpreter.\r\nPlease check the interpreter's path."));
    QCOMPARE(m.icon, MsgIcon::Exclamation);
    QCOMPARE(t.debugView(), QStringLiteral("untouched")); // the run ended at once
}

void tst_Run::unwritableTempFileIsReported()
{
    Window t;
    t.settings().saveSetting("Run", "YABPath", makeExecutable(t.fake.path("yabasic")));
    t.settings().saveSetting("Run", "TempPath", t.fake.path("no/such/folder/T.yab"));
    t.start();
    t.fake.prompter.answerMessage(MsgResult::OK);
    run(*t.w).runProgram();
    QCOMPARE(t.fake.prompter.messages.size(), 1);
    QCOMPARE(t.fake.prompter.messages.first().title, QStringLiteral("Problem"));
    QVERIFY(t.fake.launcher.started.isEmpty());
}

void tst_Run::geometryInput()
{
    Window t;
    t.settings().saveSetting("Run", "GeoString", QStringLiteral("+1+2"));
    t.start();
    t.fake.prompter.answerInput("+10+20");
    action(*t.w, "runGeometry")->trigger();
    QCOMPARE(t.fake.prompter.inputs.size(), 1);
    const InputRequest &r = t.fake.prompter.inputs.first();
    QCOMPARE(r.title, QStringLiteral("Geometry String"));
    QCOMPARE(r.prompt, QStringLiteral("Enter the new Geometry String of the grafics window\r\n\r\ne.g. +10+20 (Makes the window appear at 10 pixels from the left and 20 pixels from the top)"));
    QCOMPARE(r.defaultText, QStringLiteral("+1+2"));
    QCOMPARE(t.w->geoString, QStringLiteral("+10+20"));
    t.fake.prompter.cancelDialog();
    action(*t.w, "runGeometry")->trigger();
    QCOMPARE(t.w->geoString, QString());
    QVERIFY(t.w->close());
    QCOMPARE(t.fake.setting("Run", "GeoString"), QString());
}

void tst_Run::infoLevelItems()
{
    Window t;
    t.start();
    MainMenus &m = t.w->menus();
    emit m.runMenu->aboutToShow();
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m.runInfoLevels[i]->isChecked(), i == 2);
    m.runInfoLevels[4]->trigger();
    QCOMPARE(t.w->infoLevel, qint16(4));
    emit m.runInfoLevelMenu->aboutToShow();
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m.runInfoLevels[i]->isChecked(), i == 4);
    QVERIFY(t.w->close());
    QCOMPARE(t.fake.setting("Run", "InfoLevel"), QStringLiteral("4"));
}

void tst_Run::pathDialog()
{
    FakeServices fake;
    SettingsAccess s(fake.settings, "vormeld");
    s.saveSetting("Run", "YABPath", QStringLiteral("/old/yabasic"));
    {
        YabasicPathDialog d(s, fake.interpreterKey, fake.prompter, fake.shell, fake.folder.path());
        QCOMPARE(d.windowTitle(), QStringLiteral("Yabasic Path"));
        QCOMPARE(d.findChild<QLineEdit *>("interpreterEdit")->text(), QStringLiteral("/old/yabasic"));
        QCOMPARE(d.findChild<QLineEdit *>("tempFileEdit")->text(), QString());
        QVERIFY(d.dialogCancelled());
        QCOMPARE(d.findChild<QPushButton *>("browseButton")->text(), QStringLiteral("Browse..."));
        QCOMPARE(d.findChild<QPushButton *>("registryButton")->text(), QStringLiteral("Check in Registry"));
        QVERIFY(d.findChild<QLabel *>("spacesNote")->text().endsWith("In case Vormeld is stored in \"Program Files\""));

        fake.prompter.cancelDialog();
        d.findChild<QPushButton *>("browseButton")->click();
        QCOMPARE(fake.prompter.fileDialogs.first().title, QStringLiteral("Select YaBasic Interpreter"));
        QCOMPARE(d.findChild<QLineEdit *>("interpreterEdit")->text(), QStringLiteral("/old/yabasic")); // a cancelled browse keeps the text
        fake.prompter.answerFile("/picked/yabasic");
        d.findChild<QPushButton *>("browseButton")->click();
        QCOMPARE(d.findChild<QLineEdit *>("interpreterEdit")->text(), QStringLiteral("/picked/yabasic"));

        d.findChild<QPushButton *>("registryButton")->click(); // nothing in the key: unchanged, no message
        QCOMPARE(d.findChild<QLineEdit *>("interpreterEdit")->text(), QStringLiteral("/picked/yabasic"));
        fake.interpreterKey.values["path"] = "/usr/local/bin"; // no separator is added
        d.findChild<QPushButton *>("registryButton")->click();
        QCOMPARE(d.findChild<QLineEdit *>("interpreterEdit")->text(), "/usr/local/bin" + interpreterExecutableName());

        d.findChild<QPushButton *>("helpButton")->click();
        QCOMPARE(fake.shell.opened, QStringList{fake.path("hlp00001.htm")});

        d.findChild<QLineEdit *>("tempFileEdit")->setText(" /tmp/with blank.yab");
        d.findChild<QPushButton *>("cancelButton")->click(); // Cancel stores nothing
        QVERIFY(d.dialogCancelled());
        QCOMPARE(s.getSetting("Run", "YABPath"), QStringLiteral("/old/yabasic"));
    }
    {
        YabasicPathDialog d(s, fake.interpreterKey, fake.prompter, fake.shell, fake.folder.path());
        d.findChild<QLineEdit *>("interpreterEdit")->setText("");
        d.findChild<QLineEdit *>("tempFileEdit")->setText(" /tmp/with blank.yab");
        d.findChild<QPushButton *>("okButton")->click();
        QVERIFY(!d.dialogCancelled());
        QCOMPARE(s.getSetting("Run", "YABPath"), QString());
        QCOMPARE(s.getSetting("Run", "TempPath"), QStringLiteral(" /tmp/with blank.yab"));
    }
    QVERIFY(fake.prompter.messages.isEmpty());
}

void tst_Run::pathDialogThroughTheMenu()
{
    Window t;
    t.start();
    QCOMPARE(t.w->interpreterFolder, QString());
    QTimer::singleShot(0, [] {
        auto *d = qobject_cast<YabasicPathDialog *>(QApplication::activeModalWidget());
        QVERIFY(d);
        d->findChild<QLineEdit *>("interpreterEdit")->setText("/opt/yab/yabasic");
        d->findChild<QPushButton *>("okButton")->click();
    });
    action(*t.w, "runYabasicPath")->trigger();
    QCOMPARE(t.w->interpreterFolder, QStringLiteral("/opt/yab/"));
}

void tst_Run::debugViewRefreshAndClear()
{
    Window t;
    t.start();
    QCOMPARE(t.debugView(), QString());
    QFile log(DebugLog::path());
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write("x = 1\n");
    log.close();
    action(*t.w, "debugRefresh")->trigger();
    QCOMPARE(t.debugView(), QStringLiteral("x = 1\n"));
    QVERIFY(log.open(QIODevice::Append));
    log.write("x = 2\n");
    log.close();
    UNKNOWN_Command1(*t.w)->click();
    QCOMPARE(t.debugView(), QStringLiteral("x = 1\nx = 2\n")); // in full, not appended piecewise
    action(*t.w, "debugClear")->trigger();
    QVERIFY(!QFile::exists(DebugLog::path()));
    QCOMPARE(t.debugView(), QString());
    run(*t.w).refreshDebugArea(); // no log: the view keeps what it has
    QCOMPARE(t.debugView(), QString());
    debugView(*t.w)->setPlainText("kept");
    action(*t.w, "debugClear")->trigger(); // clearing without a log is no error
    QCOMPARE(t.debugView(), QString());
    QVERIFY(t.fake.prompter.messages.isEmpty());
}

void tst_Run::hugeDebugLogShowsItsEnd()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (int i = 0; i < 200000; ++i)
        f.write(QByteArray("line ") + QByteArray::number(i) + "\n");
    f.write(QByteArray("\0\xff\xfe binary tail\n", 16));
    f.close();
    const DebugLog::Contents c = DebugLog::read(path, 64 * 1024);
    QVERIFY(c.ok);
    QVERIFY(c.shortened);
    QVERIFY(c.text.startsWith("[The debug log holds"));
    QVERIFY(c.text.contains("line 199999\n"));
    QVERIFY(!c.text.contains("line 1\n"));
    QVERIFY(c.text.size() < 70 * 1024);
    QVERIFY(c.text.endsWith("binary tail\n"));
    QVERIFY(!DebugLog::read(dir.path()).ok); // a folder is no log
}

void tst_Run::addingDebuggingWindow()
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
    const QRect owner = t.w->frameGeometry();
    QCOMPARE(help->frameGeometry().right(), owner.right());
    QCOMPARE(help->frameGeometry().top(), owner.top() + 40);
}

void tst_Run::realInterpreterWritesTheDebugLog()
{
    const QString yabasic = QStandardPaths::findExecutable("yabasic");
    if (yabasic.isEmpty())
        QSKIP("yabasic is not installed on this machine");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    Window t("import qxdebug\nx = 6 * 7\nPrintDebug(\"x = \" + str$(x))\n");
    SystemProcessLauncher launcher;
    t.fake.services.launcher = &launcher;
    QVERIFY2(QFile::exists(t.fake.path("qxdebug.yab")), "the shipped debug library is beside the program");
    t.settings().saveSetting("Run", "YABPath", yabasic);
    t.start();
    run(*t.w).runProgram();
    QVERIFY(t.fake.prompter.messages.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(readBytes(DebugLog::path()).contains("x = 42"), 15000);
    run(*t.w).refreshDebugArea();
    QCOMPARE(t.debugView(), QStringLiteral("x = 42\n"));
}

void tst_Run::realInterpreterRunsTheProgram()
{
    const QString yabasic = QStandardPaths::findExecutable("yabasic");
    if (yabasic.isEmpty())
        QSKIP("yabasic is not installed on this machine");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    QTemporaryDir out;
    const QString result = out.filePath("result.txt");
    // A library beside the saved program is found: the program's folder comes first.
    const QString lib = out.filePath("mylib.yab");
    QFile l(lib);
    QVERIFY(l.open(QIODevice::WriteOnly));
    l.write("export sub twice(n)\n  return 2 * n\nend sub\n");
    l.close();
    const QString prog = out.filePath("prog.yab");
    QFile p(prog);
    QVERIFY(p.open(QIODevice::WriteOnly));
    p.write(QString("import mylib\nopen #1, \"%1\", \"w\"\nprint #1 \"twice 21 is \", twice(21), \" caf\xc3\xa9\"\nclose #1\n")
                .arg(result).toUtf8());
    p.close();
    Window t;
    SystemProcessLauncher launcher;
    t.fake.services.launcher = &launcher;
    t.fake.services.commandLine = prog;
    t.settings().saveSetting("Run", "YABPath", yabasic);
    t.start();
    run(*t.w).runProgram();
    QTRY_VERIFY_WITH_TIMEOUT(readBytes(result).contains("caf"), 15000);
    QCOMPARE(readBytes(result), QByteArray("twice 21 is 42 caf\xc3\xa9\n"));
}

QTEST_MAIN(tst_Run)
#include "tst_run.moc"
