#include "platform/core/FileAssociation.h"

#include "platform/core/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

const QString FileAssociation::MimeType = QStringLiteral("text/x-yabasic");
const QString FileAssociation::DesktopId = QStringLiteral("vormeld.desktop");

namespace {
QString envFolder(const char *name, const QString &fallback)
{
    const QString v = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(v) ? v : fallback;
}

QStringList envFolders(const char *name, const QString &fallback)
{
    QString v = qEnvironmentVariable(name);
    if (v.isEmpty())
        v = fallback;
    return v.split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

QString groupName(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    return t.startsWith('[') && t.endsWith(']') ? QString::fromUtf8(t.mid(1, t.size() - 2)) : QString();
}

// "key=value" with blanks around the key allowed; nothing for other lines.
bool splitKey(const QByteArray &line, QByteArray *key, QByteArray *value)
{
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0 || line.trimmed().startsWith('#'))
        return false;
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1).trimmed();
    return true;
}

QString unescapeValue(const QByteArray &raw)
{
    const QString v = QString::fromUtf8(raw);
    QString out;
    for (qsizetype i = 0; i < v.size(); ++i) {
        if (v[i] != QLatin1Char('\\') || i + 1 == v.size()) {
            out += v[i];
            continue;
        }
        const QChar c = v[++i];
        out += c == QLatin1Char('s') ? QChar(' ') : c == QLatin1Char('n') ? QChar('\n')
             : c == QLatin1Char('t') ? QChar('\t') : c == QLatin1Char('r') ? QChar('\r') : c;
    }
    return out;
}

// The file's bytes, or nothing (with the reason) when it exists and cannot be read.
bool readIfPresent(const QString &path, QByteArray *bytes, QString *error)
{
    bytes->clear();
    if (!QFileInfo::exists(path))
        return true;
    const FileResult r = readWholeFile(path, bytes);
    if (!r.ok)
        *error = QStringLiteral("%1 could not be read: %2").arg(QDir::toNativeSeparators(path), r.error);
    return r.ok;
}

bool writeFile(const QString &path, const QByteArray &bytes, QStringList *errors)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        *errors << QStringLiteral("The folder %1 could not be created.").arg(QDir::toNativeSeparators(info.absolutePath()));
        return false;
    }
    // A read-only file is the user's way of saying "leave it alone"; an atomic
    // write would replace it all the same.
    const bool noWriteBit = !(info.permissions() & QFileDevice::WriteOwner);
    if (info.exists() && (!info.isWritable() || noWriteBit)) {
        *errors << QStringLiteral("%1 is read-only.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    // A link (a managed dotfile) keeps pointing at the file it points at.
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    const FileResult r = writeWholeFileAtomic(target, bytes);
    if (!r.ok)
        *errors << QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), r.error);
    return r.ok;
}

void runIfPresent(const QString &tool, const QString &folder)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty())
        return;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(exe, {folder});
    if (p.waitForStarted(3000) && !p.waitForFinished(10000))
        p.kill();
}
} // namespace

FileAssociation::Folders FileAssociation::foldersOfThisUser()
{
    const QString home = QDir::homePath();
    return {envFolder("XDG_DATA_HOME", home + QStringLiteral("/.local/share")),
            envFolder("XDG_CONFIG_HOME", home + QStringLiteral("/.config")),
            envFolders("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share")),
            envFolders("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"))};
}

FileAssociation::FileAssociation(Folders folders) : m_folders(std::move(folders)) {}

QString FileAssociation::desktopEntryPath() const
{
    return m_folders.dataHome + QStringLiteral("/applications/") + DesktopId;
}

QString FileAssociation::mimePackagePath() const
{
    return m_folders.dataHome + QStringLiteral("/mime/packages/vormeld.xml");
}

QString FileAssociation::mimeAppsPath() const
{
    return m_folders.configHome + QStringLiteral("/mimeapps.list");
}

QString FileAssociation::execLine(const QString &programPath)
{
    // Quoted argument: ", `, $ and \ take a backslash. Then the rules of every
    // string value: \ is written \\, and a literal % is %%.
    QString quoted;
    for (const QChar c : programPath) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return quoted + QStringLiteral(" %f");
}

QStringList FileAssociation::execArguments(const QString &exec)
{
    QStringList args;
    QString current;
    bool inArg = false, quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size())
                current += exec[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                current += c;
        } else if (c == QLatin1Char('"')) {
            quoted = inArg = true;
        } else if (c == QLatin1Char(' ')) {
            if (inArg)
                args << current;
            current.clear();
            inArg = false;
        } else {
            current += c;
            inArg = true;
        }
    }
    if (inArg)
        args << current;
    for (QString &a : args)
        if (a != QLatin1String("%f"))
            a.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return args;
}

QString FileAssociation::desktopEntryValue(const QByteArray &entry, const QByteArray &key)
{
    QString group;
    for (const QByteArray &line : entry.split('\n')) {
        const QString g = groupName(line);
        if (!g.isEmpty()) {
            group = g;
            continue;
        }
        QByteArray k, v;
        if (group == QLatin1String("Desktop Entry") && splitKey(line, &k, &v) && k == key)
            return unescapeValue(v);
    }
    return QString();
}

QString FileAssociation::defaultIn(const QByteArray &mimeApps, const QString &mimeType)
{
    QString group;
    for (const QByteArray &line : mimeApps.split('\n')) {
        const QString g = groupName(line);
        if (!g.isEmpty()) {
            group = g;
            continue;
        }
        QByteArray k, v;
        if (group == QLatin1String("Default Applications") && splitKey(line, &k, &v)
            && QString::fromUtf8(k) == mimeType) {
            const QStringList ids = QString::fromUtf8(v).split(QLatin1Char(';'), Qt::SkipEmptyParts);
            return ids.value(0).trimmed();
        }
    }
    return QString();
}

