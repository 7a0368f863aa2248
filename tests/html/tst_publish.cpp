// The windows of publishing: the HTML options dialog, the web page export
// through it, and the tight copy command on the main window.

#include "app/MainStatusBar.h"
#include "app/frmMainWindow.h"
#include "html/HtmlExport.h"
#include "html/frmHTMLOptions.h"
#include "run/TightExport.h"
#include "support/FakeServices.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
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

QStringList labelTexts(QWidget *w)
{
    QStringList texts;
    for (const QLabel *l : w->findChildren<QLabel *>())
        texts << l->text();
    return texts;
}

// Answers the modal options dialog when the export shows it. Records whether
// one was shown at all; one that nobody expected is cancelled.
class DialogAnswer {
public:
    explicit DialogAnswer(std::function<void(frmHTMLOptions &)> answer) : m_answer(std::move(answer))
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *d = qobject_cast<frmHTMLOptions *>(QApplication::activeModalWidget());
            if (!d)
                return;
            m_timer.stop();
            ++shown;
            if (m_answer)
                m_answer(*d);
            if (d->isVisible())
                d->reject();
        });
        m_timer.start();
    }
    int shown = 0;

private:
    QTimer m_timer;
    std::function<void(frmHTMLOptions &)> m_answer;
};

struct Export {
    FakeServices fake;
    HtmlExport html{fake.prompter, fake.shell, fake.folder.path(), nullptr};
    QString temp() const { return fake.path(QStringLiteral("Tmpsrc.tmp")); }
};

struct Window {
    FakeServices fake;
    std::unique_ptr<frmMainWindow> w;
    std::unique_ptr<TightExport> tight;
    Window()
    {
        fake.writeFile("Template.yab", "rem template\n");
        w = std::make_unique<frmMainWindow>(fake.services);
        w->Form_Load();
        frmMainWindow *win = w.get();
        tight = std::make_unique<TightExport>(fake.prompter, [win](const QString &message) {
            win->StatusMessages[1] = message;
            win->ShowStatusMessage();
        });
    }
    QString panel(int n) { return w->controls().StatusBar1->panel(n)->text(); }
    TightExport::Outcome run()
    {
        return tight->CreateTightProgram(w->editorText(), w->documents().state().format.encoding);
    }
};
} // namespace

class tst_Publish : public QObject {
    Q_OBJECT
private slots:
    void optionsDialogOpens();
    void sideBarState();
    void okFillsTheSettings();
    void enterInSideBarTextIsOK();
    void cancelKeepsTheSettings_data();
    void cancelKeepsTheSettings();
    void loadSettings_data();
    void loadSettings();
    void saveSettings();
    void failedSaveIsReported();
    void helpOpensTheContents();
    void previewPictures();

    void exportThroughTheDialog();
    void suggestedTitles_data();
    void suggestedTitles();
    void cancelledSaveDialog();
    void cancelledOptionsDialog();
    void failedPageIsReported();
    void tempFileOfAnotherCase();
    void programFolderNotWritable();
    void latin1DocumentGivesLatin1Page();

    void tightCopyThroughTheWindow();
    void tightEncodings_data();
    void tightEncodings();
    void tightCancelled();
    void tightFailure();
    void tightMessageOnTheDebugTab();
};

