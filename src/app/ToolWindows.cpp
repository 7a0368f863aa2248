#include "app/ToolWindows.h"

QWidget *ToolWindows::show(const QString &name)
{
    if (QWidget *open = m_open.value(name)) {
        open->raise();
        open->activateWindow();
        return open;
    }
    const auto kind = m_kinds.constFind(name);
    if (kind == m_kinds.constEnd())
        return nullptr;
    QWidget *window = kind->create();
    m_open.insert(name, window);
    window->show();
    if (kind->place)
        kind->place(window);
    return window;
}

void ToolWindows::track(QWidget *window)
{
    m_tracked.removeAll(QPointer<QWidget>());
    if (!m_tracked.contains(window))
        m_tracked << window;
}

void ToolWindows::closeAll()
{
    QList<QPointer<QWidget>> all = m_tracked;
    for (const QPointer<QWidget> &w : std::as_const(m_open))
        all << w;
    for (const QPointer<QWidget> &w : std::as_const(all)) {
        if (w) {
            w->close();
            w->deleteLater();
        }
    }
    m_open.clear();
    m_tracked.clear();
}
