#include "documents/core/RecentFileList.h"
#include "platform/core/ProcessLauncher.h"
#include "documents/core/OutsideChangeWatcher.h"
#include "support/DocumentWindow.h"

#include <QToolButton>

#include <sys/stat.h>

// The file commands as a user meets them, files kept byte for byte, and changes by other programs.
namespace {
const QString OpenFilter = "YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All files (*.*)|*.*";
const QString CsvFilter = "CSV File (*.csv)|*.csv|All files (*.*)|*.*";
const QString OpenError = "Open Program: A Error has occured while trying to open the requested file\r\n";
} // namespace

class tst_Documents : public QObject {
    Q_OBJECT
private slots:

    void changedFilePrompt_data()
    {
        QTest::addColumn<QString>("caller"); // new, open, recent, close
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("save"); // after Yes: "cancel" the dialog, "fail" the write, or a file name
        QTest::addColumn<bool>("goesOn");
        const int yes = int(MsgResult::Yes), no = int(MsgResult::No), cancel = int(MsgResult::Cancel);
        for (const char *c : {"new", "open", "recent", "close"}) {
            QTest::addRow("%s: yes, save as cancelled, stops", c) << c << yes << "cancel" << false;
            QTest::addRow("%s: yes, save failed, stops", c) << c << yes << "fail" << false;
            if (c == QLatin1String("open") || c == QLatin1String("close"))
                QTest::addRow("%s: yes, saved, goes on", c) << c << yes << "saved.yab" << true;
            QTest::addRow("%s: no, goes on", c) << c << no << "" << true;
            QTest::addRow("%s: cancel, stops", c) << c << cancel << "" << false;
        }
    }

    void changedFilePrompt()
    {
        QFETCH(QString, caller);
        QFETCH(int, answer);
        QFETCH(QString, save);
        QFETCH(bool, goesOn);
        DocumentWindow t;
        const QString other = t.fake.writeFile("other.yab", "print \"other\"\n");
        t.set("MostRecent", "File0", other);
        const QString named = save == "fail" && QDir(t.fake.folder.path()).mkdir("gone") ? t.fake.writeFile("gone/prog.yab", "rem template\n") : "";
        t.start(named);
        t.type("\nmine");
        t.prompter.answerMessage(MsgResult(answer));
        if (save == "cancel")
            t.prompter.cancelDialog();
        else if (save == "fail" && QDir(t.fake.path("gone")).removeRecursively()) // the folder goes away under the document
            t.prompter.answerMessage(MsgResult::OK);
        else if (!save.isEmpty())
            t.prompter.answerFile(t.fake.path(save));
        if (caller == "open" && goesOn)
            t.prompter.answerFile(other);
        if (caller == "close")
            QCOMPARE(t.w->close(), goesOn);
        else
            t.trigger(caller == "new" ? "fileNew" : caller == "open" ? "fileOpen" : "recentFiles", caller == "recent" ? 0 : -1);
        VERIFY_SCRIPT_DONE(t.prompter);
        QCOMPARE(t.asked(), (save == "fail" ? QStringList{"File Changed", "Save Program"} : QStringList{"File Changed"}));
        QCOMPARE(t.said(0), QStringLiteral("File Changed: The YaBasic file has changed,\r\nDo you want to save it?"));
        QVERIFY(t.prompter.messages[0].buttons == MsgButtons::YesNoCancel && t.prompter.messages[0].icon == MsgIcon::Exclamation
                && t.prompter.messages[0].defaultButton == MsgResult::Yes);
        if (save == "fail")
            QVERIFY2(t.said(1).startsWith("Save Program: A Error has occured while trying to save the file\r\n      The path was not found.\r\n      ")
                     && t.said(1).endsWith("\r\n\r\n" + named + "\r\nThe file on disk was not changed."), qPrintable(t.said(1)));
        // No dialog after a stop: only the Save As asked for, and the Open that goes on.
        QCOMPARE(t.prompter.fileDialogs.size(), int(save == "cancel" || save.endsWith(".yab")) + int(caller == "open" && goesOn));
        if (save.endsWith(".yab"))
            QCOMPARE(readBytes(t.fake.path(save)), QByteArray("rem template\nmine\n"));
        if (!goesOn) {
            QCOMPARE(t.doc(), (named.isEmpty() ? "Untitled" : named) + " (changed): rem template\nmine");
        } else if (caller != "close") {
            const QString loaded = caller == "new" ? "Untitled: rem template" : other + ": print \"other\"";
            QCOMPARE(t.doc(), loaded);
            for (int i = 0; i < 2; ++i) // Undo never reaches into the document given up
                t.trigger("editUndo");
            QCOMPARE(t.doc(), loaded);
            QVERIFY(!action(*t.w, "editUndo")->isEnabled());
        }
    }

