#include "ToolbarIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

// Every picture is drawn on a 24 x 24 grid and rendered at 24 and 48 pixels,
// so it stays sharp on high-density screens. Outlines are one grid unit wide
// and sit on half units, which keeps them crisp at 24 pixels.

namespace {

namespace Palette {
const QColor Ink(0x3b, 0x45, 0x52);
const QColor Paper(0xff, 0xff, 0xff);
const QColor PaperShade(0xdd, 0xe3, 0xea);
const QColor Grey(0x9a, 0xa5, 0xb1);
const QColor Blue(0x2f, 0x7d, 0xe1);
const QColor LightBlue(0xa9, 0xcc, 0xf5);
const QColor Yellow(0xf6, 0xc3, 0x4a);
const QColor DarkYellow(0xdf, 0x9f, 0x2b);
const QColor Green(0x2e, 0xa8, 0x5a);
const QColor Red(0xe0, 0x4f, 0x45);
const QColor Brown(0xb9, 0x7a, 0x45);
} // namespace Palette

using namespace Palette;

void Outline(QPainter &p, const QColor &colour = Ink, qreal width = 1.0)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// A sheet of paper with its top right corner folded over.
void Page(QPainter &p, const QRectF &r, qreal fold = 5)
{
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    Outline(p);
    p.setBrush(Paper);
    p.drawPath(sheet);

    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    corner.closeSubpath();
    p.setBrush(PaperShade);
    p.drawPath(corner);
}

// Lines of text across a page.
void TextLines(QPainter &p, qreal left, qreal right, qreal top, int count, qreal step = 3)
{
    Outline(p, Grey);
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

void Globe(QPainter &p, const QPointF &c, qreal r)
{
    Outline(p);
    p.setBrush(Blue);
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::NoBrush);
    Outline(p, LightBlue, 0.9);
    p.drawEllipse(c, r * 0.45, r - 0.6);
    p.drawLine(QPointF(c.x(), c.y() - r + 0.6), QPointF(c.x(), c.y() + r - 0.6));
    p.drawLine(QPointF(c.x() - r + 0.6, c.y()), QPointF(c.x() + r - 0.6, c.y()));
    p.drawLine(QPointF(c.x() - r * 0.8, c.y() - r * 0.5), QPointF(c.x() + r * 0.8, c.y() - r * 0.5));
    p.drawLine(QPointF(c.x() - r * 0.8, c.y() + r * 0.5), QPointF(c.x() + r * 0.8, c.y() + r * 0.5));
    Outline(p);
    p.drawEllipse(c, r, r);
}

// A curved arrow turning back to the left (mirrored for redo).
void TurnArrow(QPainter &p)
{
    QPainterPath bend;
    bend.moveTo(8, 9.5);
    bend.lineTo(14, 9.5);
    bend.cubicTo(22, 9.5, 22, 19.5, 14, 19.5);
    bend.lineTo(10, 19.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Ink, 4.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(bend);
    p.setPen(QPen(Blue, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(bend);

    QPolygonF head({QPointF(2.5, 9.5), QPointF(9.5, 3.5), QPointF(9.5, 15.5)});
    Outline(p);
    p.setBrush(Blue);
    p.drawPolygon(head);
}

void DrawNew(QPainter &p)
{
    Page(p, QRectF(4.5, 2.5, 14, 19), 5);
    // A plus sign: the page is brand new.
    Outline(p, Green, 2.0);
    p.drawLine(QPointF(19, 14.5), QPointF(19, 21.5));
    p.drawLine(QPointF(15.5, 18), QPointF(22.5, 18));
}

void DrawOpen(QPainter &p)
{
    QPainterPath back;
    back.moveTo(2.5, 19.5);
    back.lineTo(2.5, 5.5);
    back.lineTo(8.5, 5.5);
    back.lineTo(10.5, 7.5);
    back.lineTo(18.5, 7.5);
    back.lineTo(18.5, 19.5);
    back.closeSubpath();
    Outline(p);
    p.setBrush(DarkYellow);
    p.drawPath(back);

    p.setBrush(Paper);
    p.drawRect(QRectF(5.5, 9.5, 11, 7));

    QPolygonF flap({QPointF(2.5, 19.5), QPointF(6.5, 11.5), QPointF(22.5, 11.5), QPointF(18.5, 19.5)});
    p.setBrush(Yellow);
    p.drawPolygon(flap);
}

void DrawSave(QPainter &p)
{
    QPainterPath body;
    body.moveTo(3.5, 3.5);
    body.lineTo(17.5, 3.5);
    body.lineTo(20.5, 6.5);
    body.lineTo(20.5, 20.5);
    body.lineTo(3.5, 20.5);
    body.closeSubpath();
    Outline(p);
    p.setBrush(Blue);
    p.drawPath(body);

    p.setBrush(Grey.lighter(125));
    p.drawRect(QRectF(7.5, 3.5, 9, 6));
    p.fillRect(QRectF(13, 4.5, 2, 4), Ink);

    p.setBrush(Paper);
    p.drawRect(QRectF(6.5, 12.5, 11, 8));
    TextLines(p, 8.5, 15.5, 15.5, 2);
}

void DrawSaveWeb(QPainter &p)
{
    Page(p, QRectF(3.5, 2.5, 13, 17), 4);
    TextLines(p, 6, 11, 9.5, 3);
    Globe(p, QPointF(16.5, 16.5), 5.5);
}

void DrawPrint(QPainter &p)
{
    Outline(p);
    p.setBrush(Paper);
    p.drawRect(QRectF(6.5, 2.5, 11, 8));

    p.setBrush(Grey);
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
    p.setBrush(Ink);
    p.drawRect(QRectF(6.5, 14.5, 11, 1));
    p.setPen(Qt::NoPen);
    p.setBrush(Green);
    p.drawEllipse(QPointF(18.5, 11.5), 1.2, 1.2);

    Outline(p);
    p.setBrush(Paper);
    p.drawRect(QRectF(6.5, 15.5, 11, 6));
    TextLines(p, 8.5, 15.5, 18, 2, 2);
}

void DrawUndo(QPainter &p)
{
    TurnArrow(p);
}

void DrawRedo(QPainter &p)
{
    p.translate(24, 0);
    p.scale(-1, 1);
    TurnArrow(p);
}

void DrawCut(QPainter &p)
{
    // Blades crossing above the handles.
    Outline(p, Ink, 2.6);
    p.drawLine(QPointF(7.5, 14.5), QPointF(16, 2.5));
    p.drawLine(QPointF(16.5, 14.5), QPointF(8, 2.5));
    Outline(p, Grey.lighter(130), 1.0);
    p.drawLine(QPointF(7.5, 14.5), QPointF(16, 2.5));
    p.drawLine(QPointF(16.5, 14.5), QPointF(8, 2.5));

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Red, 2.2));
    p.drawEllipse(QPointF(6.5, 17.5), 3.2, 3.2);
    p.drawEllipse(QPointF(17.5, 17.5), 3.2, 3.2);
    p.setBrush(Ink);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12, 11), 1.1, 1.1);
}

