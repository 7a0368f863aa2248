#include "app/MainWindow.h"
#include "documents/core/CsvImport.h"
#include "documents/core/FileErrors.h"
#include "documents/core/RecentFileList.h"
#include "editor/CodeEditor.h"
#include "editor/EditorController.h"
#include "support/FakeServices.h"
#include "support/WindowProbe.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QtTest>

#include "app/MainStatusBar.h"

namespace {
QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

struct Window {
    FakeServices fake;
    std::unique_ptr<MainWindow> w;
    explicit Window(const QByteArray &templ = "rem template\n", const QString &commandLine = QString())
    {
        fake.writeFile("Template.yab", templ);
        fake.services.commandLine = commandLine;
    }
    void start()
    {
        w = std::make_unique<MainWindow>(fake.services);
        w->start();
    }
    Document &doc() { return documents(*w).state(); }
    void type(const QString &s)
    {
        QTextCursor c = codeEditor(*w)->textCursor();
        c.movePosition(QTextCursor::End);
        c.insertText(s);
    }
    QString panel(int n) { return statusBar(*w)->panel(n)->text(); }
};
} // namespace

class tst_Documents : public QObject {
    Q_OBJECT
private slots:
    void promptAnswersPerCaller_data();
    void promptAnswersPerCaller();
    void saveOfUntitledAsksForAName();
    void savedDocumentNoLongerAsks();
    void openDialogAndCancelledOpenStillRefreshes();

    void recentListOrder();
    void recentMenuAndSettings();
    void goneRecentFileLeavesDocumentAlone();

    void appendKeepsNameAndMarksChanged();
    void csvLines_data();
    void csvLines();
    void importThroughTheWindow();
    void instancesStartOurOwnExecutable();

    void byteExactRoundTrips_data();
    void byteExactRoundTrips();
    void mixedBreaksAreAnnounced();
    void failedSaveKeepsChangedAndCloseStillAsks();
    void unencodableCharacterAsksBeforeWriting();
    void commandLineEdgeCases();
    void readErrorSentences();
};

void tst_Documents::promptAnswersPerCaller_data()
{
    QTest::addColumn<QString>("caller"); // new, open, recent
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("cancelSaveAs"); // for Yes on an untitled document
    QTest::addColumn<bool>("replaced");     // the text was replaced
    QTest::newRow("new yes, save as cancelled: still new") << "new" << int(MsgResult::Yes) << true << true;
    QTest::newRow("new no") << "new" << int(MsgResult::No) << false << true;
    QTest::newRow("new cancel") << "new" << int(MsgResult::Cancel) << false << false;
    QTest::newRow("open yes, save as cancelled: stops") << "open" << int(MsgResult::Yes) << true << false;
    QTest::newRow("open no") << "open" << int(MsgResult::No) << false << true;
    QTest::newRow("open cancel") << "open" << int(MsgResult::Cancel) << false << false;
    QTest::newRow("recent yes, save as cancelled: still opens") << "recent" << int(MsgResult::Yes) << true << true;
    QTest::newRow("recent cancel") << "recent" << int(MsgResult::Cancel) << false << false;
}

