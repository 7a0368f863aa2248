// The extra tools, the tip of the day, the about box, the text viewer and the
// Help menu, through the real windows.
#include "assist/HelpViewer.h"
#include "assist/TextViewer.h"
#include "platform/DesktopShell.h"
#include "support/TestWindow.h"

#include <QTextBrowser>

namespace {
QString userFile(const FakeServices &f, const char *name) { return f.path(QStringLiteral("userdata/vormeld/")) + name; }
QStringList shownTools(const MainWindow &w)
{
    QStringList out;
    for (QAction *a : w.findChildren<QAction *>("toolsExternal"))
        if (a->isVisible())
            out << a->text();
    return out;
}
} // namespace

class tst_Assist : public QObject {
    Q_OBJECT
private slots:
    void extraTools()
    {
        TestWindow t("print 1\n", "my prog.yab");
        QDir().mkpath(userFile(t.fake, ""));
        const QByteArray listed = "\"wc -l %f\",\"Count\"\r\n\"nosuchtool\",\"Broken\"\r\n";
        t.fake.writeFile("userdata/vormeld/Tools.Dat", listed);
        MainWindow &w = t.start();
        QCOMPARE(shownTools(w), (QStringList{"Count", "Broken"}));
        action(w, "toolsExternal", 0)->trigger();
        QCOMPARE(t.fake.launcher.started, QStringList{"wc -l \"" + t.fake.path("my prog.yab") + "\""});
        t.fake.launcher.succeed = false;
        t.fake.prompter.answerMessage(MsgResult::OK);
        action(w, "toolsExternal", 1)->trigger();
        t.expectOneMessage("Couldn't Start Tool", "Could not start the tool, check the path please.",
                           MsgIcon::Information);
        QCOMPARE(panel(w, 1), QStringLiteral("Tool start failed - Error: 53"));
        const auto editTools = [&](std::function<void(QDialog *)> steps) {
            QVERIFY(onModal<QDialog>([&] { action(w, "toolsExtraTools")->trigger(); }, steps));
        };
        // A tool added and the dialog closed by its close box: not written, yet on the menu until the end.
        editTools([](QDialog *d) { part<QPushButton>(*d, "addButton")->click(), d->reject(); });
        QCOMPARE(shownTools(w), (QStringList{"Count", "Broken", "(Untitled)"}));
        QCOMPARE(readBytes(userFile(t.fake, "Tools.Dat")), listed);
        // Edited key by key, the list follows; Close writes the file.
        editTools([&](QDialog *d) {
            auto *list = part<QListWidget>(*d, "toolList");
            auto *name = part<QLineEdit>(*d, "nameEdit");
            auto *path = part<QLineEdit>(*d, "pathEdit");
            QCOMPARE(list->currentRow(), 0);
            QCOMPARE(name->text() + "|" + path->text(), QStringLiteral("Count|wc -l %f"));
            list->setCurrentRow(1);
            name->setFocus();
            QTest::keyClick(name, Qt::Key_Backspace);
            QCOMPARE(listTexts(list), (QStringList{"Count", "Broke", "(Untitled)"}));
            QTest::keyClicks(name, "r");
            path->clear(); // no path: the tool is unused and leaves the list
            QCOMPARE(listTexts(list), (QStringList{"Count", "(Untitled)"}));
            QTest::keyClicks(path, "wc");
            QCOMPARE(listTexts(list), (QStringList{"Count", "Broker", "(Untitled)"}));
            // Browse: a cancel leaves the path, a choice replaces it.
            t.fake.prompter.cancelDialog();
            t.fake.prompter.answerFile("/usr/bin/my tool");
            part<QPushButton>(*d, "browseButton")->click();
            QCOMPARE(path->text(), QStringLiteral("wc"));
            part<QPushButton>(*d, "browseButton")->click();
            QCOMPARE(path->text(), QStringLiteral("/usr/bin/my tool"));
            QCOMPARE(t.fake.prompter.fileDialogs.first().title, QStringLiteral("Select Tool"));
            // Add appends, unselected; Remove without a selection does nothing.
            part<QPushButton>(*d, "addButton")->click();
            QVERIFY(list->count() == 4 && list->selectedItems().isEmpty());
            part<QPushButton>(*d, "removeButton")->click();
            QCOMPARE(list->count(), 4);
            list->setCurrentRow(0);
            part<QPushButton>(*d, "removeButton")->click();
            QCOMPARE(listTexts(list), (QStringList{"Broker", "(Untitled)", "(Untitled)"}));
            // Typing now must not rename the tool that moved up into the removed one's place.
            QVERIFY(!name->isEnabled());
            QTest::keyClicks(name, "x");
            QCOMPARE(listTexts(list), (QStringList{"Broker", "(Untitled)", "(Untitled)"}));
            part<QPushButton>(*d, "closeButton")->click();
        });
        QCOMPARE(readBytes(userFile(t.fake, "Tools.Dat")), QByteArray("\"/usr/bin/my tool\",\"Broker\"\r\n"
                 "\"(New Tool)\",\"(Untitled)\"\r\n\"(New Tool)\",\"(Untitled)\"\r\n"));
        // Everything removed and closed: the file is empty and the menu has no tools.
        editTools([](QDialog *d) {
            auto *list = part<QListWidget>(*d, "toolList");
            while (list->count()) {
                list->setCurrentRow(0);
                part<QPushButton>(*d, "removeButton")->click();
            }
            part<QPushButton>(*d, "closeButton")->click();
        });
        QCOMPARE(readBytes(userFile(t.fake, "Tools.Dat")), QByteArray());
        QCOMPARE(shownTools(w), QStringList());
        QVERIFY(action(w, "toolsExternalSeparator")->isVisible());
        VERIFY_SCRIPT_DONE(t.fake.prompter);
    }

