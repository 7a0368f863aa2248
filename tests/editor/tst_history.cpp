#include "editor/core/EditHistory.h"
#include "editor/core/SnapshotStack.h"

#include <QtTest>

// Undo and redo over whole-text snapshots, checked as scripted sequences.
class tst_History : public QObject {
    Q_OBJECT
private slots:
    void stackBasics();
    void stackKeepsTheLast500();
    void pushChangesMatchesWholePush_data();
    void pushChangesMatchesWholePush();
    void diffTexts_data();
    void diffTexts();
    void undoRightAfterStartEmptiesAndRedoRestores();
    void typingUndoRedoSequence();
    void changeAfterUndoEmptiesRedo();
    void silentChangesAreNoStep();
    void historyOfALargeTextStaysSmall();
};

void tst_History::stackBasics()
{
    SnapshotStack s;
    QVERIFY(s.stackIsEmpty());
    QCOMPARE(s.pop(), QString());
    s.push("a");
    s.push("ab");
    s.push("");
    s.push("xyz");
    QCOMPARE(s.count(), 4);
    QCOMPARE(s.pop(), QStringLiteral("xyz"));
    QCOMPARE(s.pop(), QString());
    QCOMPARE(s.pop(), QStringLiteral("ab"));
    QCOMPARE(s.pop(), QStringLiteral("a"));
    QVERIFY(s.stackIsEmpty());
    s.push("q");
    s.clear();
    QVERIFY(s.stackIsEmpty());
    QCOMPARE(s.pop(), QString());
}

void tst_History::stackKeepsTheLast500()
{
    SnapshotStack s;
    for (int i = 1; i <= 501; ++i)
        s.push(QString::number(i));
    QCOMPARE(s.count(), 500);
    for (int i = 501; i >= 2; --i)
        QCOMPARE(s.pop(), QString::number(i));
    QVERIFY(s.stackIsEmpty());
    QCOMPARE(s.pop(), QString());
}

void tst_History::pushChangesMatchesWholePush_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QList<int>>("script"); // triples: pos, removed, inserted length (inserted = 'x's)
    QTest::newRow("type") << "hello" << QList<int>{5, 0, 1};
    QTest::newRow("delete first") << "hello" << QList<int>{0, 1, 0};
    QTest::newRow("replace middle") << "hello world" << QList<int>{3, 4, 2};
    QTest::newRow("two changes apart") << "abcdefghij" << QList<int>{1, 1, 0, 7, 0, 3};
    QTest::newRow("changes that overlap") << "abcdefghij" << QList<int>{2, 3, 4, 3, 2, 0};
    QTest::newRow("insert into empty") << "" << QList<int>{0, 0, 4};
    QTest::newRow("delete everything") << "abc" << QList<int>{0, 3, 0};
}

void tst_History::pushChangesMatchesWholePush()
{
    QFETCH(QString, start);
    QFETCH(QList<int>, script);
    std::vector<TextChange> changes;
    QString text = start;
    for (int i = 0; i + 2 < script.size(); i += 3) {
        TextChange c{script[i], script[i + 1], QString(script[i + 2], QLatin1Char('x'))};
        text.replace(c.pos, c.removed, c.inserted);
        changes.push_back(c);
    }
    SnapshotStack s;
    s.push("older");
    s.push(start);
    s.pushChanges(changes);
    QCOMPARE(s.count(), 3);
    QCOMPARE(s.top(), text);
    QCOMPARE(s.pop(), text);
    QCOMPARE(s.pop(), start);
    QCOMPARE(s.pop(), QStringLiteral("older"));
}

void tst_History::diffTexts_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("same") << "abc" << "abc";
    QTest::newRow("insert") << "abc" << "abXc";
    QTest::newRow("repeated letters") << "aaaa" << "aaaaa";
    QTest::newRow("long common parts") << QString(1000, 'a') + "x" + QString(1000, 'b') << QString(1000, 'a') + QString(1000, 'b');
    QTest::newRow("to empty") << "abc" << "";
    QTest::newRow("from empty") << "" << "abc";
}

void tst_History::diffTexts()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    const TextChange d = ::diffTexts(from, to);
    QString applied = from;
    applied.replace(d.pos, d.removed, d.inserted);
    QCOMPARE(applied, to);
    QVERIFY(d.inserted.size() <= to.size());
    QVERIFY(d.removed + d.inserted.size() <= std::max(from.size(), to.size()) + 1);
}

