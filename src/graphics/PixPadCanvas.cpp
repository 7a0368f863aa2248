#include "graphics/PixPadCanvas.h"

#include <QMouseEvent>
#include <QPainter>

PixPadCanvas::PixPadCanvas(PixelPicture &picture, QWidget *parent) : QWidget(parent), m_picture(picture)
{
    setObjectName(QStringLiteral("pixCanvas"));
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage PixPadCanvas::shown() const
{
    QImage out(size(), QImage::Format_RGB32);
    QPainter p(&out);
    paintAll(p);
    return out;
}

void PixPadCanvas::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintAll(p);
}

void PixPadCanvas::paintAll(QPainter &p) const
{
    const int cell = PixelPicture::CellPixels;
    p.fillRect(rect(), palette().color(QPalette::Base));
    for (int x = 0; x < PixelPicture::Side; ++x)
        for (int y = 0; y < PixelPicture::Side; ++y)
            if (m_picture.pixel(x, y))
                p.fillRect(x * cell, y * cell, cell, cell, Qt::black);
    const int w = cell * m_picture.width(), h = cell * m_picture.height();
    p.setPen(QPen(QColor(0, 0, 255), 1));
    p.drawLine(0, 0, w, 0);
    p.drawLine(0, 0, 0, h);
    p.drawLine(w, 0, w, h);
    p.drawLine(0, h, w, h);
}

void PixPadCanvas::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const int x = std::max(0, PixelPicture::cellAt(at.x())), y = std::max(0, PixelPicture::cellAt(at.y()));
    m_lastPoint = at;
    m_paintValue = !m_picture.pixel(x, y);
    m_picture.setPixel(x, y, m_paintValue);
    update();
    emit cellsChanged();
}

void PixPadCanvas::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (event->buttons() != Qt::LeftButton) {
        m_lastPoint = at;
        return;
    }
    // A fast stroke leaves no gaps: every few pixels between the last point
    // and this one count as passed over.
    const QPoint from = m_lastPoint.value_or(at);
    const int steps = std::max(1, (at - from).manhattanLength() / 4);
    bool changed = false;
    for (int i = 1; i <= steps; ++i) {
        const QPoint p = from + (at - from) * i / steps;
        const int x = PixelPicture::cellAt(p.x()), y = PixelPicture::cellAt(p.y());
        if (x < 0 || y < 0 || m_picture.pixel(x, y) == m_paintValue)
            continue;
        m_picture.setPixel(x, y, m_paintValue);
        changed = true;
    }
    m_lastPoint = at;
    if (changed) {
        update();
        emit cellsChanged();
    }
}
