#include "editor/core/EditHistory.h"
#include "editor/core/SnapshotStack.h"

#include <QtTest>

// Undo and redo over whole-text snapshots, checked as scripted sequences.
class tst_History : public QObject {
    Q_OBJECT
private slots:
    void stackKeepsTheNewest500()
    {
        SnapshotStack s;
        QCOMPARE(s.pop(), QString());
        s.push("");
        s.push("");
        QCOMPARE(s.count(), 2); // equal snapshots are still two steps
        s.clear();
        QVERIFY(s.stackIsEmpty());
        for (int i = 1; i <= 501; ++i) {
            s.push(QString::number(i).repeated(i % 3)); // some of them empty
            QCOMPARE(s.count(), std::min(i, 500));
        }
        // The oldest went; the others come back newest first, down to empty.
        for (int i = 501; i >= 2; --i) {
            QCOMPARE(s.pop(), QString::number(i).repeated(i % 3));
            QCOMPARE(s.count(), i - 2);
        }
        QVERIFY(s.stackIsEmpty());
        QCOMPARE(s.pop(), QString());
    }
    void pushChangesMatchesWholePush_data()
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
    void pushChangesMatchesWholePush()
    {
        QFETCH(QString, start);
        QFETCH(QList<int>, script);
        std::vector<TextChange> changes;
        QString text = start;
        for (int i = 0; i + 2 < script.size(); i += 3) {
            changes.push_back({script[i], script[i + 1], QString(script[i + 2], QLatin1Char('x'))});
            text.replace(changes.back().pos, changes.back().removed, changes.back().inserted);
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
    void diffTexts_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("size"); // characters removed and inserted
        QTest::newRow("same") << "abc" << "abc" << 0;
        QTest::newRow("insert") << "abc" << "abXc" << 1;
        QTest::newRow("repeated letters") << "aaaa" << "aaaaa" << 1;
        QTest::newRow("long common parts") << QString(1000, 'a') + "x" + QString(1000, 'b') << QString(1000, 'a') + QString(1000, 'b') << 1;
        QTest::newRow("to empty") << "abc" << "" << 3;
        QTest::newRow("from empty") << "" << "abc" << 3;
    }
    void diffTexts()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        const TextChange d = ::diffTexts(from, to);
        QCOMPARE(QString(from).replace(d.pos, d.removed, d.inserted), to);
        QTEST(int(d.removed + d.inserted.size()), "size"); // what both share at either end is left out
    }
    void undoRedoSequences_data()
    {
        // Steps: "+<pos>:<text>" types text, "~<pos>:<text>" inserts it with no history
        // step (automatic indentation), "u" Undo, "r" Redo. After every step:
        // "<editor text>|<undo count>|<redo count>", the text "none" when there was nothing to do.
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("maxFetches"); // how often the editor's text may be asked for
        QTest::newRow("undo and redo stop at the loaded text") << "print 1"
            << QStringList{"u", "r"} << QStringList{"none|1|0", "none|1|0"} << 0;
        QTest::newRow("typing, undo to the start and redo back") << "ab"
            << QStringList{"+2:c", "+3:d", "u", "u", "u", "r", "r", "r"}
            << QStringList{"abc|2|0", "abcd|3|0", "abc|1|2", "ab|0|3", "none|0|3", "abc|2|1", "abcd|3|0", "none|3|0"} << 0;
        QTest::newRow("a change after undo keeps the undone-to text and empties redo") << "x"
            << QStringList{"+1:y", "u", "+1:z", "r", "u", "r"}
            << QStringList{"xy|2|0", "x|0|2", "xz|2|0", "none|2|0", "x|0|2", "xz|2|0"} << 0;
        QTest::newRow("indentation is no step of its own") << "  a"
            << QStringList{"+3:\n", "~4:  ", "+6:b", "u"}
            << QStringList{"  a\n|2|0", "  a\n  |2|0", "  a\n  b|3|0", "  a\n|1|2"} << 0;
        QTest::newRow("undo right after indentation") << "  a"
            << QStringList{"+3:\n", "~4:  ", "u"}
            << QStringList{"  a\n|2|0", "  a\n  |2|0", "  a\n|1|1"} << 1;
    }
    void undoRedoSequences()
    {
        QFETCH(QString, start);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, after);
        QString editor = start;
        int fetches = 0;
        const auto get = [&] {
            ++fetches;
            return editor;
        };
        EditHistory h;
        h.reset(editor);
        for (int i = 0; i < steps.size(); ++i) {
            const QString &step = steps[i];
            QString shown = editor;
            if (step == "u" || step == "r") {
                const std::optional<QString> s = step == "u" ? h.undo(get) : h.redo(get);
                shown = s.value_or("none");
                editor = s.value_or(editor);
            } else {
                const TextChange c{step.mid(1, step.indexOf(':') - 1).toInt(), 0, step.mid(step.indexOf(':') + 1)};
                editor.insert(c.pos, c.inserted);
                shown = editor;
                if (step.startsWith('+'))
                    h.recordChange(c, get);
                else
                    h.recordSilentChange(c);
            }
            QCOMPARE(QStringLiteral("%1|%2|%3").arg(shown).arg(h.undoStack.count()).arg(h.redoStack.count()), after[i]);
        }
        QFETCH(int, maxFetches);
        QVERIFY2(fetches <= maxFetches, qPrintable(QString::number(fetches)));
    }
    void modifiedFollowsTheSavedState()
    {
        // "t" types, "u"/"r" Undo/Redo, "s" saves; after each step whether the text
        // differs from the saved one.
        QString editor = "a";
        const auto get = [&] { return editor; };
        EditHistory h;
        h.reset(editor);
        const auto run = [&](const QString &steps) {
            QString flags;
            for (const QChar step : steps) {
                if (step == 't') {
                    editor += 'x';
                    h.recordChange({int(editor.size()) - 1, 0, "x"}, get);
                } else if (step == 'u' || step == 'r') {
                    editor = (step == 'u' ? h.undo(get) : h.redo(get)).value_or(editor);
                } else if (step == 's') {
                    h.markSaved();
                }
                flags += h.isModified() ? '1' : '0';
            }
            return flags;
        };
        QCOMPARE(run("ttuurr"), QStringLiteral("111011")); // back at the loaded text: unchanged
        QCOMPARE(run("suu"), QStringLiteral("011"));     // saved after two: undo leaves it
        QCOMPARE(run("rr"), QStringLiteral("10"));
        QCOMPARE(run("ut"), QStringLiteral("11"));      // the saved state was in redo: gone
        QCOMPARE(run("uuuurrrr"), QStringLiteral("11111111"));
        // The saved state drops out with the oldest snapshots.
        h.reset(editor);
        QCOMPARE(run(QString(SnapshotStack::Capacity - 1, 't')).right(1), QStringLiteral("1"));
        QCOMPARE(run(QString(SnapshotStack::Capacity - 1, 'u')).right(1), QStringLiteral("0"));
        QCOMPARE(run(QString(SnapshotStack::Capacity - 1, 'r') + 't').right(1), QStringLiteral("1"));
        QCOMPARE(run(QString(SnapshotStack::Capacity, 'u')), QString(SnapshotStack::Capacity, '1'));
    }
    void historyOfALargeTextStaysSmall()
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
};

QTEST_APPLESS_MAIN(tst_History)
#include "tst_history.moc"
