#include "documents/core/OutsideChangeWatcher.h"
#include "platform/core/ProcessLauncher.h"
#include "support/TestWindow.h"

#include <QFile>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>

#include <sys/stat.h>

namespace {
// Where two byte strings first differ, for a readable failure.
QByteArray firstDifference(const QByteArray &a, const QByteArray &b)
{
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return "at byte " + QByteArray::number(i) + ": " + a.mid(i, 8).toHex(' ') + " / " + b.mid(i, 8).toHex(' ')
           + " (sizes " + QByteArray::number(a.size()) + ", " + QByteArray::number(b.size()) + ")";
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

void typeAtEnd(TestWindow &t, const QString &text)
{
    QTextCursor c = t.ed()->textCursor();
    c.movePosition(QTextCursor::End);
    t.ed()->setTextCursor(c);
    QTest::keyClicks(t.ed(), text);
}
} // namespace

// Ways work was lost or hidden before, each walked through as a user would.
class tst_NeverLose : public QObject {
    Q_OBJECT
private slots:
    void historyBelongsToTheDocument_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("open") << "fileOpen";
        QTest::newRow("recent file") << "recentFiles";
        QTest::newRow("new") << "fileNew";
    }
    void historyBelongsToTheDocument()
    {
        QFETCH(QString, command);
        TestWindow t("template text\n");
        const QString a = t.fake.writeFile("a.yab", "print \"a\"\n");
        t.set("MostRecent", "File0", a);
        t.start();
        typeAtEnd(t, "xy");
        t.fake.prompter.answerMessage(MsgResult::No); // the typing is not kept
        if (command == "fileOpen")
            t.fake.prompter.answerFile(a);
        action(*t.w, command.toLatin1(), command == "recentFiles" ? 0 : -1)->trigger();
        const QString loaded = command == "fileNew" ? QStringLiteral("template text") : QStringLiteral("print \"a\"");
        QCOMPARE(t.text(), loaded);
        // Undo never reaches into the previous document.
        action(*t.w, "editUndo")->trigger();
        action(*t.w, "editUndo")->trigger();
        QCOMPARE(t.text(), loaded);
        QVERIFY(!action(*t.w, "editUndo")->isEnabled());
        QVERIFY(!documents(*t.w).state().fileChanged);
        if (command != "fileNew") {
            action(*t.w, "fileSave")->trigger();
            QCOMPARE(readBytes(a), QByteArray("print \"a\"\n"));
        }
        QCOMPARE(t.fake.prompter.answersLeft(), 0);
        QVERIFY(t.fake.prompter.unexpected.isEmpty());
    }

