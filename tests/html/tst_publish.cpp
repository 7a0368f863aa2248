// The windows of publishing: the HTML options dialog, the web page export
// through it, and the tight copy command on the main window.

#include "html/HtmlExport.h"
#include "html/HtmlOptionsDialog.h"
#include "html/TightExport.h"
#include "support/TestWindow.h"

#include <QtWidgets>

namespace {
template <class T = QPushButton> T *child(const QWidget &d, const char *name) { return part<T>(d, name); }
QPlainTextEdit *sideBarText(const QWidget &d) { return child<QPlainTextEdit>(d, "sideBarTextEdit"); }

// The four text fields and the box as the dialog's widgets show them.
QStringList shown(const QWidget &d)
{
    return {child<QLineEdit>(d, "titleEdit")->text(), child<QLineEdit>(d, "descriptionEdit")->text(),
            child<QLineEdit>(d, "keywordsEdit")->text(), sideBarText(d)->toPlainText(),
            child<QCheckBox>(d, "sideBarCheck")->isChecked() ? "checked" : "unchecked"};
}
QStringList stored(const HtmlSettings &s)
{
    return {s.htmlTitle, s.htmlDescription, s.htmlKeywords, s.htmlSideBarText, QString::number(s.htmlSideBarOn)};
}
} // namespace