void tst_Publish::optionsDialogOpens()
{
    FakeServices fake;
    HtmlSettings s;
    s.HtmlTitle = QStringLiteral("game.yab - Yabasic Code");
    s.HtmlDescription = QStringLiteral("from last time");
    s.HtmlSideBarOn = 1;
    s.HtmlSideBarText = QStringLiteral("old");
    frmHTMLOptions d(s, fake.prompter, fake.shell, fake.folder.path());
    QCOMPARE(d.windowTitle(), QStringLiteral("HTML Options"));
    const QStringList labels = labelTexts(&d);
    for (const char *caption : {"&Title:", "&Description:", "&Keywords:", "&Side bar text:",
                                "For new line -- press CTRL-ENTER"})
        QVERIFY2(labels.contains(QLatin1String(caption)), caption);
    QCOMPARE(d.Check1->text(), QStringLiteral("&Include side bar with ASCII text"));
    QCOMPARE(d.Command1->text(), QStringLiteral("OK"));
    QCOMPARE(d.Command2->text(), QStringLiteral("Cancel"));
    QCOMPARE(d.Command3->text(), QStringLiteral("&Help"));
    QCOMPARE(d.Command4->text(), QStringLiteral("&Load Settings..."));
    QCOMPARE(d.Command5->text(), QStringLiteral("S&ave Settings..."));
    QVERIFY(d.Command1->isDefault());
    // Only the title is preset; the rest starts fresh at every opening.
    QCOMPARE(d.Text1->text(), s.HtmlTitle);
    QCOMPARE(d.Text2->text(), QString());
    QCOMPARE(d.Text3->text(), QString());
    QCOMPARE(d.Text4->toPlainText(), QString());
    QVERIFY(!d.Check1->isChecked());
    QVERIFY(!d.Text4->isEnabled());
    QVERIFY(!d.ShowsSideBarPreview());
    QVERIFY(d.DialogCancelled);
}