void DrawCopy(QPainter &p)
{
    Page(p, QRectF(3.5, 2.5, 11, 14), 4);
    TextLines(p, 5.5, 10.5, 8.5, 2);
    Page(p, QRectF(9.5, 7.5, 11, 14), 4);
    TextLines(p, 11.5, 18.5, 13.5, 3);
}

void DrawPaste(QPainter &p)
{
    Outline(p);
    p.setBrush(Brown);
    p.drawRoundedRect(QRectF(3.5, 4.5, 15, 17), 1.5, 1.5);
    p.setBrush(Grey.lighter(125));
    p.drawRoundedRect(QRectF(7.5, 2.5, 7, 4), 1, 1);
    Page(p, QRectF(10.5, 9.5, 10, 12), 3);
    TextLines(p, 12.5, 17.5, 14.5, 3);
}

void DrawRun(QPainter &p)
{
    QPolygonF play({QPointF(6.5, 3.5), QPointF(20.5, 12), QPointF(6.5, 20.5)});
    p.setPen(QPen(Green.darker(135), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Green);
    p.drawPolygon(play);
}

void DrawDraw(QPainter &p)
{
    // A pencil lying from the bottom left to the top right.
    p.translate(12, 12);
    p.rotate(-45);
    Outline(p);
    p.setBrush(Yellow);
    p.drawRect(QRectF(-6.5, -3, 13, 6));
    p.setBrush(QColor(0xf2, 0x9b, 0xa6));
    p.drawRect(QRectF(6.5, -3, 3.5, 6));
    QPolygonF tip({QPointF(-6.5, -3), QPointF(-12, 0), QPointF(-6.5, 3)});
    p.setBrush(QColor(0xf3, 0xdc, 0xb5));
    p.drawPolygon(tip);
    QPolygonF point({QPointF(-10.2, -1), QPointF(-12, 0), QPointF(-10.2, 1)});
    p.setBrush(Ink);
    p.drawPolygon(point);
    Outline(p, DarkYellow);
    p.drawLine(QPointF(-6, 0), QPointF(6, 0));
}

void DrawLangHelp(QPainter &p)
{
    Outline(p);
    p.setBrush(Paper);
    p.drawRect(QRectF(6.5, 4.5, 14, 17));
    TextLines(p, 8.5, 18.5, 19.5, 1);
    Outline(p);
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(4.5, 2.5, 14, 17), 1.5, 1.5);
    p.setBrush(LightBlue);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(8, 6, 7, 3));
    Outline(p, Blue.darker(130));
    p.drawLine(QPointF(7, 3), QPointF(7, 19));
}

