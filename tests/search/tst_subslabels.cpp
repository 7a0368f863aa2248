#include "app/MainWindow.h"
#include "app/MainStatusBar.h"
#include "editor/CodeEditor.h"
#include "editor/EditorText.h"
#include "search/SubsAndLabels.h"
#include "search/core/SubsLabelsIndex.h"
#include "support/FakeServices.h"
#include "support/WindowProbe.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QRandomGenerator>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QtTest>

namespace {
using Kind = SubsLabelsIndex::Kind;

QStringList displays(const std::vector<SubsLabelsIndex::Entry> &list)
{
    QStringList out;
    for (const auto &e : list)
        out << QString::number(e.line) + ":" + e.display;
    return out;
}

struct Window {
    FakeServices fake;
    std::unique_ptr<MainWindow> w;
    explicit Window(const QByteArray &text)
    {
        fake.writeFile("Template.yab", text);
        w = std::make_unique<MainWindow>(fake.services);
        w->start();
    }
    QComboBox *subs() { return subsList(*w); }
    QComboBox *labels() { return labelsList(*w); }
    QStringList items(QComboBox *c)
    {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }
    void typeAt(int qtPos, const QString &s)
    {
        QTextCursor c(codeEditor(*w)->document());
        c.setPosition(qtPos);
        c.insertText(s);
    }
};
} // namespace

class tst_SubsLabels : public QObject {
    Q_OBJECT
private slots:
    void definitions_data();
    void definitions();
    void listsAndOffsets();
    void choosingMovesTheCaret();
    void followsEveryEdit();
    void incrementalEqualsFullRebuild();
    void disabledUpdatingFreezesTheLists();
    void shortTextHasNoProgress();
    void progressAndSlowRebuildSwitchOff();
    void debugTabKeepsItsMessage();
};

void tst_SubsLabels::definitions_data()
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

void tst_SubsLabels::definitions()
{
    QFETCH(QString, line);
    QFETCH(QString, result);
    const auto d = SubsLabelsIndex::parseDefinition(line);
    const QString got = !d ? QString() : (d->first == Kind::Sub ? "sub:" : "label:") + d->second;
    QCOMPARE(got, result);
}

void tst_SubsLabels::listsAndOffsets()
{
    Window t("sub first()\nprint 1\nlabel here\nsub first()\nlabel last");
    QCOMPARE(t.items(t.subs()), (QStringList{"first()", "first()"}));
    QCOMPARE(t.items(t.labels()), (QStringList{"here", "last"}));
    SubsAndLabels &s = subsAndLabels(*t.w);
    QCOMPARE(s.entryOffset(Kind::Sub, 0), 13);  // "sub first()" CR LF
    QCOMPARE(s.entryOffset(Kind::Label, 0), 34);
    // The last line has no line break after it: its entry leads to the end of the text.
    QCOMPARE(s.entryOffset(Kind::Label, 1), int(EditorText::modelText(codeEditor(*t.w)->document()).size()));
    QCOMPARE(s.entryOffset(Kind::Sub, 5), -1);
}

void tst_SubsLabels::choosingMovesTheCaret()
{
    Window t("label top\nsub a()\nend sub\nlabel bottom");
    t.subs()->setCurrentIndex(0);
    emit t.subs()->activated(0);
    QTextCursor c = codeEditor(*t.w)->textCursor();
    QCOMPARE(c.blockNumber(), 2);
    QCOMPARE(c.positionInBlock(), 0);
    QVERIFY(!c.hasSelection());
    t.labels()->setCurrentIndex(1);
    QTest::keyClick(t.labels(), Qt::Key_Shift); // a key released on the list goes there too
    c = codeEditor(*t.w)->textCursor();
    QVERIFY(c.atEnd());
    t.labels()->setCurrentIndex(-1);
    emit t.labels()->activated(-1); // nothing chosen: nothing happens
    QVERIFY(codeEditor(*t.w)->textCursor().atEnd());
}

void tst_SubsLabels::followsEveryEdit()
{
    Window t("print 1\n");
    QCOMPARE(t.subs()->count(), 0);
    t.typeAt(7, "\nsub go()");
    QCOMPARE(t.items(t.subs()), QStringList{"go()"});
    t.typeAt(0, "label start\n");
    QCOMPARE(t.items(t.labels()), QStringList{"start"});
    QCOMPARE(displays(subsAndLabels(*t.w).index().subs()), QStringList{"2:go()"});
    editor(*t.w).undoEdit();
    QCOMPARE(t.items(t.labels()), QStringList{});
    QCOMPARE(t.w->statusMessages[1], QStringLiteral("Done"));
}