void tst_Publish::sideBarState()
{
    FakeServices fake;
    HtmlSettings s;
    frmHTMLOptions d(s, fake.prompter, fake.shell, fake.folder.path());
    const QImage without = frmHTMLOptions::PreviewPicture(false);
    const QImage with = frmHTMLOptions::PreviewPicture(true);
    QCOMPARE(d.Picture1->pixmap().toImage().convertToFormat(QImage::Format_RGB32), without);
    d.Check1->click();
    QVERIFY(d.Check1->isChecked());
    QVERIFY(d.Text4->isEnabled());
    QVERIFY(d.ShowsSideBarPreview());
    QCOMPARE(d.Picture1->pixmap().toImage().convertToFormat(QImage::Format_RGB32), with);
    d.Text4->setPlainText(QStringLiteral("kept"));
    d.Check1->click();
    QVERIFY(!d.Text4->isEnabled());
    QCOMPARE(d.Text4->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(d.Picture1->pixmap().toImage().convertToFormat(QImage::Format_RGB32), without);
}

void tst_Publish::okFillsTheSettings()
{
    FakeServices fake;
    HtmlSettings s;
    s.HtmlTitle = QStringLiteral("suggested");
    frmHTMLOptions d(s, fake.prompter, fake.shell, fake.folder.path());
    d.Text1->setText(QStringLiteral("My <b>page</b>"));
    d.Text2->setText(QStringLiteral("desc"));
    d.Text3->setText(QStringLiteral("k1, k2"));
    d.Check1->setChecked(true);
    QTest::keyClicks(d.Text4, QStringLiteral("one"));
    QTest::keyClick(d.Text4, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(d.Text4, QStringLiteral("two"));
    QCOMPARE(d.result(), int(QDialog::Rejected)); // Ctrl+Enter did not close it
    d.Command1->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(!d.DialogCancelled);
    QCOMPARE(s.HtmlTitle, QStringLiteral("My <b>page</b>"));
    QCOMPARE(s.HtmlDescription, QStringLiteral("desc"));
    QCOMPARE(s.HtmlKeywords, QStringLiteral("k1, k2"));
    QCOMPARE(s.HtmlSideBarOn, qint16(1));
    QCOMPARE(s.HtmlSideBarText, QStringLiteral("one\r\ntwo"));
}

void tst_Publish::enterInSideBarTextIsOK()
{
    FakeServices fake;
    HtmlSettings s;
    frmHTMLOptions d(s, fake.prompter, fake.shell, fake.folder.path());
    d.Check1->setChecked(true);
    QTest::keyClicks(d.Text4, QStringLiteral("side"));
    QTest::keyClick(d.Text4, Qt::Key_Enter);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(!d.DialogCancelled);
    QCOMPARE(s.HtmlSideBarText, QStringLiteral("side"));
    // An unchecked box still hands its text over.
    frmHTMLOptions again(s, fake.prompter, fake.shell, fake.folder.path());
    again.Text4->setPlainText(QStringLiteral("still here"));
    again.Command1->click();
    QCOMPARE(s.HtmlSideBarOn, qint16(0));
    QCOMPARE(s.HtmlSideBarText, QStringLiteral("still here"));
}

void tst_Publish::cancelKeepsTheSettings_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel button") << "cancel";
    QTest::newRow("title bar close") << "close";
    QTest::newRow("Escape key") << "escape";
}

void tst_Publish::cancelKeepsTheSettings()
{
    QFETCH(QString, how);
    FakeServices fake;
    HtmlSettings s;
    s.HtmlTitle = QStringLiteral("t");
    s.HtmlKeywords = QStringLiteral("kept");
    frmHTMLOptions d(s, fake.prompter, fake.shell, fake.folder.path());
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.Text1->setText(QStringLiteral("changed"));
    d.Text3->setText(QStringLiteral("changed"));
    if (how == QLatin1String("cancel"))
        d.Command2->click();
    else if (how == QLatin1String("close"))
        d.close();
    else
        QTest::keyClick(d.Text1, Qt::Key_Escape);
    QVERIFY(!d.isVisible());
    QVERIFY(d.DialogCancelled);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(s.HtmlTitle, QStringLiteral("t"));
    QCOMPARE(s.HtmlKeywords, QStringLiteral("kept"));
}

void tst_Publish::loadSettings_data()
{
    QTest::addColumn<QByteArray>("bytes"); // written to the chosen file; "-" for no file
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<bool>("checked");
    QTest::newRow("full file, box on")
        << QByteArray("Page\r\nDesc\r\nKeys\r\nline 1\x07\x08line 2\r\n1\r\n") << false
        << QStringList{"Page", "Desc", "Keys", "line 1\nline 2"} << true;
    QTest::newRow("box off") << QByteArray("a\r\nb\r\nc\r\nd\r\n0\r\n") << false << QStringList{"a", "b", "c", "d"} << false;
    QTest::newRow("short file repeats its last line") << QByteArray("only\r\n") << false
                                                      << QStringList{"only", "only", "only", "only"} << false;
    QTest::newRow("missing file empties the fields") << QByteArray("-") << false << QStringList{"", "", "", ""} << false;
    QTest::newRow("cancelled: nothing changes") << QByteArray("x\r\n") << true
                                                << QStringList{"before", "before", "before", "before"} << true;
    QTest::newRow("other box values are unchecked") << QByteArray("a\r\nb\r\nc\r\nd\r\n2\r\n") << false
                                                    << QStringList{"a", "b", "c", "d"} << false;
}

void tst_Publish::loadSettings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, cancel);
    QFETCH(QStringList, fields);
    QFETCH(bool, checked);
    FakeServices fake;
    HtmlSettings s;
    s.HtmlTitle = QStringLiteral("before");
    frmHTMLOptions d(s, fake.prompter, fake.shell, fake.folder.path());
    for (QLineEdit *e : {d.Text1, d.Text2, d.Text3})
        e->setText(QStringLiteral("before"));
    d.Text4->setPlainText(QStringLiteral("before"));
    d.Check1->setChecked(true);
    const QString path = fake.path(QStringLiteral("s.khs"));
    if (bytes != "-")
        fake.writeFile(QStringLiteral("s.khs"), bytes);
    if (cancel)
        fake.prompter.cancelDialog();
    else
        fake.prompter.answerFile(path);
    d.Command4->click();

    QCOMPARE(fake.prompter.fileDialogs.size(), 1);
    const FileDialogRequest &r = fake.prompter.fileDialogs.first();
    QCOMPARE(r.kind, FileDialogRequest::Open);
    QCOMPARE(r.title, QStringLiteral("Open Vormeld HTML Settings"));
    QCOMPARE(r.initialName, QStringLiteral("*.khs"));
    QCOMPARE(r.defaultExtension, QStringLiteral(".khs"));
    QCOMPARE(r.filter, QStringLiteral("Vormeld HTML Settings File (*.khs)|*.khs|All files (*.*)|*.*"));
    QCOMPARE(r.filterIndex, 1);
    QVERIFY(r.fileMustExist);
    QVERIFY(fake.prompter.messages.isEmpty()); // reading problems are not reported

    QCOMPARE(QStringList({d.Text1->text(), d.Text2->text(), d.Text3->text(), d.Text4->toPlainText()}), fields);
    QCOMPARE(d.Check1->isChecked(), checked);
    QCOMPARE(d.Text4->isEnabled(), checked);
    QCOMPARE(d.ShowsSideBarPreview(), checked);
    QVERIFY(d.isEnabled());
    // The settings change only on OK.
    QCOMPARE(s.HtmlTitle, QStringLiteral("before"));
    QCOMPARE(s.HtmlDescription, QString());
}

