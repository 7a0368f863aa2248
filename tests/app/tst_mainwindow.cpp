#include "app/core/MainLayout.h"
#include "search/LineBrowser.h"
#include "support/FakeServices.h"
#include "support/WindowProbe.h"

#include <QClipboard>
#include <QFile>
#include <QMenu>

namespace {
QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void typeAtEnd(MainWindow &w, const QString &text)
{
    QTextCursor c = codeEditor(w)->textCursor();
    c.movePosition(QTextCursor::End);
    codeEditor(w)->setTextCursor(c);
    c.insertText(text);
}
} // namespace

class tst_MainWindow : public QObject {
    Q_OBJECT
private slots:
    void startupDocument_data();
    void startupDocument();
    void runSettingsAreReadAtStart();
    void closeSavesSettingsEvenWhenCancelled();
    void closeAnswers_data();
    void closeAnswers();
    void editMenuEnablingRules();
    void menuKeysWinOverEditorKeys();
    void tabSwitchingAndStatusMessages();
    void linePanelFollowsCaretAndClearsSubroutine();
    void toolbarDispatchByExactKey();
    void helpPages_data();
    void helpPages();
    void toolbarLayoutRestoredAndSaved();
    void toolWindowsOpenOnceAndCloseWithTheWindow();
    void layoutRules_data();
    void layoutRules();
};

void tst_MainWindow::startupDocument_data()
{
    QTest::addColumn<QString>("commandLine"); // %1 stands for the test file
    QTest::addColumn<bool>("withTemplate");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("named");
    QTest::newRow("template") << "" << true << "rem start here\nprint \"hi\"" << "Untitled - Vormeld 2005" << false;
    QTest::newRow("missing template is quiet") << "" << false << "" << "Untitled - Vormeld 2005" << false;
    QTest::newRow("blanks trimmed, name not split") << "  %1  " << true << "print 1\nprint 2" << "my prog.yab - Vormeld 2005" << true;
    // The quotes belong to the name, so the file is not found: empty text, that name.
    QTest::newRow("quotes taken literally") << "\"%1\"" << true << "" << "my prog.yab\" - Vormeld 2005" << true;
}

void tst_MainWindow::startupDocument()
{
    QFETCH(QString, commandLine);
    QFETCH(bool, withTemplate);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(bool, named);
    FakeServices fake;
    if (withTemplate)
        fake.writeFile("Template.yab", "rem start here\r\nprint \"hi\"\r\n");
    else
        QFile::remove(fake.path("Template.yab"));
    const QString file = fake.writeFile("my prog.yab", "print 1\nprint 2\n");
    fake.services.commandLine = commandLine.arg(file);
    const bool versioned = withTemplate && commandLine.isEmpty();
    if (versioned)
        fake.interpreterKey.values["version"] = "2.90.3";
    MainWindow w(fake.services);
    QCOMPARE(w.windowTitle(), QStringLiteral("Vormeld 2005"));
    w.start();
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(editorText(w), text);
    QCOMPARE(documents(w).state().hasFileName, named);
    QVERIFY(!documents(w).state().fileChanged);
    QCOMPARE(panel(w, 1), QStringLiteral("Ready - Using Yabasic version ")
                              + (versioned ? QStringLiteral("2.90.3") : QStringLiteral("[ErrorVersion]")));
    QCOMPARE(panel(w, 5), QStringLiteral("Line 1, Col 1"));
    QVERIFY(codeEditor(w)->isVisible() && !debugView(w)->isVisible() && !hotInfoBox(w)->isVisible());
    QVERIFY(!action(w, "viewDisableUpdating")->isChecked());
    QVERIFY(fake.prompter.messages.isEmpty());
}

