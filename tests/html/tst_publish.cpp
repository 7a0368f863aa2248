// The windows of publishing: the HTML options dialog, the web page export
// through it, and the tight copy command on the main window.

#include "app/MainStatusBar.h"
#include "app/MainWindow.h"
#include "html/HtmlExport.h"
#include "html/HtmlOptionsDialog.h"
#include "html/TightExport.h"
#include "support/FakeServices.h"
#include "support/WindowProbe.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {
QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// A file dialog request as one list: kind, title, name, extension, filter, index.
QStringList request(const FileDialogRequest &r)
{
    return {r.kind == FileDialogRequest::Save ? "Save" : "Open", r.title, r.initialName, r.defaultExtension,
            r.filter, QString::number(r.filterIndex)};
}

template <class T> T *child(const QWidget &d, const char *name)
{
    T *w = d.findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no widget %s", name);
    return w;
}
QPushButton *button(const QWidget &d, const char *name) { return child<QPushButton>(d, name); }
QPlainTextEdit *sideBarText(const QWidget &d) { return child<QPlainTextEdit>(d, "sideBarTextEdit"); }

// The four text fields and the box as the dialog's widgets show them.
QStringList shownFields(const QWidget &d)
{
    return {child<QLineEdit>(d, "titleEdit")->text(), child<QLineEdit>(d, "descriptionEdit")->text(),
            child<QLineEdit>(d, "keywordsEdit")->text(), sideBarText(d)->toPlainText(),
            child<QCheckBox>(d, "sideBarCheck")->isChecked() ? "checked" : "unchecked"};
}

// Answers the modal options dialog once the export shows it and counts the
// dialogs shown; one left open is cancelled.
struct DialogAnswer {
    explicit DialogAnswer(std::function<void(HtmlOptionsDialog &)> answer)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, answer] {
            if (auto *d = qobject_cast<HtmlOptionsDialog *>(QApplication::activeModalWidget())) {
                timer.stop();
                ++shown;
                answer(*d);
                if (d->isVisible())
                    d->reject();
            }
        });
        timer.start(0);
    }
    QTimer timer;
    int shown = 0;
};

// The options dialog on its own, opened with a suggested title.
struct Options {
    FakeServices fake;
    HtmlSettings settings;
    std::unique_ptr<HtmlOptionsDialog> d;
    explicit Options(const QString &title)
    {
        settings.htmlTitle = title;
        d = std::make_unique<HtmlOptionsDialog>(settings, fake.prompter, fake.shell, fake.folder.path());
    }
};
} // namespace

class tst_Publish : public QObject {
    Q_OBJECT
private slots:
    void optionsDialogOpens();
    void okOrCancel_data();
    void okOrCancel();
    void loadSettings_data();
    void loadSettings();
    void saveSettings();
    void exportThroughTheDialog_data();
    void exportThroughTheDialog();
    void exportOutcomes_data();
    void exportOutcomes();
    void tightCopyThroughTheWindow();
    void tightCopyKeepsTheEncoding();
};

void tst_Publish::optionsDialogOpens()
{
    Options t(QStringLiteral("game.yab - Yabasic Code"));
    t.settings.htmlDescription = QStringLiteral("from last time"); // not shown again
    HtmlOptionsDialog &d = *t.d;
    QStringList texts{d.windowTitle()};
    for (const QLabel *l : d.findChildren<QLabel *>())
        texts << l->text();
    for (const char *name : {"sideBarCheck", "okButton", "cancelButton", "helpButton", "loadButton", "saveButton"})
        texts << child<QAbstractButton>(d, name)->text();
    QCOMPARE(texts, (QStringList{"HTML Options", "For new line -- press CTRL-ENTER", "", "&Title:", "&Description:",
                                 "&Keywords:", "&Side bar text:",
                                 "&Include side bar with ASCII text", "OK", "Cancel", "&Help", "&Load Settings...",
                                 "S&ave Settings..."}));
    QVERIFY(button(d, "okButton")->isDefault());
    QCOMPARE(d.fields(), (HtmlSettingsFields{"game.yab - Yabasic Code", "", "", "", 0}));
    QVERIFY(d.dialogCancelled());

    // The box turns the side bar text and its picture on and off.
    QVERIFY(HtmlOptionsDialog::previewPicture(true) != HtmlOptionsDialog::previewPicture(false));
    for (bool on : {false, true, false}) {
        if (child<QCheckBox>(d, "sideBarCheck")->isChecked() != on)
            child<QCheckBox>(d, "sideBarCheck")->click();
        QCOMPARE((QList<bool>{sideBarText(d)->isEnabled(), d.showsSideBarPreview()}), (QList<bool>{on, on}));
        QCOMPARE(child<QLabel>(d, "layoutPreview")->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 HtmlOptionsDialog::previewPicture(on));
    }
    button(d, "helpButton")->click();
    QCOMPARE(t.fake.shell.opened, QStringList{t.fake.path(QStringLiteral("hlp99999.htm"))});
}

