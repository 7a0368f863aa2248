#include "FakeServices.h"
#include "Files.h"

#include <QDir>
#include <QFile>

namespace {
std::optional<QString> lookUp(const QMap<QString, QString> &values, const QString &key)
{
    const auto it = values.find(key);
    return it == values.end() ? std::nullopt : std::optional<QString>(it.value());
}
} // namespace

std::optional<QString> MemorySettingsStore::value(const QString &app, const QString &section,
                                                  const QString &key) const
{
    return lookUp(values, app + QLatin1Char('/') + section + QLatin1Char('/') + key);
}

bool MemorySettingsStore::setValue(const QString &app, const QString &section,
                                   const QString &key, const QString &value)
{
    values.insert(app + QLatin1Char('/') + section + QLatin1Char('/') + key, value);
    writes << section + QLatin1Char('/') + key;
    return true;
}

std::optional<QString> MemoryInterpreterKey::readValue(const QString &name) const
{
    return lookUp(values, name);
}

bool MemoryInterpreterKey::writeValue(const QString &name, const QString &value)
{
    values.insert(name, value);
    return true;
}

int RecordingShell::open(const QString &target)
{
    opened << target;
    return result;
}

bool RecordingLauncher::start(const QString &commandLine, WindowStyle, bool, const QString &)
{
    started << commandLine;
    return succeed;
}

WaitResult RecordingLauncher::startAndWait(const QString &commandLine, WindowStyle, int)
{
    started << commandLine;
    WaitResult r;
    r.started = r.finished = succeed;
    r.exitCode = 0;
    return r;
}

FakeServices::FakeServices()
{
    // A copy of the shipped data files, so tests see a real program folder (and
    // nothing that a run of the program left in the build folder).
    const QString source = qEnvironmentVariable("VORMELD_SOURCE_DIR");
    if (!source.isEmpty()) {
        const QDir dir(source + QStringLiteral("/data"));
        const QStringList files = dir.entryList(QDir::Files);
        for (const QString &f : files)
            QFile::copy(dir.filePath(f), folder.filePath(f));
    }
    services.settingsStore = &settings;
    services.interpreterKey = &interpreterKey;
    services.shell = &shell;
    services.launcher = &launcher;
    services.prompter = &prompter;
    services.keyState = &keyState;
    services.programFolder = folder.path();
    services.appName = QStringLiteral("vormeld");
    services.journalFolder = folder.filePath(QStringLiteral("journal"));
    // The first-run setup was done: windows start straight away unless a test says otherwise.
    settings.values.insert(QStringLiteral("vormeld/Startup/FirstDone"), QStringLiteral("True"));
    // The tip of the day is a modal window at start-up: only the suites about it want it.
    settings.values.insert(QStringLiteral("vormeld/Startup/Tips"), QStringLiteral("0"));
    // The data files a user edits (Tools.Dat ...) are read from and written to a folder of the test's own.
    qputenv("XDG_DATA_HOME", folder.filePath(QStringLiteral("userdata")).toLocal8Bit());
}

QString FakeServices::writeFile(const QString &name, const QByteArray &bytes) const
{
    writeBytes(folder.filePath(name), bytes);
    return folder.filePath(name);
}

QString FakeServices::setting(const QString &section, const QString &key) const
{
    return settings.values.value(services.appName + QLatin1Char('/') + section + QLatin1Char('/') + key);
}
