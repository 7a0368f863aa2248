#include "documents/core/FileErrors.h"
#include "documents/core/RecentFileList.h"
#include "support/DocumentWindow.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QString OpenFilter = "YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All files (*.*)|*.*";
const QString CsvFilter = "CSV File (*.csv)|*.csv|All files (*.*)|*.*";
const QString Template = "rem template";

QStringList recentList(const RecentFileList &r)
{
    QStringList all;
    for (int i = 0; i < RecentFileList::Size; ++i)
        all << r.at(i);
    return all;
}
} // namespace

class tst_Documents : public QObject {
    Q_OBJECT
private slots:
    void changedFilePrompt_data();
    void changedFilePrompt();
    void saveAndSaveAs();
    void openDialogAndCancelledOpenStillRefreshes();
    void recentListOrder();
    void recentMenuAndSettings();
    void goneRecentFileLeavesDocumentAlone();
    void appendAndImportAreOneChange_data();
    void appendAndImportAreOneChange();
    void instancesStartOurOwnExecutable();
    void byteExactRoundTrips_data();
    void byteExactRoundTrips();
    void unencodableCharacterAsksBeforeWriting();
    void failedSaveKeepsChangedAndStopsClosing();
    void commandLineEdgeCases();
    void readErrorSentences();
};

void tst_Documents::changedFilePrompt_data()
{
    QTest::addColumn<QString>("caller"); // new, open, recent, close
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs"); // the Save As answer after Yes: "" none, "cancel" or a file name
    QTest::addColumn<bool>("goesOn");
    const int yes = int(MsgResult::Yes), no = int(MsgResult::No), cancel = int(MsgResult::Cancel);
    QTest::newRow("new: yes, save as cancelled, stops") << "new" << yes << "cancel" << false;
    QTest::newRow("new: no") << "new" << no << "" << true;
    QTest::newRow("new: cancel") << "new" << cancel << "" << false;
    QTest::newRow("open: yes, save as cancelled, stops") << "open" << yes << "cancel" << false;
    QTest::newRow("open: yes, saved, opens") << "open" << yes << "saved.yab" << true;
    QTest::newRow("open: no") << "open" << no << "" << true;
    QTest::newRow("open: cancel") << "open" << cancel << "" << false;
    QTest::newRow("recent: yes, save as cancelled, stops") << "recent" << yes << "cancel" << false;
    QTest::newRow("recent: no") << "recent" << no << "" << true;
    QTest::newRow("recent: cancel") << "recent" << cancel << "" << false;
    QTest::newRow("close: yes, save as cancelled, stays open") << "close" << yes << "cancel" << false;
    QTest::newRow("close: yes, saved, closes") << "close" << yes << "saved.yab" << true;
    QTest::newRow("close: no, closes") << "close" << no << "" << true;
    QTest::newRow("close: cancel, stays open") << "close" << cancel << "" << false;
}

void tst_Documents::changedFilePrompt()
{
    QFETCH(QString, caller);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, goesOn);
    DocumentWindow t;
    const QString other = t.fake.writeFile("other.yab", "print \"other\"\n");
    SettingsAccess(t.fake.settings, "vormeld").saveSetting("MostRecent", "File0", other);
    t.start();
    t.type("\nmine");
    t.prompter.answerMessage(MsgResult(answer));
    if (saveAs == "cancel")
        t.prompter.cancelDialog();
    else if (!saveAs.isEmpty())
        t.prompter.answerFile(t.fake.path(saveAs));
    if (caller == "open" && goesOn)
        t.prompter.answerFile(other);
    if (caller == "close")
        QCOMPARE(t.w->close(), goesOn);
    else
        t.trigger(caller == "new" ? "fileNew" : caller == "open" ? "fileOpen" : "recentFiles", caller == "recent" ? 0 : -1);
    VERIFY_SCRIPT_DONE(t.prompter);
    QCOMPARE(t.asked(), QStringList{"File Changed"});
    QCOMPARE(t.said(0), QStringLiteral("File Changed: The YaBasic file has changed,\r\nDo you want to save it?"));
    QVERIFY(t.prompter.messages[0].buttons == MsgButtons::YesNoCancel && t.prompter.messages[0].icon == MsgIcon::Exclamation);
    if (!saveAs.isEmpty() && saveAs != "cancel")
        QCOMPARE(readBytes(t.fake.path(saveAs)), QByteArray("rem template\nmine\n"));
    if (!goesOn) {
        QCOMPARE(t.doc(), "Untitled (changed): " + Template + "\nmine");
        QCOMPARE(t.title(), QStringLiteral("Untitled - Vormeld 2005"));
    } else if (caller != "close") {
        QCOMPARE(t.doc(), caller == "new" ? "Untitled: " + Template : other + ": print \"other\"");
        QCOMPARE(t.title(), caller == "new" ? QStringLiteral("Untitled - Vormeld 2005") : QStringLiteral("other.yab - Vormeld 2005"));
        QCOMPARE(documents(*t.w).recent().at(0), other);
    }
}

