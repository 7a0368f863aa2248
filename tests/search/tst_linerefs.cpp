#include "search/LineReferences.h"

#include <QtTest>

namespace {
// A table holding `added` references (reference i: offset 10 * i, line i + 1,
// caption "r<i>"), then the given slots emptied, not yet packed.
LineReferences tableWithGaps(int added, const QList<int> &removed)
{
    LineReferences t;
    for (int i = 0; i < added; ++i) {
        const int slot = t.Add(10 * i, i + 1);
        t.SetCaption(slot, QStringLiteral("r%1").arg(i));
    }
    for (int r : removed)
        t.Remove(r);
    return t;
}

// Every slot from `from` on is empty in every field.
bool emptyFrom(const LineReferences &t, int from)
{
    for (int i = from; i < LineReferences::SlotCount; ++i) {
        const LineReference &r = t.at(i);
        if (r.lineNumber != 0 || r.characterOffset != 0 || !r.caption.isEmpty())
            return false;
    }
    return true;
}
} // namespace

class tst_LineRefs : public QObject {
    Q_OBJECT
private slots:
    void listText_data();
    void listText();
    void addTakesTheFirstEmptySlot_data();
    void addTakesTheFirstEmptySlot();
    void packingKeepsTheOrder_data();
    void packingKeepsTheOrder();
    void theHundredAndFirstAddChangesNothing();
    void outOfRangeIndexes_data();
    void outOfRangeIndexes();
    void captionsOfEmptySlotsAreNotSet();
};

void tst_LineRefs::listText_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("rename");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::newRow("default caption") << 12 << false << "" << "Line reference to Line 12 (line 12)";
    QTest::newRow("first line") << 1 << false << "" << "Line reference to Line 1 (line 1)";
    QTest::newRow("large line") << 100000 << false << ""
                                << "Line reference to Line 100000 (line 100000)";
    QTest::newRow("own caption") << 7 << true << "Main loop" << "Main loop (line 7)";
    QTest::newRow("empty caption") << 3 << true << "" << " (line 3)";
    QTest::newRow("caption with brackets") << 4 << true << "sub x() (old)" << "sub x() (old) (line 4)";
}

void tst_LineRefs::listText()
{
    QFETCH(int, line);
    QFETCH(bool, rename);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    LineReferences t;
    const int slot = t.Add(5, line);
    QCOMPARE(slot, 0);
    QCOMPARE(t.at(slot).caption, LineReferences::DefaultCaption(line));
    QCOMPARE(t.at(slot).characterOffset, 5);
    if (rename)
        QVERIFY(t.SetCaption(slot, caption));
    QCOMPARE(t.RefreshLineList(), QStringList{text});
}

void tst_LineRefs::addTakesTheFirstEmptySlot_data()
{
    QTest::addColumn<int>("added");
    QTest::addColumn<QList<int>>("removed");
    QTest::addColumn<int>("slot");
    QTest::newRow("empty table") << 0 << QList<int>{} << 0;
    QTest::newRow("after three") << 3 << QList<int>{} << 3;
    QTest::newRow("gap at the front") << 3 << QList<int>{0} << 0;
    QTest::newRow("lowest of two gaps") << 5 << QList<int>{3, 1} << 1;
    QTest::newRow("gap in the last slot") << 100 << QList<int>{99} << 99;
}

void tst_LineRefs::addTakesTheFirstEmptySlot()
{
    QFETCH(int, added);
    QFETCH(QList<int>, removed);
    QFETCH(int, slot);
    LineReferences t = tableWithGaps(added, removed);
    QCOMPARE(t.Add(777, 42), slot);
    QCOMPARE(t.at(slot).characterOffset, 777);
    QCOMPARE(t.at(slot).lineNumber, 42);
    QCOMPARE(t.at(slot).caption, QStringLiteral("Line reference to Line 42"));
    QCOMPARE(t.Count(), added - removed.size() + 1);
}

