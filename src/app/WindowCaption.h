#pragma once

#include <QObject>
#include <QString>

class MainStatusBar;
class QWidget;

// The window title and what it says about the unsaved work: the document's
// name, with a mark for as long as the crash journal cannot be written. The
// status bar tells when that protection is lost and when it is back.
class WindowCaption : public QObject {
    Q_OBJECT
public:
    static const QString NotProtectedMark;

    WindowCaption(QWidget *window, MainStatusBar *statusBar);

    // The document's own title (its name and changed flag).
    void setTitle(const QString &title);
    // The journal could or could not be written.
    void setProtection(bool protectedNow, const QString &reason);

private:
    void show();

    QWidget *m_window;
    MainStatusBar *m_statusBar;
    QString m_title;
    bool m_protected = true;
};
