#include "common/core/AppSettings.h"
#include "platform/QtPrompter.h"
#include "app/MainWindow.h"
#include "platform/core/Services.h"
#include "documents/core/JournalKeeper.h"
#include "platform/core/InterpreterKey.h"
#include "platform/SystemKeyState.h"
#include "platform/core/ProcessLauncher.h"
#include "platform/core/SettingsStore.h"
#include "platform/DesktopShell.h"

#include <QApplication>
#include <QFileInfo>

namespace {
// The arguments after the executable, as one text (the whole of it names one file).
QString CommandLineText(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vormeld"));

    IniSettingsStore settingsStore(IniSettingsStore::defaultPath());
    IniInterpreterKey interpreterKey(IniInterpreterKey::defaultPath(),
                                     InstalledInterpreterProbe::forInstalledInterpreter());
    DesktopShell shell;
    SystemProcessLauncher launcher;
    QtPrompter prompter;
    SystemKeyState keyState;

    Services services;
    services.settingsStore = &settingsStore;
    services.interpreterKey = &interpreterKey;
    services.shell = &shell;
    services.launcher = &launcher;
    services.prompter = &prompter;
    services.keyState = &keyState;
    services.programFolder = QApplication::applicationDirPath();
    services.appName = QFileInfo(QApplication::applicationFilePath()).completeBaseName();
    services.commandLine = CommandLineText(QApplication::arguments());
    services.journalFolder = JournalKeeper::defaultFolder();

    // The first-run setup window is shown by start(), before the main window.
    MainWindow window(services);
    window.start();
    return app.exec();
}
