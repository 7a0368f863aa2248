#pragma once

#include "app/MainMenus.h"
#include "documents/core/DocumentController.h"
#include "platform/core/Services.h"
#include "platform/core/SettingsStore.h"
#include "search/core/LineReferences.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class CodeEditor;
class EditorController;
class JournalKeeper;
class QFileSystemWatcher;
class SearchCommands;
class SubsAndLabels;
class LineBrowser;
class HtmlExport;
class MainToolbar;
class MainStatusBar;

// The program's one main window: menus, toolbar, the subs-and-labels panel, the
// code editor and debug view on two tabs, and the status bar. It wires the
// controls to the subsystems; the work is done there.
class MainWindow : public QMainWindow, public IDocumentHost {
    Q_OBJECT
public:
    explicit MainWindow(Services &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence; run once, after construction.
    void start();
    // The close sequence; cancel keeps the window open.
    void queryClose(bool &cancel);

    // The controls, by the names the rest of the program uses.
    struct Controls {
        MainToolbar *Toolbar1 = nullptr;
        QWidget *Picture1 = nullptr;
        QFrame *Line1 = nullptr;
        QComboBox *Combo1 = nullptr;
        QComboBox *Combo2 = nullptr;
        QWidget *TabStrip1 = nullptr;
        QTabBar *TabBar = nullptr; // the tabs of TabStrip1
        CodeEditor *RichTextBox1 = nullptr;
        QPlainTextEdit *RichTextBox2 = nullptr;
        QWidget *Picture3 = nullptr;
        QPushButton *Command1 = nullptr;
        QFrame *Picture2 = nullptr;
        QLabel *Label2 = nullptr;
        MainStatusBar *StatusBar1 = nullptr;
    };
    const Controls &controls() const { return ui; }
    MainMenus &menus() { return mnu; }

    // State shared with the rest of the program.
    int currentTab = 1;
    QString statusMessages[4]; // entries 1 to 3
    qint16 infoLevel = 2;
    QString geoString;
    QString yabasicVersion;
    QString interpreterFolder;
    bool autoIndent = true;
    DocumentController &documents() { return *m_documents; }
    EditorController &editor() { return *m_editor; }
    SearchCommands &search() { return *m_search; }
    SubsAndLabels &subsAndLabels() { return *m_subsLabels; }
    SettingsAccess &settings() { return m_settings; }

    // Panel 1 shows the current tab's message.
    void showStatusMessage();
    void refreshLinePanel();
    void updateTitle();
    void updateInterpreterFolder();

    // Event handlers.
    void tabClicked();
    void editMenuAboutToShow();
    void toolbarButtonClick(const QString &key);
    void toolbarButtonMenuClick(const QString &key);
    void caretMoved();
    void layoutParts();
    void layoutListPanel();

    // Edit commands: 0 cut, 1 copy, 2 paste, 3 delete.
    void editCommand(int index);
    void selectAllText();
    void undoEdit();
    void redoEdit();
    void insertSubroutine();
    void parseAllLines();
    // Undo and Redo, button and menu item, enabled by whether their stacks hold anything.
    void enableHistoryCommands();

    // What the document operations ask of the window.
    QString editorText() const override;
    void setEditorText(const QString &text) override;
    void appendEditorText(const QString &text) override;
    void clearDisableUpdating() override;
    void showReadyMessage() override;
    void documentStateChanged() override;

    // Offers back the unsaved work of a program that did not end properly.
    void recoverJournal();
    JournalKeeper &journal() { return *m_journal; }

    // The six recent-file items and their separator.
    void rebuildRecentMenu();

    // The lists of subroutines and labels, rebuilt from the whole text.
    void updateSubsAndLabels();
    // Status message 1, shown when its tab is current; the panel is repainted now
    // (at most every few hundredths of a second, so long loops stay fast).
    void showProgress(const QString &message);

    // Running and the debug view.
    void runProgram();
    void refreshDebugArea();
    void clearDebug();
    void showYabasicPathDialog();
    void showGeometryInput();
    void checkInfoLevelItems();

    // File > "&Save as Web Page..." (and the "saveweb" button), File > "&Save as Tight Code...".
    void createHTMLSource();
    void createTightProgram();

    // Tools > Line Browser: opens the browser, or brings the open one forward.
    void showLineBrowser();

    // Opens a help page from the program folder.
    void openHelpPage(const QString &page);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createCentralArea();
    void createToolbar();
    void wireMenus();
    void markPending(QAction *action);
    bool isPending(QAction *action) const;

    Services &m_svc;
    SettingsAccess m_settings;
    Controls ui;
    MainMenus mnu;
    std::unique_ptr<DocumentController> m_documents;
    std::unique_ptr<HtmlExport> m_htmlExport; // keeps the HTML options for the rest of the run
    EditorController *m_editor = nullptr;
    SearchCommands *m_search = nullptr;
    SubsAndLabels *m_subsLabels = nullptr;
    qint64 m_lastProgressPaint = 0;
    JournalKeeper *m_journal = nullptr;
    QFileSystemWatcher *m_watcher = nullptr;
    bool m_outsideChangePending = false;
    void watchDocumentFile();
    std::map<QString, std::function<void()>> m_toolbarActions;    // by button key
    std::map<QString, std::function<void()>> m_buttonMenuActions; // "help" button menu
    QList<QAction *> m_pending;
    QList<QPointer<QWidget>> m_toolWindows; // released by the close sequence
    LineReferences m_lineReferences;        // for the whole run, whatever document is open
    QPointer<LineBrowser> m_lineBrowser; // while it is open
};
