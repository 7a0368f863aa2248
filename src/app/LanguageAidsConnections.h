#pragma once

class EditorController;
class MainToolbar;
class QPlainTextEdit;
class QWidget;
class SettingsAccess;
class ToolWindows;
struct MainMenus;
struct Services;

// The language helper and the code snippets: their tool windows, the Tools
// menu items and the toolbar button that open them, and the helper shown at
// start-up when the settings ask for it.
namespace LanguageAidsConnections {

void registerWindows(ToolWindows &windows, Services &services, QPlainTextEdit *codeEditor,
                     EditorController *editor, QWidget *owner);
void connectAll(MainMenus &menus, MainToolbar *toolBar, ToolWindows *windows);
void showAtStartup(ToolWindows &windows, const SettingsAccess &settings, QWidget *owner);

} // namespace LanguageAidsConnections
