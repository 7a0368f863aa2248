#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class ExternalToolsMenu;
class MainStatusBar;
class RunController;
struct MainMenus;
class SettingsAccess;
class TextViewer;
class ToolWindows;
struct Services;

// The Help menu and the toolbar's help button: pages shipped beside the
// executable, the interpreter's manual and the web addresses, opened with the
// desktop's default program (a failure is reported); the tip of the day, the
// text viewer and the about box.
class HelpCommands : public QObject {
    Q_OBJECT
public:
    HelpCommands(Services &services, const RunController &run, SettingsAccess &settings,
                 ToolWindows &toolWindows, QWidget *window);

    // Connects the Help menu, and the Tools menu's extra tools.
    static void connectMenus(MainMenus &menus, HelpCommands *help, ExternalToolsMenu *extraTools,
                             MainStatusBar *statusBar);

    // A help page from the program folder ("hlp00001.htm").
    void openPage(const QString &page);
    void openContents();
    void openYabasicDocumentation();
    void openGettingStarted();
    void openYabasicHomePage();
    void openVormeldHomePage();

    enum TextFile { VormeldReadme, YabasicReadme, YabasicCopying };
    void showTextFile(int which);
    void showTip();
    // Start-up: the tip of the day, when the user wants it.
    void showTipAtStart();
    void showAbout();

private:
    void open(const QString &target);

    Services &m_svc;
    const RunController &m_run;
    SettingsAccess &m_settings;
    ToolWindows &m_toolWindows;
    QWidget *m_window;
    QPointer<TextViewer> m_viewer;
};