void tst_Documents::promptAnswersPerCaller()
{
    QFETCH(QString, caller);
    QFETCH(int, answer);
    QFETCH(bool, cancelSaveAs);
    QFETCH(bool, replaced);
    Window t;
    const QString other = t.fake.writeFile("other.yab", "print \"other\"\n");
    SettingsAccess(t.fake.settings, "vormeld").saveSetting("MostRecent", "File0", other);
    t.start();
    t.type("\nmine");
    const QString mine = editorText(*t.w);
    t.fake.prompter.answerMessage(MsgResult(answer));
    if (cancelSaveAs)
        t.fake.prompter.cancelDialog();
    if (caller == "open" && replaced)
        t.fake.prompter.answerFile(other);
    if (caller == "new")
        action(*t.w, "fileNew")->trigger();
    else if (caller == "open")
        action(*t.w, "fileOpen")->trigger();
    else
        action(*t.w, "recentFiles", 0)->trigger();
    QVERIFY2(t.fake.prompter.unexpected.isEmpty(), qPrintable(t.fake.prompter.unexpected.join('\n')));
    QCOMPARE(t.fake.prompter.answersLeft(), 0);
    QCOMPARE(t.fake.prompter.messages.first().title, QStringLiteral("File Changed"));
    if (!replaced) {
        QCOMPARE(editorText(*t.w), mine);
        QVERIFY(t.doc().fileChanged);
        QCOMPARE(t.doc().currentFileName, QStringLiteral("Untitled"));
        return;
    }
    QVERIFY(!t.doc().fileChanged);
    if (caller == "new") {
        QCOMPARE(editorText(*t.w), QStringLiteral("rem template"));
        QCOMPARE(t.w->windowTitle(), QStringLiteral("Untitled - Vormeld 2005"));
    } else {
        QCOMPARE(editorText(*t.w), QStringLiteral("print \"other\""));
        QCOMPARE(t.doc().currentFileName, other);
        QVERIFY(t.doc().hasFileName);
        QCOMPARE(t.w->windowTitle(), QStringLiteral("other.yab - Vormeld 2005"));
        QCOMPARE(documents(*t.w).recent().at(0), other);
    }
}

void tst_Documents::saveOfUntitledAsksForAName()
{
    Window t;
    t.start();
    t.type("\nx");
    t.fake.prompter.cancelDialog();
    action(*t.w, "fileSave")->trigger();
    QCOMPARE(t.fake.prompter.fileDialogs.size(), 1);
    QVERIFY(t.doc().fileChanged);
    QVERIFY(!t.doc().hasFileName);
    QVERIFY(documents(*t.w).saveCancelled);

    const QString target = t.fake.path("saved.yab");
    t.fake.prompter.answerFile(target);
    action(*t.w, "fileSaveAs")->trigger();
    QVERIFY(!t.doc().fileChanged);
    QCOMPARE(t.doc().currentFileName, target);
    QCOMPARE(t.w->windowTitle(), QStringLiteral("saved.yab - Vormeld 2005"));
    QCOMPARE(readBytes(target), QByteArray("rem template\nx\n"));
}

void tst_Documents::savedDocumentNoLongerAsks()
{
    Window t("a\n", QString());
    const QString file = t.fake.writeFile("p.yab", "a\r\n");
    t.fake.services.commandLine = file;
    t.start();
    t.type("b");
    action(*t.w, "fileSave")->trigger();
    QCOMPARE(readBytes(file), QByteArray("ab\r\n"));
    action(*t.w, "fileNew")->trigger(); // no question: nothing is lost
    QVERIFY(t.fake.prompter.messages.isEmpty());
    QCOMPARE(editorText(*t.w), QStringLiteral("a"));
}

void tst_Documents::openDialogAndCancelledOpenStillRefreshes()
{
    Window t;
    t.fake.interpreterKey.values["version"] = "2.90.3";
    t.start();
    t.w->statusMessages[1] = "something else";
    t.w->showStatusMessage();
    t.fake.prompter.cancelDialog();
    action(*t.w, "fileOpen")->trigger();
    const FileDialogRequest &d = t.fake.prompter.fileDialogs.first();
    QCOMPARE(d.title, QStringLiteral("Open YaBasic Program"));
    QCOMPARE(d.initialName, QStringLiteral("*.yab"));
    QCOMPARE(d.defaultExtension, QStringLiteral(".yab"));
    QCOMPARE(d.filter, QStringLiteral("YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All files (*.*)|*.*"));
    QCOMPARE(d.filterIndex, 1);
    QVERIFY(d.fileMustExist);
    QCOMPARE(t.panel(1), QStringLiteral("Ready - Using Yabasic version 2.90.3"));
    QCOMPARE(t.panel(5), QStringLiteral("Line 1"));
    QCOMPARE(t.w->windowTitle(), QStringLiteral("Untitled - Vormeld 2005"));

    // A .bas file opens like any other.
    const QString bas = t.fake.writeFile("old.bas", "10 print 1\n");
    t.fake.prompter.answerFile(bas);
    action(*t.w, "viewDisableUpdating")->setChecked(true);
    action(*t.w, "fileOpen")->trigger();
    QCOMPARE(editorText(*t.w), QStringLiteral("10 print 1"));
    QVERIFY(!action(*t.w, "viewDisableUpdating")->isChecked());
}

