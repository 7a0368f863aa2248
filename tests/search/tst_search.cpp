#include "search/FindDialogs.h"
#include "search/core/FindText.h"
#include "support/TestWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace {
struct Window : TestWindow {
    explicit Window(const QByteArray &text) : TestWindow(text) { start(); }
    // Drives the modal Find dialog: types the text, sets Match Case, presses a button.
    void find(const QString &what, bool matchCase, const char *button = "findButton")
    {
        QTimer::singleShot(0, [=] {
            auto *d = qobject_cast<FindDialog *>(QApplication::activeModalWidget());
            QVERIFY(d);
            QCOMPARE(d->findChild<QLineEdit *>("findEdit")->text(), QString()); // a fresh dialog every time
            QVERIFY(!d->findChild<QPushButton *>("findButton")->isEnabled());
            d->findChild<QLineEdit *>("findEdit")->setText(what);
            d->findChild<QCheckBox *>("matchCaseCheck")->setChecked(matchCase);
            d->findChild<QPushButton *>(button)->click();
        });
        action(*w, "editFind")->trigger();
    }
    bool findNextEnabled()
    {
        emit w->findChild<QMenu *>("editMenu")->aboutToShow();
        return action(*w, "editFindNext")->isEnabled();
    }
    // Edit > Find Next, as the opened menu offers it.
    void findNext()
    {
        QVERIFY(findNextEnabled());
        action(*w, "editFindNext")->trigger();
    }
    ReplaceDialog *openReplace()
    {
        action(*w, "editReplace")->trigger();
        return search(*w).replaceDialog();
    }
};

void findNextIn(ReplaceDialog *r, const QString &what)
{
    r->findChild<QLineEdit *>("findEdit")->setText(what);
    r->findChild<QPushButton *>("findNextButton")->click();
}
} // namespace

