#include "graphics/PixPad.h"

#include "graphics/PixPadCanvas.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace {

QSlider *sizeSlider(Qt::Orientation orientation, const char *name, QWidget *parent)
{
    auto *s = new QSlider(orientation, parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(1, PixelPicture::MaxSize);
    s->setSingleStep(1);
    s->setPageStep(5);
    s->setValue(1);
    return s;
}

QLineEdit *readOnlyLine(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}

} // namespace

PixPad::PixPad(QWidget *owner)
    : QWidget(owner, Qt::Tool), m_bitmapEdit(readOnlyLine("bitmapEdit", this)),
      m_copyButton(new QPushButton(QStringLiteral("Copy"), this)),
      m_insertButton(new QPushButton(QStringLiteral("Insert"), this)),
      m_oldFormatEdit(readOnlyLine("oldFormatEdit", this)), m_boundLabel(new QLabel(this)),
      m_canvas(new PixPadCanvas(m_picture, this)),
      m_widthSlider(sizeSlider(Qt::Horizontal, "widthSlider", this)),
      m_heightSlider(sizeSlider(Qt::Vertical, "heightSlider", this))
{
    setObjectName(QStringLiteral("pixPad"));
    setWindowTitle(QStringLiteral("PixPad"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_copyButton->setObjectName(QStringLiteral("copyButton"));
    m_insertButton->setObjectName(QStringLiteral("insertButton"));
    m_boundLabel->setObjectName(QStringLiteral("boundLabel"));
    m_boundLabel->hide();
    m_bitmapEdit->setToolTip(QStringLiteral("The bitmap for putbit: \"rgb width,height:\" and six hexadecimal "
                                            "digits (RRGGBB) per pixel, row by row"));
    m_oldFormatEdit->setToolTip(QStringLiteral("The bitmap text of older versions"));
    m_insertButton->setToolTip(QStringLiteral("Types putbit \"...\" to x, y into the program at the caret"));
    // The height grows downwards, as the frame does.
    m_heightSlider->setInvertedAppearance(true);
    m_heightSlider->setInvertedControls(true);
    m_widthSlider->setFixedWidth(m_canvas->width() + 1);
    m_heightSlider->setFixedHeight(m_canvas->height() + 1);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(2);
    auto *bitmapRow = new QHBoxLayout;
    bitmapRow->addWidget(m_bitmapEdit, 1);
    bitmapRow->addWidget(m_copyButton);
    bitmapRow->addWidget(m_insertButton);
    auto *oldRow = new QHBoxLayout;
    auto *oldLabel = new QLabel(QStringLiteral("Old format:"), this);
    oldLabel->setBuddy(m_oldFormatEdit);
    oldRow->addWidget(oldLabel);
    oldRow->addWidget(m_oldFormatEdit, 1);
    grid->addLayout(bitmapRow, 0, 0, 1, 2);
    grid->addLayout(oldRow, 1, 0, 1, 2);
    grid->addWidget(m_boundLabel, 2, 0, 1, 2);
    grid->addWidget(m_canvas, 3, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(m_heightSlider, 3, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(m_widthSlider, 4, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_canvas, &PixPadCanvas::cellsChanged, this, &PixPad::pictureChanged);
    connect(m_widthSlider, &QSlider::valueChanged, this, [this](int v) {
        m_picture.setWidth(v);
        pictureChanged();
    });
    connect(m_heightSlider, &QSlider::valueChanged, this, [this](int v) {
        m_picture.setHeight(v);
        pictureChanged();
    });
    connect(m_copyButton, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(m_bitmapEdit->text()); });
    connect(m_insertButton, &QPushButton::clicked, this, [this] { emit insertRequested(m_bitmapEdit->text()); });
    pictureChanged();
}

void PixPad::setPicture(const PixelPicture &picture)
{
    m_picture = picture;
    const QSignalBlocker w(m_widthSlider), h(m_heightSlider);
    m_widthSlider->setValue(picture.width());
    m_heightSlider->setValue(picture.height());
    pictureChanged();
}

void PixPad::setBoundLine(int line)
{
    m_boundLabel->setVisible(line > 0);
    m_boundLabel->setText(QStringLiteral("Insert puts the bitmap back into line %1.").arg(line));
    m_insertButton->setToolTip(line > 0 ? m_boundLabel->text()
                                        : QStringLiteral("Types putbit \"...\" to x, y into the program at the caret"));
}

void PixPad::pictureChanged()
{
    m_bitmapEdit->setText(m_picture.rgbBitmap());
    m_bitmapEdit->setCursorPosition(0);
    m_oldFormatEdit->setText(m_picture.oldBitmapCode());
    m_oldFormatEdit->setCursorPosition(0);
    m_canvas->update();
}
