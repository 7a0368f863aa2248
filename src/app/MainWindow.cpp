#include "app/MainWindow.h"

#include "app/CentralArea.h"
#include "app/GraphicsConnections.h"
#include "app/HelpCommands.h"
#include "app/InterpreterToolConnections.h"
#include "app/LanguageAidsConnections.h"
#include "app/MainStatusBar.h"
#include "app/MainToolbar.h"
#include "app/RunMenuConnections.h"
#include "app/SetupConnections.h"
#include "app/ToolWindows.h"
#include "app/WindowCaption.h"
#include "assist/ExternalToolsMenu.h"
#include "common/core/AppSettings.h"
#include "common/core/FileNames.h"
#include "documents/core/DocumentController.h"
#include "documents/core/JournalKeeper.h"
#include "documents/core/JournalRecovery.h"
#include "documents/core/OutsideChangeWatcher.h"
#include "editor/CodeEditor.h"
#include "editor/EditorController.h"
#include "html/HtmlExport.h"
#include "html/TightExport.h"
#include "platform/core/Services.h"
#include "platform/core/TextFile.h"
#include "run/RunController.h"
#include "search/LineBrowser.h"
#include "search/SearchCommands.h"
#include "search/SubsAndLabels.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QMenu>
#include <QMenuBar>

MainWindow::MainWindow(Services &services, QWidget *parent)
    : QMainWindow(parent), m_svc(services), m_settings(*services.settingsStore, services.appName)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Vormeld 2005"));
    resize(820, 600);

    m_menus.build(menuBar(), this);
    createToolBar();
    m_statusBar = new MainStatusBar(m_svc.keyState, this);
    setStatusBar(m_statusBar);
    m_area = new CentralArea(this);
    setCentralWidget(m_area);
    createSubsystems();
    connectEditor();
    connectDocuments();
    connectFileMenu();
    connectEditMenu();
    connectRunMenus();
    connectToolsAndHelp();
    registerToolWindows();
}

MainWindow::~MainWindow() = default;

void MainWindow::createSubsystems()
{
    m_editor = new EditorController(m_area->codeEditor(), m_area->hotInfoBox(), m_area->hotInfoLabel(), this);
    m_editor->setWindowShortcuts(menuBar()->findChildren<QAction *>());
    m_documents = new DocumentController(*m_editor, *m_svc.prompter, *m_svc.launcher,
                                         m_svc.programFolder, this);
    m_journal = new JournalKeeper(m_svc.journalFolder, [this] { return m_documents->journalSnapshot(); }, 1000, this);
    JournalRecovery::keepJournalOf(*m_documents, *m_journal);
    m_watcher = new OutsideChangeWatcher(*m_documents, this);
    m_subsAndLabels = new SubsAndLabels(m_area->codeEditor(), m_area->subsList(), m_area->labelsList(), this);
    m_search = new SearchCommands(m_area->codeEditor(), *m_svc.prompter, this);
    m_run = new RunController(m_svc, m_settings, *m_documents, *m_journal,
                              m_area->debugView(), m_area->outputPane(), this);
    m_htmlExport = std::make_unique<HtmlExport>(*m_svc.prompter, *m_svc.shell, m_svc.programFolder, this);
    m_toolWindows = new ToolWindows(this);
    m_help = new HelpCommands(m_svc, *m_run, m_settings, *m_toolWindows, this);
    m_extraTools = new ExternalToolsMenu(m_svc, m_menus.toolsMenu, m_menus.toolsExternal, [this] {
        const Document &doc = m_documents->state();
        return doc.hasFileName ? doc.currentFileName : QString(); // what %f stands for
    }, this);
    m_graphics = GraphicsConnections::connectAll(m_menus, m_toolBar, m_area, m_editor, m_documents,
                                                 m_toolWindows, m_svc, this);
}

void MainWindow::createToolBar()
{
    m_toolBar = new MainToolbar(this);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    connect(m_toolBar, &MainToolbar::buttonClicked, this, &MainWindow::toolbarButtonClicked);
    const std::pair<const char *, QAction *> bound[] = {
        {"new", m_menus.fileNew},   {"open", m_menus.fileOpen},       {"save", m_menus.fileSave},
        {"run", m_menus.runProgram}, {"undo", m_menus.editUndo},      {"redo", m_menus.editRedo},
        {"saveweb", m_menus.fileSaveWebPage}, {"lines", m_menus.tools[MainMenus::LineBrowser]}};
    for (const auto &[key, item] : bound)
        m_toolBar->bind(QString::fromLatin1(key), item);
    // The "help" button's drop-down: m1 to m6 open the six help pages.
    connect(m_toolBar, &MainToolbar::buttonMenuClicked, this, [this](const QString &key) {
        const int page = key.startsWith(QLatin1Char('m')) ? key.mid(1).toInt() : 0;
        if (page >= 1 && page <= 6)
            m_help->openPage(QStringLiteral("hlp0000%1.htm").arg(page));
    });
}

