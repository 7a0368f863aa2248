#include "app/HelpCommands.h"

#include "app/CentralArea.h"
#include "app/MainMenus.h"
#include "app/MainStatusBar.h"
#include "app/ToolWindows.h"
#include "assist/ExternalToolsMenu.h"
#include "assist/AboutBox.h"
#include "assist/TextViewer.h"
#include "assist/TipWindow.h"
#include "assist/core/HelpLookup.h"
#include "common/core/Addresses.h"
#include "common/core/AppSettings.h"
#include "common/core/FileNames.h"
#include "common/core/ShellErrors.h"
#include "platform/core/InterpreterKey.h"
#include "platform/core/Prompter.h"
#include "platform/core/Services.h"
#include "platform/core/SystemPlaces.h"
#include "run/RunController.h"
#include "run/core/Interpreter.h"

#include <QAction>
#include <QDir>
#include <QWidget>

namespace {
QString yabasicDocFolder() { return packageDocFolder(QStringLiteral("yabasic")); }
} // namespace

HelpCommands::HelpCommands(Services &services, const RunController &run, SettingsAccess &settings,
                           ToolWindows &toolWindows, QWidget *window)
    : QObject(window), m_svc(services), m_run(run), m_settings(settings), m_toolWindows(toolWindows),
      m_window(window)
{
}

void HelpCommands::connectMenus(MainMenus &menus, HelpCommands *help, ExternalToolsMenu *extraTools,
                                MainStatusBar *statusBar)
{
    connect(menus.helpContents, &QAction::triggered, help, &HelpCommands::openContents);
    connect(menus.helpYabasicDocs, &QAction::triggered, help, &HelpCommands::openYabasicDocumentation);
    connect(menus.helpGettingStarted, &QAction::triggered, help, &HelpCommands::openGettingStarted);
    connect(menus.helpYabasicHome, &QAction::triggered, help, &HelpCommands::openYabasicHomePage);
    connect(menus.helpVormeldHome, &QAction::triggered, help, &HelpCommands::openVormeldHomePage);
    connect(menus.helpTip, &QAction::triggered, help, &HelpCommands::showTip);
    for (int i = VormeldReadme; i <= YabasicCopying; ++i)
        connect(menus.helpTexts[i], &QAction::triggered, help, [help, i] { help->showTextFile(i); });
    connect(menus.helpAbout, &QAction::triggered, help, &HelpCommands::showAbout);
    connect(menus.toolsExtraTools, &QAction::triggered, extraTools, &ExternalToolsMenu::showExtraToolsDialog);
    connect(extraTools, &ExternalToolsMenu::statusMessage, statusBar,
            [statusBar](const QString &text) { statusBar->setTabMessage(CentralArea::CodeTab, text); });
}

void HelpCommands::open(const QString &target)
{
    shellOpen(*m_svc.shell, *m_svc.prompter, target);
}

void HelpCommands::openPage(const QString &page) { open(programFile(m_svc.programFolder, page)); }
void HelpCommands::openContents() { openPage(QStringLiteral("hlp99999.htm")); }
void HelpCommands::openGettingStarted() { openPage(Addresses::GettingStartedPage); }
void HelpCommands::openYabasicHomePage() { open(Addresses::YabasicHomePage); }
void HelpCommands::openVormeldHomePage() { openPage(Addresses::VormeldHomePage); }

void HelpCommands::openYabasicDocumentation()
{
    const QStringList tried = HelpLookup::candidates(HelpLookup::YabasicDocument::Manual,
                                                     m_run.interpreterFolder(), yabasicDocFolder());
    const QString found = HelpLookup::firstExisting(tried);
    if (!found.isEmpty()) {
        open(found);
        return;
    }
    const ShellError e = shellErrorMessage(2);
    QString text = e.text + QStringLiteral("\r\n\r\nLooked for:");
    for (const QString &path : tried)
        text += QStringLiteral("\r\n") + QDir::toNativeSeparators(path);
    m_svc.prompter->ask(e.title, text, MsgButtons::OK, MsgIcon::Critical);
}

void HelpCommands::showTextFile(int which)
{
    static const QString titles[] = {QStringLiteral("Vormeld's README File"), QStringLiteral("Yabasic's README File"),
                                     QStringLiteral("Yabasic's COPYING File")};
    QStringList tried;
    if (which == VormeldReadme)
        tried << programFile(m_svc.programFolder, QStringLiteral("readme.txt"));
    else
        tried = HelpLookup::candidates(which == YabasicReadme ? HelpLookup::YabasicDocument::Readme
                                                              : HelpLookup::YabasicDocument::Copying,
                                       m_run.interpreterFolder(), yabasicDocFolder());
    const QString found = HelpLookup::firstExisting(tried);
    if (!m_viewer) {
        m_viewer = new TextViewer(m_window);
        m_toolWindows.track(m_viewer);
    }
    m_viewer->showFile(found.isEmpty() ? tried.value(0) : found, titles[which], found.isEmpty() ? tried : QStringList());
    m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
}

void HelpCommands::showTip()
{
    TipWindow tip(m_settings, m_svc.programFolder, m_window);
    tip.exec();
}

void HelpCommands::showTipAtStart()
{
    if (AppSettings::showTipsAtStart(m_settings))
        showTip();
}

void HelpCommands::showAbout()
{
    m_svc.interpreterKey->refresh();
    AboutBox about(Interpreter::readYabasicVersion(*m_svc.interpreterKey), m_window);
    about.exec();
}