void tst_Documents::saveAndSaveAs()
{
    DocumentWindow t;
    t.start();
    t.type("\nx");
    QSignalSpy titles(&documents(*t.w), &DocumentController::titleChanged);
    t.prompter.cancelDialog();
    t.trigger("fileSave"); // untitled: asks for a name
    const FileDialogRequest &d = t.prompter.fileDialogs.value(0);
    QCOMPARE(d.title + " " + d.filter + " " + d.defaultExtension, QStringLiteral("Save as YaBasic Program "
             "YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All Files (*.*)|*.* .yab"));
    QVERIFY(d.kind == FileDialogRequest::Save && d.confirmOverwrite);
    QVERIFY(documents(*t.w).lastSaveCancelled());
    QCOMPARE(t.doc(), "Untitled (changed): " + Template + "\nx");

    const QString target = t.fake.path("saved.yab");
    t.prompter.answerFile(target);
    t.trigger("fileSaveAs");
    QVERIFY(!documents(*t.w).lastSaveCancelled());
    QCOMPARE(t.doc(), target + ": " + Template + "\nx");
    QCOMPARE(t.title(), QStringLiteral("saved.yab - Vormeld 2005"));
    QCOMPARE(titles.last().first().toString(), t.title());
    QCOMPARE(readBytes(target), QByteArray("rem template\nx\n"));

    t.type("y"); // Save under the name; then nothing is lost and New does not ask.
    QVERIFY(t.changed());
    t.trigger("fileSave");
    QCOMPARE(readBytes(target), QByteArray("rem template\nxy\n"));
    QVERIFY(!t.changed());
    t.trigger("fileNew");
    VERIFY_SCRIPT_DONE(t.prompter);
    QVERIFY(t.prompter.messages.isEmpty());
    QCOMPARE(t.text(), Template);
}

void tst_Documents::openDialogAndCancelledOpenStillRefreshes()
{
    DocumentWindow t;
    t.fake.interpreterKey.values["version"] = "2.90.3";
    t.start();
    statusBar(*t.w)->setTabMessage(0, "something else");
    t.prompter.cancelDialog();
    t.trigger("fileOpen");
    const FileDialogRequest &d = t.prompter.fileDialogs.value(0);
    QCOMPARE(d.title + " " + d.initialName + " " + d.defaultExtension + " " + d.filter,
             "Open YaBasic Program *.yab .yab " + OpenFilter);
    QVERIFY(d.kind == FileDialogRequest::Open && d.fileMustExist);
    QCOMPARE(panel(*t.w, 1), QStringLiteral("Ready - Using Yabasic version 2.90.3"));
    QCOMPARE(t.title(), QStringLiteral("Untitled - Vormeld 2005"));
    // A .bas file opens like any other, and opening turns updating back on.
    t.prompter.answerFile(t.fake.writeFile("old.bas", "10 print 1\n"));
    action(*t.w, "viewDisableUpdating")->setChecked(true);
    t.trigger("fileOpen");
    QCOMPARE(t.text(), QStringLiteral("10 print 1"));
    QVERIFY(!action(*t.w, "viewDisableUpdating")->isChecked());
}

void tst_Documents::recentListOrder()
{
    RecentFileList r;
    for (const char *p : {"f", "e", "d", "c", "b", "a"})
        r.addRecentFile(p);
    QCOMPARE(recentList(r), (QStringList{"a", "b", "c", "d", "e", "f"}));
    r.addRecentFile("d"); // a listed file moves up; the others keep their order
    QCOMPARE(recentList(r), (QStringList{"d", "a", "b", "c", "e", "f"}));
    r.addRecentFile("g"); // a seventh file drops the oldest
    r.addRecentFile("G"); // letter case makes another entry
    QCOMPARE(recentList(r), (QStringList{"G", "g", "d", "a", "b", "c"}));
    QCOMPARE(RecentFileList::caption(2, "C:\\p.yab"), QStringLiteral("&3 C:\\p.yab"));
}