void MainWindow::toolbarButtonClicked(const QString &key)
{
    static const QHash<QString, int> clipboard = {
        {QStringLiteral("cut"), 0}, {QStringLiteral("copy"), 1}, {QStringLiteral("paste"), 2}};
    if (clipboard.contains(key))
        m_editor->editCommand(clipboard.value(key));
    else if (key == QLatin1String("help"))
        m_help->openPage(QStringLiteral("hlp00001.htm"));
    else if (key == QLatin1String("onlines"))
        m_help->openVormeldHomePage();
}

void MainWindow::connectEditor()
{
    CodeEditor *code = m_area->codeEditor();
    connect(m_editor, &EditorController::textEdited, m_documents, &DocumentController::markChanged);
    connect(m_editor, &EditorController::linesChanged, m_subsAndLabels, &SubsAndLabels::textChanged);
    connect(m_editor, &EditorController::historyChanged, this, &MainWindow::updateHistoryCommands);
    connect(m_editor, &EditorController::overwriteModeChanged, m_statusBar, &MainStatusBar::setOverwrite);
    const auto showLine = [this] {
        m_statusBar->setLinePanel(m_editor->caretLineNumber() + 1, m_editor->caretColumn() + 1);
    };
    connect(m_editor, &EditorController::caretLineChanged, this, showLine);
    for (auto changed : {&QPlainTextEdit::cursorPositionChanged, &QPlainTextEdit::selectionChanged}) {
        connect(code, changed, this, showLine);
        connect(code, changed, m_subsAndLabels, &SubsAndLabels::caretMoved);
    }
    connect(m_subsAndLabels, &SubsAndLabels::statusMessage, m_statusBar, &MainStatusBar::setCodeMessage);
    connect(m_subsAndLabels, &SubsAndLabels::updatingDisabledChanged, m_menus.viewDisableUpdating,
            &QAction::setChecked);
    connect(m_menus.viewDisableUpdating, &QAction::toggled, m_subsAndLabels,
            &SubsAndLabels::setUpdatingDisabled);
    connect(m_menus.viewUpdateSubsLabels, &QAction::triggered, m_subsAndLabels,
            &SubsAndLabels::updateSubsAndLabels);
    connect(m_area, &CentralArea::tabClicked, m_statusBar, &MainStatusBar::setCurrentTab);
}

void MainWindow::connectDocuments()
{
    m_caption = new WindowCaption(this, m_statusBar);
    connect(m_documents, &DocumentController::titleChanged, m_caption, &WindowCaption::setTitle);
    connect(m_journal, &JournalKeeper::protectionChanged, m_caption, &WindowCaption::setProtection);
    connect(m_documents, &DocumentController::recentFilesChanged, this, [this] { m_menus.showRecentFiles(m_documents->recent()); });
    connect(m_documents, &DocumentController::textReplaced, m_editor, &EditorController::parseAllLines);
    connect(m_documents, &DocumentController::resumeUpdating, this,
            [this] { m_menus.viewDisableUpdating->setChecked(false); });
    connect(m_documents, &DocumentController::opened, this, &MainWindow::showReadyMessage);
    connect(m_documents, &DocumentController::documentReplaced, m_editor, &EditorController::documentReplaced);
    connect(m_documents, &DocumentController::saved, m_editor, &EditorController::markSaved);
    connect(m_documents, &DocumentController::savedStateLost, m_editor, &EditorController::forgetSaved);
    connect(m_editor, &EditorController::modifiedByHistory, m_documents, &DocumentController::setModified);
    connect(m_documents, &DocumentController::notice, m_area, &CentralArea::showNotice);
    connect(m_editor, &EditorController::loadProgress, m_documents, &DocumentController::showLoadProgress);
    connect(m_documents, &DocumentController::statusMessage, m_statusBar, &MainStatusBar::setCodeMessage);
}

