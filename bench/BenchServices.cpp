#include "BenchServices.h"

#include "common/core/AppSettings.h"

BenchServices::BenchServices(const QString &programFolder)
    : m_settingsStore(IniSettingsStore::defaultPath()),
      m_interpreterKey(IniInterpreterKey::defaultPath(),
                       InstalledInterpreterProbe::forInstalledInterpreter())
{
    m_services.settingsStore = &m_settingsStore;
    m_services.interpreterKey = &m_interpreterKey;
    m_services.shell = &m_shell;
    m_services.launcher = &m_launcher;
    m_services.prompter = &m_prompter;
    m_services.keyState = &m_keyState;
    m_services.programFolder = programFolder;
    m_services.appName = appName();
    m_services.commandLine = QString(); // no file named: the template is loaded
}

QString BenchServices::appName()
{
    return QStringLiteral("vormeld");
}

void BenchServices::writeQuietStartSettings()
{
    SettingsAccess s(m_settingsStore, appName());
    s.saveSetting(AppSettings::Startup, AppSettings::Tips, 0);
    s.saveSetting(AppSettings::Startup, AppSettings::LangHelp, 0);
    s.saveSetting(AppSettings::Startup, AppSettings::DrawPad, 0);
    s.saveSetting(AppSettings::Startup, AppSettings::FirstDone, true);
}
