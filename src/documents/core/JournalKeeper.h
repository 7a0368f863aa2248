#pragma once

#include "documents/core/CrashJournal.h"

#include <QLockFile>
#include <QMutex>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

// Keeps a journal of the unsaved text, so a crash or a power cut loses at most
// the last moments of typing: a change is written within a second, even while
// the typing goes on, and again before a run; the journal is removed once the
// text is saved or given up. Each running program has its own journal, guarded
// by a lock that tells a live owner from a dead one.
//
// Typing must not wait for the disk: on a change the GUI thread only takes a
// snapshot (which shares the text, it does not copy it); turning it into bytes
// and writing them happen on a worker thread of their own, one write at a time.
class JournalKeeper : public QObject {
    Q_OBJECT
public:
    // snapshot: the journal for the current state, or nothing when the document
    // holds no unsaved changes. Called on the GUI thread only.
    using Snapshot = std::function<std::optional<JournalEntry>()>;

    // An empty folder means the default one. delayMs: the longest a change waits
    // before its write starts.
    JournalKeeper(QString folder, Snapshot snapshot, int delayMs = 1000, QObject *parent = nullptr);
    ~JournalKeeper() override;

    // $XDG_DATA_HOME/vormeld/journal (default ~/.local/share/vormeld/journal).
    static QString defaultFolder();

    // A change happened: written in the background within the delay, counted
    // from the first change since the last write (further changes do not put it off).
    void documentChanged();
    // Writes (or removes) now, as the document stands, and returns once it is on disk.
    void syncNow();
    // The text was saved or given up: no journal, and no write still under way
    // may bring one back.
    void discard();
    // A clean end: the journal and its lock go.
    void close();

    QString journalPath() const;
    const QString &folder() const { return m_folder; }
    bool hasJournal() const;
    // False while the last write failed: the unsaved text is not kept safe.
    bool isProtected() const { return m_protected; }
    // A write is under way or waiting for its time.
    bool isBusy() const { return m_inFlight || m_delay.isActive(); }

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

signals:
    // Said once when a journal cannot be written (with the reason), and once
    // when one can be again or nothing unsaved is left to keep.
    void protectionChanged(bool protectedNow, const QString &reason);

private:
    // What a write came to. Skipped: a newer write or a discard made it moot.
    struct Outcome {
        bool skipped = false;
        bool ok = false;
        QString error;
    };
    // The journal file and its lock, shared by the GUI thread and the worker.
    struct Files {
        QMutex mutex;
        QString folder;
        QString path;
        std::unique_ptr<QLockFile> lock;
        quint64 written = 0;       // the newest ticket on disk
        quint64 cancelledUpTo = 0; // tickets up to here were discarded
        bool ensureOpen(QString *why);
        Outcome write(quint64 ticket, const QByteArray &bytes);
    };

    void writeInBackground();
    void backgroundWriteDone(const Outcome &outcome);
    void report(const Outcome &outcome);

    QString m_folder;
    Snapshot m_snapshot;
    QTimer m_delay;
    std::shared_ptr<Files> m_files;
    QThreadPool m_worker;   // one thread: writes never overlap
    quint64 m_issued = 0;   // the ticket of the newest snapshot handed out
    bool m_inFlight = false;
    bool m_wanted = false;  // the delay ran out while a write was under way
    bool m_protected = true;
};
