// The draw pad's statements, PixPad's bitmap strings and its .ypp files.

#include "graphics/core/BitmapString.h"
#include "graphics/core/DrawStatements.h"
#include "graphics/core/PixPadFile.h"
#include "support/Files.h"

#include <QtTest>

namespace {

PixelPicture picture(int width, int height, std::initializer_list<QPoint> cells)
{
    PixelPicture p;
    p.setWidth(width);
    p.setHeight(height);
    for (QPoint c : cells)
        p.setPixel(c.x(), c.y(), true);
    return p;
}

// The golden picture: 5 x 3, four cells inside the frame and two outside.
PixelPicture goldenPicture() { return picture(5, 3, {{0, 0}, {4, 0}, {1, 2}, {2, 1}, {32, 32}, {6, 0}}); }

} // namespace

class tst_GraphicsCore : public QObject {
    Q_OBJECT
private slots:
    void shapeStatements_data()
    {
        QTest::addColumn<int>("tool");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<QString>("statements");
        QTest::newRow("released beyond the left edge") << int(DrawTool::Line) << QPoint(10, 5) << QPoint(-20, 5) << "Line 10, 5 to -20, 5\n";
        QTest::newRow("circle to the left") << int(DrawTool::Circle) << QPoint(50, 50) << QPoint(20, 10) << "Circle 50, 50, 30\n";
        QTest::newRow("rectangle") << int(DrawTool::Rectangle) << QPoint(5, 6) << QPoint(60, 70) << "rectangle 5, 6 to 60, 70\n";
        QTest::newRow("dot at the release") << int(DrawTool::Dot) << QPoint(5, 6) << QPoint(100, 101) << "dot 100, 101\n";
    }
    void shapeStatements()
    {
        QFETCH(int, tool);
        QFETCH(QPoint, start);
        QFETCH(QPoint, end);
        QTEST(DrawStatements::forShape(DrawTool(tool), start, end), "statements");
    }

    void textStatements()
    {
        QCOMPARE(DrawStatements::text(QPoint(10, 30), QString()), QStringLiteral("Text 10, 30, \"\""));
        QCOMPARE(DrawStatements::text(QPoint(1, 2), QStringLiteral("say \"hi\" C:\\new\tend")),
                 QStringLiteral("Text 1, 2, \"say \" + chr$(34) + \"hi\" + chr$(34) + \" C:\\\\new\\x09end\""));
        QCOMPARE(DrawStatements::text(QPoint(1, 2), QStringLiteral("\"")), QStringLiteral("Text 1, 2, chr$(34)"));
        // Too long for one literal of the interpreter (what it prints is checked with the interpreter).
        const QStringList pieces = DrawStatements::stringLiteral(QString(10000, 'a')).split(" + ");
        QCOMPARE(pieces.size(), 3);
        QCOMPARE(pieces.join(QString()).remove('"'), QString(10000, 'a'));
    }

    void cellUnderPointer()
    {
        // Halves (10, 20, 30) go to the even cell; beyond the right edge is the last cell.
        const std::pair<int, int> cases[] = {{10, 0}, {11, 1}, {20, 2}, {30, 2}, {0, 0}, {-6, -1}, {900, 32}};
        for (auto [canvas, cell] : cases)
            QVERIFY2(PixelPicture::cellAt(canvas) == cell, qPrintable(QString::number(canvas)));
    }

    void bitmapTexts()
    {
        PixelPicture p = goldenPicture();
        QCOMPARE(p.rgbBitmap(), QStringLiteral("rgb 5,3:000000ffffffffffffffffff000000"
                                               "ffffffffffff000000ffffffffffff"
                                               "ffffff000000ffffffffffffffffff"));
        QCOMPARE(p.oldBitmapCode(), QStringLiteral("6,4:1112"));
        // 3 x 2: twelve cells scanned, 6 / 4 = 1.5 digits kept as 2.
        QCOMPARE(picture(3, 2, {{3, 0}, {0, 1}}).oldBitmapCode(), QStringLiteral("4,3:81"));
    }