void tst_SubsLabels::incrementalEqualsFullRebuild()
{
    // Random edits: the lists kept from changed lines equal a rebuild from scratch.
    Window t("sub a()\nlabel b\nprint 1\n");
    const QStringList pieces = {"sub x()\n", "label y\n", "\n", "su", "b ", "label", " z", "x", "\nsub q()"};
    QRandomGenerator rng(7);
    for (int i = 0; i < 300; ++i) {
        QTextCursor c(codeEditor(*t.w)->document());
        const int len = codeEditor(*t.w)->document()->characterCount() - 1;
        c.setPosition(int(rng.bounded(len + 1)));
        if (rng.bounded(3) == 0 && len > 0) {
            c.setPosition(std::min(len, c.position() + int(rng.bounded(6))), QTextCursor::KeepAnchor);
            c.removeSelectedText();
        } else {
            c.insertText(pieces.at(int(rng.bounded(pieces.size()))));
        }
        const QStringList subs = displays(subsAndLabels(*t.w).index().subs());
        const QStringList labels = displays(subsAndLabels(*t.w).index().labels());
        SubsLabelsIndex fresh;
        const QTextDocument *doc = codeEditor(*t.w)->document();
        fresh.rebuild(doc->blockCount(), [doc](int n) { return doc->findBlockByNumber(n).text(); });
        QCOMPARE(subs, displays(fresh.subs()));
        QCOMPARE(labels, displays(fresh.labels()));
        QCOMPARE(t.subs()->count(), int(fresh.subs().size()));
    }
}

void tst_SubsLabels::disabledUpdatingFreezesTheLists()
{
    Window t("sub a()\n");
    action(*t.w, "viewDisableUpdating")->setChecked(true);
    t.typeAt(0, "sub b()\n");
    QCOMPARE(t.items(t.subs()), QStringList{"a()"});
    action(*t.w, "viewUpdateSubsLabels")->trigger(); // the menu item rebuilds regardless
    QCOMPARE(t.items(t.subs()), (QStringList{"b()", "a()"}));
    t.typeAt(0, "sub c()\n");
    action(*t.w, "viewDisableUpdating")->setChecked(false);
    t.typeAt(0, "x");
    QCOMPARE(t.items(t.subs()), (QStringList{"b()", "a()"}));  // "xsub c()" is no definition
    t.typeAt(0, "\n");
    QCOMPARE(t.items(t.subs()), (QStringList{"b()", "a()"}));
    t.w->updateSubsAndLabels();
    QCOMPARE(t.items(t.subs()), (QStringList{"b()", "a()"}));
}

void tst_SubsLabels::shortTextHasNoProgress()
{
    Window t("");
    QCOMPARE(t.subs()->count(), 0);
    QCOMPARE(t.labels()->count(), 0);
    t.w->updateSubsAndLabels();
    QCOMPARE(t.w->statusMessages[1], QStringLiteral("Done"));
}

void tst_SubsLabels::progressAndSlowRebuildSwitchOff()
{
    // A list object over its own widgets, with a clock that jumps.
    double now = 0;
    QStringList messages;
    SubsAndLabels::Hooks hooks;
    hooks.status = [&](const QString &m) { messages << m; };
    hooks.clock = [&] { return now += 0.6; };
    QAction disable;
    disable.setCheckable(true);
    QComboBox subs, labels;
    QPlainTextEdit editor;
    QByteArray text;
    for (int i = 0; i < 250; ++i)
        text += "sub s" + QByteArray::number(i) + "()\n";
    editor.setPlainText(QString::fromLatin1(text));
    SubsAndLabels list(&editor, &subs, &labels, &disable, hooks);
    list.updateSubsAndLabels();
    QVERIFY(disable.isChecked()); // more than half a second went by
    QCOMPARE(messages, (QStringList{"Updating subs and labels list... Please wait",
                                    "Updating subs and labels list... Please wait (Done Line 100)",
                                    "Updating subs and labels list... Please wait (Done Line 200)",
                                    "Done"}));
    QCOMPARE(subs.count(), 250);
    // A quick one leaves it as it is.
    disable.setChecked(false);
    hooks.clock = [] { return 1.0; };
    SubsAndLabels quick(&editor, &subs, &labels, &disable, hooks);
    quick.updateSubsAndLabels();
    QVERIFY(!disable.isChecked());
}

void tst_SubsLabels::debugTabKeepsItsMessage()
{
    Window t("sub a()\n");
    tabBar(*t.w)->setCurrentIndex(1);
    t.w->updateSubsAndLabels();
    QCOMPARE(t.w->statusMessages[1], QStringLiteral("Done"));
    QCOMPARE(statusBar(*t.w)->panel(1)->text(), QStringLiteral("Done")); // tab 2's own message
    t.w->statusMessages[2] = "Debug";
    t.w->showStatusMessage();
    t.w->updateSubsAndLabels();
    QCOMPARE(statusBar(*t.w)->panel(1)->text(), QStringLiteral("Debug"));
}

QTEST_MAIN(tst_SubsLabels)
#include "tst_subslabels.moc"