void tst_Publish::saveSettings()
{
    FakeServices fake;
    HtmlSettings s;
    s.HtmlTitle = QStringLiteral("x.yab - Yabasic Code");
    frmHTMLOptions d(s, fake.prompter, fake.shell, fake.folder.path());
    d.Text2->setText(QStringLiteral("About"));
    d.Text3->setText(QStringLiteral("yab"));
    d.Text4->setPlainText(QStringLiteral("a\nb")); // saved with the box unchecked too
    const QString path = fake.path(QStringLiteral("out.khs"));
    fake.prompter.cancelDialog();
    d.Command5->click();
    QVERIFY(!QFile::exists(path));
    fake.prompter.answerFile(path);
    d.Command5->click();
    QCOMPARE(fake.prompter.fileDialogs.size(), 2);
    const FileDialogRequest &r = fake.prompter.fileDialogs.last();
    QCOMPARE(r.kind, FileDialogRequest::Save);
    QCOMPARE(r.title, QStringLiteral("Save Vormeld HTML Settings"));
    QCOMPARE(r.initialName, QStringLiteral("*.khs"));
    QCOMPARE(r.defaultExtension, QStringLiteral(".khs"));
    QCOMPARE(r.filter, QStringLiteral("Vormeld HTML Settings File (*.khs)|*.khs|All Files (*.*)|*.*"));
    QCOMPARE(r.filterIndex, 1);
    QVERIFY(r.confirmOverwrite);
    QCOMPARE(readBytes(path), QByteArray("x.yab - Yabasic Code\r\nAbout\r\nyab\r\na\x07\x08" "b\r\n0\r\n"));
    QVERIFY(fake.prompter.messages.isEmpty());

    // Saved and loaded again, every field comes back.
    frmHTMLOptions other(s, fake.prompter, fake.shell, fake.folder.path());
    fake.prompter.answerFile(path);
    other.Command4->click();
    QCOMPARE(other.Fields(), d.Fields());
}

void tst_Publish::failedSaveIsReported()
{
    FakeServices fake;
    HtmlSettings s;
    frmHTMLOptions d(s, fake.prompter, fake.shell, fake.folder.path());
    const QString path = fake.path(QStringLiteral("no such folder/s.khs"));
    fake.prompter.answerFile(path);
    fake.prompter.answerMessage(MsgResult::OK);
    d.Command5->click();
    QCOMPARE(fake.prompter.messages.size(), 1);
    const MessageRequest &m = fake.prompter.messages.first();
    QCOMPARE(m.title, QStringLiteral("Save Vormeld HTML Settings"));
    QVERIFY2(m.text.startsWith(QStringLiteral("The settings could not be saved to\r\n") + path + QStringLiteral("\r\n")),
             qPrintable(m.text));
    QVERIFY(m.text.size() > QStringLiteral("The settings could not be saved to\r\n").size() + path.size() + 2);
    QCOMPARE(m.icon, MsgIcon::Exclamation);
    QVERIFY(!QFile::exists(path));
    QVERIFY(d.DialogCancelled); // the dialog is still open and usable
    QVERIFY(d.Command1->isEnabled());
}

