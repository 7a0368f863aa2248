#include "app/MainWindow.h"

#include "common/core/Addresses.h"
#include "common/core/AppSettings.h"
#include "common/Fonts.h"
#include "app/core/MainLayout.h"
#include "app/MainStatusBar.h"
#include "app/MainToolbar.h"
#include "common/core/FileNames.h"
#include "common/core/ShellErrors.h"
#include "editor/CodeEditor.h"
#include "editor/EditorController.h"
#include "editor/EditorText.h"
#include "platform/core/Prompter.h"
#include "platform/core/TextFile.h"
#include "documents/core/JournalKeeper.h"
#include "html/HtmlExport.h"
#include "html/TightExport.h"
#include "run/core/DebugLog.h"
#include <QFileSystemWatcher>
#include "search/SearchCommands.h"
#include "search/SubsAndLabels.h"
#include "search/FindDialogs.h"
#include "search/LineBrowser.h"
#include <QDateTime>
#include "run/core/Interpreter.h"
#include "run/core/ProgramRunner.h"
#include "run/AddingDebugOutputWindow.h"
#include "run/YabasicPathDialog.h"
#include <QFileInfo>
#include <QLocale>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTextBlock>

namespace {
constexpr int kPanelHeight = 30;      // Picture1
constexpr int kTabRowHeight = 23;     // the tabs at the bottom of TabStrip1
} // namespace