    void bitmapsReadBack()
    {
        const auto parsed = BitmapString::parse(goldenPicture().rgbBitmap().toUpper().replace("RGB", "rgb"));
        QVERIFY(parsed.picture && *parsed.picture == picture(5, 3, {{0, 0}, {4, 0}, {1, 2}, {2, 1}}));
        const auto problem = [](const QString &s) { return BitmapString::parse(s).problem; };
        QCOMPARE(problem("3,3:ABC"), QStringLiteral("it must start with \"rgb W,H:\", where W and H are its "
                                                    "width and height in pixels (more than 0)."));
        QCOMPARE(problem("rgb 0,4:"), problem("3,3:ABC"));
        QCOMPARE(problem("rgb 33,1:" + QString(198, 'f')),
                 QStringLiteral("it is 33 x 1 pixels, and PixPad holds at most 32 x 32."));
        QCOMPARE(problem("rgb 2,1:000000fffff"),
                 QStringLiteral("a 2 x 1 bitmap needs 12 hexadecimal digits after the colon, and it has 11."));
        QCOMPARE(problem("rgb 1,1:00g000"), QStringLiteral("\"00g000\" (pixel 0, 0) is not six hexadecimal digits."));
        QVERIFY(!BitmapString::parse("rgb 1,1:+fffff").picture);
    }

    void literalsOnALine()
    {
        using L = BitmapString::Literal;
        const QString line = QStringLiteral("a$ = \"say \\\"rgb\\\"\" : putbit \"rgb 1,1:000000\" to 1, 2 : b$ = \"rgb 1,1:ffffff\"");
        auto lit = BitmapString::findInLine(line, 0);
        QVERIFY(lit);
        QCOMPARE(lit->contents, QStringLiteral("rgb 1,1:000000"));
        QCOMPARE(line.mid(lit->start, lit->length), lit->contents);
        lit = BitmapString::findInLine(line, int(line.size()) - 2);
        QCOMPARE(lit->contents, QStringLiteral("rgb 1,1:ffffff"));
        lit = BitmapString::findInLine(QStringLiteral("open \"pics/smile.YPP\" : x = 1"), 0);
        QCOMPARE(lit->kind, L::PictureFile);
        QCOMPARE(lit->contents, QStringLiteral("pics/smile.YPP"));
        QVERIFY(!BitmapString::findInLine(QStringLiteral("print \"hello\" : rem rgb"), 3));
        QCOMPARE(BitmapString::findInLine(QStringLiteral("x$=\"rgb 1,1:"), 0)->contents, QStringLiteral("rgb 1,1:"));
    }

    void pictureFiles()
    {
        const QByteArray file = readBytes(QStringLiteral(VORMELD_TESTS_DIR "/graphics/golden/picture.ypp"));
        QCOMPARE(file.size(), 1091);
        const PixPadFile::ReadResult r = PixPadFile::read(file);
        QVERIFY(r.picture && r.problem.isEmpty() && r.notice.isEmpty());
        QVERIFY(*r.picture == goldenPicture());
        QCOMPARE(PixPadFile::write(*r.picture), file);

        for (const QByteArray &wrongSize : {file.left(1090), file + '\0', QByteArray()})
            QVERIFY(!PixPadFile::read(wrongSize).picture);
        QByteArray bad = file;
        bad[500] = 2;
        QCOMPARE(PixPadFile::read(bad).problem, QStringLiteral("the byte at offset 500 is 2, and a cell can only be 0 or 1."));
        bad = file;
        bad[0] = 0;
        QVERIFY(PixPadFile::read(bad).picture->width() == 1 && !PixPadFile::read(bad).notice.isEmpty());
    }
};

QTEST_APPLESS_MAIN(tst_GraphicsCore)
#include "tst_graphicscore.moc"