void tst_Publish::helpOpensTheContents()
{
    FakeServices fake;
    HtmlSettings s;
    frmHTMLOptions d(s, fake.prompter, fake.shell, fake.folder.path());
    d.Command3->click();
    QCOMPARE(fake.shell.opened, QStringList{fake.folder.path() + QStringLiteral("/hlp99999.htm")});
}

void tst_Publish::previewPictures()
{
    const QImage with = frmHTMLOptions::PreviewPicture(true);
    const QImage without = frmHTMLOptions::PreviewPicture(false);
    QCOMPARE(with.size(), without.size());
    QVERIFY(with != without);
    // The side bar's grey stands in the left third of the page in one picture only.
    const QPoint sideBar(30, 98);
    QCOMPARE(with.pixelColor(sideBar), QColor(0xCB, 0xCB, 0xCB));
    QCOMPARE(without.pixelColor(sideBar), QColor(Qt::white));
}

void tst_Publish::exportThroughTheDialog()
{
    Export t;
    const QString target = t.fake.path(QStringLiteral("page.html"));
    t.fake.prompter.answerFile(target);
    QString suggested;
    QByteArray tempBytes;
    DialogAnswer answer([&](frmHTMLOptions &d) {
        suggested = d.Text1->text();
        tempBytes = readBytes(t.temp());
        d.Text2->setText(QStringLiteral("D"));
        d.Text3->setText(QStringLiteral("K"));
        d.Check1->setChecked(true);
        d.Text4->setPlainText(QStringLiteral("S1\nS2"));
        d.Command1->click();
    });
    t.html.CreateHTMLSource(QStringLiteral("label a\ngoto a\n"), TextEncoding::Utf8, QStringLiteral("Untitled"));
    QCOMPARE(answer.shown, 1);
    QVERIFY2(t.fake.prompter.unexpected.isEmpty(), qPrintable(t.fake.prompter.unexpected.join('\n')));

    const FileDialogRequest &r = t.fake.prompter.fileDialogs.first();
    QCOMPARE(r.kind, FileDialogRequest::Save);
    QCOMPARE(r.title, QStringLiteral("Create HTML Source"));
    QCOMPARE(r.initialName, QStringLiteral("*.html"));
    QCOMPARE(r.defaultExtension, QStringLiteral(".html"));
    QCOMPARE(r.filter, QStringLiteral("HTML Document (*.html)|*.html|All Files (*.*)|*.*"));
    QCOMPARE(r.filterIndex, 1);
    QVERIFY(r.confirmOverwrite);

    QCOMPARE(suggested, QStringLiteral("Untitled - Yabasic Code"));
    QCOMPARE(tempBytes, QByteArray("label a\r\ngoto a\r\n\r\n"));
    QVERIFY(!QFile::exists(t.temp()));
    QVERIFY(t.fake.prompter.messages.isEmpty());

    const QByteArray page = readBytes(target);
    QVERIFY(page.contains("<META NAME=\"Description\" CONTENT=\"D\">\r\n<META NAME=\"Keywords\" CONTENT=\"K\">\r\n"));
    QVERIFY(page.contains("<TITLE>Untitled - Yabasic Code</TITLE>\r\n"));
    QVERIFY(page.contains("<TD BGCOLOR=\"#CBCBCB\" VALIGN=\"top\">\r\nS1\r\nS2\r\n</TD>\r\n"));
    QVERIFY(page.contains("<NOBR><PRE><B>\r\n"
                          "<A NAME=\"a\"></A>l<A HREF=\"#a\">a</A>bel a\r\n"
                          "<FONT COLOR=darkblue>goto</FONT> <A HREF=\"#a\">a</A>\r\n"
                          "\r\n"
                          "</B></PRE></NOBR>\r\n"));
    QCOMPARE(t.html.Settings.HtmlSideBarOn, qint16(1));
}