    void userPath()
    {
        DocumentWindow t("x = 12345678\n");
        t.fake.interpreterKey.values["version"] = "2.90.3";
        QVERIFY(QFile::link(t.fake.folder.path(), t.fake.path("my programs"))); // installed in a folder with a blank
        t.fake.services.programFolder = t.fake.path("my programs");
        t.start();
        // Save of an untitled program asks for a name; cancelled, nothing is saved.
        t.type("\nx");
        t.prompter.cancelDialog();
        t.trigger("fileSave");
        const FileDialogRequest &d = t.prompter.fileDialogs.value(0);
        QCOMPARE(d.title + " " + d.filter + " " + d.defaultExtension, QStringLiteral("Save as YaBasic Program "
                 "YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All Files (*.*)|*.* .yab"));
        QVERIFY(d.kind == FileDialogRequest::Save && d.confirmOverwrite && documents(*t.w).lastSaveCancelled());
        QCOMPARE(t.doc(), "Untitled (changed): x = 12345678\nx");
        const QString saved = t.fake.path("saved.yab");
        t.prompter.answerFile(saved);
        t.trigger("fileSaveAs");
        QCOMPARE(t.doc() + "|" + t.w->windowTitle(), saved + ": x = 12345678\nx|saved.yab - Vormeld 2005");
        t.type("y");
        t.trigger("fileSave"); // under its name, without a question
        QCOMPARE(t.doc(), saved + ": x = 12345678\nxy");
        QCOMPARE(readBytes(saved), QByteArray("x = 12345678\nxy\n"));
        // A cancelled Open still refreshes the status bar.
        statusBar(*t.w)->setTabMessage(0, "something else");
        t.prompter.cancelDialog();
        t.trigger("fileOpen");
        const FileDialogRequest &o = t.prompter.fileDialogs.value(2);
        QCOMPARE(o.title + " " + o.initialName + " " + o.defaultExtension + " " + o.filter, "Open YaBasic Program *.yab .yab " + OpenFilter);
        QVERIFY(o.kind == FileDialogRequest::Open && o.fileMustExist);
        QCOMPARE(panel(*t.w, 1), QStringLiteral("Ready - Using Yabasic version 2.90.3"));
        // The hint box of the typing goes when another program opens.
        codeEditor(*t.w)->moveCursor(QTextCursor::End);
        QTest::keyClick(codeEditor(*t.w), Qt::Key_Return);
        QTest::keyClicks(codeEditor(*t.w), "print ");
        QVERIFY(hotInfoBox(*t.w)->isVisible());
        const QString a = t.fake.writeFile("a \"q\"&b.yab", "1\n"), b = t.fake.writeFile("b.bas", "10 print 2\n");
        t.prompter.answerMessage(MsgResult::No);
        t.prompter.answerFile(a);
        t.trigger("fileOpen");
        QVERIFY(!hotInfoBox(*t.w)->isVisible());
        // A .bas file opens like any other, and opening turns updating back on.
        action(*t.w, "viewDisableUpdating")->setChecked(true);
        t.prompter.answerFile(b);
        t.trigger("fileOpen");
        QVERIFY(t.doc() == b + ": 10 print 2" && !action(*t.w, "viewDisableUpdating")->isChecked());
        const QString aCaption = QString(a).replace("&", "&&");
        QCOMPARE(action(*t.w, "recentFiles", 0)->text() + "|" + action(*t.w, "recentFiles", 1)->text(), "&1 " + b + "|&2 " + aCaption);
        QVERIFY(!action(*t.w, "recentFiles", 2)->isVisible() && action(*t.w, "recentSeparator")->isVisible());
        t.trigger("recentFiles", 1);
        QCOMPARE(t.doc() + "|" + action(*t.w, "recentFiles", 0)->text(), a + ": 1|&1 " + aCaption);
        // A listed file that is gone is told, and the document keeps its name.
        QVERIFY(QFile::remove(b));
        t.type(" changed");
        t.prompter.answerMessage(MsgResult::No);
        t.prompter.answerMessage(MsgResult::OK);
        t.trigger("recentFiles", 1);
        QCOMPARE(t.said(2), OpenError + "      The file does not exist.\r\n\r\n" + b);
        QVERIFY(t.prompter.messages.at(2).icon == MsgIcon::Critical && t.doc() == a + " (changed): 1 changed");
        // A folder given to Save As is refused, and the name stays.
        t.prompter.answerFile(t.fake.folder.path());
        t.prompter.answerMessage(MsgResult::OK);
        t.trigger("fileSaveAs");
        QCOMPARE(t.name(), a);
        // Other instances get the paths with blanks and quotes intact; the current document is not touched.
        const QString exe = t.fake.services.programFolder + "/" + programExecutableName();
        t.trigger("fileNewInstance");
        t.prompter.answerFile(a);
        t.trigger("fileOpenInstance");
        QCOMPARE(t.prompter.fileDialogs.last().title, QStringLiteral("Open File In New Instance"));
        QCOMPARE(t.fake.launcher.started.size(), 2);
        QCOMPARE(splitCommandLine(t.fake.launcher.started[0]) << "|" << splitCommandLine(t.fake.launcher.started[1]),
                 (QStringList{exe, "|", exe, a}));
        QCOMPARE(t.doc(), a + " (changed): 1 changed");
        t.fake.launcher.succeed = false;
        t.prompter.answerMessage(MsgResult::OK);
        t.trigger("fileNewInstance");
        QCOMPARE(t.said(4), "New Program Instance: Vormeld could not be started:\r\n\"" + exe + '"');
        t.prompter.answerMessage(MsgResult::No);
        QVERIFY(t.w->close());
        VERIFY_SCRIPT_DONE(t.prompter);
        QCOMPARE(t.asked(), (QStringList{"File Changed", "File Changed", "Open Program", "Save Program",
                                         "New Program Instance", "File Changed"}));
        QCOMPARE(t.fake.setting("MostRecent", "File0") + "|" + t.fake.setting("MostRecent", "File1") + "|"
                 + t.fake.setting("MostRecent", "File2"), a + "|" + b + "|");
    }

