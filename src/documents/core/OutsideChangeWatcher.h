#pragma once

#include <QObject>

class DocumentController;
class QFileSystemWatcher;

// Notices when another program changes or removes the open file, and lets the
// document tell the user once the window has the focus (never while the user
// is busy in another program).
class OutsideChangeWatcher : public QObject {
    Q_OBJECT
public:
    explicit OutsideChangeWatcher(DocumentController &documents, QObject *parent = nullptr);

    // The window became active (true) or lost the focus (false).
    void setWindowActive(bool active);

private:
    void watchDocumentFile();
    void fileChanged();
    void checkLater();

    DocumentController &m_documents;
    QFileSystemWatcher *m_watcher;
    bool m_windowActive = false;
    bool m_pending = false;
};