MainWindow::MainWindow(Services &services, QWidget *parent)
    : QMainWindow(parent), m_svc(services), m_settings(*services.settingsStore, services.appName)
{
    setObjectName(QStringLiteral("frmMainWindow"));
    setWindowTitle(QStringLiteral("Vormeld 2005"));
    resize(820, 600);

    m_documents = std::make_unique<DocumentController>(*this, *m_svc.prompter, *m_svc.launcher,
                                                       m_svc.programFolder);
    m_htmlExport = std::make_unique<HtmlExport>(*m_svc.prompter, *m_svc.shell, m_svc.programFolder, this);
    mnu.build(menuBar(), this);
    createToolbar();
    ui.StatusBar1 = new MainStatusBar(m_svc.keyState, this);
    setStatusBar(ui.StatusBar1);
    createCentralArea();
    wireMenus();

    const QString journalFolder = m_svc.journalFolder.isEmpty() ? JournalKeeper::defaultFolder()
                                                                : m_svc.journalFolder;
    m_journal = new JournalKeeper(journalFolder, [this] { return m_documents->journalSnapshot(); },
                                  3000, this);
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
        // A replaced file drops out of the watch (every atomic save replaces it).
        watchDocumentFile();
        m_outsideChangePending = true;
        if (isActiveWindow())
            QMetaObject::invokeMethod(this, [this] {
                if (m_outsideChangePending && isActiveWindow()) {
                    m_outsideChangePending = false;
                    m_documents->checkOutsideChange();
                }
            }, Qt::QueuedConnection);
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::createToolbar()
{
    ui.Toolbar1 = new MainToolbar(this);
    addToolBar(Qt::TopToolBarArea, ui.Toolbar1);
    connect(ui.Toolbar1, &MainToolbar::buttonClicked, this, &MainWindow::toolbarButtonClick);
    connect(ui.Toolbar1, &MainToolbar::buttonMenuClicked, this,
            &MainWindow::toolbarButtonMenuClick);

    const auto page = [this](const char *name) {
        return [this, name] { openHelpPage(QString::fromLatin1(name)); };
    };
    m_toolbarActions = {
        {QStringLiteral("cut"), [this] { editCommand(0); }},
        {QStringLiteral("copy"), [this] { editCommand(1); }},
        {QStringLiteral("paste"), [this] { editCommand(2); }},
        {QStringLiteral("onlines"),
         [this] { shellOpen(*m_svc.shell, *m_svc.prompter, Addresses::VormeldHomePage); }},
        {QStringLiteral("help"), page("hlp00001.htm")},
    };
    m_buttonMenuActions = {
        {QStringLiteral("m1"), page("hlp00001.htm")},
        {QStringLiteral("m2"), page("hlp00002.htm")},
        {QStringLiteral("m3"), page("hlp00003.htm")},
        {QStringLiteral("m4"), page("hlp00004.htm")},
        {QStringLiteral("m5"), page("hlp00005.htm")},
        {QStringLiteral("m6"), page("hlp00006.htm")},
    };
    // Buttons whose features come later are shown disabled until then.
    m_toolbarActions.emplace(QStringLiteral("new"), [this] { m_documents->newDocument(); });
    m_toolbarActions.emplace(QStringLiteral("open"), [this] { m_documents->openDocument(); });
    m_toolbarActions.emplace(QStringLiteral("save"), [this] { m_documents->saveDocument(); });
    m_toolbarActions.emplace(QStringLiteral("run"), [this] { runProgram(); });
    m_toolbarActions.emplace(QStringLiteral("undo"), [this] { undoEdit(); });
    m_toolbarActions.emplace(QStringLiteral("redo"), [this] { redoEdit(); });
    m_toolbarActions.emplace(QStringLiteral("lines"), [this] { showLineBrowser(); });
    m_toolbarActions.emplace(QStringLiteral("saveweb"), [this] { createHTMLSource(); });
    for (const char *key : {"print", "draw", "langhelp"})
        ui.Toolbar1->button(QString::fromLatin1(key))->setEnabled(false);
}

void MainWindow::createCentralArea()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(central);

    ui.Picture1 = new QWidget(central);
    ui.Picture1->setObjectName(QStringLiteral("Picture1"));
    ui.Picture1->setFixedHeight(kPanelHeight);
    auto *row = new QHBoxLayout(ui.Picture1);
    row->setContentsMargins(6, 2, 6, 4);
    ui.Combo1 = new QComboBox(ui.Picture1);
    ui.Combo1->setObjectName(QStringLiteral("Combo1"));
    ui.Combo2 = new QComboBox(ui.Picture1);
    ui.Combo2->setObjectName(QStringLiteral("Combo2"));
    for (QComboBox *c : {ui.Combo1, ui.Combo2}) {
        c->setMinimumContentsLength(24);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    row->addWidget(new QLabel(QStringLiteral("Subroutines:"), ui.Picture1));
    row->addWidget(ui.Combo1, 1);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Labels:"), ui.Picture1));
    row->addWidget(ui.Combo2, 1);
    ui.Line1 = new QFrame(ui.Picture1);
    ui.Line1->setObjectName(QStringLiteral("Line1"));
    ui.Line1->setFrameShape(QFrame::HLine);
    ui.Line1->setFrameShadow(QFrame::Sunken);
    ui.Picture1->installEventFilter(this);

    ui.TabStrip1 = new QWidget(central);
    ui.TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    ui.TabBar = new QTabBar(ui.TabStrip1);
    ui.TabBar->setObjectName(QStringLiteral("TabStrip1Tabs"));
    ui.TabBar->setShape(QTabBar::RoundedSouth);
    ui.TabBar->setDrawBase(true);
    ui.TabBar->setExpanding(false);
    ui.TabBar->addTab(QStringLiteral("Code Editor"));
    ui.TabBar->setTabData(0, QStringLiteral("code"));
    ui.TabBar->setTabToolTip(0, QStringLiteral("Vormeld Code Editor"));
    ui.TabBar->addTab(QStringLiteral("Debug Window"));
    ui.TabBar->setTabData(1, QStringLiteral("debug"));
    ui.TabBar->setTabToolTip(1, QStringLiteral("Debug Window"));
    connect(ui.TabBar, &QTabBar::currentChanged, this, [this] { tabClicked(); });
    connect(ui.TabBar, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index == ui.TabBar->currentIndex())
            tabClicked();
    });

    ui.RichTextBox1 = new CodeEditor(central);
    ui.RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    ui.RichTextBox1->setFont(namedOrFallbackFont(QStringLiteral("Courier New"), 9.75, false, true));
    ui.RichTextBox1->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui.RichTextBox1->installEventFilter(this);
    connect(ui.RichTextBox1, &QPlainTextEdit::cursorPositionChanged, this,
            &MainWindow::caretMoved);
    connect(ui.RichTextBox1, &QPlainTextEdit::selectionChanged, this,
            &MainWindow::caretMoved);

    ui.RichTextBox2 = new QPlainTextEdit(central);
    ui.RichTextBox2->setObjectName(QStringLiteral("RichTextBox2"));
    ui.RichTextBox2->setFont(namedOrFallbackFont(QStringLiteral("Arial"), 9, true, false));
    ui.RichTextBox2->setReadOnly(true);

    ui.Picture3 = new QWidget(central);
    ui.Picture3->setObjectName(QStringLiteral("Picture3"));
    auto *strip = new QHBoxLayout(ui.Picture3);
    strip->setContentsMargins(0, 0, 0, 0);
    ui.Command1 = new QPushButton(QStringLiteral("Refresh Debug Window"), ui.Picture3);
    ui.Command1->setObjectName(QStringLiteral("Command1"));
    connect(ui.Command1, &QPushButton::clicked, this, &MainWindow::refreshDebugArea);
    strip->addWidget(ui.Command1);

    ui.Picture2 = new QFrame(central);
    ui.Picture2->setObjectName(QStringLiteral("Picture2"));
    ui.Picture2->setFrameShape(QFrame::Box);
    ui.Picture2->setAutoFillBackground(true);
    QPalette tip = ui.Picture2->palette();
    tip.setColor(QPalette::Window, QColor(255, 255, 225));
    ui.Picture2->setPalette(tip);
    ui.Label2 = new QLabel(ui.Picture2);
    ui.Label2->setObjectName(QStringLiteral("Label2"));
    ui.Picture2->hide();

    ui.RichTextBox2->hide();
    ui.Picture3->hide();

    EditorController::Hooks hooks;
    hooks.markChanged = [this] {
        m_documents->state().fileChanged = true;
        m_journal->documentChanged();
    };
    hooks.linesChanged = [this](int first, int oldLines, int newLines, bool whole) {
        m_subsLabels->textChanged(first, oldLines, newLines, whole);
    };
    hooks.historyChanged = [this] { enableHistoryCommands(); };
    hooks.caretLineChanged = [this] { refreshLinePanel(); };
    m_editor = new EditorController(ui.RichTextBox1, ui.Picture2, ui.Label2, hooks, this);

    SubsAndLabels::Hooks listHooks;
    listHooks.status = [this](const QString &m) { showProgress(m); };
    m_subsLabels = new SubsAndLabels(ui.RichTextBox1, ui.Combo1, ui.Combo2, mnu.mnuviewdisable,
                                     listHooks, this);
    m_search = new SearchCommands(ui.RichTextBox1, *m_svc.prompter,
                                  [this] { openHelpPage(QStringLiteral("hlp00001.htm")); }, this);
}

