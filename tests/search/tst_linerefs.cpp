#include "search/core/LineReferences.h"

#include <QtTest>

class tst_LineRefs : public QObject {
    Q_OBJECT
private slots:
    void addAndPack_data()
    {
        QTest::addColumn<int>("added");          // reference i: offset 10 * i, line i + 1, caption "r<i>"
        QTest::addColumn<QList<int>>("removed"); // then these slots emptied
        QTest::addColumn<int>("slot");           // where an add goes before packing; -1: nowhere
        QTest::addColumn<QStringList>("list");   // the list once packed
        QList<int> allButLast;
        QStringList full;
        for (int i = 0; i < 100; ++i)
            full << QStringLiteral("r%1 (line %2)").arg(i).arg(i + 1), allButLast << i;
        allButLast.removeLast();
        QTest::newRow("lowest of two gaps") << 5 << QList<int>{3, 1} << 1
                                            << QStringList{"r0 (line 1)", "r2 (line 3)", "r4 (line 5)"};
        QTest::newRow("gap in the last slot") << 100 << QList<int>{99} << 99 << full.mid(0, 99);
        QTest::newRow("only the last slot left") << 100 << allButLast << 0 << QStringList{"r99 (line 100)"};
        QTest::newRow("the 101st: nothing added") << 100 << QList<int>{} << -1 << full;
    }
    void addAndPack()
    {
        QFETCH(int, added);
        QFETCH(QList<int>, removed);
        QFETCH(int, slot);
        QFETCH(QStringList, list);
        LineReferences t, packed;
        for (LineReferences *table : {&t, &packed}) {
            for (int i = 0; i < added; ++i)
                table->setCaption(table->add(10 * i, i + 1), QStringLiteral("r%1").arg(i));
            for (int r : removed)
                table->remove(r);
        }
        QCOMPARE(t.add(777, 42), slot);
        QCOMPARE(LineReferences::listText(t.at(slot)), slot < 0 ? " (line 0)" : "Line reference to Line 42 (line 42)");
        QCOMPARE(t.refreshLineList().size(), list.size() + (slot < 0 ? 0 : 1));

        // Packing keeps the order and moves each reference as a whole; the slots behind
        // are empty in every field and cannot be captioned; the next add fills the first.
        packed.remove(-1);
        packed.remove(100);
        QCOMPARE(packed.refreshLineList(), list);
        for (int i = -1; i <= LineReferences::SlotCount; ++i) {
            const LineReference &r = packed.at(i);
            QVERIFY2(i >= 0 && i < list.size() ? r.characterOffset == 10 * (r.lineNumber - 1)
                                               : r.isEmpty() && r.characterOffset == 0 && r.caption.isEmpty()
                                                     && !packed.setCaption(i, "ghost"),
                     qPrintable(QString::number(i)));
        }
        QCOMPARE(packed.add(1, 1), list.size() < 100 ? int(list.size()) : -1);
    }
};

QTEST_APPLESS_MAIN(tst_LineRefs)
#include "tst_linerefs.moc"
