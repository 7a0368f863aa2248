#include "run/AddingDebugOutputWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {
// The picture area: a white box and an "H" follow the mouse.
class PointerPicture : public QWidget {
public:
    explicit PointerPicture(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("pointerArea"));
        setMouseTracking(true);
        setMinimumHeight(70);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(0, 0, 128));
        setPalette(p);
    }
protected:
    void mouseMoveEvent(QMouseEvent *e) override
    {
        pointer = e->position().toPoint();
        update();
    }
    void paintEvent(QPaintEvent *) override
    {
        if (pointer.x() < 0)
            return;
        QPainter p(this);
        p.setPen(Qt::white);
        const QRect box(pointer, QSize(15, 15));
        p.drawRect(box);
        p.drawText(box.bottomRight() + QPoint(1, 0), QStringLiteral("H"));
    }

private:
    QPoint pointer{-1, -1};
};

QLineEdit *copyableLine(const QString &text, QWidget *parent)
{
    auto *e = new QLineEdit(text, parent);
    e->setReadOnly(true);
    e->setFont(QFont(QStringLiteral("monospace")));
    return e;
}
} // namespace

AddingDebugOutputWindow::AddingDebugOutputWindow(QWidget *owner)
    : QWidget(owner, Qt::Tool), m_owner(owner)
{
    setObjectName(QStringLiteral("addingDebugOutputWindow"));
    setWindowTitle(QStringLiteral("Adding Debug Output"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    auto *importText = new QLabel(QStringLiteral("To add debug output, include in your project qxdebug with the following line:"), this);
    importText->setWordWrap(true);
    auto *importLine = copyableLine(QStringLiteral("import qxdebug"), this);
    importLine->setObjectName(QStringLiteral("importLineEdit"));
    auto *printDebugText = new QLabel(QStringLiteral("Make sure that you have the qxdebug.yab file in your yabasic lib folder. "
                                         "To output debug information use the following syntax:"), this);
    printDebugText->setWordWrap(true);
    // The classic "PrintDebug \"x = \" + x" is no valid line for this interpreter:
    // a sub call needs brackets, and a number must become a string first.
    auto *printDebugLine = copyableLine(QStringLiteral("PrintDebug(\"MyVariable = \" + str$(MyVariable))"), this);
    printDebugLine->setObjectName(QStringLiteral("printDebugLineEdit"));
    layout->addWidget(importText);
    layout->addWidget(importLine);
    layout->addWidget(printDebugText);
    layout->addWidget(printDebugLine);
    layout->addWidget(new PointerPicture(this));
    resize(380, sizeHint().height());
}

void AddingDebugOutputWindow::placeBesideOwner()
{
    const QRect o = m_owner->frameGeometry();
    move(o.left() + o.width() - frameGeometry().width(), o.top() + 40);
}