void MainWindow::markPending(QAction *action)
{
    action->setEnabled(false);
    m_pending << action;
}

bool MainWindow::isPending(QAction *action) const
{
    return m_pending.contains(action);
}

void MainWindow::wireMenus()
{
    connect(mnu.mnufileexit, &QAction::triggered, this, &QWidget::close);
    connect(mnu.mnuedit, &QMenu::aboutToShow, this, &MainWindow::editMenuAboutToShow);
    for (int i = 0; i < 4; ++i)
        connect(mnu.mnueditstf[i], &QAction::triggered, this, [this, i] { editCommand(i); });
    connect(mnu.mnuselectall, &QAction::triggered, this, &MainWindow::selectAllText);
    connect(mnu.mnueditundo, &QAction::triggered, this, [this] {
        if (!m_editor->history.undoStack.stackIsEmpty())
            undoEdit();
    });
    connect(mnu.mnueditredo, &QAction::triggered, this, [this] {
        if (!m_editor->history.redoStack.stackIsEmpty())
            redoEdit();
    });
    connect(mnu.mnueditinsertsub, &QAction::triggered, this, &MainWindow::insertSubroutine);
    connect(mnu.mnueditfind, &QAction::triggered, m_search, &SearchCommands::showFindDialog);
    connect(mnu.mnueditfindnext, &QAction::triggered, m_search, &SearchCommands::findNext);
    connect(mnu.mnueditreplace, &QAction::triggered, this, [this] {
        m_search->showReplaceDialog();
        if (!m_toolWindows.contains(m_search->replaceDialog()))
            m_toolWindows << m_search->replaceDialog();
    });
    connect(mnu.mnureloadsubslab, &QAction::triggered, this, &MainWindow::updateSubsAndLabels);

    DocumentController *d = m_documents.get();
    connect(mnu.mnufilenew, &QAction::triggered, this, [d] { d->newDocument(); });
    connect(mnu.mnufilenewinstance, &QAction::triggered, this, [d] { d->newInstance(); });
    connect(mnu.mnufileopen, &QAction::triggered, this, [d] { d->openDocument(); });
    connect(mnu.mnufileopeninstance, &QAction::triggered, this, [d] { d->openInNewInstance(); });
    connect(mnu.mnufilesave, &QAction::triggered, this, [this, d] {
        d->saveDocument();
        updateTitle();
    });
    connect(mnu.mnufilesaveas, &QAction::triggered, this, [this, d] {
        d->saveDocumentAs();
        updateTitle();
    });
    connect(mnu.mnufileappend, &QAction::triggered, this, [d] { d->appendFile(); });
    connect(mnu.mnufileimport, &QAction::triggered, this, [d] { d->importCsvFile(); });
    for (int i = 0; i < 6; ++i)
        connect(mnu.mnumostrecent[i], &QAction::triggered, this, [d, i] { d->openRecentFile(i); });

    connect(mnu.mnuprogramrun, &QAction::triggered, this, &MainWindow::runProgram);
    connect(mnu.mnuprogram, &QMenu::aboutToShow, this, &MainWindow::checkInfoLevelItems);
    connect(mnu.mnuruninfo, &QMenu::aboutToShow, this, &MainWindow::checkInfoLevelItems);
    for (int i = 0; i < 5; ++i)
        connect(mnu.mnuruninfor[i], &QAction::triggered, this, [this, i] {
            infoLevel = qint16(i);
            checkInfoLevelItems();
        });
    connect(mnu.mnurungeo, &QAction::triggered, this, &MainWindow::showGeometryInput);
    connect(mnu.mnuprogrampath, &QAction::triggered, this, &MainWindow::showYabasicPathDialog);
    connect(mnu.mnurefreshdebug, &QAction::triggered, this, &MainWindow::refreshDebugArea);
    connect(mnu.mnudebugclear, &QAction::triggered, this, &MainWindow::clearDebug);
    connect(mnu.mnuadddebug, &QAction::triggered, this, [this] {
        auto *help = new AddingDebugOutputWindow(this);
        help->show();
        help->placeBesideOwner();
    });
    // The check mark is all this item does by itself; the updating it switches
    // off belongs to the subs and labels lists.
    connect(mnu.mnuviewdisable, &QAction::triggered, this, [] {});

    const auto open = [this](QAction *a, std::function<QString()> target) {
        connect(a, &QAction::triggered, this, [this, target] {
            shellOpen(*m_svc.shell, *m_svc.prompter, target());
        });
    };
    open(mnu.mnuhelpcont, [this] { return programFile(m_svc.programFolder, QStringLiteral("hlp99999.htm")); });
    open(mnu.mnuhelpinthelp, [this] { return interpreterFolder + QStringLiteral("yabasic.htm"); });
    open(mnu.mnuhelpgettingstarted, [] { return Addresses::GettingStartedPage; });
    open(mnu.mnuhelpyabhomepage, [] { return Addresses::YabasicHomePage; });
    open(mnu.mnuhelpvormeldhomepage, [] { return Addresses::VormeldHomePage; });

    // Items whose features come later are present and disabled until then.
    for (QAction *a : {mnu.mnufileopenpix,
                       mnu.mnufilesaveaspix, mnu.mnufileprint, mnu.mnuextratools, mnu.mnutoolsyabasicsets,
                       mnu.mnutoolsoptions, mnu.mnuhelptip, mnu.mnuhelpabout})
        markPending(a);
    connect(mnu.mnutooltools[5], &QAction::triggered, this, &MainWindow::showLineBrowser);
    connect(mnu.mnutoolscreatehtmlsrc, &QAction::triggered, this, &MainWindow::createHTMLSource);
    connect(mnu.mnuprogramcreatetight, &QAction::triggered, this, &MainWindow::createTightProgram);
    for (int i = 0; i < 5; ++i) // item 5, the Line Browser, is wired above
        markPending(mnu.mnutooltools[i]);
    for (int i = 0; i < 3; ++i)
        markPending(mnu.mnuhelptxt[i]);
}

