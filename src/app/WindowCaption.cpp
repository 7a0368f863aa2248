#include "app/WindowCaption.h"

#include "app/CentralArea.h"
#include "app/MainStatusBar.h"

#include <QWidget>

const QString WindowCaption::NotProtectedMark = QStringLiteral(" [not protected]");

WindowCaption::WindowCaption(QWidget *window, MainStatusBar *statusBar)
    : QObject(window), m_window(window), m_statusBar(statusBar), m_title(window->windowTitle())
{
}

void WindowCaption::setTitle(const QString &title)
{
    m_title = title;
    show();
}

void WindowCaption::setProtection(bool protectedNow, const QString &reason)
{
    m_protected = protectedNow;
    // Said once each way; the mark in the title stays, since the status bar
    // is soon written over.
    m_statusBar->setTabMessage(CentralArea::CodeTab,
                               protectedNow ? QStringLiteral("Unsaved changes are kept safe again.")
                                            : QStringLiteral("Unsaved changes cannot be kept safe: %1. "
                                                             "Vormeld keeps trying.")
                                                  .arg(reason));
    show();
}

void WindowCaption::show()
{
    m_window->setWindowTitle(m_protected ? m_title : m_title + NotProtectedMark);
}
