#pragma once

#include "app/MainMenus.h"
#include "platform/core/SettingsStore.h"
#include "search/core/LineReferences.h"

#include <QMainWindow>
#include <memory>

class CentralArea;
class DocumentController;
class EditorController;
class ExternalToolsMenu;
class GraphicsTools;
class HelpCommands;
class HtmlExport;
class JournalKeeper;
class MainStatusBar;
class MainToolbar;
class OutsideChangeWatcher;
class RunController;
class SearchCommands;
class SubsAndLabels;
class ToolWindows;
class WindowCaption;
struct Services;

// The program's one main window. It builds the menus, toolbar, status bar and
// client area, creates the subsystems and connects them; the work itself is
// done in the subsystems.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Services &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence; run once, after construction.
    void start();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createSubsystems();
    void createToolBar();
    void connectEditor();
    void connectDocuments();
    void connectFileMenu();
    void connectEditMenu();
    void connectRunMenus();
    void connectToolsAndHelp();
    void registerToolWindows();

    // The close sequence; false keeps the window open.
    bool queryClose();
    void showReadyMessage();
    void updateHistoryCommands(bool canUndo, bool canRedo);
    void updateEditMenu();
    void toolbarButtonClicked(const QString &key);
    void saveAsWebPage();
    void saveAsTightCode();

    Services &m_svc;
    SettingsAccess m_settings;
    MainMenus m_menus;
    MainToolbar *m_toolBar = nullptr;
    MainStatusBar *m_statusBar = nullptr;
    CentralArea *m_area = nullptr;
    EditorController *m_editor = nullptr;
    DocumentController *m_documents = nullptr;
    JournalKeeper *m_journal = nullptr;
    OutsideChangeWatcher *m_watcher = nullptr;
    SubsAndLabels *m_subsAndLabels = nullptr;
    SearchCommands *m_search = nullptr;
    RunController *m_run = nullptr;
    ToolWindows *m_toolWindows = nullptr;
    HelpCommands *m_help = nullptr;
    ExternalToolsMenu *m_extraTools = nullptr;
    GraphicsTools *m_graphics = nullptr;
    WindowCaption *m_caption = nullptr;
    std::unique_ptr<HtmlExport> m_htmlExport; // keeps the page options for the rest of the run
    LineReferences m_lineReferences;          // for the whole run, whatever document is open
};