void MainWindow::start()
{
    // The loading below leaves no editing history; step 26 starts it.
    m_editor->ignoreChange = true;
    // 1-3: status messages, typing state (the keyword table is built in).
    statusMessages[1] = QStringLiteral("Ready");
    statusMessages[2] = QStringLiteral("Done");
    statusMessages[3] = QStringLiteral("Debug Information");
    m_editor->lineCleared = false;
    currentTab = 1;
    // 4: the code editor shows, the debug view is hidden.
    ui.RichTextBox1->show();
    ui.RichTextBox2->hide();
    ui.Picture3->hide();
    // 5: the hot-info hints.
    {
        QByteArray bytes;
        if (readWholeFile(programFile(m_svc.programFolder, QStringLiteral("hotinfo.dat")), &bytes).ok)
            m_editor->hotInfo = HotInfoTable::parse(decodeBytes(bytes));
    }
    // 6: automatic updating of the editor state is on.
    mnu.mnuviewdisable->setChecked(false);
    // 7-10: interpreter version and folder, automatic indentation.
    yabasicVersion = Interpreter::readYabasicVersion(*m_svc.interpreterKey);
    updateInterpreterFolder();
    autoIndent = AppSettings::readAutoIndent(m_settings);
    m_editor->autoIndent = autoIndent;
    // 11: the recent files.
    m_documents->recent().loadRecentFiles(m_settings, AppSettings::MostRecent);
    // 12-13: the document named on the command line, or the template.
    const QString fileArg = m_svc.commandLine.trimmed();
    if (fileArg.isEmpty())
        m_documents->loadTemplate();
    else
        m_documents->loadStartupFile(fileArg);
    m_documents->state().fileChanged = false;
    // 14-16: show the window and the clipboard captions, let it paint.
    show();
    ui.RichTextBox1->setFocus(); // typing goes to the program straight away
    mnu.setClipboardCaptions();
    QApplication::processEvents();
    // Unsaved work of a program that did not end properly is offered back first.
    recoverJournal();
    // 19-20: run settings, toolbar layout.
    infoLevel = AppSettings::readInfoLevel(m_settings);
    geoString = AppSettings::readGeoString(m_settings);
    ui.Toolbar1->restoreLayout(m_settings.getSetting(AppSettings::Toolbar, AppSettings::Toolbar1));
    // 21-23: title, recent files and status bar.
    updateTitle();
    rebuildRecentMenu();
    showReadyMessage();
    refreshLinePanel();
    // 25: the debug view.
    refreshDebugArea();
    // 26-27: editing history and colouring.
    m_editor->startHistory();
    parseAllLines();
}