void tst_Publish::okOrCancel_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("checked");
    QTest::newRow("box checked, Ctrl+Enter between lines, Enter confirms") << "enter" << true;
    QTest::newRow("an unchecked box still hands its text over") << "ok" << false;
    QTest::newRow("Cancel button keeps the settings") << "cancel" << true;
}

void tst_Publish::okOrCancel()
{
    QFETCH(QString, how);
    QFETCH(bool, checked);
    Options t(QStringLiteral("suggested"));
    HtmlOptionsDialog &d = *t.d;
    child<QLineEdit>(d, "titleEdit")->setText(QStringLiteral("My <b>page</b>"));
    child<QLineEdit>(d, "descriptionEdit")->setText(QStringLiteral("desc"));
    child<QLineEdit>(d, "keywordsEdit")->setText(QStringLiteral("k1, k2"));
    child<QCheckBox>(d, "sideBarCheck")->setChecked(checked);
    if (checked) {
        QTest::keyClicks(sideBarText(d), QStringLiteral("one"));
        QTest::keyClick(sideBarText(d), Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(sideBarText(d), QStringLiteral("two"));
        QCOMPARE(d.result(), int(QDialog::Rejected)); // Ctrl+Enter did not close it
    } else {
        sideBarText(d)->setPlainText(QStringLiteral("one\ntwo"));
    }
    if (how == "enter")
        QTest::keyClick(sideBarText(d), Qt::Key_Enter);
    else
        button(d, how == "ok" ? "okButton" : "cancelButton")->click();
    const HtmlSettings &s = t.settings;
    const bool ok = how != "cancel";
    QCOMPARE(d.dialogCancelled(), !ok);
    QCOMPARE((QStringList{s.htmlTitle, s.htmlDescription, s.htmlKeywords, s.htmlSideBarText}),
             ok ? QStringList({"My <b>page</b>", "desc", "k1, k2", "one\r\ntwo"}) : QStringList({"suggested", "", "", ""}));
    QCOMPARE(s.htmlSideBarOn, qint16(ok && checked ? 1 : 0));
}

void tst_Publish::loadSettings_data()
{
    QTest::addColumn<QByteArray>("bytes"); // written to the chosen file; "-" for no file
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("full file, box on") << QByteArray("Page\r\nDesc\r\nKeys\r\nline 1\x07\x08line 2\r\n1\r\n") << false
                                       << QStringList{"Page", "Desc", "Keys", "line 1\nline 2", "checked"};
    QTest::newRow("other box values are unchecked") << QByteArray("a\r\nb\r\nc\r\nd\r\n2\r\n") << false
                                                    << QStringList{"a", "b", "c", "d", "unchecked"};
    QTest::newRow("missing file empties the fields") << QByteArray("-") << false << QStringList{"", "", "", "", "unchecked"};
    QTest::newRow("cancelled: nothing changes") << QByteArray("x\r\n") << true
                                                << QStringList{"before", "before", "before", "before", "checked"};
}

void tst_Publish::loadSettings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, cancel);
    QFETCH(QStringList, fields);
    Options t(QStringLiteral("before"));
    HtmlOptionsDialog &d = *t.d;
    d.setFields({"before", "before", "before", "before", 1});
    if (bytes != "-")
        t.fake.writeFile(QStringLiteral("s.khs"), bytes);
    if (cancel)
        t.fake.prompter.cancelDialog();
    else
        t.fake.prompter.answerFile(t.fake.path(QStringLiteral("s.khs")));
    button(d, "loadButton")->click();
    QCOMPARE(request(t.fake.prompter.fileDialogs.value(0)),
             (QStringList{"Open", "Open Vormeld HTML Settings", "*.khs", ".khs",
                          "Vormeld HTML Settings File (*.khs)|*.khs|All files (*.*)|*.*", "1"}));
    QVERIFY(t.fake.prompter.messages.isEmpty()); // reading problems are not reported
    QCOMPARE(shownFields(d), fields);
    QCOMPARE(sideBarText(d)->isEnabled(), fields.last() == "checked");
    // The settings change only on OK.
    QCOMPARE((QStringList{t.settings.htmlTitle, t.settings.htmlDescription}), (QStringList{"before", ""}));
}