void tst_MainWindow::runSettingsAreReadAtStart()
{
    FakeServices fake;
    SettingsAccess s(fake.settings, "vormeld");
    s.saveSetting("Run", "InfoLevel", QStringLiteral("0"));
    s.saveSetting("Run", "GeoString", QStringLiteral("+10+10"));
    s.saveSetting("Run", "YABPath", QStringLiteral("C:\\Yabasic\\yabasic.exe"));
    s.saveSetting("Edit", "AutoIndent", QStringLiteral("0"));
    fake.writeFile("Template.yab", "  print 1\n");
    MainWindow w(fake.services);
    w.start();
    emit part<QMenu>(w, "runMenu")->aboutToShow();
    QVERIFY(action(w, "runInfoLevels", 0)->isChecked() && !action(w, "runInfoLevels", 2)->isChecked());
    QCOMPARE(run(w).geometry(), QStringLiteral("+10+10"));
    action(w, "helpYabasicDocs")->trigger();
    QCOMPARE(fake.shell.opened, QStringList{"C:\\Yabasic\\yabasic.htm"});
    // Automatic indentation is off: Enter after an indented line indents nothing.
    QTextCursor c = codeEditor(w)->textCursor();
    c.movePosition(QTextCursor::End);
    codeEditor(w)->setTextCursor(c);
    QTest::keyClick(codeEditor(w), Qt::Key_Return);
    QCOMPARE(editorText(w), QStringLiteral("  print 1\n"));
}

void tst_MainWindow::closeSavesSettingsEvenWhenCancelled()
{
    FakeServices fake;
    MainWindow w(fake.services);
    w.start();
    action(w, "runInfoLevels", 3)->trigger();
    fake.prompter.answerInput(QStringLiteral("640x480"));
    action(w, "runGeometry")->trigger();
    codeEditor(w)->insertPlainText("x");
    fake.settings.writes.clear();
    fake.prompter.answerMessage(MsgResult::Cancel);
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(fake.setting("Run", "InfoLevel"), QStringLiteral("3"));
    QCOMPARE(fake.setting("Run", "GeoString"), QStringLiteral("640x480"));
    QCOMPARE(fake.settings.writes,
             (QStringList{"MostRecent/File0", "MostRecent/File1", "MostRecent/File2", "MostRecent/File3",
                          "MostRecent/File4", "MostRecent/File5", "Run/InfoLevel", "Run/GeoString", "Run/RunWhere",
                          "Toolbar/Toolbar1"}));
    QCOMPARE(fake.prompter.messages.size(), 1);
    const MessageRequest &m = fake.prompter.messages.first();
    QCOMPARE(m.title, QStringLiteral("File Changed"));
    QCOMPARE(m.text, QStringLiteral("The YaBasic file has changed,\r\nDo you want to save it?"));
    QCOMPARE(m.buttons, MsgButtons::YesNoCancel);
    QCOMPARE(m.icon, MsgIcon::Exclamation);
    QVERIFY(editorText(w).contains('x'));
}

void tst_MainWindow::closeAnswers_data()
{
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs"); // "" none, "cancel", or a file name
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("fileBytes");
    const int none = -1;
    QTest::newRow("unchanged closes without asking") << true << false << none << "" << true << QByteArray("old\n");
    QTest::newRow("no closes without saving") << true << true << int(MsgResult::No) << "" << true << QByteArray("old\n");
    QTest::newRow("yes saves a named file") << true << true << int(MsgResult::Yes) << "" << true << QByteArray("old\nnew line\n");
    QTest::newRow("yes on untitled asks a name") << false << true << int(MsgResult::Yes) << "saved.yab" << true << QByteArray("old\nnew line\n");
    QTest::newRow("yes then cancelled save as keeps window") << false << true << int(MsgResult::Yes) << "cancel" << false << QByteArray();
    QTest::newRow("cancel keeps window") << true << true << int(MsgResult::Cancel) << "" << false << QByteArray("old\n");
}