class tst_Search : public QObject {
    Q_OBJECT
private slots:
    void findText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("found");
        QTest::newRow("first") << "a print b" << "print" << 1 << true << 3;
        QTest::newRow("case off finds upper") << "x PRINT" << "Print" << 1 << false << 3;
        QTest::newRow("case on misses upper") << "x PRINT" << "Print" << 1 << true << 0;
        QTest::newRow("start below 1") << "ab" << "a" << -5 << true << 1;
        QTest::newRow("start past end") << "ab" << "a" << 9 << true << 0;
        QTest::newRow("regex characters are plain") << "x = a.*b (c)" << ".*b (" << 1 << true << 6;
        QTest::newRow("non-ASCII letters") << "Grüße ÄRGER" << "ärger" << 1 << false << 7;
        QTest::newRow("empty search") << "abc" << "" << 1 << false << 0;
    }
    void findText()
    {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(int, start);
        QFETCH(bool, matchCase);
        QFETCH(int, found);
        QCOMPARE(FindText::find(text, what, start, matchCase), found);
    }

    void localeAwareCase()
    {
        const QLocale old;
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        // In Turkish the capital of dotless ı is I, and the capital of i is İ.
        QCOMPARE(FindText::find("KALIP", "kalıp", 1, false), 1);
        QCOMPARE(FindText::find("İSTANBUL", "istanbul", 1, false), 1);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(FindText::find("KALIP", "kalip", 1, false), 1);
        QCOMPARE(FindText::foldCase("ÅÉÎ").size(), 3);
        QLocale::setDefault(old);
    }

    void findAndFindNext_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("matchCase");
        // What Find, then each Find Next, selects ("start+length"), or "none" for the message.
        QTest::addColumn<QStringList>("steps");
        const QString three = QStringLiteral("print 1\nPRINT 2\nPrint 3");
        QTest::newRow("overlapping matches") << "aaaa" << "aa" << false << QStringList{"1+2", "2+2", "3+2", "none", "1+2"};
        QTest::newRow("case off: every spelling, then back to the top")
            << three << "Print" << false << QStringList{"1+5", "10+5", "19+5", "none", "1+5"};
        QTest::newRow("match case: only the exact spelling") << three << "Print" << true << QStringList{"19+5", "none", "19+5"};
        QTest::newRow("line breaks count twice") << "ab\ncd\nef" << "e" << true << QStringList{"9+1", "none", "9+1"};
        QTest::newRow("no match at all") << "abc" << "zzz" << false << QStringList{"none"};
    }
    void findAndFindNext()
    {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(bool, matchCase);
        QFETCH(QStringList, steps);
        Window t(text.toUtf8());
        QVERIFY(!t.findNextEnabled());
        search(*t.w).findNext(); // before any Find: nothing, silently
        QVERIFY(t.fake.prompter.messages.isEmpty());
        for (int i = 0; i < steps.size(); ++i) {
            const qsizetype asked = t.fake.prompter.messages.size();
            if (steps[i] == "none")
                t.fake.prompter.answerMessage(MsgResult::OK);
            if (i == 0)
                t.find(what, matchCase);
            else
                t.findNext();
            if (steps[i] == "none") {
                QCOMPARE(t.fake.prompter.messages.size(), asked + 1);
                // The Find dialog's box has no icon; Find Next's has.
                t.expectLastMessage("No Match", "No Match was Found", i == 0 ? MsgIcon::None : MsgIcon::Information);
            } else {
                QCOMPARE(t.fake.prompter.messages.size(), asked);
                QCOMPARE(t.selection(), steps[i]);
                QCOMPARE(t.ed()->textCursor().selectedText().toLower(), what.toLower());
            }
        }
        QCOMPARE(search(*t.w).searchText(), what);
    }

    void cancelledFindKeepsTheSearch()
    {
        Window t("abc aBC abc");
        t.find("bc", true);
        QCOMPARE(t.selection(), QStringLiteral("2+2"));
        t.find("c", false, "cancelButton");
        QCOMPARE(search(*t.w).searchText(), QStringLiteral("bc"));
        QCOMPARE(t.selection(), QStringLiteral("2+2"));
        t.findNext(); // still "bc" with Match Case: "BC" is passed over
        QCOMPARE(t.selection(), QStringLiteral("10+2"));
        // The help button opens the help page and leaves the dialog open.
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<FindDialog *>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->findChild<QPushButton *>("helpButton")->click();
            QVERIFY(d->isVisible());
            d->reject();
        });
        action(*t.w, "editFind")->trigger();
        QCOMPARE(t.fake.shell.opened, QStringList{t.fake.path("hlp00001.htm")});
        QVERIFY(t.fake.prompter.messages.isEmpty());
    }

    void replaceFindsAndReplaces()
    {
        Window t("ab\ncd\nCD cd");
        ReplaceDialog *r = t.openReplace();
        QVERIFY(r && r->isVisible());
        QCOMPARE(r->windowTitle(), QStringLiteral("Replace"));
        QVERIFY(r->findChild<QPushButton *>("replaceButton")->isEnabled());
        t.fake.prompter.answerMessage(MsgResult::OK);
        r->findChild<QPushButton *>("replaceButton")->click(); // nothing found yet
        t.expectOneMessage("Replace?", "There are no text to replace", MsgIcon::Information);
        QVERIFY(!r->findChild<QPushButton *>("replaceButton")->isEnabled());
        r->findChild<QCheckBox *>("matchCaseCheck")->setChecked(true);
        findNextIn(r, "cd");
        QCOMPARE(t.selection(), QStringLiteral("5+2")); // "ab" CR LF: c stands at 5
        r->findChild<QPushButton *>("findNextButton")->click();
        QCOMPARE(t.selection(), QStringLiteral("12+2")); // Match Case passes "CD" over
        QVERIFY(r->findChild<QPushButton *>("replaceButton")->isEnabled());
        r->findChild<QLineEdit *>("replaceEdit")->setText("X");
        r->findChild<QPushButton *>("replaceButton")->click();
        QCOMPARE(t.text(), QStringLiteral("ab\ncd\nCD X"));
        QVERIFY(!r->findChild<QPushButton *>("replaceButton")->isEnabled());
        QVERIFY(documents(*t.w).state().fileChanged);
        r->findChild<QCheckBox *>("matchCaseCheck")->setChecked(false);
        t.fake.prompter.answerMessage(MsgResult::OK);
        r->findChild<QPushButton *>("findNextButton")->click(); // goes on after position 12: nothing
        QCOMPARE(t.fake.prompter.messages.size(), 2);
        t.expectLastMessage("No Match", "No Match were found", MsgIcon::Information);
        QVERIFY(!r->findChild<QPushButton *>("replaceButton")->isEnabled());
        r->findChild<QPushButton *>("findNextButton")->click(); // starts at the top again
        QCOMPARE(t.selection(), QStringLiteral("5+2"));
        r->findChild<QLineEdit *>("replaceEdit")->setText("");
        r->findChild<QPushButton *>("replaceButton")->click(); // an empty replacement deletes
        QCOMPARE(t.text(), QStringLiteral("ab\n\nCD X"));
        r->findChild<QPushButton *>("findNextButton")->click(); // from position 6, any case
        QCOMPARE(t.selection(), QStringLiteral("7+2"));
        // The text becomes shorter behind the dialog's back: the range is cut at the end.
        editor(*t.w).selectAllText();
        t.ed()->textCursor().insertText("ab\n\nC");
        r->findChild<QLineEdit *>("replaceEdit")->setText("Y");
        r->findChild<QPushButton *>("replaceButton")->click();
        QCOMPARE(t.text(), QStringLiteral("ab\n\nY"));
        QCOMPARE(t.fake.prompter.messages.size(), 2);
    }

    void replaceDialogRemembersAfterReopen()
    {
        Window t("xxxxxxxxx print print");
        ReplaceDialog *r = t.openReplace();
        findNextIn(r, "print");
        QCOMPARE(t.selection(), QStringLiteral("11+5"));
        r->findChild<QPushButton *>("closeButton")->click();
        QTRY_VERIFY(!search(*t.w).replaceDialog());
        r = t.openReplace();
        QCOMPARE(r->findChild<QLineEdit *>("findEdit")->text(), QString());
        findNextIn(r, "print");
        QCOMPARE(t.selection(), QStringLiteral("17+5")); // continued after position 11
    }

    void replaceButtonsOnEmptyText()
    {
        Window t("");
        ReplaceDialog *r = t.openReplace();
        QVERIFY(!r->findChild<QPushButton *>("findNextButton")->isEnabled());
        QVERIFY(!r->findChild<QPushButton *>("replaceButton")->isEnabled());
        QVERIFY(t.w->close()); // the close sequence closes the dialog too
        QTRY_VERIFY(!search(*t.w).replaceDialog());
    }
};

QTEST_MAIN(tst_Search)
#include "tst_search.moc"
