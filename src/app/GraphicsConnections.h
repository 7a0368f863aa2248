#pragma once

class CentralArea;
class DocumentController;
class EditorController;
class GraphicsTools;
class MainToolbar;
class QWidget;
class SettingsAccess;
class ToolWindows;
struct MainMenus;
struct Services;

// Creates the draw pad and PixPad commands and connects them to the Tools and
// File menus, the toolbar's drawing button, the editor's context menu and the
// tool-window registry.
namespace GraphicsConnections {

GraphicsTools *connectAll(MainMenus &menus, MainToolbar *toolBar, CentralArea *area, EditorController *editor,
                          DocumentController *documents, ToolWindows *toolWindows, Services &services,
                          QWidget *owner);

// Start-up: the draw pad opens when the settings ask for it.
void showAtStart(GraphicsTools *tools, const SettingsAccess &settings);

} // namespace GraphicsConnections