class tst_Publish : public QObject {
    Q_OBJECT
private slots:
    // The options dialog walked through: opened, loaded, typed into, saved, confirmed.
    void optionsDialog()
    {
        FakeServices fake;
        HtmlSettings settings;
        settings.htmlTitle = "game.yab - Yabasic Code";
        settings.htmlDescription = "from last time"; // not shown again
        HtmlOptionsDialog d(settings, fake.prompter, fake.shell, fake.folder.path());
        QCOMPARE(shown(d), (QStringList{"game.yab - Yabasic Code", "", "", "", "unchecked"}));
        // The box turns the side bar text and its picture on and off.
        QVERIFY(HtmlOptionsDialog::previewPicture(true) != HtmlOptionsDialog::previewPicture(false));
        for (bool on : {true, false}) {
            child<QCheckBox>(d, "sideBarCheck")->click();
            QCOMPARE((QList<bool>{sideBarText(d)->isEnabled(), d.showsSideBarPreview()}), (QList<bool>{on, on}));
            QCOMPARE(child<QLabel>(d, "layoutPreview")->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                     HtmlOptionsDialog::previewPicture(on));
        }
        child(d, "helpButton")->click();
        QCOMPARE(fake.shell.opened, QStringList{fake.path("hlp99999.htm")});

        // Loading: cancelled, a box value other than 1, a full file.
        fake.writeFile("two.khs", "a\r\nb\r\nc\r\nd\r\n2\r\n");
        fake.writeFile("full.khs", "Page\r\nDesc\r\nKeys\r\nline 1\x07\x08line 2\r\n1\r\n");
        fake.prompter.cancelDialog();
        for (const char *name : {"two.khs", "full.khs"})
            fake.prompter.answerFile(fake.path(name));
        const QList<QStringList> loaded{{"game.yab - Yabasic Code", "", "", "", "unchecked"},
                                        {"a", "b", "c", "d", "unchecked"},
                                        {"Page", "Desc", "Keys", "line 1\nline 2", "checked"}};
        for (const QStringList &fields : loaded) {
            child(d, "loadButton")->click();
            QCOMPARE(shown(d), fields);
            QCOMPARE(sideBarText(d)->isEnabled(), fields.last() == "checked");
        }
        QVERIFY(fake.prompter.messages.isEmpty()); // reading problems are not reported
        QCOMPARE(settings.htmlDescription, "from last time"); // the settings change only on OK

        // Ctrl+Enter starts a line in the side bar text and closes nothing.
        child<QLineEdit>(d, "keywordsEdit")->setText("k1, k2");
        sideBarText(d)->clear();
        QTest::keyClicks(sideBarText(d), "one");
        QTest::keyClick(sideBarText(d), Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(sideBarText(d), "two");
        QCOMPARE(d.result(), int(QDialog::Rejected));
        // Saving: cancelled, done, then failing, which is told and closes nothing.
        const QString path = fake.path("out.khs"), bad = fake.path("no such folder/s.khs");
        fake.prompter.cancelDialog();
        child(d, "saveButton")->click();
        QVERIFY(!QFile::exists(path));
        fake.prompter.answerFile(path);
        child(d, "saveButton")->click();
        QCOMPARE(readBytes(path), QByteArray("Page\r\nDesc\r\nk1, k2\r\none\x07\x08two\r\n1\r\n"));
        fake.prompter.answerFile(bad);
        fake.prompter.answerMessage(MsgResult::OK);
        child(d, "saveButton")->click();
        QCOMPARE(fake.prompter.messages.size(), 1);
        const MessageRequest m = fake.prompter.messages.first();
        const QString head = "The settings could not be saved to\r\n" + bad + "\r\n";
        QVERIFY2(m.title == "Save Vormeld HTML Settings" && m.icon == MsgIcon::Exclamation, qPrintable(m.title));
        QVERIFY2(m.text.startsWith(head) && m.text.size() > head.size(), qPrintable(m.text));
        QVERIFY(d.dialogCancelled());

        // Enter in the side bar text is OK.
        QTest::keyClick(sideBarText(d), Qt::Key_Enter);
        QVERIFY(!d.dialogCancelled());
        const QStringList confirmed{"Page", "Desc", "k1, k2", "one\r\ntwo", "1"};
        QCOMPARE(stored(settings), confirmed);
        // Opened again: Cancel keeps the settings; OK hands the text over with the box unchecked too.
        HtmlOptionsDialog again(settings, fake.prompter, fake.shell, fake.folder.path());
        again.setFields({"T", "D", "K", "S1\r\nS2", 0});
        child(again, "cancelButton")->click();
        QCOMPARE(stored(settings), confirmed);
        child(again, "okButton")->click();
        QCOMPARE(stored(settings), (QStringList{"T", "D", "K", "S1\r\nS2", "0"}));
    }

    void exportPage_data()
    {
        QTest::addColumn<QString>("setup");  // "stale": a TMPSRC.TMP is there; "gone": the program folder is missing
        QTest::addColumn<QString>("target"); // the page's name in the program folder; empty: save dialog cancelled
        QTest::addColumn<QString>("title");  // typed on OK; "-": the suggestion kept; "cancel": Cancel
        QTest::addColumn<QString>("text");   // the editor text; a "ü" in it stands for a Latin-1 document
        QTest::addColumn<QString>("page");   // "title|program lines" of the page; "Error ...": the message; empty: none
        QTest::newRow("title from the file name") << "" << "p.html" << "-" << "label a\ngoto a"
            << "game.yab - Yabasic Code|<A NAME=\"a\"></A>l<A HREF=\"#a\">a</A>bel a\r\n"
               "<FONT COLOR=darkblue>goto</FONT> <A HREF=\"#a\">a</A>\r\n";
        QTest::newRow("save dialog cancelled") << "" << "" << "-" << "print 1" << "";
        QTest::newRow("options dialog cancelled") << "" << "p.html" << "cancel" << "print 1" << "";
        QTest::newRow("page cannot be written") << "" << "no folder/p.html" << "T" << "print 1"
            << "Error Occured\nAn Error has occured during the creation of the HTML file\r\n76 - Path not found";
        QTest::newRow("temporary file of another case is used")
            << "stale" << "p.html" << "T" << "print 2" << "T|<FONT COLOR=darkblue>print</FONT> 2\r\n";
        QTest::newRow("program folder not writable: made from the editor text all the same")
            << "gone" << "p.html" << "Ann's <i>game</i>" << "print 3"
            << "Ann's <i>game</i>|<FONT COLOR=darkblue>print</FONT> 3\r\n";
        QTest::newRow("Latin-1 document gives a Latin-1 page") << "" << "p.html" << "T"
            << "a$ = \"Gr\xC3\xBC\xC3\x9F" "e\"" << QString::fromLatin1("T|a$ = \"Gr\xFC\xDF" "e\"\r\n");
    }
    void exportPage()
    {
        QFETCH(QString, setup);
        QFETCH(QString, target);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, page);
        FakeServices fake;
        HtmlExport html(fake.prompter, fake.shell, fake.path(setup == "gone" ? setup : QString()), nullptr);
        const QString temp =
            fake.path(setup == "stale" ? "TMPSRC.TMP" : setup == "gone" ? "gone/Tmpsrc.tmp" : "Tmpsrc.tmp");
        if (setup == "stale")
            fake.writeFile("TMPSRC.TMP", "print 0\r\n");
        const QStringList files = QDir(fake.folder.path()).entryList(QDir::Files);
        target.isEmpty() ? fake.prompter.cancelDialog() : fake.prompter.answerFile(fake.path(target));
        if (page.startsWith("Error"))
            fake.prompter.answerMessage(MsgResult::OK);
        // While the dialog is open the editor text waits in the temporary copy; where
        // the program folder cannot take it, in a file of its own in the system's folder.
        const bool latin1 = text.contains(QChar(0xFC));
        QByteArray whileOpen;
        QString suggested;
        int shown = 0;
        QObject scope; // the answer waits for the modal dialog, no longer than this test
        QTimer::singleShot(0, &scope, [&] {
            auto *d = qobject_cast<HtmlOptionsDialog *>(QApplication::activeModalWidget());
            if (!d)
                return;
            ++shown;
            const QStringList own = QDir::temp().entryList(QStringList{"Tmpsrc-*.tmp"});
            whileOpen = readBytes(setup == "gone" ? QDir::temp().filePath(own.value(0)) : temp);
            suggested = child<QLineEdit>(*d, "titleEdit")->text();
            d->setFields({title == "-" ? suggested : title, "D", "K", "S1\r\nS2", 1});
            child(*d, title == "cancel" ? "cancelButton" : "okButton")->click();
        });
        html.createHTMLSource(text, latin1 ? TextEncoding::Latin1 : TextEncoding::Utf8, "/home/ann/progs/game.yab");

        QCOMPARE(shown, target.isEmpty() ? 0 : 1);
        if (title == "-" && page.contains('|'))
            QCOMPARE(suggested, page.section('|', 0, 0));
        const QString crlf = QString(text + "\n").replace("\n", "\r\n");
        QCOMPARE(whileOpen, shown == 0 ? QByteArray() : latin1 ? crlf.toLatin1() : crlf.toUtf8());
        // The temporary copy is gone, wherever it was made.
        QVERIFY(!QFile::exists(temp) && !QFile::exists(fake.path("Tmpsrc.tmp")));
        QCOMPARE(QDir::temp().entryList(QStringList{"Tmpsrc-*.tmp"}), QStringList());
        const MessageRequest m = fake.prompter.messages.value(0);
        QCOMPARE(fake.prompter.messages.size(), int(page.startsWith("Error")));
        QCOMPARE(m.title + "\n" + m.text, page.startsWith("Error") ? page : "\n");
        if (!page.contains('|')) {
            QCOMPARE(QDir(fake.folder.path()).entryList(QDir::Files), files);
            return;
        }
        const QByteArray t = page.section('|', 0, 0).toUtf8(), made = readBytes(fake.path(target));
        const QByteArray code = latin1 ? page.section('|', 1).toLatin1() : page.section('|', 1).toUtf8();
        for (const QByteArray &p : {"<TITLE>" + t + "</TITLE>\r\n", "<H1>" + t + "</H1><HR>\r\n", "<PRE><B>\r\n" + code,
                                    QByteArray("<META NAME=\"Description\" CONTENT=\"D\">\r\n"
                                               "<META NAME=\"Keywords\" CONTENT=\"K\">\r\n"),
                                    QByteArray("<TD BGCOLOR=\"#CBCBCB\" VALIGN=\"top\">\r\nS1\r\nS2\r\n</TD>\r\n")})
            QVERIFY2(made.contains(p), made.constData());
    }

