#include "app/core/MainLayout.h"
#include "search/LineBrowser.h"
#include "support/TestWindow.h"

#include <QClipboard>

class tst_MainWindow : public QObject {
    Q_OBJECT
private slots:
    void startupDocument_data()
    {
        QTest::addColumn<QString>("commandLine"); // %1 stands for the test file
        QTest::addColumn<bool>("withTemplate");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("template") << "" << true << "rem start here\nprint \"hi\"" << "Untitled - Vormeld 2005";
        QTest::newRow("missing template is quiet") << "" << false << "" << "Untitled - Vormeld 2005";
        QTest::newRow("blanks trimmed, name not split") << "  %1  " << true << "print 1\nprint 2" << "my prog.yab - Vormeld 2005";
        // The quotes belong to the name, so the file is not found: empty text, that name.
        QTest::newRow("quotes taken literally") << "\"%1\"" << true << "" << "my prog.yab\" - Vormeld 2005";
    }
    void startupDocument()
    {
        QFETCH(QString, commandLine);
        QFETCH(bool, withTemplate);
        FakeServices fake;
        if (withTemplate)
            fake.writeFile("Template.yab", "rem start here\r\nprint \"hi\"\r\n");
        else
            QFile::remove(fake.path("Template.yab"));
        fake.services.commandLine = commandLine.arg(fake.writeFile("my prog.yab", "print 1\nprint 2\n"));
        MainWindow w(fake.services);
        w.start();
        QTEST(w.windowTitle(), "title");
        QTEST(editorText(w), "text");
        QCOMPARE(documents(w).state().hasFileName, !commandLine.isEmpty());
        QVERIFY(!documents(w).state().fileChanged);
        QCOMPARE(panel(w, 1), QStringLiteral("Ready - Using Yabasic version [ErrorVersion]"));
        QVERIFY(codeEditor(w)->isVisible() && !debugView(w)->isVisible() && !hotInfoBox(w)->isVisible());
        QVERIFY(fake.prompter.messages.isEmpty());
    }

    void settingsReadAtStartAndWrittenAtClose()
    {
        TestWindow t("  print 1\n");
        t.set("Run", "InfoLevel", "0");
        t.set("Run", "GeoString", "+10+10");
        t.set("Run", "YABPath", t.fake.path("yabasic"));
        t.fake.writeFile("yabasic.htm", "<p>manual</p>");
        t.set("Edit", "AutoIndent", "0");
        t.set("Toolbar", "Toolbar1", "run,|,open,nosuchkey,open,help");
        MainWindow &w = t.start();
        emit part<QMenu>(w, "runMenu")->aboutToShow();
        QVERIFY(action(w, "runInfoLevels", 0)->isChecked() && !action(w, "runInfoLevels", 2)->isChecked());
        QCOMPARE(run(w).geometry(), QStringLiteral("+10+10"));
        QCOMPARE(toolBar(w)->currentLayout(), (QStringList{"run", "|", "open", "help"}));
        action(w, "helpYabasicDocs")->trigger();
        QCOMPARE(t.fake.shell.opened, QStringList{t.fake.path("yabasic.htm")});
        t.caretTo(9);
        QTest::keyClick(t.ed(), Qt::Key_Return); // automatic indentation is off
        QCOMPARE(t.text(), QStringLiteral("  print 1\n"));
        // What was changed is written at close, even when the close is cancelled.
        action(w, "runInfoLevels", 3)->trigger();
        t.fake.prompter.answerInput(QStringLiteral("640x480"));
        action(w, "runGeometry")->trigger();
        toolBar(w)->applyLayout({"save", "|", "cut"});
        t.fake.settings.writes.clear();
        t.fake.prompter.answerMessage(MsgResult::Cancel);
        QVERIFY(!w.close());
        QCOMPARE(t.fake.settings.writes,
                 (QStringList{"MostRecent/File0", "MostRecent/File1", "MostRecent/File2", "MostRecent/File3",
                              "MostRecent/File4", "MostRecent/File5", "Run/InfoLevel", "Run/GeoString", "Run/RunWhere",
                              "Toolbar/Toolbar1"}));
        QCOMPARE(QStringList({t.fake.setting("Run", "InfoLevel"), t.fake.setting("Run", "GeoString"), t.fake.setting("Toolbar", "Toolbar1")}),
                 (QStringList{"3", "640x480", "save,|,cut"}));
        QCOMPARE(t.fake.prompter.messages.size(), 1); // the changed text: the question that was cancelled
    }

