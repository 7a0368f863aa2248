#include "app/AppSettings.h"
#include "app/QtPrompter.h"
#include "app/frmMainWindow.h"
#include "documents/JournalKeeper.h"
#include "platform/InterpreterKey.h"
#include "platform/KeyState.h"
#include "platform/ProcessLauncher.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"

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
    services.journalFolder = JournalKeeper::DefaultFolder();

    // The first-run setup window comes here once it exists; until then the main
    // window opens directly.
    frmMainWindow window(services);
    window.Form_Load();
    return app.exec();
}
