#include "platform/core/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
QString settingsKey(const QString &app, const QString &section, const QString &key)
{
    return app + QLatin1Char('/') + section + QLatin1Char('/') + key;
}
} // namespace

IniSettingsStore::IniSettingsStore(QString filePath) : m_path(std::move(filePath)) {}

QString IniSettingsStore::defaultPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/vormeld/vormeld.ini");
}

std::optional<QString> IniSettingsStore::value(const QString &app, const QString &section,
                                               const QString &key) const
{
    QSettings ini(m_path, QSettings::IniFormat);
    const QVariant v = ini.value(settingsKey(app, section, key));
    if (!v.isValid())
        return std::nullopt;
    // A value written by hand as a list ("a, b") comes back as a string list.
    if (v.userType() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

bool IniSettingsStore::setValue(const QString &app, const QString &section, const QString &key,
                                const QString &value)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSettings ini(m_path, QSettings::IniFormat);
    ini.setValue(settingsKey(app, section, key), value);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

QString SettingsAccess::getSetting(const QString &section, const QString &key,
                                   const QString &defaultValue) const
{
    return stored(section, key).value_or(defaultValue);
}

std::optional<QString> SettingsAccess::stored(const QString &section, const QString &key) const
{
    return m_store->value(m_app, section, key);
}

void SettingsAccess::saveSetting(const QString &section, const QString &key, const QString &value)
{
    m_store->setValue(m_app, section, key, value);
}

void SettingsAccess::saveSetting(const QString &section, const QString &key, int value)
{
    saveSetting(section, key, QString::number(value));
}

void SettingsAccess::saveSetting(const QString &section, const QString &key, bool value)
{
    saveSetting(section, key, value ? QStringLiteral("True") : QStringLiteral("False"));
}
