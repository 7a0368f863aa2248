#include "MainToolbar.h"

#include "app/ToolbarCustomizeDialog.h"
#include "app/ToolbarIcons.h"
#include "app/core/ToolbarLayout.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QToolButton>

MainToolbar::MainToolbar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("toolBar"));
    setWindowTitle(QStringLiteral("Toolbar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));

    for (const ToolbarButtonDef &def : mainToolbarButtons()) {
        auto *a = new QAction(toolbarIcon(def.key), def.description, this);
        a->setObjectName(def.key);
        a->setData(def.key);
        a->setToolTip(def.tooltip);
        a->setStatusTip(def.description);
        connect(a, &QAction::triggered, this, [this, key = def.key] {
            if (QAction *item = m_bound.value(key))
                item->trigger();
            else
                emit buttonClicked(key);
        });
        m_buttons.insert(def.key, a);
    }

    m_helpMenu = new QMenu(this);
    m_helpMenu->setObjectName(QStringLiteral("helpButtonMenu"));
    const std::pair<const char *, const char *> pages[] = {
        {"m1", "Introduction"},          {"m2", "Help on Drawing Pad"},
        {"m3", "Help on Language Help"}, {"m4", "Help on Line Browser"},
        {"m5", "Help on PixPad"},        {"m6", "Help on Library Explorer"}};
    for (const auto &[key, text] : pages) {
        QAction *a = m_helpMenu->addAction(QString::fromLatin1(text));
        a->setObjectName(QString::fromLatin1(key));
        a->setData(QString::fromLatin1(key));
        connect(a, &QAction::triggered, this,
                [this, k = QString::fromLatin1(key)] { emit buttonMenuClicked(k); });
    }
    m_buttons.value(QStringLiteral("help"))->setMenu(m_helpMenu);

    applyLayout({});
}

void MainToolbar::applyLayout(const QStringList &layout)
{
    const QStringList entries = layout.isEmpty() ? defaultToolbarLayout() : layout;
    // clear() takes the separators off the bar but leaves them alive.
    QList<QAction *> separators;
    for (QAction *a : actions())
        if (a->isSeparator() && a->parent() == this)
            separators << a;
    clear();
    qDeleteAll(separators);
    for (const QString &entry : entries) {
        if (entry == ToolbarSeparator) {
            addSeparator();
            continue;
        }
        QAction *a = m_buttons.value(entry);
        if (!a)
            continue;
        addAction(a);
        if (a->menu()) {
            if (auto *tb = qobject_cast<QToolButton *>(widgetForAction(a)))
                tb->setPopupMode(QToolButton::MenuButtonPopup);
        }
    }
}

QStringList MainToolbar::currentLayout() const
{
    QStringList layout;
    const QList<QAction *> shown = actions();
    for (QAction *a : shown)
        layout << (a->isSeparator() ? ToolbarSeparator : a->data().toString());
    return layout;
}

QString MainToolbar::saveLayout() const
{
    return serializeToolbarLayout(currentLayout());
}

void MainToolbar::restoreLayout(const QString &stored)
{
    applyLayout(parseToolbarLayout(stored));
}

void MainToolbar::customize()
{
    ToolbarCustomizeDialog dialog(currentLayout(), this);
    if (dialog.exec() == QDialog::Accepted)
        applyLayout(dialog.layout());
}

void MainToolbar::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double click on the bar itself (not on a button) customises it.
    if (!childAt(event->position().toPoint()) || childAt(event->position().toPoint()) == this)
        customize();
    QToolBar::mouseDoubleClickEvent(event);
}

void MainToolbar::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Customize Toolbar..."), this, &MainToolbar::customize);
    menu.exec(event->globalPos());
}
