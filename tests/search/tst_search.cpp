#include "search/core/FindText.h"
#include "support/TestWindow.h"

template <class T = QPushButton> static T *in(QWidget *dialog, const char *name) { return dialog->findChild<T *>(name); }

class tst_Search : public QObject {
    Q_OBJECT
private slots:
    void findText()
    {
        const QList<std::tuple<QString, QString, int, bool, int>> cases{ // text, what, start, match case: found at
            {"a print b", "print", 1, true, 3},
            {"x PRINT", "Print", 1, false, 3},
            {"x PRINT", "Print", 1, true, 0},
            {"ab", "a", -5, true, 1}, // a start below 1 is 1
            {"ab", "a", 9, true, 0},
            {"x = a.*b (c)", ".*b (", 1, true, 6}, // regex characters are plain
            {"Grüße ÄRGER", "ärger", 1, false, 7},
            {"abc", "", 1, false, 0},
            {"KALIP", "kalip", 1, false, 1}}; // in English the capital of i is I
        for (const auto &[text, what, start, matchCase, found] : cases)
            QCOMPARE(FindText::find(text, what, start, matchCase), found);
        QLocale::setDefault(QLocale("tr_TR")); // the capital of dotless ı is I, and the capital of i is İ
        const QList<int> turkish{FindText::find("KALIP", "kalıp", 1, false),
                                 FindText::find("İSTANBUL", "istanbul", 1, false)};
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(turkish, (QList<int>{1, 1}));
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
        QTest::newRow("case off: every spelling (line breaks count twice), then back to the top")
            << three << "Print" << false << QStringList{"1+5", "10+5", "19+5", "none", "1+5"};
        QTest::newRow("match case: only the exact spelling") << three << "Print" << true << QStringList{"19+5", "none", "19+5"};
        QTest::newRow("no match at all") << "abc" << "zzz" << false << QStringList{"none"};
        // A cancelled Find keeps the selection and the search; its help button opens the help page.
        QTest::newRow("cancel and help keep the search") << "abc aBC abc" << "bc" << true << QStringList{"2+2", "cancel", "help", "10+2"};
    }
    void findAndFindNext()
    {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(bool, matchCase);
        QFETCH(QStringList, steps);
        TestWindow t(text.toUtf8());
        MainWindow &w = t.start();
        QVERIFY(!offered(w, "editMenu", "editFindNext"));
        search(w).findNext(); // before any Find: nothing, silently
        for (int i = 0; i < steps.size(); ++i) {
            const qsizetype asked = t.fake.prompter.messages.size();
            if (steps[i] == "cancel" || steps[i] == "help") {
                t.find("c", false, steps[i] == "cancel" ? "cancelButton" : "helpButton");
                QCOMPARE(t.selection(), steps[0]); // still the first Find's
                continue;
            }
            if (steps[i] == "none")
                t.fake.prompter.answerMessage(MsgResult::OK);
            if (i == 0)
                t.find(what, matchCase);
            else if (offered(w, "editMenu", "editFindNext"))
                action(w, "editFindNext")->trigger();
            QCOMPARE(t.fake.prompter.messages.size(), asked + (steps[i] == "none"));
            if (steps[i] == "none") // the Find dialog's box has no icon; Find Next's has
                t.expectLastMessage("No Match", "No Match was Found", i == 0 ? MsgIcon::None : MsgIcon::Information);
            else
                QCOMPARE(t.selection() + t.ed()->textCursor().selectedText().toLower(), steps[i] + what.toLower());
        }
        QCOMPARE(t.fake.shell.opened, steps.contains("help") ? QStringList{t.fake.path("hlp00001.htm")} : QStringList());
    }

    void replaceScenario()
    {
        TestWindow t("ab\ncd\nCD cd");
        MainWindow &w = t.start();
        action(w, "editReplace")->trigger();
        ReplaceDialog *r = search(w).replaceDialog();
        const auto findNext = [&](const QString &what, bool matchCase) {
            in<QLineEdit>(r, "findEdit")->setText(what);
            in<QCheckBox>(r, "matchCaseCheck")->setChecked(matchCase);
            in(r, "findNextButton")->click();
        };
        const auto replace = [&](const QString &with) {
            in<QLineEdit>(r, "replaceEdit")->setText(with);
            in(r, "replaceButton")->click();
        };
        const auto next = [&](const char *s) { in(r, "findNextButton")->click(); QCOMPARE(t.selection(), QString(s)); };
        t.fake.prompter.answerMessage(MsgResult::OK);
        replace("X"); // nothing found yet
        t.expectOneMessage("Replace?", "There are no text to replace", MsgIcon::Information);
        QVERIFY(!in(r, "replaceButton")->isEnabled());
        findNext("cd", true);
        QCOMPARE(t.selection(), QStringLiteral("5+2")); // "ab" CR LF: c stands at 5
        next("12+2"); // Match Case passes "CD" over
        replace("X");
        QCOMPARE(t.text(), QStringLiteral("ab\ncd\nCD X"));
        QVERIFY(!in(r, "replaceButton")->isEnabled());
        t.fake.prompter.answerMessage(MsgResult::OK);
        findNext("cd", false); // goes on after position 12: nothing
        t.expectLastMessage("No Match", "No Match were found", MsgIcon::Information);
        next("5+2"); // starts at the top again
        replace(""); // an empty replacement deletes
        QCOMPARE(t.text(), QStringLiteral("ab\n\nCD X"));
        next("7+2"); // from position 6, any case
        // The text becomes shorter behind the dialog's back: the range is cut at the end.
        editor(w).selectAllText();
        t.ed()->textCursor().insertText("ab\n\nC");
        replace("Y");
        QCOMPARE(t.text(), QStringLiteral("ab\n\nY"));
        QCOMPARE(t.fake.prompter.messages.size(), 2);
        t.fake.prompter.answerMessage(MsgResult::No);
        QVERIFY(w.close()); // the close sequence closes the dialog too
        QTRY_VERIFY(!search(w).replaceDialog());
        TestWindow empty(""); // on an empty text there is nothing to find or replace
        action(empty.start(), "editReplace")->trigger();
        r = search(*empty.w).replaceDialog();
        QVERIFY(!in(r, "findNextButton")->isEnabled() && !in(r, "replaceButton")->isEnabled());
    }
};

QTEST_MAIN(tst_Search)
#include "tst_search.moc"
