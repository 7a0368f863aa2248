#pragma once

#include "ScriptedPrompter.h"
#include "platform/core/InterpreterKey.h"
#include "platform/core/KeyState.h"
#include "platform/core/ProcessLauncher.h"
#include "platform/core/Services.h"
#include "platform/core/SettingsStore.h"
#include "platform/core/Shell.h"

#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

// Settings held in memory.
class MemorySettingsStore : public ISettingsStore {
public:
    std::optional<QString> value(const QString &app, const QString &section,
                                 const QString &key) const override;
    bool setValue(const QString &app, const QString &section, const QString &key,
                  const QString &value) override;
    QMap<QString, QString> values; // "app/section/key" -> value
    QStringList writes;            // "section/key" in the order written
};

class MemoryInterpreterKey : public IInterpreterKey {
public:
    std::optional<QString> readValue(const QString &name) const override;
    bool writeValue(const QString &name, const QString &value) override;
    QMap<QString, QString> values;
};

// Records what it is asked to open and answers with a set result.
class RecordingShell : public IShell {
public:
    int open(const QString &target) override;
    QStringList opened;
    int result = ShellResult::Success;
};

// Records command lines instead of starting anything.
class RecordingLauncher : public IProcessLauncher {
public:
    bool start(const QString &commandLine, WindowStyle style, bool console = false,
               const QString &workingFolder = QString()) override;
    WaitResult startAndWait(const QString &commandLine, WindowStyle style, int timeoutMs) override;
    QStringList started;
    bool succeed = true;
};

class FixedKeyState : public IKeyState {
public:
    std::optional<bool> numLock() const override { return num; }
    std::optional<bool> capsLock() const override { return caps; }
    std::optional<bool> num = false, caps = false;
};

// A complete set of fake services around a temporary program folder that holds
// a copy of the shipped data files (when the test was built with them).
struct FakeServices {
    FakeServices();
    MemorySettingsStore settings;
    MemoryInterpreterKey interpreterKey;
    RecordingShell shell;
    RecordingLauncher launcher;
    ScriptedPrompter prompter;
    FixedKeyState keyState;
    QTemporaryDir folder;
    Services services;

    // A file in the temporary program folder.
    QString path(const QString &name) const { return folder.filePath(name); }
    // Writes bytes to a file in the temporary folder and returns its path.
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    // The stored setting, as the program would read it.
    QString setting(const QString &section, const QString &key) const;
};
