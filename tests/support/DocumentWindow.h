#pragma once

// A main window on fake services for the document, journal and fault suites:
// started on the template or on a file named on the command line, typed into
// through the code editor and driven through its menu items.

#include "support/TestWindow.h"

struct DocumentWindow : TestWindow {
    ScriptedPrompter &prompter = fake.prompter;

    explicit DocumentWindow(const QByteArray &templ = "rem template\n") : TestWindow(templ) {}
    // Starts on the file named (none: the template).
    MainWindow &start(const QString &commandLine = QString())
    {
        fake.services.commandLine = commandLine;
        return TestWindow::start();
    }
    // Shown and active, so changes made by other programs are told.
    bool activate()
    {
        w->show();
        w->activateWindow();
        return QTest::qWaitForWindowActive(w.get());
    }
    void type(const QString &s)
    {
        QTextCursor c = ed()->textCursor();
        c.movePosition(QTextCursor::End);
        c.insertText(s);
    }
    void trigger(const char *item, int index = -1) { action(*w, item, index)->trigger(); }
    bool changed() const { return documents(*w).state().fileChanged; }
    QString name() const { return documents(*w).state().currentFileName; }
    // The document at a glance: "name: text", "name (changed): text".
    QString doc() const { return name() + (changed() ? " (changed): " : ": ") + text(); }
    // The titles of the messages asked so far.
    QStringList asked() const
    {
        QStringList titles;
        for (const MessageRequest &m : prompter.messages)
            titles << m.title;
        return titles;
    }
    // A message as "title: text".
    QString said(int i) const { return prompter.messages.at(i).title + ": " + prompter.messages.at(i).text; }
};
