#pragma once

#include "graphics/core/DrawStatements.h"

#include <QFont>
#include <QImage>
#include <QWidget>
#include <optional>

// The draw pad's canvas: a white sheet with a grey 10-pixel grid, the sketch
// kept in an image of its own (so it survives being covered and uncovered, and
// the grid never paints over it), and the preview of the shape being dragged
// drawn over both without touching either.
class DrawPadCanvas : public QWidget {
    Q_OBJECT
public:
    explicit DrawPadCanvas(QWidget *parent = nullptr);

    void setTool(DrawTool tool) { m_tool = tool; }
    void setText(const QString &text) { m_text = text; }
    const QFont &canvasFont() const { return m_font; }
    // The height of "ABC" in the canvas font: the Text statement's y is the
    // press point's y plus this.
    int textHeight() const;
    void clearSketch();
    // The sketch alone, transparent where nothing was drawn.
    const QImage &sketch() const { return m_sketch; }
    // What the canvas shows now: sheet, grid, sketch and preview.
    QImage shown() const;

    static constexpr int GridLines = 51;
    static constexpr int GridStep = 10;

signals:
    void pointerMoved(QPoint at);
    // A shape finished by releasing a button, or a text placed by a press.
    void shapeFinished(DrawTool tool, QPoint start, QPoint end);
    void textPlaced(QPoint at);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void paintAll(QPainter &p) const;
    void drawShape(QPainter &p, QPoint start, QPoint end, bool preview) const;

    QImage m_sketch;
    QFont m_font;
    DrawTool m_tool = DrawTool::Line;
    QString m_text;
    std::optional<QPoint> m_start;   // while a button is down
    std::optional<QPoint> m_preview; // end of the previewed shape
};