void tst_MainWindow::closeAnswers()
{
    QFETCH(bool, named);
    QFETCH(bool, edited);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, closes);
    QFETCH(QByteArray, fileBytes);
    FakeServices fake;
    const QString file = fake.writeFile("prog.yab", "old\n");
    if (named)
        fake.services.commandLine = file;
    else
        fake.writeFile("Template.yab", "old\n");
    MainWindow w(fake.services);
    w.start();
    if (edited)
        typeAtEnd(w, "\nnew line");
    if (answer >= 0)
        fake.prompter.answerMessage(MsgResult(answer));
    const QString target = saveAs.isEmpty() || saveAs == "cancel" ? file : fake.path(saveAs);
    if (saveAs == "cancel")
        fake.prompter.cancelDialog();
    else if (!saveAs.isEmpty())
        fake.prompter.answerFile(target);
    QCOMPARE(w.close(), closes);
    QVERIFY(fake.prompter.unexpected.isEmpty());
    QCOMPARE(fake.prompter.answersLeft(), 0);
    QCOMPARE(fake.prompter.messages.size(), answer >= 0 ? 1 : 0);
    if (!saveAs.isEmpty()) {
        const FileDialogRequest &d = fake.prompter.fileDialogs.value(0);
        QCOMPARE(d.title, QStringLiteral("Save as YaBasic Program"));
        QCOMPARE(d.filter, QStringLiteral("YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All Files (*.*)|*.*"));
    }
    if (saveAs == "cancel")
        QVERIFY(documents(w).state().fileChanged && !documents(w).state().hasFileName);
    else
        QCOMPARE(readBytes(target), fileBytes);
}

void tst_MainWindow::editMenuEnablingRules()
{
    FakeServices fake;
    fake.writeFile("Template.yab", "print 1\n");
    MainWindow w(fake.services);
    w.start();
    QMenu *edit = part<QMenu>(w, "editMenu");
    QGuiApplication::clipboard()->clear();
    emit edit->aboutToShow();
    for (int i = 0; i < 4; ++i)
        QVERIFY(!action(w, "editClipboard", i)->isEnabled());
    QVERIFY(!action(w, "editFindNext")->isEnabled());

    action(w, "editSelectAll")->trigger();
    QGuiApplication::clipboard()->setText("paste me");
    emit edit->aboutToShow();
    for (int i = 0; i < 4; ++i)
        QVERIFY(action(w, "editClipboard", i)->isEnabled());
    // The commands themselves work on the editor.
    action(w, "editClipboard", 1)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("print 1"));
    action(w, "editClipboard", 3)->trigger();
    QCOMPARE(editorText(w), QString());
    action(w, "editClipboard", 2)->trigger();
    QCOMPARE(editorText(w), QStringLiteral("print 1"));
}

