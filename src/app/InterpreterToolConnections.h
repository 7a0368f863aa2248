#pragma once

class DocumentController;
class QWidget;
class SettingsAccess;
class ToolWindows;
struct MainMenus;
struct Services;

// The tools that work with the interpreter itself: Tools > Library Explorer and
// Tools > Yabasic Settings, and Run > Use Interpreter Settings, which makes
// runs pass the options chosen in the settings editor.
namespace InterpreterToolConnections {

void connectAll(MainMenus &menus, ToolWindows *toolWindows, Services &services,
                SettingsAccess &settings, const DocumentController *documents, QWidget *owner);

} // namespace InterpreterToolConnections
