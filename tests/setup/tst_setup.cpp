#include "setup/InitialSetupDialog.h"
#include "setup/OptionsDialog.h"
#include "setup/PrintCommands.h"
#include "setup/PrintProgressWindow.h"
#include "support/TestWindow.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>

namespace {
void click(QWidget *w, const char *name) { w->findChild<QPushButton *>(name)->click(); }
QString labelText(QWidget *w, const char *name) { return w->findChild<QLabel *>(name)->text(); }

// The desktop's folders of a user made up for the test.
struct DesktopHome {
    QTemporaryDir dir;
    DesktopHome()
    {
        qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", dir.filePath("none").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", dir.filePath("none").toLocal8Bit());
    }
};

QString pdfText(const QString &path)
{
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

#define NEED_PDF_OUTPUT()                                                                          \
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())                                     \
        QSKIP("pdftotext (poppler-utils) is not installed");                                      \
    if (!QPrinterInfo::defaultPrinter().isNull())                                                  \
        QSKIP("a printer is installed: the job would go to paper")
} // namespace

class tst_Setup : public QObject {
    Q_OBJECT
private slots:
    void firstStartShowsSetupUntilOk()
    {
        for (const QString firstDone : {"False", "True"}) {
            TestWindow t("print 1\n");
            t.set("Startup", "FirstDone", firstDone);
            const bool shown = onModal<InitialSetupDialog>([&] { t.start(); }, [&](InitialSetupDialog *d) {
                d->findChild<QLineEdit *>("pathEdit")->setText("/my yab/yabasic");
                click(d, "okButton");
            });
            QCOMPARE(shown, firstDone == "False");
            QVERIFY(t.w->isVisible()); // the main window follows whatever was done
            QCOMPARE(t.fake.setting("Startup", "FirstDone"), "True"); // stored on OK, or there already
            if (shown)
                QCOMPARE(t.fake.setting("Run", "YABPath"), "/my yab/yabasic");
        }
    }

    void setupButtons()
    {
        TestWindow t("print 1\n");
        DesktopHome home;
        t.fake.settings.values.remove("vormeld/Startup/FirstDone");
        t.fake.interpreterKey.values.insert("path", "/opt/yab/");
        QDir().mkpath(t.fake.path("bin"));
        const QString program = t.fake.writeFile("bin/yabasic", "#!/bin/sh\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
        ScriptedPrompter &p = t.fake.prompter;
        p.answerFile("/chosen/yabasic-2.9");                        // Browse
        p.answerMessage(MsgResult::Yes);                            // install: choose the program
        p.answerFile(program);
        p.answerMessage(MsgResult::No);                             // install: choose a folder
        p.answerFile(t.fake.path("bin"));
        p.answerMessage(MsgResult::No);                             // a folder without the interpreter
        p.answerFile(t.fake.path(""));
        p.answerMessage(MsgResult::OK);
        p.answerMessage(MsgResult::Cancel);                         // not now
        QStringList paths;
        QVERIFY(onModal<InitialSetupDialog>([&] { t.start(); }, [&](InitialSetupDialog *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Initial Vormeld Setup"));
            auto *tabs = d->findChild<QTabWidget *>("setupTabs");
            QCOMPARE(tabs->currentIndex(), 0);
            QCOMPARE(QStringList({tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)}),
                     QStringList({"General", "[Empty]", "Explorer"}));
            auto *path = d->findChild<QLineEdit *>("pathEdit");
            QCOMPARE(path->text(), QStringLiteral("/opt/yab/yabasic"));
            for (const char *b : {"browseButton", "registryButton", "installButton", "installButton", "installButton",
                                  "installButton", "somethingElseButton", "helpButton"}) {
                click(d, b);
                paths << path->text();
            }
        })); // closed without OK: nothing stored, asked again next time
        const QStringList &writes = t.fake.settings.writes;
        QVERIFY(!writes.contains("Startup/FirstDone") && !writes.contains("Run/YABPath"));
        QCOMPARE(paths, QStringList({"/chosen/yabasic-2.9", "/opt/yab/yabasic"}) + QStringList(6, program));
        QCOMPARE(p.fileDialogs.at(0).title, QStringLiteral("Select YaBasic Interpreter"));
        QCOMPARE(p.fileDialogs.at(0).filter, QStringLiteral("Program (yabasic*)|yabasic*|All files (*)|*"));
        QCOMPARE(p.fileDialogs.at(2).kind, FileDialogRequest::Folder);
        QCOMPARE(p.messages.at(0).title, QStringLiteral("Setup Prompt"));
        const QString installed = QStandardPaths::findExecutable("yabasic");
        QCOMPARE(p.messages.at(0).text,
                 QStringLiteral("Vormeld does not unpack or run downloaded setup programs. Install the Yabasic "
                                "interpreter with your system's package manager, for example:\n\n"
                                "    sudo apt-get install yabasic\n\n"
                                "or install your distribution's yabasic package.\n\n")
                     + (installed.isEmpty() ? QString() : "It is installed here: " + installed + "\n\n")
                     + "Then show Vormeld where it is.\n"
                       "Yes: choose the yabasic program. No: choose the folder that holds it.");
        QCOMPARE(p.messages.at(0).buttons, MsgButtons::YesNoCancel);
        QCOMPARE(p.messages.at(3).text, QStringLiteral("There is no yabasic program in %1.").arg(t.fake.path("")));
        QCOMPARE(t.fake.shell.opened, QStringList({"https://2484.de/yabasic/", t.fake.path("strthelp.html")}));
        QVERIFY(t.fake.launcher.started.isEmpty()); // nothing downloaded is ever run
        VERIFY_SCRIPT_DONE(p);
    }

