#include "search/core/LineReferences.h"

#include <QtTest>

namespace {
// `added` references (reference i: offset 10 * i, line i + 1, caption "r<i>"),
// then the given slots emptied, not yet packed.
LineReferences tableWithGaps(int added, const QList<int> &removed)
{
    LineReferences t;
    for (int i = 0; i < added; ++i)
        t.setCaption(t.add(10 * i, i + 1), QStringLiteral("r%1").arg(i));
    for (int r : removed)
        t.remove(r);
    return t;
}
} // namespace

class tst_LineRefs : public QObject {
    Q_OBJECT
private slots:
    void addAndPack_data();
    void addAndPack();
    void indexesWithoutAReference_data();
    void indexesWithoutAReference();
};

void tst_LineRefs::addAndPack_data()
{
    QTest::addColumn<int>("added");
    QTest::addColumn<QList<int>>("removed");
    QTest::addColumn<int>("slot");        // where an add goes before packing; -1: nowhere
    QTest::addColumn<QStringList>("list"); // the list once packed
    QList<int> allButLast;
    for (int i = 0; i < 99; ++i)
        allButLast << i;
    QStringList full;
    for (int i = 0; i < 100; ++i)
        full << QStringLiteral("r%1 (line %2)").arg(i).arg(i + 1);
    QTest::newRow("empty table") << 0 << QList<int>{} << 0 << QStringList{};
    QTest::newRow("lowest of two gaps") << 5 << QList<int>{3, 1} << 1
                                        << QStringList{"r0 (line 1)", "r2 (line 3)", "r4 (line 5)"};
    QTest::newRow("scattered gaps") << 7 << QList<int>{0, 2, 3, 6} << 0
                                    << QStringList{"r1 (line 2)", "r4 (line 5)", "r5 (line 6)"};
    QTest::newRow("gap in the last slot") << 100 << QList<int>{99} << 99 << full.mid(0, 99);
    QTest::newRow("only the last slot left") << 100 << allButLast << 0 << QStringList{"r99 (line 100)"};
    QTest::newRow("the 101st: nothing added") << 100 << QList<int>{} << -1 << full;
}

void tst_LineRefs::addAndPack()
{
    QFETCH(int, added);
    QFETCH(QList<int>, removed);
    QFETCH(int, slot);
    QFETCH(QStringList, list);
    LineReferences t = tableWithGaps(added, removed);
    QCOMPARE(t.add(777, 42), slot);
    if (slot >= 0) {
        QCOMPARE(t.at(slot).characterOffset, 777);
        QCOMPARE(LineReferences::listText(t.at(slot)), QStringLiteral("Line reference to Line 42 (line 42)"));
    } else {
        QCOMPARE(t.refreshLineList(), list);
    }

    // Packing keeps the order and moves each reference as a whole; the slots
    // behind the packed ones are empty in every field, and an add fills the
    // first of them.
    LineReferences packed = tableWithGaps(added, removed);
    QCOMPARE(packed.refreshLineList(), list);
    QCOMPARE(packed.count(), list.size());
    for (int i = 0; i < LineReferences::SlotCount; ++i) {
        const LineReference &r = packed.at(i);
        if (i < list.size()) {
            QCOMPARE(LineReferences::listText(r), list.at(i));
            QCOMPARE(r.characterOffset, 10 * (r.lineNumber - 1));
        } else {
            QVERIFY2(r.lineNumber == 0 && r.characterOffset == 0 && r.caption.isEmpty(), qPrintable(QString::number(i)));
        }
    }
    QCOMPARE(packed.refreshLineList(), list);
    QCOMPARE(packed.add(1, 1), list.size() < 100 ? int(list.size()) : -1);
}

void tst_LineRefs::indexesWithoutAReference_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("minus one") << -1;
    QTest::newRow("one past the table") << 100;
    QTest::newRow("an emptied slot") << 1;
}

void tst_LineRefs::indexesWithoutAReference()
{
    QFETCH(int, index);
    LineReferences t = tableWithGaps(3, {1});
    t.remove(index);
    QVERIFY(!t.isUsed(index));
    QVERIFY(!t.setCaption(index, QStringLiteral("ghost")));
    QCOMPARE(t.at(index).caption, QString());
    QCOMPARE(t.refreshLineList(), (QStringList{"r0 (line 1)", "r2 (line 3)"}));
}

QTEST_APPLESS_MAIN(tst_LineRefs)
#include "tst_linerefs.moc"
