#pragma once

#include "platform/core/Shell.h"

#include <QPointer>
#include <QWidget>

class IPrompter;
class QTextBrowser;
class QUrl;

// A small browser for the help pages shipped with the program, for desktops
// that have nothing to open a local page with. Links between local pages are
// followed in it; web addresses go to the shell.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    HelpViewer(IShell &shell, IPrompter &prompter, QWidget *owner = nullptr);

    void showPage(const QString &path);
    QTextBrowser *browser() const { return m_browser; }

private:
    void linkClicked(const QUrl &link);

    IShell &m_shell;
    IPrompter &m_prompter;
    QTextBrowser *m_browser;
};

// The shell as the program uses it: a local help page that the desktop cannot
// open is shown in the built-in help viewer instead of failing.
class HelpViewerShell : public IShell {
public:
    HelpViewerShell(IShell &desktop, IPrompter &prompter) : m_desktop(desktop), m_prompter(prompter) {}

    // The window the viewer belongs to (it closes with it).
    void setOwner(QWidget *owner) { m_owner = owner; }
    int open(const QString &target) override;

    HelpViewer *viewer() const { return m_viewer; }
    static bool isLocalPage(const QString &target);

private:
    IShell &m_desktop;
    IPrompter &m_prompter;
    QPointer<QWidget> m_owner;
    QPointer<HelpViewer> m_viewer;
};
