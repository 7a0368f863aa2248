#include "run/RunController.h"

#include "common/core/AppSettings.h"
#include "documents/core/DocumentController.h"
#include "documents/core/JournalKeeper.h"
#include "platform/core/Prompter.h"
#include "platform/core/Services.h"
#include "platform/core/SettingsStore.h"
#include "run/AddingDebugOutputWindow.h"
#include "run/YabasicPathDialog.h"
#include "run/core/DebugLog.h"
#include "run/core/Interpreter.h"
#include "run/core/ProgramRunner.h"

#include <QFileInfo>
#include <QPlainTextEdit>

RunController::RunController(Services &services, SettingsAccess &settings,
                             DocumentController &documents, JournalKeeper &journal,
                             QPlainTextEdit *debugView, QWidget *window)
    : QObject(window), m_svc(services), m_settings(settings), m_documents(documents),
      m_journal(journal), m_debugView(debugView), m_window(window)
{
    setObjectName(QStringLiteral("runController"));
}

void RunController::readInterpreter()
{
    m_yabasicVersion = Interpreter::readYabasicVersion(*m_svc.interpreterKey);
    updateInterpreterFolder();
}

void RunController::readSettings()
{
    m_infoLevel = AppSettings::readInfoLevel(m_settings);
    m_geoString = AppSettings::readGeoString(m_settings);
}

void RunController::saveSettings()
{
    m_settings.saveSetting(AppSettings::Run, AppSettings::InfoLevel, int(m_infoLevel));
    m_settings.saveSetting(AppSettings::Run, AppSettings::GeoString, m_geoString);
}

void RunController::setInfoLevel(int level)
{
    m_infoLevel = qint16(level);
}

void RunController::updateInterpreterFolder()
{
    m_interpreterFolder = Interpreter::interpreterFolderOf(AppSettings::readYABPath(m_settings));
}

void RunController::runProgram()
{
    ProgramRunner runner(m_settings, *m_svc.interpreterKey, *m_svc.launcher, *m_svc.prompter,
                         m_svc.programFolder);
    const Document &doc = m_documents.state();
    // The program's own folder comes first when the interpreter looks for libraries.
    const QString folder = doc.hasFileName ? QFileInfo(doc.currentFileName).absolutePath() : QString();
    if (doc.fileChanged)
        m_journal.syncNow(); // a program that hangs the machine must not take the text with it
    const ProgramRunner::Outcome outcome =
        runner.runProgram(m_documents.programText(), doc.format.encoding, m_infoLevel, m_geoString, folder,
                          doc.hasFileName ? doc.currentFileName : QString());
    if (!runner.detectedVersion.isEmpty())
        m_yabasicVersion = runner.detectedVersion;
    if (outcome == ProgramRunner::Outcome::Failed)
        return;
    refreshDebugArea();
}

void RunController::refreshDebugArea()
{
    const DebugLog::Contents log = DebugLog::read(DebugLog::path());
    if (log.ok)
        m_debugView->setPlainText(log.text);
}

void RunController::clearDebug()
{
    DebugLog::clear(DebugLog::path());
    m_debugView->clear();
}

void RunController::showYabasicPathDialog()
{
    YabasicPathDialog dialog(m_settings, *m_svc.interpreterKey, *m_svc.prompter, *m_svc.shell,
                             m_svc.programFolder, m_window);
    dialog.exec();
    updateInterpreterFolder();
}

void RunController::showGeometryInput()
{
    InputRequest r;
    r.title = QStringLiteral("Geometry String");
    r.prompt = QStringLiteral("Enter the new Geometry String of the grafics window\r\n\r\n"
                              "e.g. +10+20 (Makes the window appear at 10 pixels from the left and "
                              "20 pixels from the top)");
    r.defaultText = m_geoString;
    // Cancel gives an empty answer, which clears the geometry.
    m_geoString = m_svc.prompter->input(r).value_or(QString());
}

void RunController::showAddingDebugOutput()
{
    auto *help = new AddingDebugOutputWindow(m_window);
    help->show();
    help->placeBesideOwner();
}