    void discardingCommandsStopWhenTheSaveDidNotHappen_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("saveFails"); // false: the Save As dialog is cancelled
        for (const char *c : {"fileNew", "fileOpen", "recentFiles", "fileExit"}) {
            QTest::addRow("%s, save as cancelled", c) << c << false;
            QTest::addRow("%s, save failed", c) << c << true;
        }
    }
    void discardingCommandsStopWhenTheSaveDidNotHappen()
    {
        QFETCH(QString, command);
        QFETCH(bool, saveFails);
        TestWindow t("template\n");
        QDir(t.fake.folder.path()).mkdir("gone");
        const QString named = t.fake.writeFile("gone/prog.yab", "prog\n");
        if (saveFails)
            t.fake.services.commandLine = named;
        t.set("MostRecent", "File0", t.fake.writeFile("other.yab", "other\n"));
        t.start();
        typeAtEnd(t, "typed");
        const QString before = t.text();
        t.fake.prompter.answerMessage(MsgResult::Yes); // save it, please
        if (saveFails) {
            QVERIFY(QDir(t.fake.path("gone")).removeRecursively());
            t.fake.prompter.answerMessage(MsgResult::OK); // the save error
        } else {
            t.fake.prompter.cancelDialog();
        }
        action(*t.w, command.toLatin1(), command == "recentFiles" ? 0 : -1)->trigger();
        QCOMPARE(t.text(), before);
        QVERIFY(documents(*t.w).state().fileChanged);
        QVERIFY(t.w->isVisible() || command != "fileExit");
        QCOMPARE(t.fake.prompter.fileDialogs.size(), saveFails ? 0 : 1); // no Open dialog after it
        QCOMPARE(t.fake.prompter.messages.first().defaultButton, std::optional<MsgResult>(MsgResult::Yes));
        QCOMPARE(t.fake.prompter.answersLeft(), 0);
        QVERIFY(t.fake.prompter.unexpected.isEmpty());
    }

    void outsideChangeQuestionsNeverStack()
    {
        TestWindow t("", "prog.yab");
        const QString file = t.fake.path("prog.yab");
        writeBytes(file, "old\n");
        t.start(); // not activated: the change waits until the window has the focus
        auto *watcher = t.w->findChild<OutsideChangeWatcher *>();
        QSignalSpy changed(t.w->findChild<QFileSystemWatcher *>(), &QFileSystemWatcher::fileChanged);
        QCOMPARE(t.text(), QStringLiteral("old"));
        typeAtEnd(t, " mine");
        writeBytes(file, "theirs\n");
        QVERIFY(changed.wait(5000));
        // While the first question is open, the file changes again and the window
        // gets the focus back: no second question opens on top of it.
        int asked = 0;
        t.fake.prompter.whileAsking = [&](const MessageRequest &) {
            if (asked++ > 0)
                return;
            writeBytes(file, "theirs again\n");
            QVERIFY(changed.wait(5000));
            watcher->setWindowActive(true);
            QCoreApplication::processEvents();
        };
        t.fake.prompter.answerMessage(MsgResult::Yes);
        t.fake.prompter.answerMessage(MsgResult::Yes); // asked again: the file changed meanwhile
        action(*t.w, "fileSave")->trigger();
        QTRY_COMPARE(readBytes(file), QByteArray("old mine\n"));
        QCoreApplication::processEvents();
        QCOMPARE(t.fake.prompter.messages.size(), 2);
        for (const MessageRequest &m : std::as_const(t.fake.prompter.messages)) {
            QCOMPARE(m.title, QStringLiteral("Save Program"));
            QCOMPARE(m.defaultButton, std::optional<MsgResult>(MsgResult::No)); // No keeps both texts
        }
        QCOMPARE(t.text(), QStringLiteral("old mine"));
        QVERIFY(!documents(*t.w).state().fileChanged);
        QVERIFY(t.fake.prompter.unexpected.isEmpty());
    }

    void pipesAreRefused_data()
    {
        QTest::addColumn<bool>("fromCommandLine");
        QTest::newRow("command line") << true;
        QTest::newRow("open dialog") << false;
    }
    void pipesAreRefused()
    {
        QFETCH(bool, fromCommandLine);
        TestWindow t("template\n");
        const QString fifo = t.fake.path("pipe.yab");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        if (fromCommandLine) {
            t.fake.services.commandLine = fifo;
            t.fake.prompter.answerMessage(MsgResult::OK);
        }
        t.start();
        if (!fromCommandLine) {
            t.fake.prompter.answerFile(fifo);
            t.fake.prompter.answerMessage(MsgResult::OK);
            action(*t.w, "fileOpen")->trigger();
        }
        QCOMPARE(t.text(), QStringLiteral("template"));
        QCOMPARE(t.w->windowTitle(), QStringLiteral("Untitled - Vormeld 2005"));
        QCOMPARE(t.fake.prompter.messages.size(), 1);
        const MessageRequest &m = t.fake.prompter.messages.last();
        QCOMPARE(m.title, QStringLiteral("Open Program"));
        QVERIFY2(m.text.contains("Not a regular file (a pipe, device or socket)") && m.text.endsWith(fifo), qPrintable(m.text));
        QVERIFY(t.fake.prompter.unexpected.isEmpty());
    }

    void notesAboutTheFileDoNotBlock()
    {
        TestWindow t("a\r\nb\nc", "mixed.yab");
        t.start();
        QVERIFY(t.fake.prompter.messages.isEmpty());
        QCOMPARE(t.text(), QStringLiteral("a\nb\nc"));
        auto *bar = t.w->findChild<QFrame *>("noticeBar");
        QVERIFY(bar->isVisible());
        const QString note = t.w->findChild<QLabel *>("noticeText")->text();
        QVERIFY2(note.startsWith("This file mixes different kinds of line breaks. If you save it, every line will end with "), qPrintable(note));
        QVERIFY(note.contains("The last line of this file has no line break. If you save it, one will be added."));
        QVERIFY(t.ed()->geometry().top() >= bar->geometry().bottom());
        bar->findChild<QToolButton *>("noticeCloseButton")->click();
        QVERIFY(!bar->isVisible());
    }

    void hintBoxClosesWhenAnotherDocumentOpens()
    {
        TestWindow t("x = 12345678\n");
        const QString other = t.fake.writeFile("other.yab", "rem other\n");
        t.start();
        typeAtEnd(t, "");
        QTest::keyClick(t.ed(), Qt::Key_Return);
        QTest::keyClicks(t.ed(), "print ");
        QVERIFY(hotInfoBox(*t.w)->isVisible());
        t.fake.prompter.answerMessage(MsgResult::No);
        t.fake.prompter.answerFile(other);
        action(*t.w, "fileOpen")->trigger();
        QCOMPARE(t.text(), QStringLiteral("rem other"));
        QVERIFY(!hotInfoBox(*t.w)->isVisible());
    }

    void commandLinesKeepPathsWithBlanks()
    {
        // Vormeld installed in a folder with a blank: a stand-in records its arguments.
        TestWindow t("");
        const QString bin = t.fake.path("my programs");
        QVERIFY(QDir().mkpath(bin));
        const QString exe = bin + "/" + programExecutableName();
        writeBytes(exe, "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > \"$(dirname \"$0\")/args.txt\"\n");
        QVERIFY(QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        SystemProcessLauncher launcher;
        t.fake.services.launcher = &launcher;
        t.fake.services.programFolder = bin;
        t.start();
        action(*t.w, "fileNewInstance")->trigger();
        QTRY_COMPARE(readBytes(bin + "/args.txt"), (exe + "\n").toUtf8());
        QFile::remove(bin + "/args.txt");
        const QString program = t.fake.writeFile("a \"quoted\" name.yab", "print 1\n");
        t.fake.prompter.answerFile(program);
        action(*t.w, "fileOpenInstance")->trigger();
        QTRY_COMPARE(readBytes(bin + "/args.txt"), (exe + "\n" + program + "\n").toUtf8());
        QVERIFY(t.fake.prompter.messages.isEmpty());
    }

    void everyCharacterRoundTrips_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QString all;
        for (char32_t c = 0; c <= 0xFFFF; ++c) {
            if ((c >= 0xD800 && c <= 0xDFFF) || c == '\r')
                continue;
            all += QChar(char16_t(c));
        }
        all += QString::fromUcs4(U"\U0001F600\U00010000\U0010FFFD") + "\n";
        QTest::newRow("UTF-8: every character of the basic plane and a few beyond") << all.toUtf8();
        QByteArray latin1;
        for (int b = 0; b < 256; ++b)
            if (b != '\r')
                latin1 += char(b);
        QTest::newRow("Latin-1: every byte") << latin1 + "\xE9\n";
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("one empty line") << QByteArray("\n");
    }
    void everyCharacterRoundTrips()
    {
        QFETCH(QByteArray, bytes);
        TestWindow t(bytes, "all.yab");
        t.start();
        action(*t.w, "fileSave")->trigger();
        QVERIFY(t.fake.prompter.unexpected.isEmpty());
        const QByteArray saved = readBytes(t.fake.path("all.yab"));
        QVERIFY2(saved == bytes, firstDifference(saved, bytes).constData());
        // Edited and saved, the characters around the edit stay as they were.
        if (!bytes.isEmpty()) {
            QTextCursor c(t.ed()->document());
            c.insertText("x");
            action(*t.w, "fileSave")->trigger();
            const QByteArray edited = readBytes(t.fake.path("all.yab"));
            QVERIFY2(edited == "x" + bytes, firstDifference(edited, "x" + bytes).constData());
        }
    }
};

QTEST_MAIN(tst_NeverLose)
#include "tst_neverlose.moc"