    // "Make Vormeld your default" and "Set for Vormeld" name the program, blanks
    // and all, and show the command read back; a refused write is told.
    void association()
    {
        TestWindow t("print 1\n");
        DesktopHome home;
        QDir().mkpath(t.fake.path("Program Files/Vormeld 2"));
        t.fake.services.programFolder = t.fake.path("Program Files/Vormeld 2");
        const QString command = "\"" + t.fake.path("Program Files/Vormeld 2/vormeld") + "\" %f";
        t.start();
        QString shown;
        QVERIFY(onModal<OptionsDialog>([&] { action(*t.w, "toolsOptions")->trigger(); }, [&](OptionsDialog *d) {
            QCOMPARE(labelText(d, "commandLabel"), QString());
            click(d, "setForVormeldButton");
            shown = labelText(d, "commandLabel");
            click(d, "cancelButton"); // the association stays
        }));
        QCOMPARE(shown, command);

        QFile::setPermissions(home.dir.filePath("config/mimeapps.list"), QFile::ReadOwner);
        TestWindow again("print 1\n");
        qputenv("XDG_DATA_HOME", home.dir.filePath("data").toLocal8Bit()); // the window's fakes chose their own
        again.fake.settings.values.remove("vormeld/Startup/FirstDone");
        again.fake.prompter.answerMessage(MsgResult::OK);
        onModal<InitialSetupDialog>([&] { again.start(); }, [&](InitialSetupDialog *d) {
            QCOMPARE(labelText(d, "commandLabel"), command);
            click(d, "makeDefaultButton");
            shown = labelText(d, "commandLabel");
        });
        // The entry now runs this program; mimeapps.list still names it the default.
        QCOMPARE(shown, "\"" + again.fake.path("vormeld") + "\" %f");
        again.expectOneMessage("File Association",
                               "Vormeld could not be made the editor of Yabasic files.\n\n"
                                   + home.dir.filePath("config/mimeapps.list") + " is read-only.",
                               MsgIcon::Exclamation);
    }