void tst_Publish::saveSettings()
{
    Options t(QStringLiteral("x.yab - Yabasic Code"));
    HtmlOptionsDialog &d = *t.d;
    child<QLineEdit>(d, "descriptionEdit")->setText(QStringLiteral("About"));
    child<QLineEdit>(d, "keywordsEdit")->setText(QStringLiteral("yab"));
    sideBarText(d)->setPlainText(QStringLiteral("a\nb")); // saved with the box unchecked too
    const QString path = t.fake.path(QStringLiteral("out.khs"));
    t.fake.prompter.cancelDialog();
    button(d, "saveButton")->click();
    QVERIFY(!QFile::exists(path));
    t.fake.prompter.answerFile(path);
    button(d, "saveButton")->click();
    QCOMPARE(request(t.fake.prompter.fileDialogs.last()),
             (QStringList{"Save", "Save Vormeld HTML Settings", "*.khs", ".khs",
                          "Vormeld HTML Settings File (*.khs)|*.khs|All Files (*.*)|*.*", "1"}));
    QCOMPARE(readBytes(path), QByteArray("x.yab - Yabasic Code\r\nAbout\r\nyab\r\na\x07\x08" "b\r\n0\r\n"));

    // Saved and loaded again, every field comes back.
    HtmlOptionsDialog other(t.settings, t.fake.prompter, t.fake.shell, t.fake.folder.path());
    t.fake.prompter.answerFile(path);
    button(other, "loadButton")->click();
    QCOMPARE(shownFields(other), shownFields(d));

    // A save that fails is reported, and the dialog stays open.
    const QString bad = t.fake.path(QStringLiteral("no such folder/s.khs"));
    t.fake.prompter.answerFile(bad);
    t.fake.prompter.answerMessage(MsgResult::OK);
    button(d, "saveButton")->click();
    QCOMPARE(t.fake.prompter.messages.size(), 1);
    const MessageRequest &m = t.fake.prompter.messages.first();
    QCOMPARE(m.title, QStringLiteral("Save Vormeld HTML Settings"));
    const QString head = QStringLiteral("The settings could not be saved to\r\n") + bad + QStringLiteral("\r\n");
    QVERIFY2(m.text.startsWith(head) && m.text.size() > head.size(), qPrintable(m.text));
    QCOMPARE(m.icon, MsgIcon::Exclamation);
    QVERIFY(d.dialogCancelled());
}

void tst_Publish::exportThroughTheDialog_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("typed"); // what the title box holds on OK; "-" leaves the suggestion
    QTest::addColumn<QString>("title");
    QTest::newRow("never saved") << "Untitled" << "-" << "Untitled - Yabasic Code";
    QTest::newRow("a path") << "/home/ann/progs/game.yab" << "-" << "game.yab - Yabasic Code";
    QTest::newRow("a Windows path") << "C:\\progs\\old.bas" << "-" << "old.bas - Yabasic Code";
    QTest::newRow("changed by the user") << "a.yab" << "Ann's <i>game</i>" << "Ann's <i>game</i>";
    QTest::newRow("empty title") << "a.yab" << "" << "";
}

void tst_Publish::exportThroughTheDialog()
{
    QFETCH(QString, fileName);
    QFETCH(QString, typed);
    QFETCH(QString, title);
    FakeServices fake;
    HtmlExport html(fake.prompter, fake.shell, fake.folder.path(), nullptr);
    const QString target = fake.path(QStringLiteral("page.html"));
    fake.prompter.answerFile(target);
    QString suggested;
    QByteArray tempBytes;
    DialogAnswer answer([&](HtmlOptionsDialog &d) {
        suggested = child<QLineEdit>(d, "titleEdit")->text();
        tempBytes = readBytes(fake.path(QStringLiteral("Tmpsrc.tmp")));
        d.setFields({typed == "-" ? suggested : typed, "D", "K", "S1\r\nS2", 1});
        button(d, "okButton")->click();
    });
    html.createHTMLSource(QStringLiteral("label a\ngoto a\n"), TextEncoding::Utf8, fileName);
    QCOMPARE(answer.shown, 1);
    QVERIFY2(fake.prompter.unexpected.isEmpty(), qPrintable(fake.prompter.unexpected.join('\n')));
    QCOMPARE(request(fake.prompter.fileDialogs.first()),
             (QStringList{"Save", "Create HTML Source", "*.html", ".html",
                          "HTML Document (*.html)|*.html|All Files (*.*)|*.*", "1"}));
    if (typed == "-")
        QCOMPARE(suggested, title);
    QCOMPARE(tempBytes, QByteArray("label a\r\ngoto a\r\n\r\n"));
    const QByteArray page = readBytes(target);
    for (const QByteArray &part : QList<QByteArray>{"<META NAME=\"Description\" CONTENT=\"D\">\r\n<META NAME=\"Keywords\" CONTENT=\"K\">\r\n",
                                   "<TITLE>" + title.toUtf8() + "</TITLE>\r\n", "<H1>" + title.toUtf8() + "</H1><HR>\r\n",
                                   QByteArray("<TD BGCOLOR=\"#CBCBCB\" VALIGN=\"top\">\r\nS1\r\nS2\r\n</TD>\r\n"),
                                   QByteArray("<NOBR><PRE><B>\r\n<A NAME=\"a\"></A>l<A HREF=\"#a\">a</A>bel a\r\n"
                                              "<FONT COLOR=darkblue>goto</FONT> <A HREF=\"#a\">a</A>\r\n\r\n</B></PRE></NOBR>\r\n")})
        QVERIFY2(page.contains(part), part.constData());
}