void tst_Documents::recentListOrder()
{
    RecentFileList r;
    for (const char *p : {"f", "e", "d", "c", "b", "a"})
        r.addRecentFile(p);
    QStringList order;
    for (int i = 0; i < 6; ++i)
        order << r.at(i);
    QCOMPARE(order, (QStringList{"a", "b", "c", "d", "e", "f"}));
    r.addRecentFile("d"); // at index 3
    order.clear();
    for (int i = 0; i < 6; ++i)
        order << r.at(i);
    QCOMPARE(order, (QStringList{"d", "a", "b", "c", "e", "f"}));
    r.addRecentFile("g"); // a seventh file drops the oldest
    QCOMPARE(r.at(0), QStringLiteral("g"));
    QCOMPARE(r.at(5), QStringLiteral("e"));
    r.addRecentFile("G"); // letter case makes another entry
    QCOMPARE(r.at(0), QStringLiteral("G"));
    QCOMPARE(r.at(1), QStringLiteral("g"));
    QCOMPARE(RecentFileList::caption(2, "C:\\p.yab"), QStringLiteral("&3 C:\\p.yab"));
}

void tst_Documents::recentMenuAndSettings()
{
    Window t;
    t.start();
    for (QAction *a : action(*t.w, "recentFiles"))
        QVERIFY(!a->isVisible());
    QVERIFY(!action(*t.w, "recentSeparator")->isVisible());

    const QString a = t.fake.writeFile("a&b.yab", "1\n");
    const QString b = t.fake.writeFile("b.yab", "2\n");
    for (const QString &p : {a, b}) {
        t.fake.prompter.answerFile(p);
        action(*t.w, "fileOpen")->trigger();
    }
    QCOMPARE(action(*t.w, "recentFiles", 0)->text(), "&1 " + b);
    QCOMPARE(action(*t.w, "recentFiles", 1)->text(), "&2 " + QString(a).replace("&", "&&"));
    QVERIFY(!action(*t.w, "recentFiles", 2)->isVisible());
    QVERIFY(action(*t.w, "recentSeparator")->isVisible());
    action(*t.w, "recentFiles", 1)->trigger();
    QCOMPARE(editorText(*t.w), QStringLiteral("1"));
    QCOMPARE(documents(*t.w).recent().at(0), a);
    QVERIFY(t.w->close());
    QCOMPARE(t.fake.setting("MostRecent", "File0"), a);
    QCOMPARE(t.fake.setting("MostRecent", "File1"), b);
    QCOMPARE(t.fake.setting("MostRecent", "File5"), QString());
}

void tst_Documents::goneRecentFileLeavesDocumentAlone()
{
    Window t;
    const QString current = t.fake.writeFile("current.yab", "keep me\n");
    const QString gone = t.fake.path("gone.yab");
    SettingsAccess s(t.fake.settings, "vormeld");
    s.saveSetting("MostRecent", "File0", gone);
    t.fake.services.commandLine = current;
    t.start();
    QCOMPARE(documents(*t.w).recent().at(0), current);
    t.type(" changed");
    t.fake.prompter.answerMessage(MsgResult::No);   // the changed-file prompt
    t.fake.prompter.answerMessage(MsgResult::OK);   // the report
    action(*t.w, "recentFiles", 1)->trigger();
    QCOMPARE(t.fake.prompter.messages.size(), 2);
    const MessageRequest &m = t.fake.prompter.messages.at(1);
    QCOMPARE(m.title, QStringLiteral("Open Program"));
    QVERIFY(m.text.startsWith("A Error has occured while trying to open the requested file\r\n      The file does not exist."));
    QVERIFY(m.text.contains(gone));
    QCOMPARE(m.icon, MsgIcon::Critical);
    QCOMPARE(t.doc().currentFileName, current);
    QVERIFY(t.doc().fileChanged);
    QCOMPARE(editorText(*t.w), QStringLiteral("keep me changed"));
    QCOMPARE(documents(*t.w).recent().at(1), gone);
    QVERIFY(!QFile::exists(gone));
}

