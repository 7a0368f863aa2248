#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

// The tool windows that stay open beside the main window. Each kind is
// registered once with the function that creates it; showing it again brings
// the open one forward. Closing the main window closes them all.
class ToolWindows : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget *()>;
    // Runs once the new window is shown (placing it needs its frame).
    using Placement = std::function<void(QWidget *)>;

    explicit ToolWindows(QObject *parent = nullptr) : QObject(parent) {}

    void add(const QString &name, Factory create, Placement place = {})
    {
        m_kinds.insert(name, {std::move(create), std::move(place)});
    }

    // Opens the named window, or brings the open one forward.
    QWidget *show(const QString &name);
    QWidget *find(const QString &name) const { return m_open.value(name); }

    // A window opened elsewhere that must close with the main window too.
    void track(QWidget *window);

    void closeAll();

private:
    struct Kind {
        Factory create;
        Placement place;
    };
    QMap<QString, Kind> m_kinds;
    QMap<QString, QPointer<QWidget>> m_open;
    QList<QPointer<QWidget>> m_tracked;
};