    void editMenuTabsToolbarAndToolWindows()
    {
        TestWindow t("print 1\n");
        MainWindow &w = t.start();
        QMenu *edit = part<QMenu>(w, "editMenu");
        QGuiApplication::clipboard()->setText("old");
        clickToolbar(w, "cut"); // nothing selected: the clipboard is emptied
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
        emit edit->aboutToShow();
        for (int i = 0; i < 4; ++i)
            QVERIFY(!action(w, "editClipboard", i)->isEnabled());
        QVERIFY(!action(w, "editFindNext")->isEnabled());
        action(w, "editSelectAll")->trigger();
        QGuiApplication::clipboard()->setText("paste me");
        emit edit->aboutToShow();
        for (int i = 0; i < 4; ++i)
            QVERIFY(action(w, "editClipboard", i)->isEnabled());
        action(w, "editClipboard", 1)->trigger(); // copy
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("print 1"));
        // Ctrl+Z is our Undo (one snapshot per key), not the editor's own.
        t.caretTo(0);
        QTest::keyClicks(t.ed(), "ab");
        QTest::keyClick(t.ed(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(t.text(), QStringLiteral("aprint 1"));
        QTest::keyClick(t.ed(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(t.text(), QStringLiteral("abprint 1"));
        QVERIFY(toolBar(w)->button("undo")->isEnabled() && !toolBar(w)->button("redo")->isEnabled());

        // The tabs and the status bar's message panel.
        QTabBar *tabs = tabBar(w);
        const auto shown = [&] { // the message panel; code editor, debug view, refresh button shown
            return QString("%1|%2%3%4").arg(panel(w, 1)).arg(codeEditor(w)->isVisible()).arg(debugView(w)->isVisible())
                .arg(part<QPushButton>(w, "refreshDebugButton")->isVisible());
        };
        tabs->setCurrentIndex(1);
        QCOMPARE(shown(), QStringLiteral("Done|011"));
        statusBar(w)->setTabMessage(0, QStringLiteral("Updating Subs and Labels")); // waits for its tab
        QCOMPARE(shown(), QStringLiteral("Done|011"));
        tabs->setCurrentIndex(0);
        QCOMPARE(shown(), QStringLiteral("Updating Subs and Labels|100"));
        statusBar(w)->panel(1)->setText("scribble"); // clicking the current tab shows its message again
        emit tabs->tabBarClicked(0);
        QCOMPARE(panel(w, 1), QStringLiteral("Updating Subs and Labels"));
        t.fake.keyState.caps = true; // the lock-key panels follow the keyboard
        statusBar(w)->refresh();
        QVERIFY(statusBar(w)->panel(4)->isEnabled() && !statusBar(w)->panel(3)->isEnabled());
        // Toolbar keys are matched exactly, and so are the help menu's; a missing page is reported.
        for (const char *key : {"Help", "m1", "", "help", "onlines"})
            clickToolbar(w, key);
        toolBar(w)->helpMenu()->findChild<QAction *>("m6")->trigger();
        emit toolBar(w)->buttonMenuClicked("M6");
        t.fake.shell.result = ShellResult::FileNotFound;
        t.fake.prompter.answerMessage(MsgResult::OK);
        toolBar(w)->helpMenu()->findChild<QAction *>("m5")->trigger();
        QCOMPARE(t.fake.shell.opened, (QStringList{t.fake.path("hlp00001.htm"), t.fake.path("hlp99999.htm"),
                                                   t.fake.path("hlp00006.htm"), t.fake.path("hlp00005.htm")}));
        t.expectOneMessage("File Access Error", "The Address was not Found.", MsgIcon::Critical);
        // A tool window opens once, and closes with the window.
        clickToolbar(w, "lines");
        QPointer<LineBrowser> open = w.findChild<LineBrowser *>();
        QVERIFY(open && open->isVisible());
        action(w, "tools", 5)->trigger();
        QCOMPARE(w.findChildren<LineBrowser *>().size(), 1);
        t.fake.prompter.answerMessage(MsgResult::No); // the typed text is not saved
        QVERIFY(w.close());
        QTRY_VERIFY(!open);
    }

    void layoutRules() // toolbar 30, status bar 20, subs panel 28 high
    {
        const MainLayout above = computeMainLayout({600, 151, 30, 20, 28, false}); // just above five toolbars: placed
        QCOMPARE(QStringLiteral("%1 %2").arg(above.placeTabs).arg(above.tabStrip.height()), "1 73");
        const MainLayout five = computeMainLayout({600, 150, 30, 20, 28, false}); // five toolbars exactly: they stay
        QCOMPARE(QStringLiteral("%1 %2").arg(five.placeTabs).arg(five.tabStrip.height()), "0 0");
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