void tst_Publish::exportOutcomes_data()
{
    QTest::addColumn<QString>("target");  // the page's name in the program folder; empty: save dialog cancelled
    QTest::addColumn<bool>("ok");         // the options dialog's answer
    QTest::addColumn<QString>("text");    // the editor text; a "ü" in it stands for a Latin-1 document
    QTest::addColumn<QString>("setup");   // "stale": a TMPSRC.TMP is there; "gone": the program folder is missing
    QTest::addColumn<QByteArray>("page"); // in the page; empty: no page, the folder as it was
    QTest::addColumn<QString>("message"); // the error message; empty: none
    const QString head = QStringLiteral("Error Occured\nAn Error has occured during the creation of the HTML file\r\n");
    QTest::newRow("save dialog cancelled") << "" << true << "print 1" << "" << QByteArray() << "";
    QTest::newRow("options dialog cancelled") << "p.html" << false << "print 1" << "" << QByteArray() << "";
    QTest::newRow("page cannot be written") << "no folder/p.html" << true << "print 1" << "" << QByteArray()
                                            << head + "76 - Path not found";
    QTest::newRow("temporary file of another case is used") << "p.html" << true << "print 2" << "stale"
                                                            << QByteArray("<B>\r\n<FONT COLOR=darkblue>print</FONT> 2\r\n</B>") << "";
    QTest::newRow("program folder not writable: made from the editor text all the same")
        << "p.html" << true << "print 3" << "gone" << QByteArray("<B>\r\n<FONT COLOR=darkblue>print</FONT> 3\r\n</B>") << "";
    QTest::newRow("Latin-1 document gives a Latin-1 page") << "p.html" << true << QString::fromUtf8("a$ = \"Gr\xC3\xBC\xC3\x9F" "e\"")
                                                           << "" << QByteArray("<B>\r\na$ = \"Gr\xFC\xDF" "e\"\r\n") << "";
}

void tst_Publish::exportOutcomes()
{
    QFETCH(QString, target);
    QFETCH(bool, ok);
    QFETCH(QString, text);
    QFETCH(QString, setup);
    QFETCH(QByteArray, page);
    QFETCH(QString, message);
    FakeServices fake;
    HtmlExport html(fake.prompter, fake.shell, fake.path(setup == "gone" ? setup : QString()), nullptr);
    const QString temp = fake.path(setup == "stale" ? "TMPSRC.TMP" : setup == "gone" ? "gone/Tmpsrc.tmp" : "Tmpsrc.tmp");
    if (setup == "stale")
        fake.writeFile("TMPSRC.TMP", "print 0\r\n");
    const QStringList files = QDir(fake.folder.path()).entryList(QDir::Files);
    if (target.isEmpty())
        fake.prompter.cancelDialog();
    else
        fake.prompter.answerFile(fake.path(target));
    if (!message.isEmpty())
        fake.prompter.answerMessage(MsgResult::OK);
    // While the dialog is open the editor text waits in the temporary copy; where
    // the program folder cannot take it, in a file of its own in the system's folder.
    const TextEncoding encoding = text.contains(QChar(0xFC)) ? TextEncoding::Latin1 : TextEncoding::Utf8;
    QByteArray whileOpen;
    DialogAnswer answer([&](HtmlOptionsDialog &d) {
        const QStringList own = QDir::temp().entryList(QStringList{QStringLiteral("Tmpsrc-*.tmp")});
        whileOpen = readBytes(setup == "gone" ? QDir::temp().filePath(own.value(0)) : temp);
        button(d, ok ? "okButton" : "cancelButton")->click();
    });
    html.createHTMLSource(text, encoding, QStringLiteral("Untitled"));

    QCOMPARE(answer.shown, target.isEmpty() ? 0 : 1);
    if (answer.shown)
        QCOMPARE(whileOpen, encoding == TextEncoding::Latin1 ? (text + "\r\n").toLatin1() : (text + "\r\n").toUtf8());
    // The temporary copy is gone, wherever it was made.
    QVERIFY(!QFile::exists(temp) && !QFile::exists(fake.path(QStringLiteral("Tmpsrc.tmp"))));
    QCOMPARE(QDir::temp().entryList(QStringList{QStringLiteral("Tmpsrc-*.tmp")}), QStringList());
    if (page.isEmpty())
        QCOMPARE(QDir(fake.folder.path()).entryList(QDir::Files), files);
    else
        QVERIFY2(readBytes(fake.path(target)).contains(page), readBytes(fake.path(target)).constData());
    QStringList messages;
    for (const MessageRequest &m : fake.prompter.messages)
        messages << m.title + "\n" + m.text + (m.buttons == MsgButtons::OK && m.icon == MsgIcon::None ? "" : " (buttons, icon)");
    QCOMPARE(messages, message.isEmpty() ? QStringList() : QStringList{message});
}

