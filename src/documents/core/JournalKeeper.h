#pragma once

#include "documents/core/CrashJournal.h"

#include <QLockFile>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

// Keeps a journal of the unsaved text, so a crash or a power cut loses nothing:
// it is written a few seconds after the last change and before a run, and
// removed once the text is saved or given up. Each running program has its own
// journal, guarded by a lock that tells a live owner from a dead one.
class JournalKeeper : public QObject {
    Q_OBJECT
public:
    // snapshot: the journal for the current state, or nothing when the document
    // holds no unsaved changes.
    using Snapshot = std::function<std::optional<JournalEntry>()>;

    // An empty folder means the default one.
    JournalKeeper(QString folder, Snapshot snapshot, int idleMs = 3000, QObject *parent = nullptr);
    ~JournalKeeper() override;

    // $XDG_DATA_HOME/vormeld/journal (default ~/.local/share/vormeld/journal).
    static QString defaultFolder();

    // A change happened: write after the idle time.
    void documentChanged();
    // Writes (or removes) now, as the document stands.
    void syncNow();
    // The text was saved or given up: no journal.
    void discard();
    // A clean end: the journal and its lock go.
    void close();

    QString journalPath() const { return m_path; }
    const QString &folder() const { return m_folder; }
    bool hasJournal() const;

    // A journal left behind by a program that is no longer running. Its lock is
    // held while this object lives, so no other program offers it at the same time.
    struct Orphan {
        QString path;
        JournalEntry entry;
        std::shared_ptr<QLockFile> lock;
    };
    // The orphans of the folder, newest first; unreadable journals are left alone.
    static std::vector<Orphan> findOrphans(const QString &folder);
    // Removes an orphan that was recovered or declined.
    static void removeOrphan(const Orphan &orphan);

private:
    bool ensureOpen();

    QString m_folder;
    Snapshot m_snapshot;
    QTimer m_idle;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
