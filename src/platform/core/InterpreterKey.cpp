#include "platform/core/InterpreterKey.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

QString interpreterExecutableName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("yabasic.exe");
#else
    return QStringLiteral("yabasic");
#endif
}

bool interpreterImportsFromProgramFolders()
{
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}

InterpreterBrowseSetup interpreterBrowse()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("*.exe"), QStringLiteral(".exe"),
            QStringLiteral("Program (*.exe)|*.exe|All files (*.*)|*.*")};
#else
    return {QString(), QString(), QStringLiteral("Program (yabasic*)|yabasic*|All files (*)|*")};
#endif
}

namespace {
QString withTrailingSeparator(const QString &folder)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

std::optional<QString> runWithTimeout(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args, QIODevice::ReadOnly);
    p.closeWriteChannel();
    if (!p.waitForStarted(3000))
        return std::nullopt;
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(1000);
        return std::nullopt;
    }
    return QString::fromLocal8Bit(p.readAll());
}
} // namespace

InstalledInterpreterProbe::InstalledInterpreterProbe(QString executable, Runner runner)
    : m_exe(std::move(executable)), m_run(std::move(runner))
{
}

InstalledInterpreterProbe InstalledInterpreterProbe::forInstalledInterpreter()
{
    return InstalledInterpreterProbe(QStandardPaths::findExecutable(interpreterExecutableName()),
                                     runWithTimeout);
}

std::optional<QString> InstalledInterpreterProbe::path() const
{
    if (m_exe.isEmpty())
        return std::nullopt;
    return withTrailingSeparator(QFileInfo(m_exe).absolutePath());
}

std::optional<QString> InstalledInterpreterProbe::version() const
{
    if (m_exe.isEmpty())
        return std::nullopt;
    const QString key = QStringLiteral("version");
    auto it = m_cache.find(key);
    if (it == m_cache.end()) {
        std::optional<QString> out = m_run(m_exe, {QStringLiteral("--version")});
        it = m_cache.emplace(key, out ? parseVersion(*out) : std::nullopt).first;
    }
    return it->second;
}

std::optional<QString> InstalledInterpreterProbe::libraryPath() const
{
    if (m_exe.isEmpty())
        return std::nullopt;
    const QString key = QStringLiteral("librarypath");
    auto it = m_cache.find(key);
    if (it == m_cache.end()) {
        // An empty program run with debug messages reports the library folder.
        std::optional<QString> out = m_run(
            m_exe, {QStringLiteral("-i"), QStringLiteral("d"), QStringLiteral("-e"), QString()});
        it = m_cache.emplace(key, out ? parseLibraryPath(*out) : std::nullopt).first;
    }
    return it->second;
}

std::optional<QString> InstalledInterpreterProbe::parseVersion(const QString &output)
{
    // "yabasic 2.90.3, built on x86_64-pc-linux-gnu"
    static const QRegularExpression re(QStringLiteral("yabasic\\s+(\\d+(?:\\.\\d+)+)"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(output);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1);
}

std::optional<QString> InstalledInterpreterProbe::parseLibraryPath(const QString &output)
{
    static const QRegularExpression re(
        QStringLiteral("Final value for library_path is:\\s*(\\S[^\\r\\n]*)"));
    const QRegularExpressionMatch m = re.match(output);
    if (!m.hasMatch())
        return std::nullopt;
    return withTrailingSeparator(m.captured(1).trimmed());
}

IniInterpreterKey::IniInterpreterKey(QString filePath, InstalledInterpreterProbe probe)
    : m_path(std::move(filePath)), m_probe(std::move(probe))
{
}

QString IniInterpreterKey::defaultPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/yabasic/registry.ini");
}

std::optional<QString> IniInterpreterKey::readValue(const QString &name) const
{
    {
        QSettings ini(m_path, QSettings::IniFormat);
        const QVariant v = ini.value(QStringLiteral("Yabasic/") + name);
        if (v.isValid())
            return v.userType() == QMetaType::QStringList
                       ? v.toStringList().join(QStringLiteral(", "))
                       : v.toString();
    }
    const QString lower = name.toLower();
    if (lower == QLatin1String("path"))
        return m_probe.path();
    if (lower == QLatin1String("version"))
        return m_probe.version();
    if (lower == QLatin1String("librarypath"))
        return m_probe.libraryPath();
    return std::nullopt;
}

bool IniInterpreterKey::writeValue(const QString &name, const QString &value)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSettings ini(m_path, QSettings::IniFormat);
    ini.setValue(QStringLiteral("Yabasic/") + name, value);
    ini.sync();
    return ini.status() == QSettings::NoError;
}