void MainWindow::queryClose(bool &cancel)
{
    cancel = false;
    m_documents->recent().saveRecentFiles(m_settings, AppSettings::MostRecent);
    m_settings.saveSetting(AppSettings::Run, AppSettings::InfoLevel, int(infoLevel));
    m_settings.saveSetting(AppSettings::Run, AppSettings::GeoString, geoString);
    m_settings.saveSetting(AppSettings::Toolbar, AppSettings::Toolbar1, ui.Toolbar1->saveLayout());

    if (!m_documents->askSaveChanges(true)) {
        cancel = true;
        return;
    }
    m_journal->close();
    for (const QPointer<QWidget> &w : std::as_const(m_toolWindows)) {
        if (w) {
            w->close();
            w->deleteLater();
        }
    }
    m_toolWindows.clear();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    queryClose(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void MainWindow::showStatusMessage()
{
    ui.StatusBar1->setMessagePanel(statusMessages[currentTab]);
}

void MainWindow::refreshLinePanel()
{
    ui.StatusBar1->setLinePanel(ui.RichTextBox1->textCursor().blockNumber() + 1);
}

void MainWindow::updateTitle()
{
    setWindowTitle(m_documents->title());
}

void MainWindow::updateInterpreterFolder()
{
    interpreterFolder = Interpreter::interpreterFolderOf(AppSettings::readYABPath(m_settings));
}

void MainWindow::tabClicked()
{
    const int selected = ui.TabBar->currentIndex() + 1;
    if (selected != currentTab) {
        if (currentTab == 1) {
            ui.RichTextBox1->hide();
        } else {
            ui.RichTextBox2->hide();
            ui.Picture3->hide();
        }
        currentTab = selected;
        if (currentTab == 1) {
            ui.RichTextBox1->show();
        } else {
            ui.RichTextBox2->show();
            ui.Picture3->show();
        }
    }
    showStatusMessage();
}

void MainWindow::editMenuAboutToShow()
{
    enableHistoryCommands();
    const bool hasSelection = ui.RichTextBox1->textCursor().hasSelection();
    const bool clipboardText = !QGuiApplication::clipboard()->text().isEmpty();
    const auto set = [this](QAction *a, bool on) {
        if (!isPending(a))
            a->setEnabled(on);
    };
    set(mnu.mnueditstf[0], hasSelection);
    set(mnu.mnueditstf[1], hasSelection);
    set(mnu.mnueditstf[3], hasSelection);
    set(mnu.mnueditstf[2], clipboardText);
    set(mnu.mnueditfindnext, !m_search->searchText.isEmpty());
}

void MainWindow::toolbarButtonClick(const QString &key)
{
    // Keys are compared exactly; an unknown key does nothing.
    const auto it = m_toolbarActions.find(key);
    if (it != m_toolbarActions.end())
        it->second();
}

void MainWindow::toolbarButtonMenuClick(const QString &key)
{
    const auto it = m_buttonMenuActions.find(key);
    if (it != m_buttonMenuActions.end())
        it->second();
}

void MainWindow::openHelpPage(const QString &page)
{
    shellOpen(*m_svc.shell, *m_svc.prompter, programFile(m_svc.programFolder, page));
}

void MainWindow::caretMoved()
{
    refreshLinePanel();
    const int index = ui.Combo1->currentIndex();
    if (index >= 0) {
        const int caret = EditorText::modelPosition(ui.RichTextBox1->textCursor());
        if (m_subsLabels->entryOffset(SubsLabelsIndex::Kind::Sub, index) != caret)
            ui.Combo1->setCurrentIndex(-1);
    }
}

void MainWindow::editCommand(int index)
{
    m_editor->editCommand(index);
}

void MainWindow::selectAllText()
{
    m_editor->selectAllText();
}

void MainWindow::undoEdit()
{
    m_editor->undoEdit();
}

void MainWindow::redoEdit()
{
    m_editor->redoEdit();
}

void MainWindow::insertSubroutine()
{
    m_editor->insertSubroutine(QDate::currentDate());
}

void MainWindow::parseAllLines()
{
    m_editor->parseAllLines();
}

void MainWindow::enableHistoryCommands()
{
    const bool undo = !m_editor->history.undoStack.stackIsEmpty();
    const bool redo = !m_editor->history.redoStack.stackIsEmpty();
    ui.Toolbar1->button(QStringLiteral("undo"))->setEnabled(undo);
    ui.Toolbar1->button(QStringLiteral("redo"))->setEnabled(redo);
    mnu.mnueditundo->setEnabled(undo);
    mnu.mnueditredo->setEnabled(redo);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layoutParts();
}

void MainWindow::layoutParts()
{
    QWidget *central = centralWidget();
    if (!central)
        return;
    const int T = ui.Toolbar1->isVisible() ? ui.Toolbar1->height() : 0;
    const int S = ui.StatusBar1->isVisible() ? ui.StatusBar1->height() : 0;
    MainLayoutInput in;
    in.W = central->width();
    in.T = T;
    in.S = S;
    in.P = ui.Picture1->height();
    in.H = T + central->height() + S;
    in.minimized = isMinimized();
    const MainLayout out = computeMainLayout(in);
    if (!out.apply)
        return;
    ui.Picture1->setGeometry(0, 0, out.panelWidth, in.P);
    if (!out.placeTabs)
        return;
    // The layout is given in the window's inner area; the central widget starts below the toolbar.
    const QRect strip = out.tabStrip.translated(0, -T);
    const QRect editors = out.editors.translated(0, -T);
    ui.TabStrip1->setGeometry(strip);
    ui.TabBar->setGeometry(0, strip.height() - kTabRowHeight, strip.width(), kTabRowHeight);
    ui.RichTextBox1->setGeometry(editors);
    ui.RichTextBox2->setGeometry(editors);
    const QSize button = ui.Picture3->sizeHint();
    ui.Picture3->setGeometry(strip.right() - button.width() - 3,
                             strip.bottom() - kTabRowHeight + 1 + (kTabRowHeight - std::min(button.height(), kTabRowHeight)) / 2,
                             button.width(), std::min(button.height(), kTabRowHeight));
    ui.Picture3->raise();
}

void MainWindow::layoutListPanel()
{
    ui.Line1->setGeometry(0, ui.Picture1->height() - 2, ui.Picture1->width(), 2);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui.Picture1 && event->type() == QEvent::Resize) {
        layoutListPanel();
    } else if (watched == ui.RichTextBox1 && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
            ui.RichTextBox1->setOverwriteMode(!ui.RichTextBox1->overwriteMode());
            ui.StatusBar1->setOverwrite(ui.RichTextBox1->overwriteMode());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

QString MainWindow::editorText() const
{
    return m_editor->text();
}

void MainWindow::setEditorText(const QString &text)
{
    m_editor->replaceAllText(text);
}

void MainWindow::appendEditorText(const QString &text)
{
    m_editor->appendText(text);
}

void MainWindow::clearDisableUpdating()
{
    mnu.mnuviewdisable->setChecked(false);
}

void MainWindow::showReadyMessage()
{
    statusMessages[1] = QStringLiteral("Ready - Using Yabasic version ") + yabasicVersion;
    showStatusMessage();
}

void MainWindow::rebuildRecentMenu()
{
    bool any = false;
    for (int i = 0; i < RecentFileList::Size; ++i) {
        const QString &path = m_documents->recent().at(i);
        QAction *item = mnu.mnumostrecent[i];
        if (path.isEmpty()) {
            item->setVisible(false);
        } else {
            // A literal '&' in a path must not turn into a keyboard mark.
            QString shown = path;
            shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
            item->setText(RecentFileList::caption(i, shown));
            item->setData(path);
            item->setVisible(true);
            any = true;
        }
    }
    mnu.mnufilesep2->setVisible(any);
}

void MainWindow::runProgram()
{
    ProgramRunner runner(m_settings, *m_svc.interpreterKey, *m_svc.launcher, *m_svc.prompter,
                         m_svc.programFolder);
    const Document &doc = m_documents->state();
    // The program's own folder comes first when the interpreter looks for libraries.
    const QString folder = doc.hasFileName ? QFileInfo(doc.currentFileName).absolutePath() : QString();
    if (doc.fileChanged)
        m_journal->syncNow(); // a program that hangs the machine must not take the text with it
    const ProgramRunner::Outcome outcome =
        runner.runProgram(editorText(), doc.format.encoding, infoLevel, geoString, folder,
                          doc.hasFileName ? doc.currentFileName : QString());
    if (!runner.detectedVersion.isEmpty())
        yabasicVersion = runner.detectedVersion;
    if (outcome == ProgramRunner::Outcome::Failed)
        return;
    refreshDebugArea();
    refreshLinePanel();
}

void MainWindow::refreshDebugArea()
{
    const DebugLog::Contents log = DebugLog::read(DebugLog::path());
    if (log.ok)
        ui.RichTextBox2->setPlainText(log.text);
}

void MainWindow::clearDebug()
{
    DebugLog::clear(DebugLog::path());
    ui.RichTextBox2->clear();
}

void MainWindow::showYabasicPathDialog()
{
    YabasicPathDialog dialog(m_settings, *m_svc.interpreterKey, *m_svc.prompter, *m_svc.shell,
                          m_svc.programFolder, this);
    dialog.exec();
    updateInterpreterFolder();
}

void MainWindow::showGeometryInput()
{
    InputRequest r;
    r.title = QStringLiteral("Geometry String");
    r.prompt = QStringLiteral("Enter the new Geometry String of the grafics window\r\n\r\n"
                              "e.g. +10+20 (Makes the window appear at 10 pixels from the left and "
                              "20 pixels from the top)");
    r.defaultText = geoString;
    // Cancel gives an empty answer, which clears the geometry.
    geoString = m_svc.prompter->input(r).value_or(QString());
}

void MainWindow::checkInfoLevelItems()
{
    for (int i = 0; i < 5; ++i)
        mnu.mnuruninfor[i]->setChecked(i == infoLevel);
}

void MainWindow::updateSubsAndLabels()
{
    m_subsLabels->updateSubsAndLabels();
}

void MainWindow::showProgress(const QString &message)
{
    statusMessages[1] = message;
    showStatusMessage();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastProgressPaint >= 40) {
        ui.StatusBar1->repaint();
        m_lastProgressPaint = now;
    }
}

void MainWindow::documentStateChanged()
{
    if (m_documents->state().fileChanged)
        m_journal->documentChanged();
    else
        m_journal->discard();
    watchDocumentFile();
}

void MainWindow::watchDocumentFile()
{
    const Document &doc = m_documents->state();
    const QStringList watched = m_watcher->files();
    const QString wanted = doc.hasFileName && QFileInfo::exists(doc.currentFileName)
                               ? QFileInfo(doc.currentFileName).absoluteFilePath()
                               : QString();
    if (watched.size() == 1 && watched.first() == wanted)
        return;
    if (!watched.isEmpty())
        m_watcher->removePaths(watched);
    if (!wanted.isEmpty())
        m_watcher->addPath(wanted);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Changes made by other programs are told when the window gets the focus back.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_outsideChangePending) {
        m_outsideChangePending = false;
        QMetaObject::invokeMethod(this, [this] { m_documents->checkOutsideChange(); },
                                  Qt::QueuedConnection);
    }
}

void MainWindow::recoverJournal()
{
    const QString folder = m_svc.journalFolder.isEmpty() ? JournalKeeper::defaultFolder()
                                                         : m_svc.journalFolder;
    std::vector<JournalKeeper::Orphan> orphans = JournalKeeper::findOrphans(folder);
    if (orphans.empty())
        return;
    const JournalKeeper::Orphan &newest = orphans.front();
    const JournalEntry &e = newest.entry;
    QString text = QStringLiteral("Vormeld was not closed properly. Changes to \"%1\" that were not "
                                  "saved were kept at %2.")
                       .arg(fileNameOnly(e.originalPath),
                            QLocale().toString(e.savedAt.toLocalTime(), QLocale::ShortFormat));
    if (e.hasFileName && DiskStamp::of(e.originalPath) != e.disk)
        text += QStringLiteral("\r\nThe file itself was changed since then.");
    text += QStringLiteral("\r\n\r\nDo you want to get them back?\r\n"
                           "(Cancel keeps them for the next start.)");
    const MsgResult answer = m_svc.prompter->ask(QStringLiteral("Recover Unsaved Work"), text,
                                                 MsgButtons::YesNoCancel, MsgIcon::Question);
    if (answer == MsgResult::Yes) {
        m_documents->recoverFromJournal(e);
        m_journal->syncNow(); // ours now holds the text before the old one goes
        JournalKeeper::removeOrphan(newest);
    } else if (answer == MsgResult::No) {
        JournalKeeper::removeOrphan(newest);
    }
}

void MainWindow::showLineBrowser()
{
    if (m_lineBrowser) {
        m_lineBrowser->raise();
        m_lineBrowser->activateWindow();
        return;
    }
    m_lineBrowser = new LineBrowser(m_lineReferences, ui.RichTextBox1, *m_svc.prompter,
                                       *m_svc.shell, m_svc.programFolder, this);
    m_toolWindows.removeAll(QPointer<QWidget>()); // browsers closed earlier
    m_toolWindows << m_lineBrowser.data();
    m_lineBrowser->show();
    m_lineBrowser->placeBesideOwner();
}

void MainWindow::createHTMLSource()
{
    const Document &doc = m_documents->state();
    m_htmlExport->createHTMLSource(editorText(), doc.format.encoding, doc.currentFileName);
}

void MainWindow::createTightProgram()
{
    TightExport tight(*m_svc.prompter, [this](const QString &message) {
        statusMessages[1] = message;
        showStatusMessage();
    });
    tight.createTightProgram(editorText(), m_documents->state().format.encoding);
}
