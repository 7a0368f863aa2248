#include "support/TestWindow.h"

using Kind = SubsLabelsIndex::Kind;

class tst_SubsLabels : public QObject {
    Q_OBJECT
private slots:

    void listsFollowEditsAndLeadToTheirLines()
    {
        TestWindow t("label top\nsub a()\nend sub\nsub a()\nlabel bottom");
        MainWindow &w = t.start();
        QCOMPARE(comboItems(subsList(w)), (QStringList{"a()", "a()"}));
        QCOMPARE(comboItems(labelsList(w)), (QStringList{"top", "bottom"}));
        // An entry leads to the start of the line after it (program offset 38, line
        // breaks counted twice); the last line has none after it: the end of the text.
        subsList(w)->setCurrentIndex(1);
        emit subsList(w)->activated(1);
        QCOMPARE((QList<int>{t.caret(), subsAndLabels(w).entryOffset(Kind::Sub, 1)}), (QList<int>{34, 38}));
        QVERIFY(!t.ed()->textCursor().hasSelection());
        t.ed()->moveCursor(QTextCursor::Up); // leaving the entry clears the choice
        QCOMPARE(subsList(w)->currentIndex(), -1);
        labelsList(w)->setCurrentIndex(1);
        QTest::keyClick(labelsList(w), Qt::Key_Shift); // a key released on the list goes there too
        QVERIFY(t.ed()->textCursor().atEnd());
        labelsList(w)->setCurrentIndex(-1);
        t.caretTo(0);
        emit labelsList(w)->activated(-1); // nothing chosen: nothing happens
        QCOMPARE(t.caret(), 0);
        // The lists follow every edit, Undo too; lines taken away move the rest up.
        t.insertAt(0, "label start\n");
        QCOMPARE(comboItems(labelsList(w)), (QStringList{"start", "top", "bottom"}));
        action(w, "editUndo")->trigger();
        QCOMPARE(indexLines(subsAndLabels(w).index().subs()), (QStringList{"1:a()", "3:a()"}));
        QCOMPARE(statusBar(w)->tabMessage(0), QStringLiteral("Done"));
        // Switched off, the lists stay as they are until rebuilt by hand or switched on.
        action(w, "viewDisableUpdating")->setChecked(true);
        t.insertAt(0, "sub b()\n");
        QCOMPARE(comboItems(subsList(w)), (QStringList{"a()", "a()"}));
        action(w, "viewUpdateSubsLabels")->trigger();
        QCOMPARE(comboItems(subsList(w)), (QStringList{"b()", "a()", "a()"}));
        t.insertAt(0, "sub c()\n");
        action(w, "viewDisableUpdating")->setChecked(false);
        t.insertAt(0, "x"); // the first change after switching on rebuilds everything
        QCOMPARE(indexLines(subsAndLabels(w).index().subs()), (QStringList{"1:b()", "3:a()", "5:a()"}));

        const QList<std::pair<QString, QString>> lines{
            {"sub drawBox(x, y)", "sub:drawBox(x, y)"},
            {"   Label   mainloop", "label:mainloop"}, // indented, blanks after the keyword
            {"SUB a() // comment  ", "sub:a() // comment  "},
            {"subtotal = 3", ""}, // no blank after the keyword
            {"\tsub a()", ""},
            {"export sub name()", ""},
            {"sub", ""},
            {"sub ", "sub:"}};
        for (const auto &[line, result] : lines) {
            const auto d = SubsLabelsIndex::parseDefinition(line);
            QCOMPARE(!d ? QString() : (d->first == Kind::Sub ? "sub:" : "label:") + d->second, result);
        }
    }

    // The clock says how long a rebuild took: progress every 100 lines; slower than half a second
    // switches the lists off; half a second exactly keeps them on.
    void progressAndSlowRebuildSwitchOff()
    {
        const QString wait = QStringLiteral("Updating subs and labels list... Please wait");
        const QStringList progress = {wait, wait + " (Done Line 100)", wait + " (Done Line 200)", "Done"};
        const QList<std::tuple<int, double, QStringList, bool>> rebuilds{{250, 0.6, progress, true},
                                                                        {20, 0.5, {"Done"}, false}};
        for (const auto &[lines, seconds, messages, switchedOff] : rebuilds) {
            QByteArray text;
            for (int i = 0; i < lines; ++i)
                text += "sub s" + QByteArray::number(i) + "()\n";
            TestWindow t(text);
            MainWindow &w = t.start();
            // The debug tab is shown: the rebuild's messages go to the code tab's own message.
            tabBar(w)->setCurrentIndex(1);
            statusBar(w)->setTabMessage(1, "Debug");
            double now = 10;
            subsAndLabels(w).setClock([&, seconds = seconds] { return now += seconds; });
            QSignalSpy said(&subsAndLabels(w), &SubsAndLabels::statusMessage);
            action(w, "viewUpdateSubsLabels")->trigger();
            QStringList got;
            for (const QList<QVariant> &args : said)
                got << args.at(0).toString();
            QCOMPARE(got, messages);
            QVERIFY(subsList(w)->count() == lines && action(w, "viewDisableUpdating")->isChecked() == switchedOff);
            QCOMPARE(statusBar(w)->tabMessage(0) + "|" + panel(w, 1), QStringLiteral("Done|Debug"));
        }
    }
};

QTEST_MAIN(tst_SubsLabels)
#include "tst_subslabels.moc"