    void optionsOkAndCancel_data()
    {
        QTest::addColumn<QString>("stored"); // the five values, "-" for a missing key
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("shown");
        QTest::newRow("missing, OK") << "-----" << true << "10110";
        QTest::newRow("all off, OK") << "00000" << true << "00000";
        QTest::newRow("all on, Cancel") << "11111" << false << "11111";
    }
    void optionsOkAndCancel()
    {
        QFETCH(QString, stored);
        QFETCH(bool, ok);
        QFETCH(QString, shown);
        const char *keys[5][2] = {{"Startup", "LangHelp"}, {"Startup", "DrawPad"}, {"Startup", "Tips"},
                                  {"Edit", "AutoIndent"}, {"Edit", "EveryKeyword"}};
        const char *boxes[5] = {"langHelpCheck", "drawPadCheck", "tipsCheck", "autoIndentCheck", "everyKeywordCheck"};
        TestWindow t("x\n    else y\n");
        // The start-up keys are stored only once started: the tip window would stop the start.
        for (int i : {3, 4, -1, 0, 1, 2}) {
            if (i < 0)
                t.start();
            else if (stored[i] == '-')
                t.fake.settings.values.remove(QStringLiteral("vormeld/%1/%2").arg(keys[i][0], keys[i][1]));
            else
                t.set(keys[i][0], keys[i][1], stored.mid(i, 1));
        }
        t.fake.settings.writes.clear();
        QString seen;
        QVERIFY(onModal<OptionsDialog>([&] { action(*t.w, "toolsOptions")->trigger(); }, [&](OptionsDialog *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Options"));
            for (const char *b : boxes) {
                auto *box = d->findChild<QCheckBox *>(b);
                seen += box->isChecked() ? '1' : '0';
                box->toggle();
            }
            click(d, ok ? "okButton" : "cancelButton");
        }));
        QCOMPARE(seen, shown);
        QString flipped = shown;
        std::for_each(flipped.begin(), flipped.end(), [](QChar &c) { c = c == '1' ? '0' : '1'; });
        const QString effective = ok ? flipped : shown;
        for (int i = 0; i < 5; ++i)
            QCOMPARE(t.fake.setting(keys[i][0], keys[i][1]), ok ? flipped.mid(i, 1) : stored.mid(i, 1).remove('-'));
        QVERIFY(ok || t.fake.settings.writes.isEmpty());
        // The editor follows at once: indentation after Enter, and "else" coloured.
        QCOMPARE(t.colours({8}), effective[4] == '1' ? "blue" : "black");
        t.caretTo(12);
        QTest::keyClick(t.ed(), Qt::Key_Return);
        QCOMPARE(t.text(), "x\n    else y\n" + QString(effective[3] == '1' ? "    " : ""));
    }

    // Every shortcut belongs to one item; the preview shows every page.
    void shortcutsAndPreview()
    {
        TestWindow t(QByteArray("print 1\n").repeated(150));
        t.start();
        QHash<QString, QString> owner;
        for (QAction *a : t.w->findChildren<QAction *>())
            for (const QKeySequence &k : a->shortcuts()) {
                QVERIFY2(!owner.contains(k.toString()),
                         qPrintable(k.toString() + ": " + owner.value(k.toString()) + " and " + a->objectName()));
                owner.insert(k.toString(), a->objectName());
            }
        QVERIFY(action(*t.w, "toolsOptions")->shortcut().isEmpty());
        QVERIFY(action(*t.w, "toolsOptions")->isEnabled() && action(*t.w, "filePrint")->isEnabled());
        int pages = 0;
        const auto count = [&](QPrintPreviewDialog *d) { pages = d->findChild<QPrintPreviewWidget *>()->pageCount(); };
        QVERIFY(onModal<QPrintPreviewDialog>([&] { action(*t.w, "filePrintPreview")->trigger(); }, count));
        QVERIFY(pages > 1);
    }

