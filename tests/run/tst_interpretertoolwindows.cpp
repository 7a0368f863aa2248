// The library explorer and the Yabasic settings editor through their widgets,
// and how the main window offers them and the run options.

#include "common/core/AppSettings.h"
#include "platform/core/ProcessLauncher.h"
#include "run/LibraryExplorer.h"
#include "support/TestWindow.h"
#include "yabsettings/YabSettingsWindow.h"

#include <QtWidgets>
#include <QtTest>

namespace {
void touch(const QString &path, const QByteArray &bytes = "print 1\n") { QVERIFY(writeBytes(path, bytes)); }
// The colour of a character and whether it is bold, as "#rrggbb" or "#rrggbb bold".
QString styleAt(const QTextEdit *view, int position)
{
    QTextCursor c(view->document());
    c.setPosition(position + 1);
    return c.charFormat().foreground().color().name() + (c.charFormat().fontWeight() == QFont::Bold ? " bold" : "");
}
template <class T = QComboBox> T *at(const QWidget &w, const char *name) { return part<T>(w, name); }
void trigger(const QWidget &w, const char *name) { part<QAction>(w, name)->trigger(); }

struct Libraries {
    FakeServices fake;
    QTemporaryDir tmp;
    SettingsAccess settings{fake.settings, fake.services.appName};
    QString libs = tmp.filePath("my libs");
    Libraries()
    {
        QDir().mkpath(libs);
        fake.interpreterKey.values["librarypath"] = libs; // without its separator
        settings.saveSetting(AppSettings::Run, AppSettings::YABPath, "/no/such/yabasic");
    }
};
} // namespace

