#include "graphics/DrawPad.h"

#include "graphics/DrawPadCanvas.h"
#include "graphics/core/DrawStatements.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

DrawPad::DrawPad(QWidget *owner)
    : QWidget(owner, Qt::Tool), m_clearButton(new QPushButton(QStringLiteral("Clear Canvas"), this)),
      m_toolList(new QComboBox(this)), m_textEdit(new QLineEdit(this)), m_positionLabel(new QLabel(QStringLiteral("0, 0"), this)),
      m_canvas(new DrawPadCanvas(this))
{
    setObjectName(QStringLiteral("drawPad"));
    setWindowTitle(QStringLiteral("Draw Pad"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_clearButton->setObjectName(QStringLiteral("clearButton"));
    m_toolList->setObjectName(QStringLiteral("toolList"));
    m_toolList->addItems(DrawStatements::toolNames());
    m_toolList->setCurrentIndex(0);
    m_textEdit->setObjectName(QStringLiteral("textEdit"));
    m_positionLabel->setObjectName(QStringLiteral("positionLabel"));
    m_positionLabel->setMinimumWidth(m_positionLabel->fontMetrics().horizontalAdvance(QStringLiteral("-0000, -0000")));
    auto *textLabel = new QLabel(QStringLiteral("Text:"), this);
    textLabel->setBuddy(m_textEdit);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(m_clearButton);
    row->addWidget(m_toolList);
    row->addWidget(textLabel);
    row->addWidget(m_textEdit, 1);
    row->addSpacing(24);
    row->addWidget(m_positionLabel);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->addLayout(row);
    column->addWidget(m_canvas, 1);
    m_canvas->setMinimumSize(32, 32);
    resize(469, 316);

    connect(m_clearButton, &QPushButton::clicked, this, &DrawPad::clearCanvas);
    connect(m_toolList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_canvas->setTool(DrawTool(std::max(0, index))); });
    connect(m_textEdit, &QLineEdit::textChanged, m_canvas, &DrawPadCanvas::setText);
    connect(m_canvas, &DrawPadCanvas::pointerMoved, this, [this](QPoint at) {
        m_positionLabel->setText(QStringLiteral("%1, %2").arg(at.x()).arg(at.y()));
    });
    connect(m_canvas, &DrawPadCanvas::textPlaced, this, [this](QPoint at) {
        emit statementsReady(DrawStatements::text(at + QPoint(0, m_canvas->textHeight()), m_textEdit->text())
                             + QLatin1Char('\n'));
    });
    connect(m_canvas, &DrawPadCanvas::shapeFinished, this, [this](DrawTool tool, QPoint start, QPoint end) {
        emit statementsReady(DrawStatements::forShape(tool, start, end));
    });
}

void DrawPad::clearCanvas()
{
    m_canvas->clearSketch();
}