    // Without a printer the job becomes the PDF file asked for: every line on
    // it, the long one wrapped, pages filled in order.
    void printsToPdf_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("empty") << 0;
        QTest::newRow("one page") << 20;
        QTest::newRow("several pages") << 250;
    }
    void printsToPdf()
    {
        NEED_PDF_OUTPUT();
        QFETCH(int, lines);
        QStringList program;
        for (int i = 0; i < lines; ++i)
            program << QStringLiteral("print \"line %1\"").arg(i);
        if (lines)
            program[lines / 2] = "rem " + QString("long-").repeated(60) + "end";
        TestWindow t(program.join('\n').toUtf8() + "\n", "prog.yab");
        t.start();
        const QString pdf = t.fake.path("out dir/prog.pdf");
        QDir().mkpath(t.fake.path("out dir"));
        t.fake.prompter.answerFile(pdf);
        clickToolbar(*t.w, "print");
        QTRY_VERIFY(!part<PrintCommands>(*t.w, "printCommands")->isPrinting());
        const FileDialogRequest &asked = t.fake.prompter.fileDialogs.value(0);
        QCOMPARE(QStringList({asked.initialName, asked.initialFolder}), QStringList({"prog.pdf", t.fake.path("")}));
        QCOMPARE(statusBar(*t.w)->tabMessage(0), "Printed to the PDF file " + pdf);
        QString text = pdfText(pdf);
        const int pages = int(text.count('\f'));
        text.replace(QRegularExpression("\\s+\u00BB "), ""); // a wrapped line joined again
        QStringList printed = text.split(QRegularExpression("\\s*[\n\f]\\s*"), Qt::SkipEmptyParts);
        QCOMPARE(printed, program);
        QCOMPARE(pages > 1, lines == 250);
        // Every page but the last is full.
        const QStringList pageTexts = pdfText(pdf).split('\f');
        for (int i = 1; i + 1 < pages; ++i)
            QCOMPARE(pageTexts[i].count('\n'), pageTexts[0].count('\n'));
        VERIFY_SCRIPT_DONE(t.fake.prompter);
    }

    // A long job keeps the window alive, ignores a second print, and Cancel
    // leaves no file behind; a file that cannot be written is told.
    void cancelledAndFailedPrints()
    {
        NEED_PDF_OUTPUT();
        TestWindow t(QByteArray("print \"a line to print\"\n").repeated(100000), "big.yab");
        t.start();
        const QString pdf = t.fake.path("big.pdf");
        t.fake.prompter.answerFile(pdf);
        action(*t.w, "filePrint")->trigger();
        PrintProgressWindow *progress = nullptr;
        QTRY_VERIFY((progress = t.w->findChild<PrintProgressWindow *>()) && progress->isVisible());
        QCOMPARE(progress->windowTitle(), QStringLiteral("Printing..."));
        QTRY_VERIFY(labelText(progress, "statusLabel").startsWith("Printing Page "));
        action(*t.w, "filePrint")->trigger();
        QCOMPARE(t.fake.prompter.fileDialogs.size(), 1);
        click(progress, "cancelButton");
        QTRY_VERIFY_WITH_TIMEOUT(!part<PrintCommands>(*t.w, "printCommands")->isPrinting(), 1000);
        QCOMPARE(statusBar(*t.w)->tabMessage(0), QStringLiteral("Printing cancelled; nothing was printed."));
        QCOMPARE(QDir(t.fake.path("")).entryList({"*.pdf*", "big.*"}), QStringList({"big.yab"})); // no file left

        const QString missing = t.fake.path("missing/out.pdf");
        t.fake.prompter.answerFile(missing);
        t.fake.prompter.answerMessage(MsgResult::OK);
        action(*t.w, "filePrint")->trigger();
        QTRY_VERIFY(!t.fake.prompter.messages.isEmpty());
        const MessageRequest &m = t.fake.prompter.messages.first();
        QCOMPARE(m.title, QStringLiteral("Print"));
        QVERIFY2(m.text.startsWith("Printing failed. " + missing + " could not be written: "), qPrintable(m.text));
        QVERIFY(!QFile::exists(missing));
    }
};

QTEST_MAIN(tst_Setup)
#include "tst_setup.moc"