void MainWindow::connectFileMenu()
{
    DocumentController *d = m_documents;
    connect(m_menus.fileNew, &QAction::triggered, d, &DocumentController::newDocument);
    connect(m_menus.fileNewInstance, &QAction::triggered, d, &DocumentController::newInstance);
    connect(m_menus.fileOpen, &QAction::triggered, d, &DocumentController::openDocument);
    connect(m_menus.fileOpenInstance, &QAction::triggered, d, &DocumentController::openInNewInstance);
    connect(m_menus.fileSave, &QAction::triggered, d, &DocumentController::saveDocument);
    connect(m_menus.fileSaveAs, &QAction::triggered, d, &DocumentController::saveDocumentAs);
    connect(m_menus.fileSaveWebPage, &QAction::triggered, this, &MainWindow::saveAsWebPage);
    connect(m_menus.fileSaveTight, &QAction::triggered, this, &MainWindow::saveAsTightCode);
    connect(m_menus.fileAppend, &QAction::triggered, d, &DocumentController::appendFile);
    connect(m_menus.fileImportCsv, &QAction::triggered, d, &DocumentController::importCsvFile);
    for (int i = 0; i < RecentFileList::Size; ++i)
        connect(m_menus.recentFiles[i], &QAction::triggered, d, [d, i] { d->openRecentFile(i); });
    connect(m_menus.fileExit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::connectEditMenu()
{
    connect(m_menus.editMenu, &QMenu::aboutToShow, this, &MainWindow::updateEditMenu);
    for (int i = 0; i < 4; ++i)
        connect(m_menus.editClipboard[i], &QAction::triggered, this, [this, i] { m_editor->editCommand(i); });
    connect(m_menus.editSelectAll, &QAction::triggered, m_editor, &EditorController::selectAllText);
    connect(m_menus.editUndo, &QAction::triggered, this, [this] { if (m_editor->canUndo()) m_editor->undoEdit(); });
    connect(m_menus.editRedo, &QAction::triggered, this, [this] { if (m_editor->canRedo()) m_editor->redoEdit(); });
    connect(m_menus.editInsertSub, &QAction::triggered, this,
            [this] { m_editor->insertSubroutine(QDate::currentDate()); });
    connect(m_menus.editFind, &QAction::triggered, m_search, &SearchCommands::showFindDialog);
    connect(m_menus.editFindNext, &QAction::triggered, m_search, &SearchCommands::findNext);
    connect(m_menus.editReplace, &QAction::triggered, m_search, &SearchCommands::showReplaceDialog);
    connect(m_search, &SearchCommands::toolWindowOpened, m_toolWindows, &ToolWindows::track);
    connect(m_search, &SearchCommands::helpRequested, this,
            [this] { m_help->openPage(QStringLiteral("hlp00001.htm")); });
}

void MainWindow::connectRunMenus()
{
    RunMenuConnections::connectAll(m_menus, m_run, m_area, m_editor, m_statusBar, m_settings, *m_svc.prompter);
    SetupConnections::connectAll(this, m_svc, m_settings, m_menus, m_toolBar, m_editor, m_documents, m_statusBar);
}

void MainWindow::connectToolsAndHelp()
{
    connect(m_menus.tools[MainMenus::LineBrowser], &QAction::triggered, this,
            [this] { m_toolWindows->show(QStringLiteral("lineBrowser")); });
    LanguageAidsConnections::connectAll(m_menus, m_toolBar, m_toolWindows);
    HelpCommands::connectMenus(m_menus, m_help, m_extraTools, m_statusBar);
}

void MainWindow::registerToolWindows()
{
    m_toolWindows->add(
        QStringLiteral("lineBrowser"),
        [this] {
            return new LineBrowser(m_lineReferences, m_area->codeEditor(), *m_svc.prompter, *m_svc.shell,
                                   m_svc.programFolder, this);
        },
        [](QWidget *w) { static_cast<LineBrowser *>(w)->placeBesideOwner(); });
    InterpreterToolConnections::connectAll(m_menus, m_toolWindows, m_svc, m_settings, m_documents, this);
    LanguageAidsConnections::registerWindows(*m_toolWindows, m_svc, m_area->codeEditor(), m_editor, this);
}


void MainWindow::start()
{
    SetupConnections::firstStart(m_svc, m_settings);
    m_statusBar->setTabMessage(CentralArea::CodeTab, QStringLiteral("Ready"));
    m_statusBar->setTabMessage(CentralArea::DebugTab, QStringLiteral("Done"));
    m_area->setCurrentTab(CentralArea::CodeTab);
    QByteArray hints;
    if (readWholeFile(programFile(m_svc.programFolder, QStringLiteral("hotinfo.dat")), &hints).ok)
        m_editor->setHotInfo(HotInfoTable::parse(decodeBytes(hints)));
    m_menus.viewDisableUpdating->setChecked(false);
    m_run->readInterpreter();
    m_extraTools->buildExtraToolsMenu();
    m_editor->setAutoIndent(AppSettings::readAutoIndent(m_settings));
    m_documents->loadRecentFiles(m_settings, AppSettings::MostRecent);
    const QString fileArg = m_svc.commandLine.trimmed();
    if (fileArg.isEmpty()) {
        m_documents->loadTemplate();
    } else {
        if (QFileInfo(fileArg).size() > 4 * 1024 * 1024) { // a long program opens in a window already shown
            show();
            m_statusBar->setTabMessage(CentralArea::CodeTab, "Opening " + QFileInfo(fileArg).fileName() + "...");
            QApplication::processEvents();
        }
        m_documents->loadStartupFile(fileArg);
    }

    show();
    m_area->codeEditor()->setFocus(); // typing goes to the program straight away
    m_menus.setClipboardCaptions();
    QApplication::processEvents();
    // Unsaved work of a program that did not end properly is offered back first.
    JournalRecovery::offerOrphanedJournal(m_journal->folder(), *m_svc.prompter, *m_documents, *m_journal);
    LanguageAidsConnections::showAtStartup(*m_toolWindows, m_settings, this);
    GraphicsConnections::showAtStart(m_graphics, m_settings);
    m_run->readSettings();
    m_toolBar->restoreLayout(m_settings.getSetting(AppSettings::Toolbar, AppSettings::Toolbar1));
    m_caption->setTitle(m_documents->title());
    m_menus.showRecentFiles(m_documents->recent());
    showReadyMessage();
    m_statusBar->setLinePanel(m_editor->caretLineNumber() + 1, m_editor->caretColumn() + 1);
    m_help->showTipAtStart();
    m_run->refreshDebugArea();
    m_editor->parseAllLines();
}

bool MainWindow::queryClose()
{
    // The settings are kept even when the close is cancelled.
    m_documents->saveRecentFiles(m_settings, AppSettings::MostRecent);
    m_run->saveSettings();
    m_settings.saveSetting(AppSettings::Toolbar, AppSettings::Toolbar1, m_toolBar->saveLayout());
    if (!m_run->askStopBeforeClose() || !m_documents->askSaveChanges())
        return false;
    m_journal->close();
    m_toolWindows->closeAll();
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->setAccepted(queryClose());
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    m_area->layoutParts(m_toolBar->isVisible() ? m_toolBar->height() : 0,
                        m_statusBar->isVisible() ? m_statusBar->height() : 0, isMinimized());
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Changes made by other programs are told when the window gets the focus back.
    if (event->type() == QEvent::ActivationChange) {
        m_watcher->setWindowActive(isActiveWindow());
        if (isActiveWindow())
            m_run->windowActivated(); // a run in a terminal may have ended with errors
    }
}

void MainWindow::showReadyMessage()
{
    m_statusBar->setTabMessage(CentralArea::CodeTab,
                               QStringLiteral("Ready - Using Yabasic version ") + m_run->yabasicVersion());
}

void MainWindow::updateHistoryCommands(bool canUndo, bool canRedo)
{
    m_toolBar->button(QStringLiteral("undo"))->setEnabled(canUndo);
    m_toolBar->button(QStringLiteral("redo"))->setEnabled(canRedo);
    m_menus.editUndo->setEnabled(canUndo);
    m_menus.editRedo->setEnabled(canRedo);
}

void MainWindow::updateEditMenu()
{
    updateHistoryCommands(m_editor->canUndo(), m_editor->canRedo());
    const bool hasSelection = m_area->codeEditor()->textCursor().hasSelection();
    m_menus.editClipboard[0]->setEnabled(hasSelection);
    m_menus.editClipboard[1]->setEnabled(hasSelection);
    m_menus.editClipboard[3]->setEnabled(hasSelection);
    m_menus.editClipboard[2]->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
    m_menus.editFindNext->setEnabled(!m_search->searchText().isEmpty());
}

void MainWindow::saveAsWebPage()
{
    const Document &doc = m_documents->state();
    m_htmlExport->createHTMLSource(m_documents->programText(), doc.format.encoding, doc.currentFileName);
}

void MainWindow::saveAsTightCode()
{
    const auto outcome = TightExport(*m_svc.prompter)
                             .createTightProgram(m_documents->programText(), m_documents->state().format.encoding);
    if (outcome != TightExport::Outcome::Cancelled)
        m_statusBar->setTabMessage(CentralArea::CodeTab, outcome == TightExport::Outcome::Done
                                                             ? TightExport::DoneMessage
                                                             : TightExport::FailedMessage);
}
