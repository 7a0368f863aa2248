#include "app/InterpreterToolConnections.h"

#include "app/MainMenus.h"
#include "app/ToolWindows.h"
#include "common/core/AppSettings.h"
#include "documents/core/DocumentController.h"
#include "platform/core/Prompter.h"
#include "platform/core/Services.h"
#include "platform/core/SettingsStore.h"
#include "run/LibraryExplorer.h"
#include "yabsettings/YabSettingsWindow.h"

#include <QAction>
#include <QMenu>

namespace InterpreterToolConnections {

void connectAll(MainMenus &menus, ToolWindows *toolWindows, Services &services,
                SettingsAccess &settings, const DocumentController *documents, QWidget *owner)
{
    // The explorer has no owner: it stays open on its own and is not kept above the main window.
    toolWindows->add(QStringLiteral("libraryExplorer"), [&services, &settings, documents] {
        const Document &doc = documents->state();
        return new LibraryExplorer(services, settings, doc.hasFileName ? doc.currentFileName : QString());
    });
    toolWindows->add(QStringLiteral("yabSettings"),
                     [&services, &settings, owner] { return new YabSettingsWindow(services, settings, owner); });
    QObject::connect(menus.tools[MainMenus::LibraryExplorer], &QAction::triggered, toolWindows,
                     [toolWindows] { toolWindows->show(QStringLiteral("libraryExplorer")); });
    QObject::connect(menus.toolsYabasicSettings, &QAction::triggered, toolWindows,
                     [toolWindows] { toolWindows->show(QStringLiteral("yabSettings")); });

    QAction *use = menus.runUseYabSettings;
    QObject::connect(menus.runMenu, &QMenu::aboutToShow, use,
                     [use, &settings] { use->setChecked(AppSettings::readUseYabSettings(settings)); });
    QObject::connect(use, &QAction::triggered, use, [use, &settings, &services](bool on) {
        if (on && !settings.stored(AppSettings::Run, AppSettings::YabOptions)) {
            use->setChecked(false);
            services.prompter->ask(QStringLiteral("Use Interpreter Settings"),
                                   QStringLiteral("No interpreter settings have been chosen yet.\r\n"
                                                  "Choose them in Tools > Yabasic Settings... and use "
                                                  "Line > Use for Running there."),
                                   MsgButtons::OK, MsgIcon::Information);
            return;
        }
        settings.saveSetting(AppSettings::Run, AppSettings::UseYabSettings, on ? 1 : 0);
    });
}

} // namespace InterpreterToolConnections