void tst_History::undoRightAfterStartEmptiesAndRedoRestores()
{
    EditHistory h;
    QString editor = "print 1";
    const auto get = [&] { return editor; };
    h.reset(editor);
    QCOMPARE(h.undoStack.count(), 1);
    editor = *h.undo(get);
    QCOMPARE(editor, QString());
    QVERIFY(h.undoStack.stackIsEmpty());
    QCOMPARE(h.redoStack.count(), 2);
    QVERIFY(!h.undo(get));
    editor = *h.redo(get);
    QCOMPARE(editor, QStringLiteral("print 1"));
}

void tst_History::typingUndoRedoSequence()
{
    EditHistory h;
    QString editor = "ab";
    const auto get = [&] { return editor; };
    h.reset(editor);
    auto type = [&](int pos, const QString &s) {
        TextChange c{pos, 0, s};
        editor.insert(pos, s);
        h.recordChange(c, get);
    };
    type(2, "c");
    type(3, "d");
    QCOMPARE(h.undoStack.count(), 3);
    // The top is the current state, so the first Undo goes one further back.
    editor = *h.undo(get);
    QCOMPARE(editor, QStringLiteral("abc"));
    QCOMPARE(h.undoStack.count(), 1);
    QCOMPARE(h.redoStack.count(), 2);
    editor = *h.undo(get);
    QCOMPARE(editor, QStringLiteral("ab"));
    QCOMPARE(h.undoStack.count(), 0);
    QCOMPARE(h.redoStack.count(), 3);
    editor = *h.redo(get);
    QCOMPARE(editor, QStringLiteral("abc"));
    QCOMPARE(h.redoStack.count(), 1);
    QCOMPARE(h.undoStack.count(), 2);
    editor = *h.redo(get);
    QCOMPARE(editor, QStringLiteral("abcd"));
    QVERIFY(h.redoStack.stackIsEmpty());
}

void tst_History::changeAfterUndoEmptiesRedo()
{
    EditHistory h;
    QString editor = "x";
    int fetches = 0;
    const auto get = [&] {
        ++fetches;
        return editor;
    };
    h.reset(editor);
    editor = "xy";
    h.recordChange({1, 0, "y"}, get);
    editor = *h.undo(get);
    QCOMPARE(editor, QStringLiteral("x"));
    QVERIFY(!h.redoStack.stackIsEmpty());
    editor = "xz";
    h.recordChange({1, 0, "z"}, get);
    QVERIFY(h.redoStack.stackIsEmpty());
    QCOMPARE(h.undoStack.top(), QStringLiteral("xz"));
    QCOMPARE(h.undoStack.count(), 1); // "x" went to the redo stack, which the change emptied
    editor = *h.undo(get);
    QCOMPARE(editor, QString());
    editor = *h.redo(get);
    QCOMPARE(editor, QStringLiteral("xz"));
    QVERIFY(fetches <= 1); // the editor text was only needed once, after the Undo
}

void tst_History::silentChangesAreNoStep()
{
    EditHistory h;
    QString editor = "  a";
    const auto get = [&] { return editor; };
    h.reset(editor);
    editor = "  a\n";
    h.recordChange({3, 0, "\n"}, get);
    editor = "  a\n  "; // the indentation after Enter
    h.recordSilentChange({4, 0, "  "});
    editor = "  a\n  b";
    h.recordChange({6, 0, "b"}, get);
    QCOMPARE(h.undoStack.count(), 3);
    QCOMPARE(h.undoStack.top(), QStringLiteral("  a\n  b"));
    editor = *h.undo(get);
    QCOMPARE(editor, QStringLiteral("  a\n"));
    // Undo with the indentation not yet followed by a step: the top is not the current text.
    editor = "  a\n  ";
    EditHistory g;
    g.reset("  a");
    g.recordChange({3, 0, "\n"}, [] { return QStringLiteral("  a\n"); });
    g.recordSilentChange({4, 0, "  "});
    const QString back = *g.undo([] { return QStringLiteral("  a\n  "); });
    QCOMPARE(back, QStringLiteral("  a\n"));
    QCOMPARE(g.undoStack.count(), 1);
}

void tst_History::historyOfALargeTextStaysSmall()
{
    QString editor = QString("print \"hello\"\n").repeated(20000);
    const auto get = [&] { return editor; };
    EditHistory h;
    h.reset(editor);
    for (int i = 0; i < 500; ++i) {
        const int pos = (i * 7919) % editor.size();
        editor.insert(pos, QLatin1Char('x'));
        h.recordChange({pos, 0, "x"}, get);
    }
    QCOMPARE(h.undoStack.count(), 500);
    // One whole text plus one character per step, not 500 copies.
    QVERIFY(h.undoStack.heldCharacters() < editor.size() + 2000);
    for (int i = 0; i < 499; ++i)
        editor = *h.undo(get);
    QCOMPARE(editor.count('x'), 1);
}

QTEST_APPLESS_MAIN(tst_History)
#include "tst_history.moc"
