#include "app/SetupConnections.h"

#include "app/CentralArea.h"
#include "app/MainMenus.h"
#include "app/MainStatusBar.h"
#include "app/MainToolbar.h"
#include "common/core/AppSettings.h"
#include "documents/core/DocumentController.h"
#include "editor/EditorController.h"
#include "platform/core/FileAssociation.h"
#include "platform/core/Services.h"
#include "platform/core/SettingsStore.h"
#include "setup/InitialSetupDialog.h"
#include "setup/OptionsDialog.h"
#include "setup/PrintCommands.h"
#include "setup/core/VormeldAssociation.h"

#include <QAction>

namespace SetupConnections {

void firstStart(Services &services, SettingsAccess &settings)
{
    if (AppSettings::readFirstDone(settings))
        return;
    FileAssociation association(FileAssociation::foldersOfThisUser());
    InitialSetupDialog dialog(settings, *services.interpreterKey, *services.prompter, *services.shell,
                              association, services.programFolder,
                              VormeldAssociation::programPath(services.programFolder, services.appName));
    dialog.exec();
}

void connectAll(QWidget *window, Services &services, SettingsAccess &settings, MainMenus &menus,
                MainToolbar *toolBar, EditorController *editor, DocumentController *documents,
                MainStatusBar *statusBar)
{
    editor->colouring().setEveryKeyword(AppSettings::readEveryKeyword(settings));
    QObject::connect(menus.toolsOptions, &QAction::triggered, window, [=, &services, &settings] {
        FileAssociation association(FileAssociation::foldersOfThisUser());
        OptionsDialog dialog(settings, *services.prompter, *services.shell, association, services.programFolder,
                             VormeldAssociation::programPath(services.programFolder, services.appName), window);
        if (dialog.exec() != QDialog::Accepted)
            return;
        editor->setAutoIndent(dialog.autoIndent());
        editor->colouring().setEveryKeyword(dialog.everyKeyword());
    });

    auto *printing = new PrintCommands(*services.prompter, window);
    printing->setObjectName(QStringLiteral("printCommands"));
    toolBar->bind(QStringLiteral("print"), menus.filePrint);
    QObject::connect(menus.filePrint, &QAction::triggered, printing, [printing, documents] {
        printing->print(documents->programText(), documents->state().currentFileName,
                        documents->state().hasFileName);
    });
    QObject::connect(menus.filePrintPreview, &QAction::triggered, printing,
                     [printing, documents] { printing->preview(documents->programText()); });
    QObject::connect(printing, &PrintCommands::statusMessage, statusBar,
                     [statusBar](const QString &text) { statusBar->setTabMessage(CentralArea::CodeTab, text); });
}

} // namespace SetupConnections
