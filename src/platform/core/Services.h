#pragma once

#include <QString>

class ISettingsStore;
class IInterpreterKey;
class IShell;
class IProcessLauncher;
class IPrompter;
class IKeyState;

// The outside world as the program sees it. main() fills it with the real
// services; tests fill it with their own.
struct Services {
    ISettingsStore *settingsStore = nullptr;
    IInterpreterKey *interpreterKey = nullptr;
    IShell *shell = nullptr;
    IProcessLauncher *launcher = nullptr;
    IPrompter *prompter = nullptr;
    IKeyState *keyState = nullptr;
    QString programFolder; // the folder of the executable
    QString appName;       // the executable's base name
    QString commandLine;   // the arguments after the executable, as one text
    QString journalFolder; // where the journals of unsaved work are kept
};
