#include "MainMenus.h"

#include "documents/core/RecentFileList.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {
QAction *item(QMenu *menu, const char *name, const QString &caption,
              const QKeySequence &key = QKeySequence())
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty())
        a->setShortcut(key);
    return a;
}

QAction *indexed(QMenu *menu, const char *name, int index, const QString &caption)
{
    QAction *a = item(menu, name, caption);
    a->setProperty("index", index);
    return a;
}

QAction *separator(QMenu *menu, const char *name)
{
    QAction *a = menu->addSeparator();
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu *menu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}
} // namespace

void MainMenus::build(QMenuBar *bar, QWidget *)
{
    fileMenu = menu(bar, "fileMenu", QStringLiteral("&File"));
    QMenu *m = fileMenu;
    fileNew = item(m, "fileNew", QStringLiteral("&New Program"), QKeySequence(Qt::CTRL | Qt::Key_N));
    fileNewInstance = item(m, "fileNewInstance", QStringLiteral("&New Program Instance"));
    m->addSeparator();
    fileOpen = item(m, "fileOpen", QStringLiteral("&Open Program..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    fileOpenInstance = item(m, "fileOpenInstance", QStringLiteral("Open in Ne&w Instance..."));
    m->addSeparator();
    fileSave = item(m, "fileSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    fileSaveAs = item(m, "fileSaveAs", QStringLiteral("Save &as..."));
    fileSaveWebPage = item(m, "fileSaveWebPage", QStringLiteral("&Save as Web Page..."));
    fileSaveTight = item(m, "fileSaveTight", QStringLiteral("&Save as Tight Code..."), QKeySequence(Qt::Key_F7));
    m->addSeparator();
    fileOpenPixPad = item(m, "fileOpenPixPad", QStringLiteral("Open in Pixpad..."));
    fileSavePixPad = item(m, "fileSavePixPad", QStringLiteral("Save PixPad as..."));
    m->addSeparator();
    fileAppend = item(m, "fileAppend", QStringLiteral("&Append..."));
    fileImportCsv = item(m, "fileImportCsv", QStringLiteral("&Import CSV..."));
    m->addSeparator();
    filePrint = item(m, "filePrint", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    filePrintPreview = item(m, "filePrintPreview", QStringLiteral("Print Pre&view..."));
    m->addSeparator();
    for (int i = 0; i < 6; ++i) {
        recentFiles[i] = indexed(m, "recentFiles", i, QString());
        recentFiles[i]->setVisible(false);
    }
    recentSeparator = separator(m, "recentSeparator");
    recentSeparator->setVisible(false);
    fileExit = item(m, "fileExit", QStringLiteral("&Exit"));

    editMenu = menu(bar, "editMenu", QStringLiteral("&Edit"));
    m = editMenu;
    editUndo = item(m, "editUndo", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    editRedo = item(m, "editRedo", QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    m->addSeparator();
    // Captions with the key names come at start-up; the editor handles those keys.
    editClipboard[0] = indexed(m, "editClipboard", 0, QStringLiteral("Cu&t"));
    editClipboard[1] = indexed(m, "editClipboard", 1, QStringLiteral("&Copy"));
    editClipboard[2] = indexed(m, "editClipboard", 2, QStringLiteral("&Paste"));
    editClipboard[3] = indexed(m, "editClipboard", 3, QStringLiteral("&Delete"));
    editSelectAll = item(m, "editSelectAll", QStringLiteral("&Select All"));
    m->addSeparator();
    editFind = item(m, "editFind", QStringLiteral("&Find..."), QKeySequence(Qt::CTRL | Qt::Key_F));
    editFindNext = item(m, "editFindNext", QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3));
    editReplace = item(m, "editReplace", QStringLiteral("&Replace..."), QKeySequence(Qt::CTRL | Qt::Key_R));
    m->addSeparator();
    editInsertSub = item(m, "editInsertSub", QStringLiteral("&Insert Subroutine"), QKeySequence(Qt::SHIFT | Qt::Key_F6));
    editGoToLine = item(m, "editGoToLine", QStringLiteral("&Go to Line..."), QKeySequence(Qt::CTRL | Qt::Key_G));

    viewMenu = menu(bar, "viewMenu", QStringLiteral("&View"));
    viewDisableUpdating = item(viewMenu, "viewDisableUpdating", QStringLiteral("&Disable Updating Editor State"));
    viewDisableUpdating->setCheckable(true);
    viewMenu->addSeparator();
    viewUpdateSubsLabels = item(viewMenu, "viewUpdateSubsLabels", QStringLiteral("&Update Subs and Labels"));
    viewMenu->addSeparator();
    viewLineNumbers = item(viewMenu, "viewLineNumbers", QStringLiteral("&Line Numbers"));
    viewLineNumbers->setCheckable(true);

    runMenu = menu(bar, "runMenu", QStringLiteral("&Run"));
    m = runMenu;
    runProgram = item(m, "runProgram", QStringLiteral("&Run Program"), QKeySequence(Qt::Key_F5));
    runStop = item(m, "runStop", QStringLiteral("&Stop Program"), QKeySequence(Qt::SHIFT | Qt::Key_F5));
    runCheckSyntax = item(m, "runCheckSyntax", QStringLiteral("Check S&yntax"), QKeySequence(Qt::CTRL | Qt::Key_F5));
    runNextError = item(m, "runNextError", QStringLiteral("&Next Error"), QKeySequence(Qt::Key_F4));
    runPreviousError = item(m, "runPreviousError", QStringLiteral("P&revious Error"), QKeySequence(Qt::SHIFT | Qt::Key_F4));
    runWhereMenu = m->addMenu(QStringLiteral("Run &Where"));
    runWhereMenu->setObjectName(QStringLiteral("runWhereMenu"));
    const QString places[3] = {QStringLiteral("Automatic"), QStringLiteral("in Vormeld"),
                               QStringLiteral("in a terminal window")};
    for (int i = 0; i < 3; ++i) {
        runWhere[i] = indexed(runWhereMenu, "runWhere", i, places[i]);
        runWhere[i]->setCheckable(true);
    }
    runMakeStandalone = item(m, "runMakeStandalone", QStringLiteral("&Make Stand-alone Program..."));
    m->addSeparator();
    runInfoLevelMenu = m->addMenu(QStringLiteral("&Infolevel"));
    runInfoLevelMenu->setObjectName(QStringLiteral("runInfoLevelMenu"));
    const QString levels[5] = {QStringLiteral("Diagnostics"), QStringLiteral("Notes"),
                               QStringLiteral("Warnings"), QStringLiteral("Errors"),
                               QStringLiteral("Fatal Errors")};
    for (int i = 0; i < 5; ++i) {
        runInfoLevels[i] = indexed(runInfoLevelMenu, "runInfoLevels", i, levels[i]);
        runInfoLevels[i]->setCheckable(true);
    }
    runGeometry = item(m, "runGeometry", QStringLiteral("&Geometry String..."));
    runUseYabSettings = item(m, "runUseYabSettings", QStringLiteral("Use Interpreter Settings"));
    runUseYabSettings->setCheckable(true);
    m->addSeparator();
    runYabasicPath = item(m, "runYabasicPath", QStringLiteral("Yabasic &Path..."));

    debugMenu = menu(bar, "debugMenu", QStringLiteral("&Debug"));
    m = debugMenu;
    debugAddOutput = item(m, "debugAddOutput", QStringLiteral("&Add Debug Output"));
    m->addSeparator();
    debugClear = item(m, "debugClear", QStringLiteral("&Clear Debug"));
    m->addSeparator();
    debugRefresh = item(m, "debugRefresh", QStringLiteral("&Refresh Debug"), QKeySequence(Qt::Key_F8));

    toolsMenu = menu(bar, "toolsMenu", QStringLiteral("&Tools"));
    m = toolsMenu;
    const QString toolCaptions[6] = {QStringLiteral("&Language Helper"), QStringLiteral("&Draw Pad"),
                              QStringLiteral("&PixPad"), QStringLiteral("&Library Explorer"),
                              QStringLiteral("&Code Snippets"), QStringLiteral("&Line Browser")};
    for (int i = 0; i < 6; ++i)
        tools[i] = indexed(m, "tools", i, toolCaptions[i]);
    m->addSeparator();
    toolsExtraTools = item(m, "toolsExtraTools", QStringLiteral("&Extra Tools..."));
    toolsYabasicSettings = item(m, "toolsYabasicSettings", QStringLiteral("&Yabasic Settings..."));
    toolsOptions = item(m, "toolsOptions", QStringLiteral("&Options..."));
    toolsExternalSeparator = separator(m, "toolsExternalSeparator");

    helpMenu = menu(bar, "helpMenu", QStringLiteral("&Help"));
    m = helpMenu;
    helpContents = item(m, "helpContents", QStringLiteral("&Vormeld Help"), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    helpYabasicDocs = item(m, "helpYabasicDocs", QStringLiteral("&Yabasic Documentation"), QKeySequence(Qt::SHIFT | Qt::Key_F2));
    helpGettingStarted = item(m, "helpGettingStarted", QStringLiteral("&Getting Started with Yabasic"));
    m->addSeparator();
    helpYabasicHome = item(m, "helpYabasicHome", QStringLiteral("Yabasic Home Page"));
    helpVormeldHome = item(m, "helpVormeldHome", QStringLiteral("Vormeld Home Page"));
    m->addSeparator();
    helpTip = item(m, "helpTip", QStringLiteral("&Tip of the Day"));
    m->addSeparator();
    const QString texts[3] = {QStringLiteral("Vormeld's README File"),
                              QStringLiteral("Yabasic's README File"),
                              QStringLiteral("Yabasic's COPYING File")};
    for (int i = 0; i < 5; ++i) {
        helpTexts[i] = indexed(m, "helpTexts", i, i < 3 ? texts[i] : QString());
        helpTexts[i]->setVisible(i < 3);
    }
    m->addSeparator();
    helpAbout = item(m, "helpAbout", QStringLiteral("&About Vormeld..."));
}

void MainMenus::setClipboardCaptions()
{
    editClipboard[0]->setText(QStringLiteral("Cu&t\tCtrl+X"));
    editClipboard[1]->setText(QStringLiteral("&Copy\tCtrl+C"));
    editClipboard[2]->setText(QStringLiteral("&Paste\tCtrl+V"));
    editClipboard[3]->setText(QStringLiteral("&Delete\tDel"));
}

void MainMenus::showRecentFiles(const RecentFileList &recent)
{
    bool any = false;
    for (int i = 0; i < RecentFileList::Size; ++i) {
        const QString &path = recent.at(i);
        recentFiles[i]->setVisible(!path.isEmpty());
        if (path.isEmpty())
            continue;
        // A literal '&' in a path must not turn into a keyboard mark.
        QString shown = path;
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        recentFiles[i]->setText(RecentFileList::caption(i, shown));
        recentFiles[i]->setData(path);
        any = true;
    }
    recentSeparator->setVisible(any);
}

void MainMenus::checkInfoLevel(int level)
{
    for (int i = 0; i < 5; ++i)
        runInfoLevels[i]->setChecked(i == level);
}
