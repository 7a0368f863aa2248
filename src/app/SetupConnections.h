#pragma once

class DocumentController;
class EditorController;
class MainStatusBar;
class MainToolbar;
class QWidget;
class SettingsAccess;
struct MainMenus;
struct Services;

// The first-run setup, Tools > Options, and File > Print and Print Preview with
// the toolbar's print button.
namespace SetupConnections {

// Start-up's first step: the initial setup window, modal, for as long as the
// setup has not been confirmed with its "OK".
void firstStart(Services &services, SettingsAccess &settings);

// Connects the items; the editor's colouring becomes the one stored.
void connectAll(QWidget *window, Services &services, SettingsAccess &settings, MainMenus &menus,
                MainToolbar *toolBar, EditorController *editor, DocumentController *documents,
                MainStatusBar *statusBar);

} // namespace SetupConnections