void tst_Publish::tightCopyThroughTheWindow()
{
    FakeServices fake;
    fake.writeFile("Template.yab", "  print 1\n  print 2\n\n# note\nlabel x\n  goto x // loop\nend\n");
    MainWindow w(fake.services);
    w.start();
    const auto run = [&](const QString &target) { // an empty target cancels the file dialog
        if (target.isEmpty())
            fake.prompter.cancelDialog();
        else
            fake.prompter.answerFile(target);
        action(w, "fileSaveTight")->trigger();
    };
    const QString before = editorText(w);
    statusBar(w)->setTabMessage(0, QStringLiteral("earlier"));
    const QStringList files = QDir(fake.folder.path()).entryList(QDir::Files);
    run(QString());
    QCOMPARE(panel(w, 1), QStringLiteral("earlier"));
    QCOMPARE(QDir(fake.folder.path()).entryList(QDir::Files), files);

    // The message waits on the debug tab until the program tab is shown again.
    tabBar(w)->setCurrentIndex(1);
    const QString target = fake.path(QStringLiteral("tight.yab"));
    run(target);
    QCOMPARE(request(fake.prompter.fileDialogs.last()),
             (QStringList{"Save", "Make Tight YaBasic Program", "*.yab", ".yab",
                          "YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All Files (*.*)|*.*", "1"}));
    const QByteArray copy("print 1:print 2\r\nlabel x\r\ngoto x // loop\r\nend");
    QCOMPARE(readBytes(target), copy);
    QCOMPARE(panel(w, 1), QStringLiteral("Done"));
    tabBar(w)->setCurrentIndex(0);
    QCOMPARE(panel(w, 1), QStringLiteral("Tight Creation Done Successfully"));
    QVERIFY(!QGuiApplication::overrideCursor());
    // The document is left as it was.
    QCOMPARE(editorText(w), before);
    QVERIFY(!documents(w).state().fileChanged);

    // A folder in the way, or none at all: nothing written, the old copy whole.
    QVERIFY(QDir(fake.folder.path()).mkdir(QStringLiteral("taken.yab")));
    run(fake.path(QStringLiteral("taken.yab")));
    QCOMPARE(panel(w, 1), QStringLiteral("Tight Creation Failed"));
    QVERIFY(!QGuiApplication::overrideCursor());
    run(fake.path(QStringLiteral("no folder/x.yab")));
    QCOMPARE(readBytes(target), copy);
}

void tst_Publish::tightCopyKeepsTheEncoding()
{
    // A Latin-1 document gets a Latin-1 copy, unless it holds what Latin-1 cannot.
    FakeServices fake;
    const QString target = fake.path(QStringLiteral("tight.yab"));
    TightExport tight(fake.prompter);
    fake.prompter.answerFile(target);
    QCOMPARE(tight.createTightProgram(QString::fromUtf8("print \"\xC3\xBC\""), TextEncoding::Latin1),
             TightExport::Outcome::Done);
    QCOMPARE(readBytes(target), QByteArray("print \"\xFC\""));
    fake.prompter.answerFile(target);
    QCOMPARE(tight.createTightProgram(QString::fromUtf8("print \"\xE2\x82\xAC\""), TextEncoding::Latin1),
             TightExport::Outcome::Done);
    QCOMPARE(readBytes(target), QByteArray("print \"\xE2\x82\xAC\""));
}

QTEST_MAIN(tst_Publish)
#include "tst_publish.moc"