void DrawLines(QPainter &p)
{
    Outline(p);
    p.setBrush(Paper);
    p.drawRect(QRectF(3.5, 2.5, 15, 19));
    for (int i = 0; i < 5; ++i) {
        const qreal y = 6.5 + i * 3;
        p.fillRect(QRectF(5.5, y - 0.5, 2, 1), Blue);
        p.fillRect(QRectF(9, y - 0.5, i % 2 ? 5 : 7, 1), Grey);
    }
    QPolygonF mark({QPointF(15.5, 1.5), QPointF(21.5, 1.5), QPointF(21.5, 12.5), QPointF(18.5, 9.5),
                    QPointF(15.5, 12.5)});
    Outline(p, Red.darker(130));
    p.setBrush(Red);
    p.drawPolygon(mark);
}

void DrawOnline(QPainter &p)
{
    Globe(p, QPointF(12, 12), 9.5);
}

void DrawHelp(QPainter &p)
{
    p.setPen(QPen(Blue.darker(130), 1.0));
    p.setBrush(Blue);
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);

    QPainterPath mark;
    mark.arcMoveTo(QRectF(8.8, 5.6, 6.4, 6.4), 160);
    mark.arcTo(QRectF(8.8, 5.6, 6.4, 6.4), 160, -230);
    mark.lineTo(12, 13);
    mark.lineTo(12, 14);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Paper, 2.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawEllipse(QPointF(12, 17.2), 1.4, 1.4);
}

using Drawer = void (*)(QPainter &);

Drawer DrawerFor(const QString &key)
{
    static const QHash<QString, Drawer> drawers = {
        {QStringLiteral("new"), DrawNew},         {QStringLiteral("open"), DrawOpen},
        {QStringLiteral("save"), DrawSave},       {QStringLiteral("saveweb"), DrawSaveWeb},
        {QStringLiteral("print"), DrawPrint},     {QStringLiteral("undo"), DrawUndo},
        {QStringLiteral("redo"), DrawRedo},       {QStringLiteral("cut"), DrawCut},
        {QStringLiteral("copy"), DrawCopy},       {QStringLiteral("paste"), DrawPaste},
        {QStringLiteral("run"), DrawRun},         {QStringLiteral("draw"), DrawDraw},
        {QStringLiteral("langhelp"), DrawLangHelp}, {QStringLiteral("lines"), DrawLines},
        {QStringLiteral("onlines"), DrawOnline},  {QStringLiteral("help"), DrawHelp},
    };
    return drawers.value(key, nullptr);
}

} // namespace

QIcon toolbarIcon(const QString &key)
{
    static QHash<QString, QIcon> cache;
    const auto cached = cache.constFind(key);
    if (cached != cache.constEnd())
        return *cached;

    QIcon icon;
    if (Drawer draw = DrawerFor(key)) {
        for (int size : {24, 48}) {
            QPixmap pm(size, size);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size / 24.0, size / 24.0);
            draw(p);
            p.end();
            icon.addPixmap(pm);
        }
    }
    cache.insert(key, icon);
    return icon;
}