void tst_LineRefs::packingKeepsTheOrder_data()
{
    QTest::addColumn<int>("added");
    QTest::addColumn<QList<int>>("removed");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("nothing") << 0 << QList<int>{} << QStringList{};
    QTest::newRow("no gaps") << 3 << QList<int>{}
                             << QStringList{"r0 (line 1)", "r1 (line 2)", "r2 (line 3)"};
    QTest::newRow("second of three removed") << 3 << QList<int>{1}
                                             << QStringList{"r0 (line 1)", "r2 (line 3)"};
    QTest::newRow("first removed") << 3 << QList<int>{0}
                                   << QStringList{"r1 (line 2)", "r2 (line 3)"};
    QTest::newRow("last removed") << 3 << QList<int>{2}
                                  << QStringList{"r0 (line 1)", "r1 (line 2)"};
    QTest::newRow("all removed") << 3 << QList<int>{0, 1, 2} << QStringList{};
    QTest::newRow("scattered gaps") << 7 << QList<int>{0, 2, 3, 6}
                                    << QStringList{"r1 (line 2)", "r4 (line 5)", "r5 (line 6)"};
    QStringList lastOnly{"r99 (line 100)"};
    QList<int> allButLast;
    for (int i = 0; i < 99; ++i)
        allButLast << i;
    QTest::newRow("only the last slot left") << 100 << allButLast << lastOnly;
}

void tst_LineRefs::packingKeepsTheOrder()
{
    QFETCH(int, added);
    QFETCH(QList<int>, removed);
    QFETCH(QStringList, list);
    LineReferences t = tableWithGaps(added, removed);
    QCOMPARE(t.RefreshLineList(), list);
    // The list index is the slot index, and each reference moved as a whole.
    QCOMPARE(t.Count(), list.size());
    for (int i = 0; i < list.size(); ++i) {
        const LineReference &r = t.at(i);
        const int original = r.lineNumber - 1;
        QCOMPARE(LineReferences::ListText(r), list.at(i));
        QCOMPARE(r.characterOffset, 10 * original);
    }
    QVERIFY(emptyFrom(t, int(list.size())));
    // Packing a packed table changes nothing.
    QCOMPARE(t.RefreshLineList(), list);
    // A new reference goes right after the packed ones.
    QCOMPARE(t.Add(1, 1), int(list.size()));
}

void tst_LineRefs::theHundredAndFirstAddChangesNothing()
{
    LineReferences t = tableWithGaps(100, {});
    const QStringList before = t.RefreshLineList();
    QCOMPARE(before.size(), 100);
    QCOMPARE(before.last(), QStringLiteral("r99 (line 100)"));
    QCOMPARE(t.Add(5, 5), -1);
    QCOMPARE(t.Add(0, 1), -1);
    QCOMPARE(t.RefreshLineList(), before);
    QCOMPARE(t.Count(), 100);
    // Once one is removed there is room again, at the end after packing.
    t.Remove(0);
    t.RefreshLineList();
    QCOMPARE(t.Add(5, 5), 99);
}

void tst_LineRefs::outOfRangeIndexes_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("minus one") << -1;
    QTest::newRow("one past the table") << 100;
    QTest::newRow("far out") << 100000;
}

void tst_LineRefs::outOfRangeIndexes()
{
    QFETCH(int, index);
    LineReferences t = tableWithGaps(100, {});
    t.Remove(index);
    QCOMPARE(t.Count(), 100);
    QVERIFY(!t.IsUsed(index));
    QCOMPARE(t.at(index).lineNumber, 0);
    QVERIFY(!t.SetCaption(index, QStringLiteral("x")));
    QCOMPARE(t.at(index).caption, QString());
}

void tst_LineRefs::captionsOfEmptySlotsAreNotSet()
{
    LineReferences t = tableWithGaps(2, {1});
    QVERIFY(!t.SetCaption(1, QStringLiteral("ghost")));
    QVERIFY(!t.SetCaption(5, QStringLiteral("ghost")));
    QCOMPARE(t.RefreshLineList(), QStringList{"r0 (line 1)"});
    QVERIFY(t.SetCaption(0, QString()));
    QCOMPARE(t.RefreshLineList(), QStringList{" (line 1)"});
}

QTEST_APPLESS_MAIN(tst_LineRefs)
#include "tst_linerefs.moc"