QByteArray FileAssociation::withDefault(const QByteArray &mimeApps, const QString &mimeType,
                                        const QString &desktopId)
{
    const QByteArray entry = mimeType.toUtf8() + '=' + desktopId.toUtf8() + ';';
    QList<QByteArray> lines = mimeApps.split('\n');
    const bool finalBreak = mimeApps.isEmpty() || mimeApps.endsWith('\n');
    if (finalBreak)
        lines.removeLast(); // the empty piece after the last break
    const bool crlf = !lines.isEmpty() && lines.first().endsWith('\r');
    const QByteArray eol = crlf ? "\r" : "";
    qsizetype header = -1;
    QString group;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString g = groupName(lines[i]);
        if (!g.isEmpty()) {
            group = g;
            if (g == QLatin1String("Default Applications") && header < 0)
                header = i;
            continue;
        }
        QByteArray k, v;
        if (group == QLatin1String("Default Applications") && splitKey(lines[i], &k, &v)
            && QString::fromUtf8(k) == mimeType) {
            lines[i] = entry + eol;
            return lines.join('\n') + (finalBreak ? "\n" : "");
        }
    }
    if (header >= 0) {
        lines.insert(header + 1, entry + eol);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << eol;
        lines << "[Default Applications]" + eol << entry + eol;
    }
    return lines.join('\n') + '\n';
}

QString FileAssociation::defaultDesktopId() const
{
    // xdg-mime knows every place a desktop keeps its defaults; without it the
    // user's and the system's mimeapps.list are read in their order of precedence.
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!xdgMime.isEmpty()) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_folders.dataHome);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folders.configHome);
        env.insert(QStringLiteral("XDG_DATA_DIRS"), m_folders.dataDirs.join(QLatin1Char(':')));
        env.insert(QStringLiteral("XDG_CONFIG_DIRS"), m_folders.configDirs.join(QLatin1Char(':')));
        p.setProcessEnvironment(env);
        p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), MimeType});
        if (p.waitForFinished(5000)) {
            const QString id = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
            if (!id.isEmpty())
                return id;
        } else {
            p.kill();
        }
    }
    QStringList lists = {mimeAppsPath()};
    for (const QString &d : m_folders.configDirs)
        lists << d + QStringLiteral("/mimeapps.list");
    lists << m_folders.dataHome + QStringLiteral("/applications/mimeapps.list");
    for (const QString &d : m_folders.dataDirs)
        lists << d + QStringLiteral("/applications/mimeapps.list") << d + QStringLiteral("/applications/defaults.list");
    for (const QString &path : std::as_const(lists)) {
        QByteArray bytes;
        if (QFileInfo::exists(path) && readWholeFile(path, &bytes, 4 * 1024 * 1024).ok) {
            const QString id = defaultIn(bytes, MimeType);
            if (!id.isEmpty() && !findDesktopEntry(id).isEmpty())
                return id;
        }
    }
    return QString();
}

QString FileAssociation::findDesktopEntry(const QString &id) const
{
    QStringList folders = {m_folders.dataHome};
    folders += m_folders.dataDirs;
    for (const QString &f : std::as_const(folders)) {
        const QString path = f + QStringLiteral("/applications/") + id;
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

QString FileAssociation::currentCommand() const
{
    const QString path = findDesktopEntry(defaultDesktopId());
    QByteArray bytes;
    if (path.isEmpty() || !readWholeFile(path, &bytes, 1024 * 1024).ok)
        return QString();
    return desktopEntryValue(bytes, "Exec");
}

bool FileAssociation::makeDefault(const QString &programPath, QString *error)
{
    QStringList errors;
    const QByteArray entry = QByteArrayLiteral("[Desktop Entry]\n"
                                               "Type=Application\n"
                                               "Name=Vormeld\n"
                                               "GenericName=Yabasic Workbench\n"
                                               "Comment=Edit and run Yabasic programs\n"
                                               "Exec=")
                             + execLine(programPath).toUtf8()
                             + QByteArrayLiteral("\nTerminal=false\n"
                                                 "MimeType=text/x-yabasic;\n"
                                                 "Categories=Development;IDE;\n");
    const bool entryWritten = writeFile(desktopEntryPath(), entry, &errors);
    const QByteArray mime = QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"text/x-yabasic\">\n"
        "    <comment>Yabasic program</comment>\n"
        "    <sub-class-of type=\"text/plain\"/>\n"
        "    <glob pattern=\"*.yab\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
    const bool mimeWritten = writeFile(mimePackagePath(), mime, &errors);

    // The default is only named once the entry it names exists.
    if (entryWritten) {
        QByteArray lists;
        QString readError;
        if (readIfPresent(mimeAppsPath(), &lists, &readError))
            writeFile(mimeAppsPath(), withDefault(lists, MimeType, DesktopId), &errors);
        else
            errors << readError;
    }
    if (mimeWritten)
        runIfPresent(QStringLiteral("update-mime-database"), m_folders.dataHome + QStringLiteral("/mime"));
    if (entryWritten)
        runIfPresent(QStringLiteral("update-desktop-database"), m_folders.dataHome + QStringLiteral("/applications"));
    if (error)
        *error = errors.join(QLatin1Char('\n'));
    return errors.isEmpty();
}