void tst_Documents::recentMenuAndSettings()
{
    DocumentWindow t;
    t.start();
    for (int i = 0; i < RecentFileList::Size; ++i)
        QVERIFY(!action(*t.w, "recentFiles", i)->isVisible());
    QVERIFY(!action(*t.w, "recentSeparator")->isVisible());
    const QString a = t.fake.writeFile("a&b.yab", "1\n"), b = t.fake.writeFile("b.yab", "2\n");
    const QString aCaption = QString(a).replace("&", "&&");
    QSignalSpy changes(&documents(*t.w), &DocumentController::recentFilesChanged);
    for (const QString &p : {a, b}) {
        t.prompter.answerFile(p);
        t.trigger("fileOpen");
    }
    QCOMPARE(changes.count(), 2);
    QCOMPARE(action(*t.w, "recentFiles", 0)->text() + "|" + action(*t.w, "recentFiles", 1)->text(), "&1 " + b + "|&2 " + aCaption);
    QVERIFY(!action(*t.w, "recentFiles", 2)->isVisible() && action(*t.w, "recentSeparator")->isVisible());
    t.trigger("recentFiles", 1);
    QCOMPARE(t.text(), QStringLiteral("1"));
    QCOMPARE(action(*t.w, "recentFiles", 0)->text(), "&1 " + aCaption);
    QVERIFY(t.w->close());
    QCOMPARE(t.fake.setting("MostRecent", "File0") + "|" + t.fake.setting("MostRecent", "File1"), a + "|" + b);
    QCOMPARE(t.fake.setting("MostRecent", "File5"), QString());
}

void tst_Documents::goneRecentFileLeavesDocumentAlone()
{
    DocumentWindow t;
    const QString current = t.fake.writeFile("current.yab", "keep me\n"), gone = t.fake.path("gone.yab");
    SettingsAccess(t.fake.settings, "vormeld").saveSetting("MostRecent", "File0", gone);
    t.start(current);
    QCOMPARE(documents(*t.w).recent().at(0), current);
    t.type(" changed");
    t.prompter.answerMessage(MsgResult::No); // the changed-file prompt
    t.prompter.answerMessage(MsgResult::OK); // the report
    t.trigger("recentFiles", 1);
    VERIFY_SCRIPT_DONE(t.prompter);
    QCOMPARE(t.said(1), "Open Program: A Error has occured while trying to open the requested file\r\n      The file does not exist.\r\n\r\n" + gone);
    QCOMPARE(t.prompter.messages.at(1).icon, MsgIcon::Critical);
    QCOMPARE(t.doc(), current + " (changed): keep me changed"); // a later Save must not write to the gone name
    QCOMPARE(documents(*t.w).recent().at(1), gone);
    QVERIFY(!QFile::exists(gone));
}

void tst_Documents::appendAndImportAreOneChange_data()
{
    QTest::addColumn<QByteArray>("item");
    QTest::addColumn<QString>("dialog"); // title and filter
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("result");
    QTest::newRow("append") << QByteArray("fileAppend") << "Open File to Append " + OpenFilter
                            << QByteArray("sub a()\r\nend sub\r\n") << "main\nsub a()\nend sub";
    QTest::newRow("csv import") << QByteArray("fileImportCsv") << "Import CSV File " + CsvFilter
                                << QByteArray("1,2\r\n3,4\r\n") << "main\nDATA 1,2\nDATA 3,4\n";
    const QList<std::pair<const char *, std::pair<QByteArray, QString>>> csv = {
        {"csv: empty file", {"", ""}},
        {"csv: lone cr ends a line", {"1\r2", "DATA 1\nDATA 2\n"}},
        {"csv: lone lf stays in the line", {"1\n2\r\n", "DATA 1\n2\n"}},
        {"csv: not parsed or trimmed", {" \"a, b\" ,x \r\n", "DATA  \"a, b\" ,x \n"}},
        {"csv: empty lines", {"\r\n\r\n", "DATA \nDATA \n"}}};
    for (const auto &[name, row] : csv)
        QTest::newRow(name) << QByteArray("fileImportCsv") << "Import CSV File " + CsvFilter << row.first << "main\n" + row.second;
}