void tst_Documents::appendKeepsNameAndMarksChanged()
{
    Window t("main\n");
    t.start();
    const QString part = t.fake.writeFile("part.yab", "sub a()\r\nend sub\r\n");
    t.fake.prompter.answerFile(part);
    const int steps = editor(*t.w).history.undoStack.count();
    action(*t.w, "fileAppend")->trigger();
    QCOMPARE(t.fake.prompter.fileDialogs.first().title, QStringLiteral("Open File to Append"));
    QCOMPARE(editorText(*t.w), QStringLiteral("main\nsub a()\nend sub"));
    QVERIFY(t.doc().fileChanged);
    QCOMPARE(t.doc().currentFileName, QStringLiteral("Untitled"));
    QCOMPARE(editor(*t.w).history.undoStack.count(), steps + 1);
}

void tst_Documents::csvLines_data()
{
    QTest::addColumn<QString>("csv");
    QTest::addColumn<QString>("lines");
    QTest::newRow("crlf") << "1,2,abc\r\n4,5,def\r\n" << "DATA 1,2,abc\nDATA 4,5,def\n";
    QTest::newRow("lone cr") << "1\r2" << "DATA 1\nDATA 2\n";
    QTest::newRow("lone lf stays in the line") << "1\n2\r\n" << "DATA 1\n2\n";
    QTest::newRow("not parsed or trimmed") << " \"a, b\" ,x \r\n" << "DATA  \"a, b\" ,x \n";
    QTest::newRow("empty line") << "\r\n\r\n" << "DATA \nDATA \n";
    QTest::newRow("empty file") << "" << "";
}

void tst_Documents::csvLines()
{
    QFETCH(QString, csv);
    QFETCH(QString, lines);
    QCOMPARE(csvToDataLines(csv), lines);
}

void tst_Documents::importThroughTheWindow()
{
    Window t("x\n");
    t.start();
    const QString csv = t.fake.writeFile("d.csv", "1,2\r\n3,4\r\n");
    t.fake.prompter.answerFile(csv);
    action(*t.w, "fileImportCsv")->trigger();
    const FileDialogRequest &d = t.fake.prompter.fileDialogs.first();
    QCOMPARE(d.title, QStringLiteral("Import CSV File"));
    QCOMPARE(d.filter, QStringLiteral("CSV File (*.csv)|*.csv|All files (*.*)|*.*"));
    QCOMPARE(d.initialName, QStringLiteral("*.csv"));
    QCOMPARE(editorText(*t.w), QStringLiteral("x\nDATA 1,2\nDATA 3,4\n"));

    const QString empty = t.fake.writeFile("e.csv", "");
    t.fake.prompter.answerFile(empty);
    action(*t.w, "fileImportCsv")->trigger();
    QCOMPARE(editorText(*t.w), QStringLiteral("x\nDATA 1,2\nDATA 3,4\n\n"));
}