class tst_InterpreterToolWindows : public QObject {
    Q_OBJECT
private slots:
    void libraryExplorer()
    {
        // Without a library, a library folder, or a working interpreter.
        Libraries l;
        QFile::remove(l.fake.path("qxdebug.yab"));
        {
            LibraryExplorer w(l.fake.services, l.settings, QString());
            QCOMPARE(listTexts(at<QListWidget>(w, "libraryList")), QStringList{"(No Library)"});
            QVERIFY(!at<QPushButton>(w, "openButton")->isEnabled());
            at<QListWidget>(w, "libraryList")->setCurrentRow(0);
            QCOMPARE(at<QLabel>(w, "statusLabel")->text(), QString());
        }
        l.fake.interpreterKey.values["librarypath"] = l.tmp.filePath("gone");
        {
            LibraryExplorer w(l.fake.services, l.settings, QString());
            QCOMPARE(at<QLabel>(w, "statusLabel")->text(),
                     "The library folder " + l.tmp.filePath("gone/") + " does not exist.");
        }
        touch(l.libs + "/a.b.yab");
        l.fake.interpreterKey.values["librarypath"] = l.libs;
        {
            LibraryExplorer w(l.fake.services, l.settings, QString());
            auto *status = at<QLabel>(w, "statusLabel");
            QTRY_COMPARE(status->text(), "Err: YABASIC.EXE -lib failed");
            QCOMPARE(status->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        }

        if (QStandardPaths::findExecutable("yabasic").isEmpty())
            QSKIP("The yabasic interpreter is not installed (Debian package yabasic).");
        l.settings.saveSetting(AppSettings::Run, AppSettings::YABPath, QStandardPaths::findExecutable("yabasic"));
        touch(l.libs + "/demo.yab", "doc Demo\ndoc  * Use it\ndoc text\ndoc  - item\nexport sub f()\nend sub\n");
        for (const QString &f : {l.tmp.filePath("main.yab"), l.tmp.filePath("helper.yab"), l.fake.path("qxdebug.yab")})
            touch(f);
        LibraryExplorer w(l.fake.services, l.settings, l.tmp.filePath("main.yab"));
        w.show();
        QCOMPARE(w.windowTitle(), "Library Explorer");
        auto *status = at<QLabel>(w, "statusLabel");
        QCOMPARE(status->text(), "File is known as a.b.yab - waiting for its documentation...");
        QTRY_COMPARE(status->text(), "File is known as a.b.yab");
        QCOMPARE(listTexts(at<QListWidget>(w, "libraryList")),
                 (QStringList{"a", "demo", "helper  (beside the program)", "qxdebug  (shipped with Vormeld)"}));
        QCOMPARE(at<QLineEdit>(w, "libraryPathEdit")->text() + '|' + at<QLineEdit>(w, "importEdit")->text(),
                 l.libs + "/|import a");

        at<QListWidget>(w, "libraryList")->setCurrentRow(1);
        auto *view = at<QTextEdit>(w, "docuView");
        QTRY_COMPARE(view->toPlainText(), "Demo\n * Use it\ntext\n - item\n");
        QCOMPARE(at<QLineEdit>(w, "importEdit")->text(), "import demo");
        QCOMPARE(QStringList({styleAt(view, 0), styleAt(view, 6), styleAt(view, 14), styleAt(view, 20)}),
                 QStringList({"#008c00", "#000000 bold", "#000000", "#0000bf"}));
        at<QListWidget>(w, "libraryList")->setCurrentRow(0);
        QTRY_COMPARE(view->toPlainText(), "---No embbeded documentation\n");

        // The folder holds a blank: the new instance gets the whole path.
        at<QPushButton>(w, "openButton")->click();
        QCOMPARE(splitCommandLine(l.fake.launcher.started.join(' ')), // one start only
                 (QStringList{l.fake.path(programExecutableName()), l.libs + "/a.b.yab"}));
        l.fake.launcher.succeed = false;
        l.fake.prompter.answerMessage(MsgResult::OK);
        at<QPushButton>(w, "openButton")->click();
        QCOMPARE(l.fake.prompter.messages.last().text,
                 "Vormeld could not be started:\r\n" + l.fake.launcher.started.last());
    }

    // The settings editor opened from the main window, and the run option it offers there.
    void settingsEditorAndRunOption()
    {
        TestWindow t("print 1");
        MainWindow &mw = t.start();
        FakeServices &fake = t.fake;
        QVERIFY(offered(mw, "toolsMenu", "toolsYabasicSettings"));
        QAction *use = action(mw, "runUseYabSettings");
        emit part<QMenu>(mw, "runMenu")->aboutToShow();
        QVERIFY(use->isCheckable() && !use->isChecked());
        fake.prompter.answerMessage(MsgResult::OK);
        use->trigger();
        QCOMPARE(fake.prompter.messages.last().text,
                 "No interpreter settings have been chosen yet.\r\nChoose them in Tools > Yabasic Settings... "
                 "and use Line > Use for Running there.");
        QVERIFY(!use->isChecked());

        action(mw, "toolsYabasicSettings")->trigger();
        YabSettingsWindow &w = *mw.findChild<YabSettingsWindow *>();
        QCOMPARE(w.windowTitle() + '|' + QString::number(at(w, "foregroundCombo")->count()), "Yabasic Settings|142");
        QCOMPARE(at(w, "foregroundCombo")->currentText() + "|" + at(w, "unixFontCombo")->currentText() + "|"
                     + at(w, "windowsSizeCombo")->currentText() + "|" + at(w, "unixLevelCombo")->currentText(),
                 "|dontcare|14|w - Warning (default)");
        QCOMPARE(at(w, "windowsSizeCombo")->toolTip(), "Font Size");

        // Values typed into the controls go to the file and come back.
        at(w, "foregroundCombo")->setCurrentText("a,b");
        at(w, "windowsLevelCombo")->setCurrentIndex(4);
        at<QLineEdit>(w, "displayEdit")->setText("host:0");
        const QString file = fake.path("my settings.yst");
        fake.prompter.answerFile(file);
        trigger(w, "fileSave");
        QCOMPARE(fake.prompter.fileDialogs.last().title, "Save Settings File");
        QCOMPARE(fake.prompter.fileDialogs.last().filter, "YaBasic Settings (*.yst)|*.yst|All Files (*.*)|*.*");
        QCOMPARE(readBytes(file), "\"a,b\"\r\n\r\ndontcare\r\n2\r\ndontcare\r\n4\r\n14\r\n14\r\n\r\nhost:0\r\n\r\n");
        const YabSettingsValues written = w.values();
        w.setValues(YabSettingsValues());
        fake.prompter.answerFile(file);
        trigger(w, "fileOpen");
        QCOMPARE(fake.prompter.fileDialogs.last().filter, "YaBasic Settings (*.yst)|*.yst|All files (*.*)|*.*");
        QVERIFY(w.values() == written);

        // A file that is no settings file changes nothing and says why.
        fake.prompter.answerFile(fake.writeFile("bad.yst", QByteArray("red\0", 4)));
        fake.prompter.answerMessage(MsgResult::OK);
        trigger(w, "fileOpen");
        QCOMPARE(fake.prompter.messages.last().text,
                 fake.path("bad.yst") + "\r\nThe file is not a text file; nothing was read.");
        QVERIFY(w.values() == written);

        fake.interpreterKey.values = {{"geometry", "+7+8"}, {"font", "swiss10"}};
        trigger(w, "fileLoadRegistry");
        QCOMPARE(at<QLineEdit>(w, "windowsGeometryEdit")->text(), "+7+8");
        QCOMPARE(at(w, "windowsFontCombo")->currentText() + "|" + at(w, "windowsSizeCombo")->currentText(), "swiss|10");
        at(w, "windowsSizeCombo")->setCurrentText("22");
        trigger(w, "fileSetRegistry");
        QCOMPARE(fake.interpreterKey.values, (QMap<QString, QString>{{"geometry", "+7+8"}, {"font", "swiss22"}}));

        const auto copied = [&](const char *item) { return trigger(w, item), QGuiApplication::clipboard()->text(); };
        QCOMPARE(copied("lineCopyUnix"), "-fg a,b -display host:0 -font dontcare14 -i w");
        QCOMPARE(copied("lineCopyWindows"), "-geometry +7+8 -font swiss22 -i f");
        trigger(w, "lineUseForRunning");
        QCOMPARE(splitCommandLine(fake.setting("Run", "YabOptions")),
                 (QStringList{"-fg", "a,b", "-display", "host:0", "-font", "dontcare14", "-i", "w"}));
        QCOMPARE(fake.setting("Run", "UseYabSettings"), "1");
        emit part<QMenu>(mw, "runMenu")->aboutToShow();
        QVERIFY(use->isChecked());
        use->trigger(); // off again
        QCOMPARE(fake.setting("Run", "UseYabSettings"), "0");
        QCOMPARE(fake.prompter.unexpected, QStringList());

        QVERIFY(action(mw, "tools", MainMenus::LibraryExplorer)->isEnabled());
        action(mw, "tools", MainMenus::LibraryExplorer)->trigger();
        const QWidgetList tops = QApplication::topLevelWidgets();
        QVERIFY(std::any_of(tops.begin(), tops.end(), [](QWidget *t) { return qobject_cast<LibraryExplorer *>(t); }));
    }
};

QTEST_MAIN(tst_InterpreterToolWindows)
#include "tst_interpretertoolwindows.moc"
