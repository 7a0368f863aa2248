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
        setObjectName(QStringLiteral("Picture1"));
        setMouseTracking(true);
        setMinimumHeight(70);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(0, 0, 128));
        setPalette(p);
    }
    QPoint pointer{-1, -1};

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
    setObjectName(QStringLiteral("frmAddingDebugging"));
    setWindowTitle(QStringLiteral("Adding Debug Output"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    auto *l1 = new QLabel(QStringLiteral("To add debug output, include in your project qxdebug with the following line:"), this);
    l1->setWordWrap(true);
    auto *t1 = copyableLine(QStringLiteral("import qxdebug"), this);
    t1->setObjectName(QStringLiteral("Text1"));
    auto *l2 = new QLabel(QStringLiteral("Make sure that you have the qxdebug.yab file in your yabasic lib folder. "
                                         "To output debug information use the following syntax:"), this);
    l2->setWordWrap(true);
    // The classic "PrintDebug \"x = \" + x" is no valid line for this interpreter:
    // a sub call needs brackets, and a number must become a string first.
    auto *t2 = copyableLine(QStringLiteral("PrintDebug(\"MyVariable = \" + str$(MyVariable))"), this);
    t2->setObjectName(QStringLiteral("Text2"));
    layout->addWidget(l1);
    layout->addWidget(t1);
    layout->addWidget(l2);
    layout->addWidget(t2);
    layout->addWidget(new PointerPicture(this));
    resize(380, sizeHint().height());
}

void AddingDebugOutputWindow::placeBesideOwner()
{
    const QRect o = m_owner->frameGeometry();
    move(o.left() + o.width() - frameGeometry().width(), o.top() + 40);
}