void tst_Documents::appendAndImportAreOneChange()
{
    QFETCH(QByteArray, item);
    QFETCH(QString, dialog);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, result);
    DocumentWindow t("main\n");
    t.start();
    t.prompter.answerFile(t.fake.writeFile("added", bytes));
    t.trigger(item.constData());
    VERIFY_SCRIPT_DONE(t.prompter);
    QCOMPARE(t.prompter.fileDialogs.first().title + " " + t.prompter.fileDialogs.first().filter, dialog);
    QCOMPARE(t.doc(), "Untitled (changed): " + result);
    QCOMPARE(t.title(), QStringLiteral("Untitled - Vormeld 2005"));
    t.trigger("editUndo"); // one step takes it all back
    QCOMPARE(t.text(), QStringLiteral("main"));
}

void tst_Documents::instancesStartOurOwnExecutable()
{
    DocumentWindow t;
    t.start();
    t.trigger("fileNewInstance");
    const QString exe = t.fake.path(programExecutableName()), file = t.fake.writeFile("x.yab", "1\n");
    t.prompter.answerFile(file);
    t.trigger("fileOpenInstance");
    QCOMPARE(t.prompter.fileDialogs.first().title, QStringLiteral("Open File In New Instance"));
    // Both paths quoted, so that blanks in them survive the split.
    QCOMPARE(t.fake.launcher.started, (QStringList{'"' + exe + '"', '"' + exe + "\" \"" + file + '"'}));
    QCOMPARE(t.text(), Template); // the current document is not touched
    t.fake.launcher.succeed = false;
    t.prompter.answerMessage(MsgResult::OK);
    t.trigger("fileNewInstance");
    VERIFY_SCRIPT_DONE(t.prompter);
    QCOMPARE(t.said(0), "New Program Instance: Vormeld could not be started:\r\n\"" + exe + '"');
}

void tst_Documents::byteExactRoundTrips_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("saved"); // empty: the same bytes
    QTest::addColumn<QString>("note");     // what opening says about the save to come
    QTest::newRow("crlf") << QByteArray("print 1\r\nprint 2\r\n") << QByteArray() << "";
    QTest::newRow("lf") << QByteArray("print 1\nprint 2\n") << QByteArray() << "";
    QTest::newRow("cr") << QByteArray("print 1\rprint 2\r") << QByteArray() << "";
    QTest::newRow("latin1") << QByteArray("print \"gr\xfc\xdf\"\r\n") << QByteArray() << "";
    QTest::newRow("utf8") << QByteArray("print \"\xe2\x82\xac \xc3\xa9\"\n") << QByteArray() << "";
    QTest::newRow("utf8 with mark") << QByteArray("\xef\xbb\xbfprint 1\n") << QByteArray() << "";
    QTest::newRow("nul bytes") << QByteArray("a\0b\n", 4) << QByteArray() << "";
    QTest::newRow("no-break space") << QByteArray("x\xa0y\n") << QByteArray() << "";
    QTest::newRow("empty") << QByteArray() << QByteArray() << "";
    QTest::newRow("no final break") << QByteArray("print 1") << QByteArray("print 1\n")
        << "The last line of this file has no line break. If you save it, one will be added.";
    QTest::newRow("mixed breaks") << QByteArray("a\r\nb\nc\r\n") << QByteArray("a\r\nb\r\nc\r\n")
        << "This file mixes different kinds of line breaks. If you save it, every line will end with CR LF.";
}

void tst_Documents::byteExactRoundTrips()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, saved);
    QFETCH(QString, note);
    DocumentWindow t;
    const QString file = t.fake.writeFile("r.yab", bytes);
    t.start(file);
    t.trigger("fileSave");
    VERIFY_SCRIPT_DONE(t.prompter);
    // What opening says about the save to come is a notice, not a question.
    QVERIFY(t.prompter.messages.isEmpty());
    const auto *notice = t.w->findChild<QLabel *>("noticeText");
    QCOMPARE(notice->isVisibleTo(t.w.get()) ? notice->text() : QString(),
             note.isEmpty() ? QString() : note + " (" + file + ")");
    QCOMPARE(readBytes(file), saved.isEmpty() ? bytes : saved);
    QVERIFY(!t.changed());
}