void tst_MainWindow::menuKeysWinOverEditorKeys()
{
    FakeServices fake;
    fake.writeFile("Template.yab", "print 1\n");
    MainWindow w(fake.services);
    w.start();
    QTest::keyClicks(codeEditor(w), "ab");
    QCOMPARE(editorText(w), QStringLiteral("abprint 1"));
    // Ctrl+Z is our Undo (one snapshot per key), not the editor's own.
    QTest::keyClick(codeEditor(w), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editorText(w), QStringLiteral("aprint 1"));
    QTest::keyClick(codeEditor(w), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(editorText(w), QStringLiteral("abprint 1"));
    QVERIFY(action(w, "editUndo")->isEnabled() && !action(w, "editRedo")->isEnabled());
    QVERIFY(toolBar(w)->button("undo")->isEnabled() && !toolBar(w)->button("redo")->isEnabled());
}

void tst_MainWindow::tabSwitchingAndStatusMessages()
{
    FakeServices fake;
    fake.interpreterKey.values["version"] = "2.90.3";
    MainWindow w(fake.services);
    w.start();
    QTabBar *tabs = tabBar(w);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Code Editor"));
    QCOMPARE(tabs->tabToolTip(0), QStringLiteral("Vormeld Code Editor"));
    QPushButton *refresh = part<QPushButton>(w, "refreshDebugButton");

    tabs->setCurrentIndex(1);
    QCOMPARE(panel(w, 1), QStringLiteral("Done"));
    QVERIFY(!codeEditor(w)->isVisible() && debugView(w)->isVisible() && refresh->isVisible());
    QCOMPARE(refresh->text(), QStringLiteral("Refresh Debug Window"));

    // A message for the code tab waits until that tab is shown again.
    statusBar(w)->setTabMessage(0, QStringLiteral("Updating Subs and Labels"));
    QCOMPARE(panel(w, 1), QStringLiteral("Done"));
    tabs->setCurrentIndex(0);
    QCOMPARE(panel(w, 1), QStringLiteral("Updating Subs and Labels"));
    QVERIFY(codeEditor(w)->isVisible() && !refresh->isVisible());
    // Clicking the current tab shows its message again.
    statusBar(w)->panel(1)->setText("scribble");
    emit tabs->tabBarClicked(0);
    QCOMPARE(panel(w, 1), QStringLiteral("Updating Subs and Labels"));
    // The lock-key panels follow the keyboard; the clock ticks.
    fake.keyState.caps = true;
    statusBar(w)->refresh();
    QVERIFY(statusBar(w)->panel(4)->isEnabled() && !statusBar(w)->panel(3)->isEnabled());
    QVERIFY(!panel(w, 6).isEmpty());
}

void tst_MainWindow::linePanelFollowsCaretAndClearsSubroutine()
{
    FakeServices fake;
    fake.writeFile("Template.yab", "print 1\nsub a()\nend sub\n");
    MainWindow w(fake.services);
    w.start();
    QPlainTextEdit *e = codeEditor(w);
    QComboBox *subs = subsList(w);
    QCOMPARE(subs->count(), 1);
    QCOMPARE(subs->itemText(0), QStringLiteral("a()"));
    // The entry leads to the line after "sub a()": program offset 18 ("print 1",
    // CR LF, "sub a()", CR LF), which is Qt position 16.
    QCOMPARE(subsAndLabels(w).entryOffset(SubsLabelsIndex::Kind::Sub, 0), 18);
    subs->setCurrentIndex(0);
    QTextCursor c = e->textCursor();
    c.setPosition(16);
    e->setTextCursor(c);
    QCOMPARE(panel(w, 5), QStringLiteral("Line 3, Col 1"));
    QCOMPARE(subs->currentIndex(), 0);
    c.setPosition(10);
    e->setTextCursor(c);
    QCOMPARE(subs->currentIndex(), -1);
    QCOMPARE(panel(w, 5), QStringLiteral("Line 2, Col 3"));
}

void tst_MainWindow::toolbarDispatchByExactKey()
{
    FakeServices fake;
    MainWindow w(fake.services);
    w.start();
    clickToolbar(w, "Help");
    clickToolbar(w, "m1"); // a menu key is no button key
    clickToolbar(w, "");
    QVERIFY(fake.shell.opened.isEmpty());
    clickToolbar(w, "help");
    clickToolbar(w, "onlines");
    QCOMPARE(fake.shell.opened.size(), 2);
    QCOMPARE(fake.shell.opened.at(0), fake.path("hlp00001.htm"));
    QVERIFY(fake.shell.opened.at(1).startsWith("https://"));
    toolBar(w)->button("help")->trigger(); // the real button goes the same way
    QCOMPARE(fake.shell.opened.size(), 3);
    clickToolbar(w, "lines");
    QVERIFY(w.findChild<LineBrowser *>());
}

void tst_MainWindow::helpPages_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("shellResult");
    QTest::newRow("m1") << "m1" << "Introduction" << ShellResult::Success;
    QTest::newRow("m6") << "m6" << "Help on Library Explorer" << ShellResult::Success;
    QTest::newRow("missing page reported") << "m5" << "Help on PixPad" << ShellResult::FileNotFound;
}

