#include "editor/core/EditHistory.h"
#include "editor/core/SnapshotStack.h"

#include <QRandomGenerator>
#include <QtTest>

// Undo and redo over whole-text snapshots, checked as scripted sequences.
class tst_History : public QObject {
    Q_OBJECT
private slots:
    void undoRedoSequences_data()
    {
        // Steps: "+<pos>:<text>" types text, "~<pos>:<text>" inserts it with no history
        // step (automatic indentation), "t" types an x at the end, "u" Undo, "r" Redo,
        // "s" Save. After every step: "<editor text>|<undo count>|<redo count>", the text
        // "none" when there was nothing to do; and whether the text differs from the
        // saved (at first the loaded) one. An empty list or string is not compared.
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("modified");
        QTest::addColumn<int>("maxFetches"); // how often the editor's text may be asked for, -1 any
        QTest::newRow("undo and redo stop at the loaded text") << "print 1"
            << QStringList{"u", "r"} << QStringList{"none|1|0", "none|1|0"} << "00" << 0;
        QTest::newRow("typing, undo to the start and redo back") << "ab"
            << QStringList{"+2:c", "+3:d", "u", "u", "u", "r", "r", "r"}
            << QStringList{"abc|2|0", "abcd|3|0", "abc|1|2", "ab|0|3", "none|0|3", "abc|2|1", "abcd|3|0", "none|3|0"} << "11100111" << 0;
        QTest::newRow("a change after undo keeps the undone-to text and empties redo") << "x"
            << QStringList{"+1:y", "u", "+1:z", "r", "u", "r"}
            << QStringList{"xy|2|0", "x|0|2", "xz|2|0", "none|2|0", "x|0|2", "xz|2|0"} << "" << 0;
        QTest::newRow("indentation and typing in one step, before the text that follows") << "  a\nz"
            << QStringList{"+3:\n", "~4:  ", "+6:b", "u", "r"}
            << QStringList{"  a\n\nz|2|0", "  a\n  \nz|2|0", "  a\n  b\nz|3|0", "  a\n\nz|1|2", "  a\n  b\nz|3|0"} << "" << 0;
        QTest::newRow("undo right after indentation") << "  a"
            << QStringList{"+3:\n", "~4:  ", "u"}
            << QStringList{"  a\n|2|0", "  a\n  |2|0", "  a\n|1|1"} << "" << 1;
        const auto each = [](const QString &s) { return s.split(QString(), Qt::SkipEmptyParts); };
        QTest::newRow("the saved place moves with undo and redo, and goes with the redo stack")
            << "a" << each("ttuurr" "suu" "rr" "ut" "uuuurrrr") << QStringList() << "111011" "011" "10" "11" "11111111" << -1;
        const int cap = SnapshotStack::Capacity;
        QTest::newRow("the loaded place drops out with the oldest snapshot") << "a"
            << each(QString(cap - 1, 't') + QString(cap - 1, 'u') + QString(cap - 1, 'r') + "t" + QString(cap, 'u'))
            << QStringList() << QString(2 * cap - 3, '1') + "0" + QString(2 * cap, '1') << -1;
    }
    void undoRedoSequences()
    {
        QFETCH(QString, start);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, after);
        QString editor = start, flags;
        int fetches = 0;
        const auto get = [&] {
            ++fetches;
            return editor;
        };
        EditHistory h;
        h.reset(editor);
        for (int i = 0; i < steps.size(); ++i) {
            const QString step = steps[i] == "t" ? QStringLiteral("+%1:x").arg(editor.size()) : steps[i];
            QString shown = editor;
            if (step == "s") {
                h.markSaved();
            } else if (step == "u" || step == "r") {
                const std::optional<QString> s = step == "u" ? h.undo(get) : h.redo(get);
                shown = s.value_or("none");
                editor = s.value_or(editor);
            } else {
                const TextChange c{step.mid(1, step.indexOf(':') - 1).toInt(), 0, step.mid(step.indexOf(':') + 1)};
                shown = editor.insert(c.pos, c.inserted);
                step.startsWith('+') ? h.recordChange(c, get) : h.recordSilentChange(c);
            }
            flags += h.isModified() ? '1' : '0';
            if (!after.isEmpty())
                QCOMPARE(QStringLiteral("%1|%2|%3").arg(shown).arg(h.undoStack.count()).arg(h.redoStack.count()), after[i]);
        }
        QFETCH(QString, modified);
        if (!modified.isEmpty())
            QCOMPARE(flags, modified);
        QFETCH(int, maxFetches);
        QVERIFY2(maxFetches < 0 || fetches <= maxFetches, qPrintable(QString::number(fetches)));
    }
    void snapshotsPiecesAndDifferences()
    {
        SnapshotStack s;
        s.push("abcdefghij"); // a removal, an insertion further on, then an overlapping replacement
        s.pushChanges({{1, 1, ""}, {7, 0, "xxx"}, {2, 3, "yyyy"}});
        QCOMPARE((QStringList{s.pop(), s.pop()}), (QStringList{"acyyyyghxxxij", "abcdefghij"}));
        for (int i = 1; i <= 501; ++i)
            s.push(QString::number(i).repeated(i % 3)); // some of them empty, some equal
        QCOMPARE(s.count(), 500);
        for (int i = 501; i >= 2; --i)
            QCOMPARE(s.pop(), QString::number(i).repeated(i % 3));
        QVERIFY(s.stackIsEmpty());

        // The pieced text the history keeps must read as the plain text it stands
        // for after any mix of changes, small ones inside a piece and large ones
        // across several; and copies must not see each other's changes.
        QRandomGenerator random(11);
        QString plain;
        ChunkedText pieced;
        for (int step = 0; step < 3000; ++step) {
            const qsizetype pos = random.bounded(int(plain.size()) + 1);
            const bool large = random.bounded(20) == 0;
            const qsizetype removed = random.bounded(int(std::min<qsizetype>(plain.size() - pos, large ? 20000 : 3)) + 1);
            QString inserted(random.bounded(large ? 9000 : 3), QChar(u'a' + step % 26));
            if (random.bounded(4) == 0)
                inserted.clear();
            const ChunkedText before = pieced;
            const QString plainBefore = plain;
            plain.replace(pos, removed, inserted);
            pieced.replace(pos, removed, inserted);
            QCOMPARE(pieced.size(), plain.size());
            QCOMPARE(before.toString(), plainBefore);
            QCOMPARE(pieced == before, plain == plainBefore);
            if (step % 50 == 0) {
                QCOMPARE(pieced.toString(), plain);
                QCOMPARE(pieced, ChunkedText(plain)); // the same text cut differently
                const qsizetype at = random.bounded(int(plain.size()) + 1);
                QCOMPARE(pieced.mid(at, 5000), plain.mid(at, 5000));
                QCOMPARE(pieced.commonPrefix(plainBefore), ::diffTexts(plain, plainBefore).pos);
            }
        }
        QVERIFY(pieced.pieces().size() > 2); // the test reached texts of several pieces

        const QString as(1000, 'a'), bs(1000, 'b');
        const QList<std::tuple<QString, QString, int>> cases{ // from, to, characters removed and inserted
            {"abc", "abc", 0}, {"abc", "abXc", 1}, {"aaaa", "aaaaa", 1},
            {as + "x" + bs, as + bs, 1}, {"abc", "", 3}, {"", "abc", 3}};
        for (const auto &[from, to, size] : cases) {
            const TextChange d = ::diffTexts(from, to);
            QCOMPARE(QString(from).replace(d.pos, d.removed, d.inserted), to);
            QCOMPARE(int(d.removed + d.inserted.size()), size); // what both share at either end is left out
        }
    }
};

QTEST_APPLESS_MAIN(tst_History)
#include "tst_history.moc"
