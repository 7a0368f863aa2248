#pragma once

#include <QWidget>

class DrawPadCanvas;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The draw pad: shapes drawn with the mouse become yabasic graphics statements,
// handed out one line each (the Arrow tool writes two) as they are finished.
// The sketch itself is never saved.
class DrawPad : public QWidget {
    Q_OBJECT
public:
    explicit DrawPad(QWidget *owner = nullptr);

    DrawPadCanvas *canvas() const { return m_canvas; }

signals:
    // Statements for the program, each line ending in '\n'.
    void statementsReady(const QString &text);

private:
    void clearCanvas();

    QPushButton *m_clearButton;
    QComboBox *m_toolList;
    QLineEdit *m_textEdit;
    QLabel *m_positionLabel;
    DrawPadCanvas *m_canvas;
};
