#pragma once

class CentralArea;
class EditorController;
class MainStatusBar;
class RunController;
class SettingsAccess;
class IPrompter;
struct MainMenus;

// Connects the Run and Debug menus, the Run-related Edit and View items and
// the output pane to the run controller, and the controller's error places and
// marks to the editor and the status bar.
namespace RunMenuConnections {

void connectAll(MainMenus &menus, RunController *run, CentralArea *area,
                EditorController *editor, MainStatusBar *statusBar, SettingsAccess &settings,
                IPrompter &prompter);

} // namespace RunMenuConnections