void tst_Publish::suggestedTitles_data()
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

void tst_Publish::suggestedTitles()
{
    QFETCH(QString, fileName);
    QFETCH(QString, typed);
    QFETCH(QString, title);
    Export t;
    const QString target = t.fake.path(QStringLiteral("page.html"));
    t.fake.prompter.answerFile(target);
    DialogAnswer answer([&](frmHTMLOptions &d) {
        if (typed != QLatin1String("-"))
            d.Text1->setText(typed);
        d.Command1->click();
    });
    t.html.CreateHTMLSource(QStringLiteral("print 1"), TextEncoding::Utf8, fileName);
    const QByteArray page = readBytes(target);
    QVERIFY(page.contains("<TITLE>" + title.toUtf8() + "</TITLE>\r\n"));
    QVERIFY(page.contains("<H1>" + title.toUtf8() + "</H1><HR>\r\n"));
    if (!title.isEmpty())
        QCOMPARE(page.count(title.toUtf8()), 2);
}

void tst_Publish::cancelledSaveDialog()
{
    Export t;
    const QStringList files = QDir(t.fake.folder.path()).entryList(QDir::Files);
    t.fake.prompter.cancelDialog();
    DialogAnswer answer(nullptr);
    t.html.CreateHTMLSource(QStringLiteral("print 1"), TextEncoding::Utf8, QStringLiteral("Untitled"));
    QCOMPARE(answer.shown, 0);
    QCOMPARE(t.fake.prompter.fileDialogs.size(), 1);
    QVERIFY(!QFile::exists(t.temp()));
    QCOMPARE(QDir(t.fake.folder.path()).entryList(QDir::Files), files);
}

void tst_Publish::cancelledOptionsDialog()
{
    Export t;
    const QString target = t.fake.path(QStringLiteral("page.html"));
    t.fake.prompter.answerFile(target);
    bool tempWhileOpen = false;
    DialogAnswer answer([&](frmHTMLOptions &d) {
        tempWhileOpen = QFile::exists(t.temp());
        d.Command2->click();
    });
    t.html.CreateHTMLSource(QStringLiteral("print 1"), TextEncoding::Utf8, QStringLiteral("Untitled"));
    QCOMPARE(answer.shown, 1);
    QVERIFY(tempWhileOpen);
    QVERIFY(!QFile::exists(target));
    QVERIFY(!QFile::exists(t.temp()));
    QVERIFY(t.fake.prompter.messages.isEmpty());
}

void tst_Publish::failedPageIsReported()
{
    Export t;
    t.fake.prompter.answerFile(t.fake.path(QStringLiteral("no folder/page.html")));
    t.fake.prompter.answerMessage(MsgResult::OK);
    DialogAnswer answer([](frmHTMLOptions &d) { d.Command1->click(); });
    t.html.CreateHTMLSource(QStringLiteral("print 1"), TextEncoding::Utf8, QStringLiteral("Untitled"));
    QCOMPARE(t.fake.prompter.messages.size(), 1);
    const MessageRequest &m = t.fake.prompter.messages.first();
    QCOMPARE(m.title, QStringLiteral("Error Occured"));
    QCOMPARE(m.text, QStringLiteral("An Error has occured during the creation of the HTML file\r\n76 - Path not found"));
    QCOMPARE(m.buttons, MsgButtons::OK);
    QCOMPARE(m.icon, MsgIcon::None);
    QVERIFY(!QFile::exists(t.temp()));
}