void tst_Documents::instancesStartOurOwnExecutable()
{
    Window t;
    t.start();
    action(*t.w, "fileNewInstance")->trigger();
    const QString exe = t.fake.path(programExecutableName());
    QCOMPARE(t.fake.launcher.started, QStringList{exe});
    const QString file = t.fake.writeFile("x.yab", "1\n");
    t.fake.prompter.answerFile(file);
    action(*t.w, "fileOpenInstance")->trigger();
    QCOMPARE(t.fake.prompter.fileDialogs.first().title, QStringLiteral("Open File In New Instance"));
    QCOMPARE(t.fake.launcher.started.last(), exe + " " + file);
    QCOMPARE(editorText(*t.w), QStringLiteral("rem template")); // the current document is not touched

    t.fake.launcher.succeed = false;
    t.fake.prompter.answerMessage(MsgResult::OK);
    action(*t.w, "fileNewInstance")->trigger();
    QCOMPARE(t.fake.prompter.messages.last().title, QStringLiteral("New Program Instance"));
}

void tst_Documents::byteExactRoundTrips_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("crlf") << QByteArray("print 1\r\nprint 2\r\n");
    QTest::newRow("lf") << QByteArray("print 1\nprint 2\n");
    QTest::newRow("latin1") << QByteArray("print \"gr\xfc\xdf\"\r\n");
    QTest::newRow("utf8") << QByteArray("print \"\xe2\x82\xac \xc3\xa9\"\n");
    QTest::newRow("nul bytes") << QByteArray("a\0b\n", 4);
    QTest::newRow("no-break space") << QByteArray("x\xa0y\n");
    QTest::newRow("no final break") << QByteArray("print 1");
    QTest::newRow("empty") << QByteArray();
}

void tst_Documents::byteExactRoundTrips()
{
    QFETCH(QByteArray, bytes);
    Window t;
    const QString file = t.fake.writeFile("r.yab", bytes);
    t.fake.services.commandLine = file;
    // The program's own rule: one final break is added on saving; the user is
    // told so when the file is opened.
    const bool added = !bytes.isEmpty() && !bytes.endsWith('\n');
    if (added)
        t.fake.prompter.answerMessage(MsgResult::OK);
    t.start();
    action(*t.w, "fileSave")->trigger();
    QCOMPARE(t.fake.prompter.messages.size(), added ? 1 : 0);
    if (added)
        QVERIFY(t.fake.prompter.messages.first().text.contains("one will be added"));
    QByteArray expected = bytes;
    if (!expected.endsWith('\n'))
        expected += "\n";
    QCOMPARE(readBytes(file), expected);
}

void tst_Documents::mixedBreaksAreAnnounced()
{
    Window t;
    const QString file = t.fake.writeFile("m.yab", "a\r\nb\nc\r\n");
    t.start();
    t.fake.prompter.answerFile(file);
    t.fake.prompter.answerMessage(MsgResult::OK);
    action(*t.w, "fileOpen")->trigger();
    QCOMPARE(t.fake.prompter.messages.size(), 1);
    QVERIFY(t.fake.prompter.messages.first().text.contains("every line will end with CR LF"));
    QCOMPARE(t.fake.prompter.messages.first().icon, MsgIcon::Information);
    action(*t.w, "fileSave")->trigger();
    QCOMPARE(readBytes(file), QByteArray("a\r\nb\r\nc\r\n"));
}

void tst_Documents::failedSaveKeepsChangedAndCloseStillAsks()
{
    Window t;
    QTemporaryDir dir;
    const QString file = dir.filePath("p.yab");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old\n");
    f.close();
    t.fake.services.commandLine = file;
    t.start();
    t.type(" new");
    // The folder goes away under the document: the save cannot happen.
    QVERIFY(dir.remove());
    t.fake.prompter.answerMessage(MsgResult::OK);
    action(*t.w, "fileSave")->trigger();
    QCOMPARE(t.fake.prompter.messages.size(), 1);
    QCOMPARE(t.fake.prompter.messages.first().title, QStringLiteral("Save Program"));
    QVERIFY(t.fake.prompter.messages.first().text.contains("The file on disk was not changed."));
    QVERIFY(t.doc().fileChanged);
    QVERIFY(documents(*t.w).saveCancelled);
    QCOMPARE(t.w->windowTitle(), QStringLiteral("p.yab - Vormeld 2005"));

    // Closing asks; Yes tries to save, fails, and the window stays open.
    t.fake.prompter.answerMessage(MsgResult::Yes);
    t.fake.prompter.answerMessage(MsgResult::OK);
    QVERIFY(!t.w->close());
    QCOMPARE(editorText(*t.w), QStringLiteral("old new"));

    // Save As to a place that works does.
    const QString elsewhere = t.fake.path("rescued.yab");
    t.fake.prompter.answerFile(elsewhere);
    action(*t.w, "fileSaveAs")->trigger();
    QCOMPARE(readBytes(elsewhere), QByteArray("old new\n"));
    QVERIFY(!t.doc().fileChanged);

    // A folder given as the target is refused the same way.
    t.type("!");
    t.fake.prompter.answerFile(t.fake.folder.path());
    t.fake.prompter.answerMessage(MsgResult::OK);
    action(*t.w, "fileSaveAs")->trigger();
    QVERIFY(t.doc().fileChanged);
    QVERIFY(QFileInfo(t.fake.folder.path()).isDir());
}