void tst_Documents::unencodableCharacterAsksBeforeWriting()
{
    DocumentWindow t;
    const QString file = t.fake.writeFile("l.yab", "caf\xe9\n");
    t.start(file);
    t.type(QString(QChar(0x20AC)));
    t.prompter.answerMessage(MsgResult::No);
    t.trigger("fileSave");
    QCOMPARE(t.said(0), QString::fromUtf8("Save Program: The character \"€\" (U+20AC) cannot be stored in this "
                                          "file's encoding (Latin-1).\r\nSave the file as UTF-8 instead?"));
    QCOMPARE(readBytes(file), QByteArray("caf\xe9\n"));
    QVERIFY(t.changed());
    t.prompter.answerMessage(MsgResult::Yes);
    t.trigger("fileSave");
    VERIFY_SCRIPT_DONE(t.prompter);
    QCOMPARE(readBytes(file), QByteArray("caf\xc3\xa9\xe2\x82\xac\n"));
    QVERIFY(!t.changed());
}

void tst_Documents::failedSaveKeepsChangedAndStopsClosing()
{
    DocumentWindow t;
    QTemporaryDir dir;
    const QString file = dir.filePath("p.yab");
    QVERIFY(writeBytes(file, "old\n"));
    t.start(file);
    t.type(" new");
    QVERIFY(dir.remove()); // the folder goes away under the document
    t.prompter.answerMessage(MsgResult::OK);
    t.trigger("fileSave");
    const QString said = t.said(0);
    QVERIFY2(said.startsWith("Save Program: A Error has occured while trying to save the file\r\n      The path was not found.\r\n      "), qPrintable(said));
    QVERIFY(said.endsWith("\r\n\r\n" + file + "\r\nThe file on disk was not changed."));
    QVERIFY(documents(*t.w).lastSaveCancelled());
    QCOMPARE(t.doc(), file + " (changed): old new");
    QCOMPARE(t.title(), QStringLiteral("p.yab - Vormeld 2005"));
    // Closing asks; Yes tries to save, fails, and the window stays open.
    t.prompter.answerMessage(MsgResult::Yes);
    t.prompter.answerMessage(MsgResult::OK);
    QVERIFY(!t.w->close());
    QCOMPARE(t.asked(), (QStringList{"Save Program", "File Changed", "Save Program"}));
    // A folder given to Save As is refused the same way, and the name stays.
    t.prompter.answerFile(t.fake.folder.path());
    t.prompter.answerMessage(MsgResult::OK);
    t.trigger("fileSaveAs");
    VERIFY_SCRIPT_DONE(t.prompter);
    QCOMPARE(t.doc(), file + " (changed): old new"); // a Save As that works is tried in the fault tests
}

void tst_Documents::commandLineEdgeCases()
{
    {   // A file that does not exist yet: an empty document under that name, listed.
        DocumentWindow t;
        const QString path = t.fake.path("new.yab");
        t.start(path);
        QCOMPARE(t.doc(), path + ": ");
        QCOMPARE(documents(*t.w).recent().at(0), path);
        t.type("print 1");
        t.trigger("fileSave");
        VERIFY_SCRIPT_DONE(t.prompter);
        QVERIFY(t.prompter.messages.isEmpty());
        QCOMPARE(readBytes(path), QByteArray("print 1\n"));
    }
    {   // A folder: reported, and the template is shown instead of taking its name.
        DocumentWindow t;
        t.prompter.answerMessage(MsgResult::OK);
        t.start(t.fake.folder.path());
        VERIFY_SCRIPT_DONE(t.prompter);
        QCOMPARE(t.said(0), "Open Program: " + FileErrors::openFailedText(FileErrors::AccessError) + "\r\n\r\n" + t.fake.folder.path());
        QCOMPARE(t.doc(), "Untitled: " + Template);
    }
}

void tst_Documents::readErrorSentences()
{
    QTemporaryDir dir;
    QCOMPARE(FileErrors::classifyReadFailure(dir.filePath("no/x")), int(FileErrors::PathNotFound));
    QCOMPARE(FileErrors::reasonLine(999), QStringLiteral("      There was a error while accessing the path or the file,\r\n unrecognized Error Access Code:999"));
}

QTEST_MAIN(tst_Documents)
#include "tst_documents.moc"
