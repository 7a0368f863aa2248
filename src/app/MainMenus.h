#pragma once

#include <QList>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class RecentFileList;

// The main window's menu tree. Each item's objectName is its member's name;
// indexed groups are arrays, and each of their items has its "index" property.
struct MainMenus {
    QMenu *fileMenu = nullptr;
    QAction *fileNew = nullptr, *fileNewInstance = nullptr;
    QAction *fileOpen = nullptr, *fileOpenInstance = nullptr;
    QAction *fileSave = nullptr, *fileSaveAs = nullptr, *fileSaveWebPage = nullptr;
    QAction *fileSaveTight = nullptr;
    QAction *fileOpenPixPad = nullptr, *fileSavePixPad = nullptr;
    QAction *fileAppend = nullptr, *fileImportCsv = nullptr;
    QAction *filePrint = nullptr, *filePrintPreview = nullptr;
    QAction *recentFiles[6] = {};
    QAction *recentSeparator = nullptr, *fileExit = nullptr;

    QMenu *editMenu = nullptr;
    QAction *editUndo = nullptr, *editRedo = nullptr;
    QAction *editClipboard[4] = {};
    QAction *editSelectAll = nullptr;
    QAction *editFind = nullptr, *editFindNext = nullptr, *editReplace = nullptr;
    QAction *editInsertSub = nullptr, *editGoToLine = nullptr;

    QMenu *viewMenu = nullptr;
    QAction *viewDisableUpdating = nullptr, *viewUpdateSubsLabels = nullptr;
    QAction *viewLineNumbers = nullptr;

    QMenu *runMenu = nullptr;
    QAction *runProgram = nullptr, *runStop = nullptr, *runCheckSyntax = nullptr;
    QAction *runNextError = nullptr, *runPreviousError = nullptr;
    QMenu *runWhereMenu = nullptr;
    QAction *runWhere[3] = {}; // Automatic, in Vormeld, in a terminal window
    QAction *runMakeStandalone = nullptr;
    QMenu *runInfoLevelMenu = nullptr;
    QAction *runInfoLevels[5] = {};
    QAction *runGeometry = nullptr, *runYabasicPath = nullptr;
    QAction *runUseYabSettings = nullptr; // checked: runs pass the settings editor's options

    QMenu *debugMenu = nullptr;
    QAction *debugAddOutput = nullptr, *debugClear = nullptr;
    QAction *debugRefresh = nullptr;

    QMenu *toolsMenu = nullptr;
    // Language Helper, Draw Pad, PixPad, Library Explorer, Code Snippets, Line Browser.
    enum Tool { LanguageHelper, DrawPad, PixPad, LibraryExplorer, CodeSnippets, LineBrowser };
    QAction *tools[6] = {};
    QAction *toolsExtraTools = nullptr, *toolsYabasicSettings = nullptr;
    QAction *toolsOptions = nullptr, *toolsExternalSeparator = nullptr;
    QList<QAction *> toolsExternal; // external tools, built at start-up

    QMenu *helpMenu = nullptr;
    QAction *helpContents = nullptr, *helpYabasicDocs = nullptr, *helpGettingStarted = nullptr;
    QAction *helpYabasicHome = nullptr, *helpVormeldHome = nullptr;
    QAction *helpTip = nullptr;
    QAction *helpTexts[5] = {};
    QAction *helpAbout = nullptr;

    // Builds the whole tree into the menu bar.
    void build(QMenuBar *bar, QWidget *owner);

    // Start-up: the clipboard items get their captions with the key names.
    void setClipboardCaptions();

    // The recent-file items and their separator show the list's entries.
    void showRecentFiles(const RecentFileList &recent);
    void checkInfoLevel(int level);
};