void tst_Documents::unencodableCharacterAsksBeforeWriting()
{
    Window t;
    const QString file = t.fake.writeFile("l.yab", "caf\xe9\n");
    t.fake.services.commandLine = file;
    t.start();
    t.type(QString(QChar(0x20AC)));
    t.fake.prompter.answerMessage(MsgResult::No);
    action(*t.w, "fileSave")->trigger();
    QCOMPARE(readBytes(file), QByteArray("caf\xe9\n"));
    QVERIFY(t.doc().fileChanged);
    QVERIFY(t.fake.prompter.messages.first().text.contains("U+20AC"));
    t.fake.prompter.answerMessage(MsgResult::Yes);
    action(*t.w, "fileSave")->trigger();
    QCOMPARE(readBytes(file), QByteArray("caf\xc3\xa9\xe2\x82\xac\n"));
    QVERIFY(!t.doc().fileChanged);
}

void tst_Documents::commandLineEdgeCases()
{
    {   // A file that does not exist yet: an empty document under that name, listed.
        Window t;
        const QString path = t.fake.path("new.yab");
        t.fake.services.commandLine = path;
        t.start();
        QCOMPARE(editorText(*t.w), QString());
        QCOMPARE(t.doc().currentFileName, path);
        QVERIFY(t.doc().hasFileName);
        QCOMPARE(documents(*t.w).recent().at(0), path);
        QVERIFY(t.fake.prompter.messages.isEmpty());
        t.type("print 1");
        action(*t.w, "fileSave")->trigger();
        QCOMPARE(readBytes(path), QByteArray("print 1\n"));
    }
    {   // A folder: reported, and the template is shown instead of taking its name.
        Window t;
        t.fake.services.commandLine = t.fake.folder.path();
        t.fake.prompter.answerMessage(MsgResult::OK);
        t.start();
        QCOMPARE(t.fake.prompter.messages.size(), 1);
        QCOMPARE(t.doc().currentFileName, QStringLiteral("Untitled"));
        QCOMPARE(editorText(*t.w), QStringLiteral("rem template"));
    }
}

void tst_Documents::readErrorSentences()
{
    QCOMPARE(FileErrors::openFailedText(53), QStringLiteral("A Error has occured while trying to open the requested file\r\n      The file does not exist."));
    QCOMPARE(FileErrors::reasonLine(76), QStringLiteral("      The path was not found."));
    QCOMPARE(FileErrors::reasonLine(999), QStringLiteral("      There was a error while accessing the path or the file,\r\n unrecognized Error Access Code:999"));
    QTemporaryDir dir;
    QCOMPARE(FileErrors::classifyReadFailure(dir.filePath("x")), int(FileErrors::NotFound));
    QCOMPARE(FileErrors::classifyReadFailure(dir.filePath("no/x")), int(FileErrors::PathNotFound));
    QCOMPARE(FileErrors::classifyReadFailure(dir.path()), int(FileErrors::AccessError));
}

QTEST_MAIN(tst_Documents)
#include "tst_documents.moc"
