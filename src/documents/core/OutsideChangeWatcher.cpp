#include "documents/core/OutsideChangeWatcher.h"

#include "documents/core/DocumentController.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

OutsideChangeWatcher::OutsideChangeWatcher(DocumentController &documents, QObject *parent)
    : QObject(parent), m_documents(documents), m_watcher(new QFileSystemWatcher(this))
{
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &OutsideChangeWatcher::fileChanged);
    connect(&m_documents, &DocumentController::stateChanged, this,
            &OutsideChangeWatcher::watchDocumentFile);
    // One question at a time: a change seen while one is open is told after it.
    connect(&m_documents, &DocumentController::questionClosed, this, [this] {
        if (m_pending && m_windowActive)
            checkLater();
    });
}

void OutsideChangeWatcher::setWindowActive(bool active)
{
    m_windowActive = active;
    if (active && m_pending)
        checkLater();
}

void OutsideChangeWatcher::fileChanged()
{
    // A replaced file drops out of the watch (every atomic save replaces it).
    watchDocumentFile();
    m_pending = true;
    if (m_windowActive)
        checkLater();
}

void OutsideChangeWatcher::checkLater()
{
    // Asked from the event loop, so a question never opens inside a focus change.
    QMetaObject::invokeMethod(this, [this] {
        if (m_pending && m_windowActive && !m_documents.isAsking()) {
            m_pending = false;
            m_documents.checkOutsideChange();
        }
    }, Qt::QueuedConnection);
}

void OutsideChangeWatcher::watchDocumentFile()
{
    const Document &doc = m_documents.state();
    const QStringList watched = m_watcher->files();
    const QString wanted = doc.hasFileName && QFileInfo::exists(doc.currentFileName)
                               ? QFileInfo(doc.currentFileName).absoluteFilePath()
                               : QString();
    if (watched.size() == 1 && watched.first() == wanted)
        return;
    if (!watched.isEmpty())
        m_watcher->removePaths(watched);
    if (!wanted.isEmpty())
        m_watcher->addPath(wanted);
}
