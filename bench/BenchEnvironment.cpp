#include "BenchEnvironment.h"

#include "ProgramGenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

BenchEnvironment::BenchEnvironment(BenchOptions options) : m_options(std::move(options))
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder: ") + m_dir.errorString();
        return;
    }
    const QString config = m_dir.filePath(QStringLiteral("config"));
    QDir().mkpath(config);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    // Journals of unsaved work go here too, never beside the user's own.
    const QString data = m_dir.filePath(QStringLiteral("data"));
    QDir().mkpath(data);
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    m_services = std::make_unique<BenchServices>(programFolder());
    m_services->writeQuietStartSettings();
    m_valid = true;
}

QString BenchEnvironment::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

QString BenchEnvironment::programFile(int lines)
{
    const auto it = m_files.constFind(lines);
    if (it != m_files.constEnd())
        return *it;
    const QString path = m_dir.filePath(QStringLiteral("program%1.yab").arg(lines));
    const QByteArray bytes = ProgramGenerator(m_options.seed).fileBytes(lines);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return QString();
    file.close();
    m_files.insert(lines, path);
    return path;
}
