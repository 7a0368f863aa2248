#pragma once

#include <QHash>
#include <QStringList>
#include <QToolBar>

class QAction;
class QMenu;

// The main window's toolbar: keyed buttons, the "help" drop-down
// button with its page menu, and a layout the user can customise.
class MainToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit MainToolbar(QWidget *parent = nullptr);

    QAction *button(const QString &key) const { return m_buttons.value(key); }
    // The button does what the menu item does (while the item is enabled).
    void bind(const QString &key, QAction *item) { m_bound.insert(key, item); }
    QMenu *helpMenu() const { return m_helpMenu; }

    // Shows the buttons of the layout, in its order; an empty layout means the
    // built-in one.
    void applyLayout(const QStringList &layout);
    QStringList currentLayout() const;

    // The stored form, for the settings.
    QString saveLayout() const;
    void restoreLayout(const QString &stored);

    // Opens the customise dialog.
    void customize();

signals:
    void buttonClicked(const QString &key);
    void buttonMenuClicked(const QString &key);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QHash<QString, QAction *> m_buttons;
    QHash<QString, QAction *> m_bound;
    QMenu *m_helpMenu = nullptr;
};
