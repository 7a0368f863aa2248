#include "search/core/SubsLabelsIndex.h"
#include "support/TestWindow.h"

#include <QRandomGenerator>
#include <QTextBlock>

namespace {
using Kind = SubsLabelsIndex::Kind;

QStringList displays(const std::vector<SubsLabelsIndex::Entry> &list)
{
    QStringList out;
    for (const auto &e : list)
        out << QString::number(e.line) + ":" + e.display;
    return out;
}

struct Window : TestWindow {
    explicit Window(const QByteArray &text) : TestWindow(text) { start(); }
    static QStringList items(QComboBox *c)
    {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }
    QStringList subs() const { return items(subsList(*w)); }
    QStringList labels() const { return items(labelsList(*w)); }
    QStringList indexedSubs() const { return displays(subsAndLabels(*w).index().subs()); }
};
} // namespace

class tst_SubsLabels : public QObject {
    Q_OBJECT
private slots:
    void definitions_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("result"); // "sub:x", "label:x" or ""
        QTest::newRow("sub") << "sub drawBox(x, y)" << "sub:drawBox(x, y)";
        QTest::newRow("indented label, blanks after keyword") << "   Label   mainloop" << "label:mainloop";
        QTest::newRow("upper case") << "SUB a() // comment  " << "sub:a() // comment  ";
        QTest::newRow("no blank after keyword") << "subtotal = 3" << "";
        QTest::newRow("tab indentation") << "\tsub a()" << "";
        QTest::newRow("export sub") << "export sub name()" << "";
        QTest::newRow("keyword alone") << "sub" << "";
        QTest::newRow("keyword and blank") << "sub " << "sub:";
        QTest::newRow("empty") << "" << "";
    }
    void definitions()
    {
        QFETCH(QString, line);
        QFETCH(QString, result);
        const auto d = SubsLabelsIndex::parseDefinition(line);
        QCOMPARE(!d ? QString() : (d->first == Kind::Sub ? "sub:" : "label:") + d->second, result);
    }

    void choosingAnEntryMovesTheCaret()
    {
        Window t("label top\nsub a()\nend sub\nsub a()\nlabel bottom");
        QCOMPARE(t.subs(), (QStringList{"a()", "a()"}));
        QCOMPARE(t.labels(), (QStringList{"top", "bottom"}));
        // An entry leads to the start of the line after it, line breaks counted twice;
        // the last line has none after it, so its entry leads to the end of the text.
        const SubsAndLabels &s = subsAndLabels(*t.w);
        QCOMPARE(s.entryOffset(Kind::Label, 0), 11);
        QCOMPARE(s.entryOffset(Kind::Sub, 1), 38);
        QCOMPARE(s.entryOffset(Kind::Label, 1), EditorText::modelLength(t.ed()->document()));
        QCOMPARE(s.entryOffset(Kind::Sub, 5), -1);
        subsList(*t.w)->setCurrentIndex(0);
        emit subsList(*t.w)->activated(0);
        QCOMPARE(t.caret(), 18);
        QVERIFY(!t.ed()->textCursor().hasSelection());
        QCOMPARE(subsList(*t.w)->currentIndex(), 0);
        t.ed()->moveCursor(QTextCursor::Down); // leaving the entry clears the choice
        QCOMPARE(subsList(*t.w)->currentIndex(), -1);
        labelsList(*t.w)->setCurrentIndex(1);
        QTest::keyClick(labelsList(*t.w), Qt::Key_Shift); // a key released on the list goes there too
        QVERIFY(t.ed()->textCursor().atEnd());
        labelsList(*t.w)->setCurrentIndex(-1);
        t.caretTo(0);
        emit labelsList(*t.w)->activated(-1); // nothing chosen: nothing happens
        QCOMPARE(t.caret(), 0);
    }

    void followsEveryEdit()
    {
        Window t("print 1\n");
        QCOMPARE(t.subs(), QStringList{});
        t.insertAt(7, "\nsub go()");
        QCOMPARE(t.subs(), QStringList{"go()"});
        t.insertAt(0, "label start\n");
        QCOMPARE(t.labels(), QStringList{"start"});
        QCOMPARE(t.indexedSubs(), QStringList{"2:go()"});
        action(*t.w, "editUndo")->trigger();
        QCOMPARE(t.labels(), QStringList{});
        QCOMPARE(t.indexedSubs(), QStringList{"1:go()"});
        QCOMPARE(statusBar(*t.w)->tabMessage(0), QStringLiteral("Done"));
    }

    void incrementalEqualsFullRebuild()
    {
        // Random edits: the lists kept from changed lines equal a rebuild from scratch.
        Window t("sub a()\nlabel b\nprint 1\n");
        QTextDocument *doc = t.ed()->document();
        const QStringList pieces = {"sub x()\n", "label y\n", "\n", "su", "b ", "label", " z", "x", "\nsub q()"};
        QRandomGenerator rng(7);
        for (int i = 0; i < 150; ++i) {
            QTextCursor c(doc);
            const int len = doc->characterCount() - 1;
            c.setPosition(int(rng.bounded(len + 1)));
            if (rng.bounded(3) == 0 && len > 0) {
                c.setPosition(std::min(len, c.position() + int(rng.bounded(9))), QTextCursor::KeepAnchor);
                c.removeSelectedText();
            } else {
                c.insertText(pieces.at(int(rng.bounded(pieces.size()))));
            }
            SubsLabelsIndex fresh;
            fresh.rebuild(doc->blockCount(), [doc](int n) { return doc->findBlockByNumber(n).text(); });
            QCOMPARE(t.indexedSubs(), displays(fresh.subs()));
            QCOMPARE(displays(subsAndLabels(*t.w).index().labels()), displays(fresh.labels()));
            QCOMPARE(subsList(*t.w)->count(), int(fresh.subs().size()));
            QCOMPARE(labelsList(*t.w)->count(), int(fresh.labels().size()));
        }
    }

    void disabledUpdatingFreezesTheLists()
    {
        Window t("sub a()\n");
        action(*t.w, "viewDisableUpdating")->setChecked(true);
        QVERIFY(subsAndLabels(*t.w).updatingDisabled());
        t.insertAt(0, "sub b()\n");
        QCOMPARE(t.subs(), QStringList{"a()"});
        action(*t.w, "viewUpdateSubsLabels")->trigger(); // the menu item rebuilds regardless
        QCOMPARE(t.subs(), (QStringList{"b()", "a()"}));
        t.insertAt(0, "sub c()\n");
        action(*t.w, "viewDisableUpdating")->setChecked(false);
        t.insertAt(0, "x"); // the first change after switching on rebuilds everything
        QCOMPARE(t.subs(), (QStringList{"b()", "a()"})); // "xsub c()" is no definition
        t.insertAt(0, "\n");
        QCOMPARE(t.indexedSubs(), (QStringList{"2:b()", "3:a()"}));
    }

    void progressAndSlowRebuildSwitchOff_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<double>("seconds"); // what the clock says the rebuild took
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("switchedOff");
        const QString wait = QStringLiteral("Updating subs and labels list... Please wait");
        const QStringList progress = {wait, wait + " (Done Line 100)", wait + " (Done Line 200)", "Done"};
        QTest::newRow("short text: no progress") << 20 << 0.0 << QStringList{"Done"} << false;
        QTest::newRow("long text: progress every 100 lines") << 250 << 0.1 << progress << false;
        QTest::newRow("slower than half a second: switched off") << 250 << 0.6 << progress << true;
        QTest::newRow("exactly half a second: kept on") << 20 << 0.5 << QStringList{"Done"} << false;
    }
    void progressAndSlowRebuildSwitchOff()
    {
        QFETCH(int, lines);
        QFETCH(double, seconds);
        QFETCH(QStringList, messages);
        QFETCH(bool, switchedOff);
        QByteArray text;
        for (int i = 0; i < lines; ++i)
            text += "sub s" + QByteArray::number(i) + "()\n";
        Window t(text);
        // The debug tab is shown: the rebuild's messages go to the code tab's own message.
        tabBar(*t.w)->setCurrentIndex(1);
        statusBar(*t.w)->setTabMessage(1, "Debug");
        SubsAndLabels &s = subsAndLabels(*t.w);
        double now = 10;
        s.setClock([&] { return now += seconds; });
        QSignalSpy said(&s, &SubsAndLabels::statusMessage);
        action(*t.w, "viewUpdateSubsLabels")->trigger();
        QStringList got;
        for (const QList<QVariant> &args : said)
            got << args.at(0).toString();
        QCOMPARE(got, messages);
        QCOMPARE(subsList(*t.w)->count(), lines);
        QCOMPARE(s.updatingDisabled(), switchedOff);
        QCOMPARE(action(*t.w, "viewDisableUpdating")->isChecked(), switchedOff);
        QCOMPARE(statusBar(*t.w)->tabMessage(0), QStringLiteral("Done"));
        QCOMPARE(panel(*t.w, 1), QStringLiteral("Debug"));
    }
};

QTEST_MAIN(tst_SubsLabels)
#include "tst_subslabels.moc"