void tst_Publish::tempFileOfAnotherCase()
{
    Export t;
    const QString other = t.fake.writeFile(QStringLiteral("TMPSRC.TMP"), "stale\r\n");
    t.fake.prompter.answerFile(t.fake.path(QStringLiteral("p.html")));
    QByteArray whileOpen;
    DialogAnswer answer([&](frmHTMLOptions &d) {
        whileOpen = readBytes(other);
        d.Command1->click();
    });
    t.html.CreateHTMLSource(QStringLiteral("print 2"), TextEncoding::Utf8, QStringLiteral("Untitled"));
    QCOMPARE(whileOpen, QByteArray("print 2\r\n"));
    QVERIFY(!QFile::exists(other));
    QVERIFY(!QFile::exists(t.temp()));
    QVERIFY(readBytes(t.fake.path(QStringLiteral("p.html"))).contains("<FONT COLOR=darkblue>print</FONT> 2\r\n"));
}

void tst_Publish::programFolderNotWritable()
{
    // The program folder cannot take the temporary file: the page is still made
    // from the editor text, never from an old copy.
    FakeServices fake;
    HtmlExport html(fake.prompter, fake.shell, fake.path(QStringLiteral("gone")), nullptr);
    const QString target = fake.path(QStringLiteral("p.html"));
    fake.prompter.answerFile(target);
    DialogAnswer answer([](frmHTMLOptions &d) { d.Command1->click(); });
    html.CreateHTMLSource(QStringLiteral("print 3"), TextEncoding::Utf8, QStringLiteral("Untitled"));
    QVERIFY(fake.prompter.messages.isEmpty());
    QVERIFY(readBytes(target).contains("<FONT COLOR=darkblue>print</FONT> 3\r\n"));
    QCOMPARE(QDir::temp().entryList(QStringList{QStringLiteral("Tmpsrc-*.tmp")}), QStringList());
}

void tst_Publish::latin1DocumentGivesLatin1Page()
{
    Export t;
    const QString target = t.fake.path(QStringLiteral("p.html"));
    t.fake.prompter.answerFile(target);
    DialogAnswer answer([](frmHTMLOptions &d) { d.Command1->click(); });
    t.html.CreateHTMLSource(QString::fromUtf8("a$ = \"Gr\xC3\xBC\xC3\x9F" "e\""), TextEncoding::Latin1,
                            QStringLiteral("Untitled"));
    QVERIFY(readBytes(target).contains("\r\na$ = \"Gr\xFC\xDF" "e\"\r\n"));
}

void tst_Publish::tightCopyThroughTheWindow()
{
    Window t;
    t.w->setEditorText(QStringLiteral("  print 1\n  print 2\n\n# note\nlabel x\n  goto x // loop\nend"));
    t.w->documents().state().FileChanged = false;
    const QString before = t.w->editorText();
    const QString target = t.fake.path(QStringLiteral("tight.yab"));
    t.fake.prompter.answerFile(target);
    QCOMPARE(t.run(), TightExport::Outcome::Done);

    const FileDialogRequest &r = t.fake.prompter.fileDialogs.first();
    QCOMPARE(r.kind, FileDialogRequest::Save);
    QCOMPARE(r.title, QStringLiteral("Make Tight YaBasic Program"));
    QCOMPARE(r.initialName, QStringLiteral("*.yab"));
    QCOMPARE(r.defaultExtension, QStringLiteral(".yab"));
    QCOMPARE(r.filter, QStringLiteral("YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All Files (*.*)|*.*"));
    QCOMPARE(r.filterIndex, 1);
    QVERIFY(r.confirmOverwrite);

    QCOMPARE(readBytes(target), QByteArray("print 1:print 2\r\nlabel x\r\ngoto x // loop\r\nend"));
    QCOMPARE(t.w->StatusMessages[1], QStringLiteral("Tight Creation Done Successfully"));
    QCOMPARE(t.panel(1), QStringLiteral("Tight Creation Done Successfully"));
    QVERIFY(!QGuiApplication::overrideCursor());
    // The document is left as it was.
    QCOMPARE(t.w->editorText(), before);
    QVERIFY(!t.w->documents().state().FileChanged);
    QCOMPARE(t.w->documents().state().CurrentFileName, QStringLiteral("Untitled"));
}