    // The Help menu in one window: the tip of the day, the about box reading the
    // version afresh, pages that never dead-end, F8, the text viewer.
    void helpMenu()
    {
        TestWindow t("");
        t.set("Run", "YABPath", "/usr/bin/yabasic");
        t.fake.interpreterKey.values.insert("version", "2.90.3");
        t.set("Startup", "Tips", "1");
        const QStringList tips = QString::fromUtf8(readBytes(t.fake.path("TIPS.DAT"))).split("\n", Qt::SkipEmptyParts);
        QString shown;
        QVERIFY(onModal<QDialog>([&] { t.start(); }, [&](QDialog *tip) { // at start-up
            shown = part<QLabel>(*tip, "tipText")->text();
            part<QCheckBox>(*tip, "showTipsAtStartup")->click();
            part<QPushButton>(*tip, "okButton")->click();
        }));
        MainWindow &w = *t.w;
        const auto dialog = [&](const char *item, std::function<void(QDialog *)> steps) {
            QVERIFY(onModal<QDialog>([&] { action(w, item)->trigger(); }, steps));
        };
        QVERIFY2(tips.contains(shown), qPrintable(shown));
        QCOMPARE(t.fake.setting("Startup", "Tips"), QStringLiteral("0"));
        // Opening it again checks the box and stores "1"; one tip comes up every time.
        t.fake.writeFile("TIPS.DAT", "The only tip, \"quoted\"\r");
        QStringList seen;
        dialog("helpTip", [&](QDialog *tip) {
            seen << QString::number(part<QCheckBox>(*tip, "showTipsAtStartup")->isChecked());
            for (int i = 0; i < 3; ++i) {
                seen << part<QLabel>(*tip, "tipText")->text();
                part<QPushButton>(*tip, "nextTipButton")->click();
            }
            tip->accept();
        });
        QCOMPARE(seen, QStringList{"1"} + QStringList(3, "The only tip, \"quoted\""));
        QCOMPARE(t.fake.setting("Startup", "Tips"), QStringLiteral("1"));
        // An empty file: no text, no message; a missing one: told in the label.
        const auto tipShown = [&](QDialog *tip) { shown = part<QLabel>(*tip, "tipText")->text(); };
        t.fake.writeFile("TIPS.DAT", "");
        dialog("helpTip", tipShown);
        QCOMPARE(shown, QString());
        QFile::remove(t.fake.path("TIPS.DAT"));
        dialog("helpTip", tipShown);
        QCOMPARE(shown, "That the TIPS.DAT file was not found?");
        QVERIFY(t.fake.prompter.messages.isEmpty());

        t.fake.interpreterKey.values.insert("version", "2.91.0"); // updated while Vormeld runs
        dialog("helpAbout", [&](QDialog *d) {
            shown = part<QLabel>(*d, "vormeldVersion")->text() + '|' + part<QLabel>(*d, "yabasicVersion")->text();
            part<QPushButton>(*d, "okButton")->click();
        });
        const QStringList v = QStringLiteral(VORMELD_PROJECT_VERSION).split('.');
        QCOMPARE(shown, QStringLiteral("%1.%2.%3 Final|yabasic 2.91.0").arg(v[0], v[1], v.value(2, "0")));

        action(w, "helpYabasicDocs")->trigger();
        action(w, "helpGettingStarted")->trigger();
        action(w, "helpVormeldHome")->trigger();
        clickToolbar(w, "onlines");
        const QStringList local{t.fake.path("strthelp.html"), t.fake.path("hlp99999.htm"), t.fake.path("hlp99999.htm")};
        QCOMPARE(t.fake.shell.opened.mid(1), local);
        if (QFileInfo::exists("/usr/share/doc/yabasic/yabasic.htm"))
            QCOMPARE(t.fake.shell.opened.first(), QStringLiteral("/usr/share/doc/yabasic/yabasic.htm"));
        for (const QString &page : local)
            QVERIFY2(QFileInfo(page).isFile(), qPrintable(page));
        QCOMPARE(tabBar(w)->currentIndex(), 0);
        action(w, "debugRefresh")->trigger();
        QCOMPARE(tabBar(w)->currentIndex(), 1);

        QFile::remove(t.fake.path("readme.txt"));
        action(w, "helpTexts", 0)->trigger();
        auto *viewer = w.findChild<TextViewer *>();
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Vormeld's README File"));
        QCOMPARE(viewer->textBox()->toPlainText(), "A Error has occured while trying to open the requested file\n"
                                                   "      The file does not exist.");
        QVERIFY(viewer->textBox()->font().bold());
        t.fake.writeFile("readme.txt", "Read me\r\nplease");
        action(w, "helpTexts", 0)->trigger();
        QCOMPARE(viewer->textBox()->toPlainText(), QStringLiteral("Read me\nplease"));
        QVERIFY(!viewer->textBox()->font().bold());
        QCOMPARE(w.findChildren<TextViewer *>().size(), 1);
        if (!QFileInfo::exists("/usr/share/doc/yabasic/copyright"))
            QSKIP("the yabasic package is not installed");
        // The licence is found in the distribution's folder when the interpreter's has none.
        action(w, "helpTexts", 2)->trigger();
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Yabasic's COPYING File"));
        QVERIFY(viewer->textBox()->toPlainText().contains("Marc Ihm"));
        // Neither folder has a README: the places looked in are named.
        action(w, "helpTexts", 1)->trigger();
        const QString text = viewer->textBox()->toPlainText();
        QVERIFY2(text.contains("The file does not exist.") && text.contains("/usr/bin/readme.txt")
                     && text.contains("/usr/share/doc/yabasic/README"), qPrintable(text));
    }

