#pragma once

#include "platform/QtPrompter.h"
#include "platform/core/InterpreterKey.h"
#include "platform/SystemKeyState.h"
#include "platform/core/ProcessLauncher.h"
#include "platform/core/Services.h"
#include "platform/core/SettingsStore.h"
#include "platform/DesktopShell.h"

// The program's real services, built as main() builds them. The stores take
// their paths from $XDG_CONFIG_HOME when they are constructed, so set it first.
class BenchServices {
public:
    explicit BenchServices(const QString &programFolder);

    Services &services() { return m_services; }

    // The settings a first start would otherwise answer with windows (tips,
    // language help, draw pad, first-run setup): all off.
    void writeQuietStartSettings();

    // The settings name the program runs under ("vormeld"), not the bench's own.
    static QString appName();

private:
    IniSettingsStore m_settingsStore;
    IniInterpreterKey m_interpreterKey;
    DesktopShell m_shell;
    SystemProcessLauncher m_launcher;
    QtPrompter m_prompter;
    SystemKeyState m_keyState;
    Services m_services;
};