void tst_MainWindow::helpPages()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(int, shellResult);
    FakeServices fake;
    fake.shell.result = shellResult;
    MainWindow w(fake.services);
    w.start();
    QAction *item = toolBar(w)->helpMenu()->findChild<QAction *>(key);
    QVERIFY(item);
    QCOMPARE(item->text(), text);
    if (shellResult != ShellResult::Success)
        fake.prompter.answerMessage(MsgResult::OK);
    item->trigger();
    QCOMPARE(fake.shell.opened, QStringList{fake.path(QStringLiteral("hlp0000%1.htm").arg(key.mid(1)))});
    emit toolBar(w)->buttonMenuClicked(key.toUpper()); // case matters
    QCOMPARE(fake.shell.opened.size(), 1);
    if (shellResult != ShellResult::Success) {
        QCOMPARE(fake.prompter.messages.size(), 1);
        QCOMPARE(fake.prompter.messages.first().title, QStringLiteral("File Access Error"));
        QCOMPARE(fake.prompter.messages.first().text, QStringLiteral("The Address was not Found."));
    }
}

void tst_MainWindow::toolbarLayoutRestoredAndSaved()
{
    FakeServices fake;
    SettingsAccess s(fake.settings, "vormeld");
    s.saveSetting("Toolbar", "Toolbar1", QStringLiteral("run,|,open,nosuchkey,open,help"));
    {
        MainWindow w(fake.services);
        w.start();
        QCOMPARE(toolBar(w)->currentLayout(), (QStringList{"run", "|", "open", "help"}));
        toolBar(w)->applyLayout({"save", "|", "cut"});
        QVERIFY(w.close());
    }
    QCOMPARE(fake.setting("Toolbar", "Toolbar1"), QStringLiteral("save,|,cut"));
    MainWindow again(fake.services);
    again.start();
    QCOMPARE(toolBar(again)->currentLayout(), (QStringList{"save", "|", "cut"}));
}

void tst_MainWindow::toolWindowsOpenOnceAndCloseWithTheWindow()
{
    FakeServices fake;
    auto w = std::make_unique<MainWindow>(fake.services);
    w->start();
    QAction *browser = action(*w, "tools", 5);
    browser->trigger();
    browser->trigger();
    QCOMPARE(w->findChildren<LineBrowser *>().size(), 1);
    QPointer<LineBrowser> open = w->findChild<LineBrowser *>();
    QVERIFY(open->isVisible());
    QVERIFY(w->close());
    QVERIFY(!open || !open->isVisible());
    QTRY_VERIFY(!open);
}

void tst_MainWindow::layoutRules_data()
{
    QTest::addColumn<int>("H");
    QTest::addColumn<bool>("minimized");
    QTest::addColumn<bool>("apply");
    QTest::addColumn<bool>("tabs");
    QTest::newRow("normal") << 400 << false << true << true;
    QTest::newRow("just above five toolbars") << 151 << false << true << true;
    QTest::newRow("exactly five toolbars") << 150 << false << true << false;
    QTest::newRow("minimised") << 400 << true << false << false;
}

void tst_MainWindow::layoutRules()
{
    QFETCH(int, H);
    QFETCH(bool, minimized);
    QFETCH(bool, apply);
    QFETCH(bool, tabs);
    MainLayoutInput in;
    in.W = 600;
    in.H = H;
    in.T = 30;
    in.S = 20;
    in.P = 28;
    in.minimized = minimized;
    const MainLayout out = computeMainLayout(in);
    QCOMPARE(out.apply, apply);
    QCOMPARE(out.placeTabs, tabs);
    if (apply)
        QCOMPARE(out.panelWidth, 600);
    if (tabs) {
        QCOMPARE(out.tabStrip, QRect(0, 58, 600, H - 78));
        QCOMPARE(out.editors, QRect(3, 61, 594, H - 78 - 26));
    }
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
