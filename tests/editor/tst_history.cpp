#include "editor/EditHistory.h"
#include "editor/clsStack.h"

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
    clsStack s;
    QVERIFY(s.StackIsEmpty());
    QCOMPARE(s.Pop(), QString());
    s.Push("a");
    s.Push("ab");
    s.Push("");
    s.Push("xyz");
    QCOMPARE(s.Count(), 4);
    QCOMPARE(s.Pop(), QStringLiteral("xyz"));
    QCOMPARE(s.Pop(), QString());
    QCOMPARE(s.Pop(), QStringLiteral("ab"));
    QCOMPARE(s.Pop(), QStringLiteral("a"));
    QVERIFY(s.StackIsEmpty());
    s.Push("q");
    s.Clear();
    QVERIFY(s.StackIsEmpty());
    QCOMPARE(s.Pop(), QString());
}

void tst_History::stackKeepsTheLast500()
{
    clsStack s;
    for (int i = 1; i <= 501; ++i)
        s.Push(QString::number(i));
    QCOMPARE(s.Count(), 500);
    for (int i = 501; i >= 2; --i)
        QCOMPARE(s.Pop(), QString::number(i));
    QVERIFY(s.StackIsEmpty());
    QCOMPARE(s.Pop(), QString());
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
    clsStack s;
    s.Push("older");
    s.Push(start);
    s.PushChanges(changes);
    QCOMPARE(s.Count(), 3);
    QCOMPARE(s.Top(), text);
    QCOMPARE(s.Pop(), text);
    QCOMPARE(s.Pop(), start);
    QCOMPARE(s.Pop(), QStringLiteral("older"));
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
    const TextChange d = DiffTexts(from, to);
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
    h.Reset(editor);
    QCOMPARE(h.UndoStack.Count(), 1);
    editor = *h.Undo(get);
    QCOMPARE(editor, QString());
    QVERIFY(h.UndoStack.StackIsEmpty());
    QCOMPARE(h.RedoStack.Count(), 2);
    QVERIFY(!h.Undo(get));
    editor = *h.Redo(get);
    QCOMPARE(editor, QStringLiteral("print 1"));
}

void tst_History::typingUndoRedoSequence()
{
    EditHistory h;
    QString editor = "ab";
    const auto get = [&] { return editor; };
    h.Reset(editor);
    auto type = [&](int pos, const QString &s) {
        TextChange c{pos, 0, s};
        editor.insert(pos, s);
        h.RecordChange(c, get);
    };
    type(2, "c");
    type(3, "d");
    QCOMPARE(h.UndoStack.Count(), 3);
    // The top is the current state, so the first Undo goes one further back.
    editor = *h.Undo(get);
    QCOMPARE(editor, QStringLiteral("abc"));
    QCOMPARE(h.UndoStack.Count(), 1);
    QCOMPARE(h.RedoStack.Count(), 2);
    editor = *h.Undo(get);
    QCOMPARE(editor, QStringLiteral("ab"));
    QCOMPARE(h.UndoStack.Count(), 0);
    QCOMPARE(h.RedoStack.Count(), 3);
    editor = *h.Redo(get);
    QCOMPARE(editor, QStringLiteral("abc"));
    QCOMPARE(h.RedoStack.Count(), 1);
    QCOMPARE(h.UndoStack.Count(), 2);
    editor = *h.Redo(get);
    QCOMPARE(editor, QStringLiteral("abcd"));
    QVERIFY(h.RedoStack.StackIsEmpty());
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
    h.Reset(editor);
    editor = "xy";
    h.RecordChange({1, 0, "y"}, get);
    editor = *h.Undo(get);
    QCOMPARE(editor, QStringLiteral("x"));
    QVERIFY(!h.RedoStack.StackIsEmpty());
    editor = "xz";
    h.RecordChange({1, 0, "z"}, get);
    QVERIFY(h.RedoStack.StackIsEmpty());
    QCOMPARE(h.UndoStack.Top(), QStringLiteral("xz"));
    QCOMPARE(h.UndoStack.Count(), 1); // "x" went to the redo stack, which the change emptied
    editor = *h.Undo(get);
    QCOMPARE(editor, QString());
    editor = *h.Redo(get);
    QCOMPARE(editor, QStringLiteral("xz"));
    QVERIFY(fetches <= 1); // the editor text was only needed once, after the Undo
}

void tst_History::silentChangesAreNoStep()
{
    EditHistory h;
    QString editor = "  a";
    const auto get = [&] { return editor; };
    h.Reset(editor);
    editor = "  a\n";
    h.RecordChange({3, 0, "\n"}, get);
    editor = "  a\n  "; // the indentation after Enter
    h.RecordSilentChange({4, 0, "  "});
    editor = "  a\n  b";
    h.RecordChange({6, 0, "b"}, get);
    QCOMPARE(h.UndoStack.Count(), 3);
    QCOMPARE(h.UndoStack.Top(), QStringLiteral("  a\n  b"));
    editor = *h.Undo(get);
    QCOMPARE(editor, QStringLiteral("  a\n"));
    // Undo with the indentation not yet followed by a step: the top is not the current text.
    editor = "  a\n  ";
    EditHistory g;
    g.Reset("  a");
    g.RecordChange({3, 0, "\n"}, [] { return QStringLiteral("  a\n"); });
    g.RecordSilentChange({4, 0, "  "});
    const QString back = *g.Undo([] { return QStringLiteral("  a\n  "); });
    QCOMPARE(back, QStringLiteral("  a\n"));
    QCOMPARE(g.UndoStack.Count(), 1);
}

void tst_History::historyOfALargeTextStaysSmall()
{
    QString editor = QString("print \"hello\"\n").repeated(20000);
    const auto get = [&] { return editor; };
    EditHistory h;
    h.Reset(editor);
    for (int i = 0; i < 500; ++i) {
        const int pos = (i * 7919) % editor.size();
        editor.insert(pos, QLatin1Char('x'));
        h.RecordChange({pos, 0, "x"}, get);
    }
    QCOMPARE(h.UndoStack.Count(), 500);
    // One whole text plus one character per step, not 500 copies.
    QVERIFY(h.UndoStack.HeldCharacters() < editor.size() + 2000);
    for (int i = 0; i < 499; ++i)
        editor = *h.Undo(get);
    QCOMPARE(editor.count('x'), 1);
}

QTEST_APPLESS_MAIN(tst_History)
#include "tst_history.moc"