void tst_Publish::tightEncodings_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8 document") << int(TextEncoding::Utf8) << QString::fromUtf8("print \"\xC3\xBC\"")
                                    << QByteArray("print \"\xC3\xBC\"");
    QTest::newRow("Latin-1 document") << int(TextEncoding::Latin1) << QString::fromUtf8("print \"\xC3\xBC\"")
                                      << QByteArray("print \"\xFC\"");
    QTest::newRow("Latin-1 cannot hold the euro: UTF-8")
        << int(TextEncoding::Latin1) << QString::fromUtf8("print \"\xE2\x82\xAC\"") << QByteArray("print \"\xE2\x82\xAC\"");
}

void tst_Publish::tightEncodings()
{
    QFETCH(int, encoding);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    FakeServices fake;
    TightExport tight(fake.prompter, nullptr);
    const QString target = fake.path(QStringLiteral("t.yab"));
    fake.prompter.answerFile(target);
    QCOMPARE(tight.CreateTightProgram(text, TextEncoding(encoding)), TightExport::Outcome::Done);
    QCOMPARE(readBytes(target), bytes);
}

void tst_Publish::tightCancelled()
{
    Window t;
    t.w->StatusMessages[1] = QStringLiteral("earlier");
    t.w->ShowStatusMessage();
    const QStringList files = QDir(t.fake.folder.path()).entryList(QDir::Files);
    t.fake.prompter.cancelDialog();
    QCOMPARE(t.run(), TightExport::Outcome::Cancelled);
    QCOMPARE(t.panel(1), QStringLiteral("earlier"));
    QCOMPARE(QDir(t.fake.folder.path()).entryList(QDir::Files), files);
}

void tst_Publish::tightFailure()
{
    Window t;
    t.w->setEditorText(QStringLiteral("print 1"));
    // A folder in the way: the copy cannot be written.
    QVERIFY(QDir(t.fake.folder.path()).mkdir(QStringLiteral("taken.yab")));
    t.fake.prompter.answerFile(t.fake.path(QStringLiteral("taken.yab")));
    QCOMPARE(t.run(), TightExport::Outcome::Failed);
    QCOMPARE(t.panel(1), QStringLiteral("Tight Creation Failed"));
    QVERIFY(!QGuiApplication::overrideCursor());
    // An old copy stays whole when the new one cannot be made.
    const QString old = t.fake.writeFile(QStringLiteral("old.yab"), "old copy");
    t.fake.prompter.answerFile(t.fake.path(QStringLiteral("no folder/x.yab")));
    QCOMPARE(t.run(), TightExport::Outcome::Failed);
    QCOMPARE(readBytes(old), QByteArray("old copy"));
    t.fake.prompter.answerFile(old);
    QCOMPARE(t.run(), TightExport::Outcome::Done);
    QCOMPARE(readBytes(old), QByteArray("print 1"));
    QCOMPARE(t.panel(1), QStringLiteral("Tight Creation Done Successfully"));
}

void tst_Publish::tightMessageOnTheDebugTab()
{
    Window t;
    t.w->controls().TabBar->setCurrentIndex(1);
    QCOMPARE(t.w->CurrentTab, 2);
    t.fake.prompter.answerFile(t.fake.path(QStringLiteral("t.yab")));
    QCOMPARE(t.run(), TightExport::Outcome::Done);
    QCOMPARE(t.w->StatusMessages[1], QStringLiteral("Tight Creation Done Successfully"));
    QCOMPARE(t.panel(1), t.w->StatusMessages[2]);
    t.w->controls().TabBar->setCurrentIndex(0);
    QCOMPARE(t.panel(1), QStringLiteral("Tight Creation Done Successfully"));
}

QTEST_MAIN(tst_Publish)
#include "tst_publish.moc"
