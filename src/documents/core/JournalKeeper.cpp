#include "documents/core/JournalKeeper.h"

#include <QSysInfo>

#include "platform/core/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {
const QString Suffix = QStringLiteral(".yjn");

QString lockPathFor(const QString &journal)
{
    return journal + QStringLiteral(".lock");
}
} // namespace

JournalKeeper::JournalKeeper(QString folder, Snapshot snapshot, int delayMs, QObject *parent)
    : QObject(parent), m_folder(folder.isEmpty() ? defaultFolder() : std::move(folder)),
      m_snapshot(std::move(snapshot)), m_files(std::make_shared<Files>())
{
    m_files->folder = m_folder;
    m_worker.setMaxThreadCount(1);
    // Not restarted by later changes: steady typing must not put the write off for ever.
    m_delay.setSingleShot(true);
    m_delay.setInterval(delayMs);
    connect(&m_delay, &QTimer::timeout, this, &JournalKeeper::writeInBackground);
}

JournalKeeper::~JournalKeeper()
{
    // The worker reports back to this object: it must be finished first.
    m_worker.waitForDone();
    // An object that goes away without a clean Close (a test, an early exit)
    // leaves the journal for the next start, but not a lock of a live program.
    QMutexLocker locked(&m_files->mutex);
    if (m_files->lock)
        m_files->lock->unlock();
}

QString JournalKeeper::defaultFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/vormeld/journal");
}

bool JournalKeeper::Files::ensureOpen(QString *why)
{
    if (lock)
        return true;
    if (!QDir().mkpath(folder)) {
        *why = QStringLiteral("the folder %1 cannot be made").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    // A name no other program uses: the process and a random part.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString name = QStringLiteral("journal-%1-%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const QString candidate = QDir(folder).filePath(name + Suffix);
        auto l = std::make_unique<QLockFile>(lockPathFor(candidate));
        l->setStaleLockTime(0); // only a dead owner makes a lock stale
        if (!QFileInfo::exists(candidate) && l->tryLock(0)) {
            path = candidate;
            lock = std::move(l);
            return true;
        }
        if (l->error() != QLockFile::LockFailedError)
            break; // not a name taken by chance: the folder refuses new files
    }
    *why = QStringLiteral("no file can be made in the folder %1").arg(QDir::toNativeSeparators(folder));
    return false;
}

JournalKeeper::Outcome JournalKeeper::Files::write(quint64 ticket, const QByteArray &bytes)
{
    QMutexLocker locked(&mutex);
    Outcome o;
    // Checked under the same lock that discard() takes: a write whose text was
    // saved or given up meanwhile, or that a newer one overtook, never lands.
    if (ticket <= cancelledUpTo || ticket <= written) {
        o.skipped = true;
        return o;
    }
    if (!ensureOpen(&o.error))
        return o;
    const FileResult r = writeWholeFileAtomic(path, bytes);
    o.ok = r.ok;
    o.error = r.error;
    if (r.ok)
        written = ticket;
    return o;
}

void JournalKeeper::documentChanged()
{
    if (!m_delay.isActive())
        m_delay.start();
}

void JournalKeeper::writeInBackground()
{
    if (m_inFlight) {
        m_wanted = true; // taken when the write under way is done: the newest text wins
        return;
    }
    std::optional<JournalEntry> entry = m_snapshot ? m_snapshot() : std::nullopt;
    if (!entry) {
        discard();
        return;
    }
    m_inFlight = true;
    const quint64 ticket = ++m_issued;
    m_worker.start([this, files = m_files, ticket, entry = std::move(*entry)]() mutable {
        const QByteArray bytes = CrashJournal::serialize(entry);
        entry = JournalEntry();
        const Outcome outcome = files->write(ticket, bytes);
        QMetaObject::invokeMethod(this, [this, outcome] { backgroundWriteDone(outcome); },
                                  Qt::QueuedConnection);
    });
}

void JournalKeeper::backgroundWriteDone(const Outcome &outcome)
{
    m_inFlight = false;
    report(outcome);
    if (m_wanted) {
        m_wanted = false;
        writeInBackground();
    }
}