    void builtInHelpViewer()
    {
        FakeServices fake;
        fake.shell.result = ShellResult::NoAssociation; // a desktop with no browser
        HelpViewerShell shell(fake.shell, fake.prompter);
        QCOMPARE(shell.open(fake.path("hlp00001.htm")), ShellResult::Success);
        QPointer<HelpViewer> viewer = shell.viewer();
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(viewer->browser()->source().toLocalFile(), fake.path("hlp00001.htm"));
        emit viewer->browser()->anchorClicked(QUrl("strthelp.html")); // links are followed
        QCOMPARE(viewer->browser()->source().toLocalFile(), fake.path("strthelp.html"));
        fake.prompter.answerMessage(MsgResult::OK);
        emit viewer->browser()->anchorClicked(QUrl("https://2484.de/yabasic/")); // web pages fail as before
        QCOMPARE(fake.prompter.messages.size(), 1);
        QVERIFY(fake.prompter.messages[0].text.startsWith("URL Access Failed: There was no program associated"));
        QCOMPARE(shell.open("https://2484.de/yabasic/"), ShellResult::NoAssociation);
        QCOMPARE(shell.open(fake.path("readme.txt")), ShellResult::NoAssociation); // help pages only
        // With the real desktop service, which has nothing to open pages with here.
        DesktopShell desktop;
        HelpViewerShell real(desktop, fake.prompter);
        QCOMPARE(real.open(fake.path("strthelp.html")), ShellResult::Success);
        QVERIFY(real.viewer() && real.viewer()->isVisible());
        QCOMPARE(real.open(fake.path("missing.htm")), ShellResult::FileNotFound);
        viewer->close();
        QTRY_VERIFY(!viewer);
    }
};

QTEST_MAIN(tst_Assist)
#include "tst_assist.moc"
