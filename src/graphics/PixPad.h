#pragma once

#include "graphics/core/PixelPicture.h"

#include <QWidget>

class PixPadCanvas;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// PixPad: a one-bit pixel editor for bitmaps of up to 32 x 32 cells. It shows
// the framed cells as the interpreter's bitmap string, which can be copied or
// inserted into the program, and the older form of the text beneath.
class PixPad : public QWidget {
    Q_OBJECT
public:
    explicit PixPad(QWidget *owner = nullptr);

    const PixelPicture &picture() const { return m_picture; }
    void setPicture(const PixelPicture &picture);
    // The program line whose bitmap Insert replaces, counted from 1; 0: none,
    // Insert types a new putbit statement.
    void setBoundLine(int line);

    PixPadCanvas *canvas() const { return m_canvas; }

signals:
    void insertRequested(const QString &bitmap);

private:
    void pictureChanged();

    PixelPicture m_picture;
    QLineEdit *m_bitmapEdit;
    QPushButton *m_copyButton;
    QPushButton *m_insertButton;
    QLineEdit *m_oldFormatEdit;
    QLabel *m_boundLabel;
    PixPadCanvas *m_canvas;
    QSlider *m_widthSlider;
    QSlider *m_heightSlider;
};