    void recentListOrder()
    {
        RecentFileList r; // a listed file moves up, a seventh drops the oldest, letter case makes another entry
        for (const char *p : {"f", "e", "d", "c", "b", "a", "A", "d"})
            r.addRecentFile(p);
        QCOMPARE(r.at(0) + r.at(1) + r.at(2) + r.at(3) + r.at(4) + r.at(5), QStringLiteral("dAabce"));
    }

    void appendAndImportAreOneChange_data()
    {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("result");
        const QByteArray csv = "fileImportCsv";
        QTest::newRow("append") << QByteArray("fileAppend") << QByteArray("sub a()\r\nend sub\r\n") << "sub a()\nend sub";
        QTest::newRow("csv import") << csv << QByteArray("1,2\r\n\r\n3,4\r\n") << "DATA 1,2\nDATA \nDATA 3,4\n";
        QTest::newRow("csv: empty file") << csv << QByteArray() << "";
        QTest::newRow("csv: lone lf stays, lone cr ends") << csv << QByteArray("1\n2\r3") << "DATA 1\n2\nDATA 3\n";
        QTest::newRow("csv: not parsed or trimmed") << csv << QByteArray(" \"a, b\" ,x \r\n") << "DATA  \"a, b\" ,x \n";
    }

    void appendAndImportAreOneChange()
    {
        QFETCH(QByteArray, item);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, result);
        DocumentWindow t("main\n");
        t.start();
        t.prompter.answerFile(t.fake.writeFile("added", bytes));
        t.trigger(item.constData());
        VERIFY_SCRIPT_DONE(t.prompter);
        QCOMPARE(t.prompter.fileDialogs.first().title + " " + t.prompter.fileDialogs.first().filter, item == "fileAppend" ? "Open File to Append " + OpenFilter : "Import CSV File " + CsvFilter);
        QCOMPARE(t.doc(), "Untitled (changed): main\n" + result);
        t.trigger("editUndo"); // one step takes it all back
        QCOMPARE(t.text(), QStringLiteral("main"));
    }

    void byteExactRoundTrips_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("saved"); // empty: the same bytes
        QTest::addColumn<QString>("note");     // what opening says about the save to come
        const QString noBreak = "The last line of this file has no line break. If you save it, one will be added. ({file})";
        const QString mixed = "This file mixes different kinds of line breaks. If you save it, every line will end with CR LF. ({file})";
        QTest::newRow("crlf") << QByteArray("print 1\r\nprint 2\r\n") << QByteArray() << "";
        QTest::newRow("cr") << QByteArray("print 1\rprint 2\r") << QByteArray() << "";
        QTest::newRow("utf8 with mark") << QByteArray("\xef\xbb\xbfprint \"\xe2\x82\xac \xc3\xa9\"\n") << QByteArray() << "";
        QTest::newRow("nul bytes") << QByteArray("a\0b\n", 4) << QByteArray() << "";
        QTest::newRow("empty") << QByteArray() << QByteArray() << "";
        QTest::newRow("one empty line") << QByteArray("\n") << QByteArray() << "";
        QTest::newRow("no final break") << QByteArray("print 1") << QByteArray("print 1\n") << noBreak;
        QTest::newRow("mixed breaks") << QByteArray("a\r\nb\nc\r\n") << QByteArray("a\r\nb\r\nc\r\n") << mixed;
        QString all;
        for (char32_t c = 0; c <= 0xFFFF; ++c)
            if ((c < 0xD800 || c > 0xDFFF) && c != '\r')
                all += QChar(char16_t(c));
        all += QString::fromUcs4(U"\U0001F600\U00010000\U0010FFFD") + "\n";
        QTest::newRow("utf8: every character of the basic plane and a few beyond") << all.toUtf8() << QByteArray()
            << "This file holds characters that the editor would take for line breaks (U+2029, U+FDD0 or U+FDD1). "
               "Each is shown as a private-use character and saved back as it was.";
        QByteArray latin1;
        for (int b = 0; b < 256; ++b)
            if (b != '\r')
                latin1 += char(b);
        QTest::newRow("latin1: every byte") << latin1 + "\xE9\n" << QByteArray() << "";
    }

    void byteExactRoundTrips()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        QFETCH(QString, note);
        DocumentWindow t;
        const QString file = t.fake.writeFile("r.yab", bytes);
        t.start(file);
        t.trigger("fileSave");
        VERIFY_SCRIPT_DONE(t.prompter);
        const auto *bar = t.w->findChild<QFrame *>("noticeBar");
        QCOMPARE(bar->isVisibleTo(t.w.get()) ? t.w->findChild<QLabel *>("noticeText")->text() : QString(),
                 QString(note).replace("{file}", file));
        if (saved.isEmpty())
            saved = bytes;
        QCOMPARE(readBytes(file), saved);
        QVERIFY(!t.changed());
        if (!note.isEmpty()) // the notice closes with its button
            bar->findChild<QToolButton *>("noticeCloseButton")->click();
        QVERIFY(!bar->isVisibleTo(t.w.get()));
        if (bytes.isEmpty())
            return;
        // Edited and saved, the characters around the edit stay as they were.
        QTextCursor(codeEditor(*t.w)->document()).insertText("x");
        t.trigger("fileSave");
        saved.insert(0, 'x'); // a mark at the start is a character of the text
        QCOMPARE(readBytes(file), saved);
    }

    void unencodableCharacterAsksBeforeWriting()
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

    void startsAndOpensThatAreRefused_data()
    {
        QTest::addColumn<QString>("what"); // new file, folder, pipe
        QTest::addColumn<bool>("fromCommandLine");
        QTest::newRow("a new file named on the command line is made and listed") << "new.yab" << true;
        QTest::newRow("a folder on the command line") << "" << true;
        QTest::newRow("a pipe through the open dialog") << "pipe.yab" << false;
    }

    void startsAndOpensThatAreRefused()
    {
        QFETCH(QString, what);
        QFETCH(bool, fromCommandLine);
        DocumentWindow t;
        const QString path = what.isEmpty() ? t.fake.folder.path() : t.fake.path(what);
        if (what == "pipe.yab")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (!fromCommandLine)
            t.prompter.answerFile(path);
        if (what != "new.yab")
            t.prompter.answerMessage(MsgResult::OK);
        t.start(fromCommandLine ? path : QString());
        if (!fromCommandLine)
            t.trigger("fileOpen");
        VERIFY_SCRIPT_DONE(t.prompter);
        QCOMPARE(t.asked(), what == "new.yab" ? QStringList() : QStringList{"Open Program"});
        if (what == "new.yab") {
            QCOMPARE(t.doc() + "|" + documents(*t.w).recent().at(0), path + ": |" + path);
            t.type("print 1");
            t.trigger("fileSave");
            QCOMPARE(readBytes(path), QByteArray("print 1\n"));
        } else {
            QCOMPARE(t.said(0), OpenError + "      There was a error while accessing the path or the file.\r\n" + (what.isEmpty() ? "" : "      Not a regular file (a pipe, device or socket)\r\n") + "\r\n" + path);
            QCOMPARE(t.doc(), QStringLiteral("Untitled: rem template"));
        }
    }

    void outsideChange_data()
    {
        QTest::addColumn<int>("ownSaves"); // saves of our own first: not outside changes
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("outside"); // empty: the file is deleted
        QTest::addColumn<bool>("bySave");        // false: told when the window is active
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("docAfter");
        QTest::addColumn<QByteArray>("onDisk");
        const QString plain = "File Changed on Disk: The file \"p.yab\" was changed by another program.\r\nDo you want to load it again?";
        const QString mine = "File Changed on Disk: The file \"p.yab\" was changed by another program, and your text has changes that "
                             "are not saved.\r\nDo you want to load the file again and lose your changes?";
        const QString save = "Save Program: The file \"p.yab\" was changed by another program since Vormeld last read or saved it."
                             "\r\nDo you want to replace it with your text?";
        const QString gone = "File Deleted: The file \"p.yab\" was deleted or moved by another program.\r\nYour text is still here: "
                             "save it to keep it.\r\n\r\n{file}";
        const int yes = int(MsgResult::Yes), no = int(MsgResult::No);
        const QByteArray theirs = "print 2\n", mineSaved = "print 1 mine\n";
        QTest::newRow("unchanged text: kept, now counts as changed") << 0 << "" << theirs << false << QList{no} << QStringList{plain} << " (changed): print 1" << theirs;
        QTest::newRow("after own saves: the watch followed the replaced file") << 3 << "" << theirs << false << QList{yes} << QStringList{plain} << ": print 2" << theirs;
        QTest::newRow("changed text: kept") << 0 << " mine" << theirs << false << QList{no} << QStringList{mine} << " (changed): print 1 mine" << theirs;
        QTest::newRow("changed text: reloaded") << 0 << " mine" << theirs << false << QList{yes} << QStringList{mine} << ": print 2" << theirs;
        QTest::newRow("deleted file: told, text kept") << 0 << "" << QByteArray() << false << QList{int(MsgResult::OK)} << QStringList{gone}
                                                       << " (changed): print 1" << QByteArray("<unreadable>");
        QTest::newRow("save: no keeps theirs, then the change is told") << 0 << " mine" << theirs << true << QList{no, no}
                                                                        << QStringList{save, mine} << " (changed): print 1 mine" << theirs;
        QTest::newRow("save: yes replaces theirs") << 0 << " mine" << theirs << true << QList{yes} << QStringList{save} << ": print 1 mine" << mineSaved;
        QTest::newRow("save: changed again during the question: asked again, one question at a time")
            << 0 << " mine" << theirs << true << QList{yes, yes} << QStringList{save, save} << ": print 1 mine" << mineSaved;
    }
    void outsideChange()
    {
        QFETCH(int, ownSaves);
        QFETCH(QString, typed);
        QFETCH(QByteArray, outside);
        QFETCH(bool, bySave);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, said);
        QFETCH(QString, docAfter);
        QFETCH(QByteArray, onDisk);
        DocumentWindow t;
        const QString file = t.fake.writeFile("p.yab", "print 1\n");
        t.start(file);
        QVERIFY(bySave || t.activate()); // not active, a change waits until the window has the focus
        QSignalSpy noticed(part<QFileSystemWatcher>(*t.w), &QFileSystemWatcher::fileChanged);
        for (int i = 0; i < ownSaves; ++i) {
            const int before = noticed.count();
            t.type("x");
            t.trigger("fileSave");
            QTRY_VERIFY(noticed.count() > before); // each save replaces the watched file
            QVERIFY(!documents(*t.w).diskChangedOutside());
        }
        QCOMPARE(readBytes(file), "print 1" + QByteArray(ownSaves, 'x') + "\n");
        t.type(typed);
        for (int a : answers)
            t.prompter.answerMessage(MsgResult(a));
        // During a question the file changes again and the window gets the focus: no second question on top.
        t.prompter.whileAsking = [&, n = 0](const MessageRequest &) mutable {
            if (said.count(said.first()) < 2 || n++ > 0)
                return;
            QVERIFY(writeBytes(file, "print 3\n"));
            QVERIFY(noticed.wait(5000));
            part<OutsideChangeWatcher>(*t.w)->setWindowActive(true);
            QCoreApplication::processEvents();
        };
        QVERIFY(outside.isEmpty() ? QFile::remove(file) : writeBytes(file, outside));
        if (bySave) {
            QVERIFY(noticed.wait(5000));
            t.trigger("fileSave");
        }
        QTRY_COMPARE_WITH_TIMEOUT(t.prompter.messages.size(), said.size(), 5000);
        VERIFY_SCRIPT_DONE(t.prompter);
        for (int i = 0; i < said.size(); ++i)
            QCOMPARE(t.said(i), QString(said[i]).replace("{file}", file));
        for (int i = 0; bySave && i < said.count(said.first()); ++i) // No keeps both texts
            QCOMPARE(t.prompter.messages[i].defaultButton, std::optional<MsgResult>(MsgResult::No));
        QCOMPARE(t.doc(), file + docAfter);
        QCOMPARE(readBytes(file), onDisk);
    }
};

QTEST_MAIN(tst_Documents)
#include "tst_documents.moc"
