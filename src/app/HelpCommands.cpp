#include "app/HelpCommands.h"

#include "common/core/Addresses.h"
#include "common/core/FileNames.h"
#include "common/core/ShellErrors.h"
#include "platform/core/Services.h"
#include "run/RunController.h"

HelpCommands::HelpCommands(Services &services, const RunController &run, QObject *parent)
    : QObject(parent), m_svc(services), m_run(run)
{
}

void HelpCommands::open(const QString &target)
{
    shellOpen(*m_svc.shell, *m_svc.prompter, target);
}

void HelpCommands::openPage(const QString &page) { open(programFile(m_svc.programFolder, page)); }
void HelpCommands::openContents() { openPage(QStringLiteral("hlp99999.htm")); }
void HelpCommands::openYabasicDocumentation() { open(m_run.interpreterFolder() + QStringLiteral("yabasic.htm")); }
void HelpCommands::openGettingStarted() { open(Addresses::GettingStartedPage); }
void HelpCommands::openYabasicHomePage() { open(Addresses::YabasicHomePage); }
void HelpCommands::openVormeldHomePage() { open(Addresses::VormeldHomePage); }