    void tightCopyThroughTheWindow()
    {
        FakeServices fake;
        fake.services.commandLine =
            fake.writeFile("latin1.yab", "  print 1\n  print \"\xFC\"\n\n# note\nlabel x\n  goto x // loop\nend\n");
        MainWindow w(fake.services);
        w.start();
        const QString before = editorText(w), target = fake.path("tight.yab");
        const auto saveTight = [&](const QString &path) { // an empty path cancels the file dialog
            path.isEmpty() ? fake.prompter.cancelDialog() : fake.prompter.answerFile(path);
            action(w, "fileSaveTight")->trigger();
        };
        statusBar(w)->setTabMessage(0, "earlier");
        saveTight("");
        QCOMPARE(panel(w, 1), "earlier");
        QVERIFY(!QFile::exists(target));

        // The message waits on the debug tab until the program tab is shown again.
        tabBar(w)->setCurrentIndex(1);
        saveTight(target);
        const QByteArray copy("print 1:print \"\xFC\"\r\nlabel x\r\ngoto x // loop\r\nend");
        QCOMPARE(readBytes(target), copy);
        QCOMPARE(panel(w, 1), "Done");
        tabBar(w)->setCurrentIndex(0);
        QCOMPARE(panel(w, 1), "Tight Creation Done Successfully");
        QCOMPARE(editorText(w), before); // the document is left as it was
        QVERIFY(!documents(w).state().fileChanged);

        // A folder in the way: nothing written, the old copy whole.
        QVERIFY(QDir(fake.folder.path()).mkdir("taken.yab"));
        saveTight(fake.path("taken.yab"));
        QCOMPARE(panel(w, 1), "Tight Creation Failed");
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(readBytes(target), copy);
        // A letter Latin-1 cannot hold makes the whole copy UTF-8.
        codeEditor(w)->insertPlainText(QString::fromUtf8("\xE2\x82\xAC"));
        saveTight(target);
        QVERIFY(readBytes(target).contains("\xE2\x82\xAC") && readBytes(target).contains("print \"\xC3\xBC\""));
    }
};

QTEST_MAIN(tst_Publish)
#include "tst_publish.moc"
