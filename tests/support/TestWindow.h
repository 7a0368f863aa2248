#pragma once

// A main window over fake services, started on a program text given as the
// template (or as a saved file opened at start-up), with the small moves the
// window suites share.

#include "editor/EditorText.h"
#include "search/FindDialogs.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "support/WindowProbe.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <memory>

// Takes the steps on the modal dialog of type Dialog that open brings up, once
// it is up, and closes it if the steps left it open; false when none came.
template <class Dialog> bool onModal(std::function<void()> open, std::function<void(Dialog *)> steps)
{
    bool seen = false;
    QTimer poll; // stops with this call
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *d = qobject_cast<Dialog *>(QApplication::activeModalWidget()); d && !seen) {
            seen = true;
            poll.stop();
            steps(d);
            if (d->isVisible())
                d->reject();
        }
    });
    poll.start(5);
    open();
    return seen;
}

// Every scripted answer was used and nothing else was asked.
#define VERIFY_SCRIPT_DONE(p)                                                                      \
    do {                                                                                           \
        QVERIFY2((p).unexpected.isEmpty(), qPrintable((p).unexpected.join(QLatin1Char('\n'))));   \
        QCOMPARE((p).answersLeft(), 0);                                                            \
    } while (false)

struct TestWindow {
    FakeServices fake;
    std::unique_ptr<MainWindow> w;

    // fileName: the text is a saved program opened at start-up, not the template.
    explicit TestWindow(const QByteArray &text, const char *fileName = nullptr)
    {
        if (fileName)
            fake.services.commandLine = fake.writeFile(fileName, text);
        else
            fake.writeFile(QStringLiteral("Template.yab"), text);
    }
    MainWindow &start()
    {
        w = std::make_unique<MainWindow>(fake.services);
        w->start();
        return *w;
    }
    void set(const char *section, const char *key, const QString &value)
    {
        SettingsAccess(fake.settings, fake.services.appName).saveSetting(section, key, value);
    }

    CodeEditor *ed() const { return codeEditor(*w); }
    QString text() const { return editorText(*w); }
    int caret() const { return ed()->textCursor().position(); }
    void caretTo(int qtPosition) const
    {
        QTextCursor c = ed()->textCursor();
        c.setPosition(qtPosition);
        ed()->setTextCursor(c);
    }
    // Inserts text at a position without moving the caret, as a program change would.
    void insertAt(int qtPosition, const QString &s) const
    {
        QTextCursor c(ed()->document());
        c.setPosition(qtPosition);
        c.insertText(s);
    }
    // The selection in program positions (line breaks count twice): "start+length", start from 1.
    QString selection() const
    {
        const QTextCursor c = ed()->textCursor();
        const int a = EditorText::modelPosition(c.document(), c.selectionStart());
        const int b = EditorText::modelPosition(c.document(), c.selectionEnd());
        return QStringLiteral("%1+%2").arg(a + 1).arg(b - a);
    }
    int undoCount() const { return editor(*w).history().undoStack.count(); }
    // The colours at Qt positions by name ("blue", "brown", "green", "black"; others as #rrggbb).
    QString colours(std::initializer_list<int> positions) const
    {
        static const QHash<QRgb, QString> names = {{qRgb(0, 0, 255), "blue"}, {qRgb(159, 52, 18), "brown"},
                                                   {qRgb(0, 159, 0), "green"}, {qRgb(0, 0, 0), "black"}};
        QStringList out;
        for (int p : positions) {
            const QColor c = editor(*w).colouring().colourAt(p);
            out << names.value(c.rgb(), c.name());
        }
        return out.join(QLatin1Char(' '));
    }
    // Drives the modal Find dialog: checks that it opens empty, types the text,
    // sets Match Case and presses a button.
    void find(const QString &what, bool matchCase, const char *button = "findButton") const
    {
        QTimer::singleShot(0, [=] {
            auto *d = qobject_cast<FindDialog *>(QApplication::activeModalWidget());
            QVERIFY(d);
            QCOMPARE(d->findChild<QLineEdit *>("findEdit")->text(), QString());
            QVERIFY(!d->findChild<QPushButton *>("findButton")->isEnabled());
            d->findChild<QLineEdit *>("findEdit")->setText(what);
            d->findChild<QCheckBox *>("matchCaseCheck")->setChecked(matchCase);
            d->findChild<QPushButton *>(button)->click();
            QCOMPARE(d->isVisible(), qstrcmp(button, "helpButton") == 0); // help leaves the dialog open
            if (d->isVisible())
                d->reject();
        });
        action(*w, "editFind")->trigger();
    }
    // The only message asked so far, compared word for word.
    void expectOneMessage(const QString &title, const QString &text, MsgIcon icon) const
    {
        QCOMPARE(fake.prompter.messages.size(), 1);
        expectLastMessage(title, text, icon);
    }
    void expectLastMessage(const QString &title, const QString &text, MsgIcon icon) const
    {
        QVERIFY(!fake.prompter.messages.isEmpty());
        const MessageRequest &m = fake.prompter.messages.last();
        QCOMPARE(m.title, title);
        QCOMPARE(m.text, text);
        QCOMPARE(m.icon, icon);
        QCOMPARE(m.buttons, MsgButtons::OK);
    }
};

// A window started on a program text with a hot-info file (when given) and
// automatic indentation on or off, the editor focused.
struct EditorWindow : TestWindow {
    explicit EditorWindow(const QByteArray &text, const QByteArray &hotinfo = QByteArray(), bool autoIndent = true,
                          const char *fileName = nullptr)
        : TestWindow(text, fileName)
    {
        if (!hotinfo.isNull())
            fake.writeFile(QStringLiteral("hotinfo.dat"), hotinfo);
        if (!autoIndent)
            set("Edit", "AutoIndent", QStringLiteral("0"));
        start();
        ed()->setFocus();
    }
};
