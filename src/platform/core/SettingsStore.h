#pragma once

#include <QString>
#include <optional>

// Per-user store of string values addressed by (application, section, key).
// On Windows this is the registry branch of VB-style settings; elsewhere an INI file.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    virtual std::optional<QString> value(const QString &app, const QString &section,
                                         const QString &key) const = 0;
    virtual bool setValue(const QString &app, const QString &section, const QString &key,
                          const QString &value) = 0;
};

// The INI-file store. A file that is missing, unreadable or full of garbage
// simply yields no values; it never stops the program.
class IniSettingsStore : public ISettingsStore {
public:
    explicit IniSettingsStore(QString filePath);

    // $XDG_CONFIG_HOME/vormeld/vormeld.ini (default ~/.config).
    static QString defaultPath();

    std::optional<QString> value(const QString &app, const QString &section,
                                 const QString &key) const override;
    bool setValue(const QString &app, const QString &section, const QString &key,
                  const QString &value) override;
    QString filePath() const { return m_path; }

private:
    QString m_path;
};

// Settings bound to one application name: GetSetting / SaveSetting.
class SettingsAccess {
public:
    SettingsAccess(ISettingsStore &store, QString appName)
        : m_store(&store), m_app(std::move(appName)) {}

    QString getSetting(const QString &section, const QString &key,
                       const QString &defaultValue = QString()) const;
    void saveSetting(const QString &section, const QString &key, const QString &value);
    void saveSetting(const QString &section, const QString &key, int value);
    void saveSetting(const QString &section, const QString &key, bool value);

    // The stored text, or nothing when the key is absent.
    std::optional<QString> stored(const QString &section, const QString &key) const;

    const QString &appName() const { return m_app; }
    ISettingsStore &store() const { return *m_store; }

private:
    ISettingsStore *m_store;
    QString m_app;
};
