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

JournalKeeper::JournalKeeper(QString folder, Snapshot snapshot, int idleMs, QObject *parent)
    : QObject(parent), m_folder(folder.isEmpty() ? defaultFolder() : std::move(folder)),
      m_snapshot(std::move(snapshot))
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(idleMs);
    connect(&m_idle, &QTimer::timeout, this, &JournalKeeper::syncNow);
}

JournalKeeper::~JournalKeeper()
{
    // An object that goes away without a clean Close (a test, an early exit)
    // leaves the journal for the next start, but not a lock of a live program.
    if (m_lock)
        m_lock->unlock();
}

QString JournalKeeper::defaultFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/vormeld/journal");
}

bool JournalKeeper::ensureOpen()
{
    if (m_lock)
        return true;
    if (!QDir().mkpath(m_folder))
        return false;
    // A name no other program uses: the process and a random part.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString name = QStringLiteral("journal-%1-%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const QString path = QDir(m_folder).filePath(name + Suffix);
        auto lock = std::make_unique<QLockFile>(lockPathFor(path));
        lock->setStaleLockTime(0); // only a dead owner makes a lock stale
        if (!QFileInfo::exists(path) && lock->tryLock(0)) {
            m_path = path;
            m_lock = std::move(lock);
            return true;
        }
    }
    return false;
}

void JournalKeeper::documentChanged()
{
    m_idle.start();
}

void JournalKeeper::syncNow()
{
    m_idle.stop();
    const std::optional<JournalEntry> entry = m_snapshot ? m_snapshot() : std::nullopt;
    if (!entry) {
        discard();
        return;
    }
    if (!ensureOpen())
        return;
    writeWholeFileAtomic(m_path, CrashJournal::serialize(*entry));
}

void JournalKeeper::discard()
{
    m_idle.stop();
    if (!m_path.isEmpty())
        QFile::remove(m_path);
}

void JournalKeeper::close()
{
    discard();
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
}

bool JournalKeeper::hasJournal() const
{
    return !m_path.isEmpty() && QFileInfo::exists(m_path);
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
