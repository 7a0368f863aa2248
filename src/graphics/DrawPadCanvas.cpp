#include "graphics/DrawPadCanvas.h"

#include "common/Fonts.h"

#include <QMouseEvent>
#include <QPainter>

DrawPadCanvas::DrawPadCanvas(QWidget *parent)
    : QWidget(parent), m_font(namedOrFallbackFont(QStringLiteral("Comic Sans MS"), 14.25, false, false))
{
    setObjectName(QStringLiteral("drawCanvas"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

int DrawPadCanvas::textHeight() const
{
    return QFontMetrics(m_font).height();
}

void DrawPadCanvas::clearSketch()
{
    m_sketch.fill(Qt::transparent);
    m_preview.reset();
    update();
}

void DrawPadCanvas::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The sheet only grows: what was drawn stays when the window is made
    // smaller and larger again.
    const QSize wanted = m_sketch.size().expandedTo(size());
    if (wanted != m_sketch.size()) {
        QImage grown(wanted, QImage::Format_ARGB32_Premultiplied);
        grown.fill(Qt::transparent);
        QPainter(&grown).drawImage(0, 0, m_sketch);
        m_sketch = grown;
    }
}

QImage DrawPadCanvas::shown() const
{
    QImage out(size(), QImage::Format_RGB32);
    QPainter p(&out);
    paintAll(p);
    return out;
}

void DrawPadCanvas::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintAll(p);
}

void DrawPadCanvas::paintAll(QPainter &p) const
{
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(QColor(192, 192, 192), 1));
    for (int i = 0; i < GridLines; ++i) {
        const int at = GridStep * i;
        p.drawLine(0, at, width(), at);
        p.drawLine(at, 0, at, height());
    }
    p.drawImage(0, 0, m_sketch);
    if (m_start && m_preview)
        drawShape(p, *m_start, *m_preview, true);
}

void DrawPadCanvas::drawShape(QPainter &p, QPoint start, QPoint end, bool preview) const
{
    p.setPen(QPen(Qt::black, preview ? 1 : 2));
    p.setBrush(Qt::NoBrush);
    const int r = DrawStatements::circleRadius(start, end);
    const int head = DrawStatements::ArrowHeadRadius;
    switch (m_tool) {
    case DrawTool::Line:
        p.drawLine(start, end);
        break;
    case DrawTool::Circle:
        if (preview)
            p.drawLine(start, end); // the radius being measured
        p.drawEllipse(start, r, r);
        break;
    case DrawTool::Rectangle:
        p.drawRect(QRect(start, end).normalized());
        break;
    case DrawTool::Dot:
        if (!preview)
            p.drawPoint(end);
        break;
    case DrawTool::Arrow:
        p.drawLine(start, end);
        p.drawEllipse(end, head, head);
        break;
    case DrawTool::Text:
        break;
    }
}

void DrawPadCanvas::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (m_tool == DrawTool::Text) {
        QPainter p(&m_sketch);
        p.setFont(m_font);
        p.setPen(Qt::black);
        p.drawText(QRect(at, QSize(100000, 1000)), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_text);
        update();
        emit textPlaced(at);
        return;
    }
    m_start = at;
    m_preview.reset();
}

void DrawPadCanvas::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit pointerMoved(at);
    if (m_start && event->buttons() == Qt::LeftButton && m_tool != DrawTool::Dot) {
        m_preview = at;
        update();
    }
}

void DrawPadCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_start)
        return;
    const QPoint start = *m_start, end = event->position().toPoint();
    m_start.reset();
    m_preview.reset();
    {
        QPainter p(&m_sketch);
        p.setRenderHint(QPainter::Antialiasing, false);
        drawShape(p, start, end, false);
    }
    update();
    emit shapeFinished(m_tool, start, end);
}
