#include "app/LanguageAidsConnections.h"

#include "app/MainMenus.h"
#include "app/MainToolbar.h"
#include "app/ToolWindows.h"
#include "assist/LanguageHelper.h"
#include "assist/SnippetWindow.h"
#include "common/core/AppSettings.h"
#include "common/core/FileNames.h"
#include "editor/EditorController.h"
#include "platform/core/Services.h"

#include <QAction>
#include <QPlainTextEdit>

namespace LanguageAidsConnections {

namespace {
const QString LanguageHelperName = QStringLiteral("languageHelper");
const QString SnippetsName = QStringLiteral("codeSnippets");
} // namespace

void registerWindows(ToolWindows &windows, Services &services, QPlainTextEdit *codeEditor,
                     EditorController *editor, QWidget *owner)
{
    windows.add(
        LanguageHelperName,
        [&services, codeEditor, editor, owner] {
            auto *helper = new LanguageHelper(programFile(services.programFolder, QStringLiteral("yabcomds.dat")),
                                              codeEditor, owner);
            QObject::connect(helper, &LanguageHelper::inserted, editor, &EditorController::parseAllLines);
            return helper;
        },
        [](QWidget *w) { static_cast<LanguageHelper *>(w)->placeBesideOwner(); });
    windows.add(
        SnippetsName,
        [&services, codeEditor, editor, owner] {
            auto *snippets = new SnippetWindow(services.programFolder, codeEditor, *services.prompter, owner);
            QObject::connect(snippets, &SnippetWindow::inserted, editor, &EditorController::parseAllLines);
            return snippets;
        },
        [](QWidget *w) { static_cast<SnippetWindow *>(w)->placeOverOwner(); });
}

void connectAll(MainMenus &menus, MainToolbar *toolBar, ToolWindows *windows)
{
    QAction *helper = menus.tools[MainMenus::LanguageHelper];
    QObject::connect(helper, &QAction::triggered, windows, [windows] { windows->show(LanguageHelperName); });
    QObject::connect(menus.tools[MainMenus::CodeSnippets], &QAction::triggered, windows,
                     [windows] { windows->show(SnippetsName); });
    toolBar->bind(QStringLiteral("langhelp"), helper);
}

void showAtStartup(ToolWindows &windows, const SettingsAccess &settings, QWidget *owner)
{
    if (!AppSettings::showLangHelpAtStart(settings))
        return;
    windows.show(LanguageHelperName);
    // The main window keeps the keyboard: typing goes to the program straight away.
    owner->activateWindow();
}

} // namespace LanguageAidsConnections
