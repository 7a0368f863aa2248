#pragma once

#include "graphics/core/PixelPicture.h"

#include <QWidget>
#include <optional>

// PixPad's cell grid: set cells black, the bitmap's frame blue. A press toggles
// the cell under the pointer; dragging with the left button then gives every
// cell passed over the value the press gave.
class PixPadCanvas : public QWidget {
    Q_OBJECT
public:
    explicit PixPadCanvas(PixelPicture &picture, QWidget *parent = nullptr);

    QSize sizeHint() const override { return {328, 328}; }
    // What the canvas shows now.
    QImage shown() const;

signals:
    void cellsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void paintAll(QPainter &p) const;

    PixelPicture &m_picture;
    bool m_paintValue = true;
    std::optional<QPoint> m_lastPoint;
};