void JournalKeeper::report(const Outcome &outcome)
{
    if (outcome.skipped || outcome.ok == m_protected)
        return;
    m_protected = outcome.ok;
    QString reason = outcome.error;
    while (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    emit protectionChanged(m_protected, reason);
}

void JournalKeeper::syncNow()
{
    m_delay.stop();
    m_wanted = false;
    const std::optional<JournalEntry> entry = m_snapshot ? m_snapshot() : std::nullopt;
    if (!entry) {
        discard();
        return;
    }
    // A newer ticket than any write under way: that one is skipped if it comes later.
    report(m_files->write(++m_issued, CrashJournal::serialize(*entry)));
}

void JournalKeeper::discard()
{
    m_delay.stop();
    m_wanted = false;
    {
        QMutexLocker locked(&m_files->mutex);
        m_files->cancelledUpTo = m_issued;
        if (!m_files->path.isEmpty())
            QFile::remove(m_files->path);
    }
    // Nothing unsaved is left at risk.
    Outcome nothingToKeep;
    nothingToKeep.ok = true;
    report(nothingToKeep);
}

void JournalKeeper::close()
{
    discard();
    QMutexLocker locked(&m_files->mutex);
    if (m_files->lock) {
        m_files->lock->unlock();
        m_files->lock.reset();
    }
}

QString JournalKeeper::journalPath() const
{
    QMutexLocker locked(&m_files->mutex);
    return m_files->path;
}

bool JournalKeeper::hasJournal() const
{
    const QString path = journalPath();
    return !path.isEmpty() && QFileInfo::exists(path);
}

namespace {
// A lock written on this machine before it was last started: its process
// number belongs to an earlier boot, whatever runs under that number now.
bool fromAnEarlierBoot(const QString &lockPath)
{
    QByteArray bytes;
    if (!readWholeFile(lockPath, &bytes, 64 * 1024).ok)
        return false;
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &l : lines)
        l = l.trimmed();
    const QByteArray host = lines.value(2), machine = lines.value(3), boot = lines.value(4);
    if (!host.isEmpty() && host != QSysInfo::machineHostName().toUtf8())
        return false; // another machine's lock: it cannot be checked from here
    if (!machine.isEmpty() && machine != QSysInfo::machineUniqueId())
        return false;
    return !boot.isEmpty() && boot != QSysInfo::bootUniqueId();
}
} // namespace

std::vector<JournalKeeper::Orphan> JournalKeeper::findOrphans(const QString &folder)
{
    std::vector<Orphan> found;
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*") + Suffix}, QDir::Files);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        auto lock = std::make_shared<QLockFile>(lockPathFor(path));
        lock->setStaleLockTime(0);
        if (fromAnEarlierBoot(lockPathFor(path)))
            QFile::remove(lockPathFor(path));
        if (!lock->tryLock(0)) {
            // A lock that names no process was cut short (a power cut right after it
            // was created): once it is a little old, nobody holds it.
            qint64 pid = 0;
            QString host, app;
            const QFileInfo lockInfo(lockPathFor(path));
            const bool unreadable = !lock->getLockInfo(&pid, &host, &app) || pid <= 0;
            if (!unreadable || lockInfo.lastModified().secsTo(QDateTime::currentDateTime()) < 5
                || !lock->removeStaleLockFile() || !lock->tryLock(0))
                continue; // its program is still running (or another start is offering it)
        }
        QByteArray bytes;
        if (!readWholeFile(path, &bytes, qint64(512) * 1024 * 1024).ok)
            continue;
        std::optional<JournalEntry> entry = CrashJournal::parse(bytes);
        if (!entry)
            continue;
        found.push_back({path, std::move(*entry), lock});
    }
    std::sort(found.begin(), found.end(),
              [](const Orphan &a, const Orphan &b) { return a.entry.savedAt > b.entry.savedAt; });
    return found;
}

void JournalKeeper::removeOrphan(const Orphan &orphan)
{
    QFile::remove(orphan.path);
    if (orphan.lock)
        orphan.lock->unlock(); // removes the lock file
}
