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
#include "run/OutputPane.h"
#include "run/core/ScreenMode.h"
#include "run/core/SyntaxCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTimer>

RunController::RunController(Services &services, SettingsAccess &settings,
                             DocumentController &documents, JournalKeeper &journal,
                             QPlainTextEdit *debugView, OutputPane *pane, QWidget *window)
    : QObject(window), m_svc(services), m_settings(settings), m_documents(documents),
      m_journal(journal), m_debugView(debugView), m_pane(pane), m_window(window),
      m_process(new ProgramProcess(this)), m_terminalPoll(new QTimer(this)),
      m_check(new SyntaxCheck(this)), m_checkDelay(new QTimer(this))
{
    setObjectName(QStringLiteral("runController"));
    connect(m_process, &ProgramProcess::output, this, &RunController::programOutput);
    connect(m_process, &ProgramProcess::finished, this, &RunController::programEnded);
    connect(m_pane, &OutputPane::inputEntered, m_process, &ProgramProcess::sendLine);
    connect(m_pane, &OutputPane::stopRequested, this, &RunController::stopProgram);
    connect(m_pane, &OutputPane::errorClicked, this, &RunController::showError);
    m_terminalPoll->setInterval(300);
    connect(m_terminalPoll, &QTimer::timeout, this, &RunController::collectTerminalErrors);
    // Half a second without typing: the check runs; typing on postpones it.
    m_checkDelay->setSingleShot(true);
    m_checkDelay->setInterval(500);
    connect(m_checkDelay, &QTimer::timeout, this, &RunController::startSyntaxCheck);
    connect(m_check, &SyntaxCheck::checked, this, &RunController::syntaxChecked);
}

RunController::~RunController()
{
    // The window's parts may be gone already: the end of the run is told to nobody.
    m_process->disconnect(this);
    m_process->stopAndWait();
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
    m_runWhere = AppSettings::readRunWhere(m_settings);
}

void RunController::setRunWhere(int where)
{
    m_runWhere = where;
    m_settings.saveSetting(AppSettings::Run, AppSettings::RunWhere, where);
}

void RunController::saveSettings()
{
    m_settings.saveSetting(AppSettings::Run, AppSettings::InfoLevel, int(m_infoLevel));
    m_settings.saveSetting(AppSettings::Run, AppSettings::GeoString, m_geoString);
    m_settings.saveSetting(AppSettings::Run, AppSettings::RunWhere, m_runWhere);
}

void RunController::setInfoLevel(int level)
{
    m_infoLevel = qint16(level);
}

void RunController::updateInterpreterFolder()
{
    m_interpreterFolder = Interpreter::interpreterFolderOf(AppSettings::readYABPath(m_settings));
}

QString RunController::shownName() const
{
    const Document &doc = m_documents.state();
    return doc.hasFileName ? QFileInfo(doc.currentFileName).fileName() : QStringLiteral("Untitled");
}

QString RunController::workingFolder() const
{
    // The program's own folder comes first when the interpreter looks for libraries.
    const Document &doc = m_documents.state();
    return doc.hasFileName ? QFileInfo(doc.currentFileName).absolutePath() : QString();
}

void RunController::runProgram()
{
    if (m_process->isRunning()) {
        if (m_svc.prompter->ask(QStringLiteral("Run Program"),
                                QStringLiteral("The program is still running.\r\nStop it and run it again?"),
                                MsgButtons::YesNo, MsgIcon::Question, MsgResult::No)
            != MsgResult::Yes)
            return;
        m_process->stopAndWait();
    }
    ProgramRunner runner(m_settings, *m_svc.interpreterKey, *m_svc.launcher, *m_svc.prompter,
                         m_svc.programFolder);
    const Document &doc = m_documents.state();
    if (doc.fileChanged)
        m_journal.syncNow(); // a program that hangs the machine must not take the text with it
    const QString text = m_documents.programText();
    ProgramRunner::Plan plan;
    const ProgramRunner::Outcome outcome =
        runner.prepare(text, doc.format.encoding, m_infoLevel, m_geoString, workingFolder(),
                       doc.hasFileName ? doc.currentFileName : QString(), &plan);
    if (!runner.detectedVersion.isEmpty())
        m_yabasicVersion = runner.detectedVersion;
    if (outcome == ProgramRunner::Outcome::Failed)
        return;
    if (outcome == ProgramRunner::Outcome::NoPath) {
        refreshDebugArea();
        return;
    }
    adoptErrors({});
    const bool inTerminal = m_runWhere == AppSettings::RunInTerminal
                            || (m_runWhere == AppSettings::RunAutomatic && usesScreenMode(text));
    if (!inTerminal) {
        startInPane(plan);
        return;
    }
    if (runner.startInTerminal(plan) == ProgramRunner::Outcome::Failed)
        return;
    m_terminal = plan;
    m_terminalPoll->start();
    refreshDebugArea();
}

void RunController::startInPane(const ProgramRunner::Plan &plan)
{
    m_active = plan;
    m_parser = InterpreterErrorParser(plan.programFile, shownName());
    m_errorLine.clear();
    m_pane->clear();
    m_pane->setRunning(true);
    emit outputShown();
    emit statusMessage(QStringLiteral("Running ") + shownName());
    m_process->start(plan.interpreter, QStringList{plan.programFile} + plan.options, plan.workingFolder);
}

void RunController::stopProgram()
{
    m_process->stop();
}

void RunController::programOutput(const QString &text, bool isError)
{
    if (!isError) {
        m_pane->append(text, OutputPane::Normal);
        return;
    }
    // Standard error is read a line at a time: each report becomes a link.
    m_errorLine += text;
    errorLines(false);
}

void RunController::errorLines(bool all)
{
    qsizetype start = 0;
    for (qsizetype nl; (nl = m_errorLine.indexOf(QLatin1Char('\n'), start)) >= 0; start = nl + 1) {
        int opened = -1;
        const QString shown = m_parser.feedLine(m_errorLine.mid(start, nl - start), &opened);
        m_pane->append(shown + QLatin1Char('\n'), OutputPane::Error, opened);
    }
    m_errorLine.remove(0, start);
    if (all && !m_errorLine.isEmpty()) {
        int opened = -1;
        m_pane->append(m_parser.feedLine(m_errorLine, &opened) + QLatin1Char('\n'), OutputPane::Error, opened);
        m_errorLine.clear();
    }
}

void RunController::programEnded(ProgramProcess::End end, int exitCode, qint64 ms, const QString &reason)
{
    errorLines(true);
    const QString time = QString::number(double(ms) / 1000.0, 'f', 2);
    QString last;
    switch (end) {
    case ProgramProcess::End::Exited:
        last = QStringLiteral("Exit status %1, run time %2 s").arg(exitCode).arg(time);
        break;
    case ProgramProcess::End::Stopped:
        last = QStringLiteral("Stopped, run time %1 s").arg(time);
        break;
    case ProgramProcess::End::Crashed:
        last = QStringLiteral("Ended from outside or crashed, run time %1 s").arg(time);
        break;
    case ProgramProcess::End::NotStarted:
        last = QStringLiteral("The interpreter could not be started: ") + reason;
        break;
    }
    m_pane->append(QStringLiteral("\n--- ") + last + QLatin1Char('\n'), OutputPane::Status);
    m_pane->setRunning(false);
    m_active = ProgramRunner::Plan(); // the temporary program goes with its folder
    adoptErrors(m_parser.errors());
    if (m_errors.isEmpty())
        emit statusMessage(last);
    refreshDebugArea();
}

void RunController::collectTerminalErrors()
{
    if (m_terminal.errorCopy.isEmpty()) {
        m_terminalPoll->stop();
        return;
    }
    const bool ended = QFile::exists(m_terminal.errorCopy + QStringLiteral(".end"));
    QFile copy(m_terminal.errorCopy);
    if (!ended && m_terminalPoll->isActive() && !m_window->isActiveWindow())
        return;
    if (copy.open(QIODevice::ReadOnly)) {
        OutputDecoder decoder;
        const QString err = decoder.decode(copy.readAll()) + decoder.finish();
        const QList<ProgramError> found = InterpreterErrorParser::parse(err, m_terminal.programFile, shownName());
        if (!found.isEmpty() && found.size() != m_errors.size())
            adoptErrors(found);
    }
    if (ended) {
        m_terminalPoll->stop();
        m_terminal = ProgramRunner::Plan();
    }
}

void RunController::windowActivated()
{
    collectTerminalErrors();
}

void RunController::adoptErrors(const QList<ProgramError> &errors)
{
    m_errors = errors;
    m_errorCursor = -1;
    emit errorLineMarked(-1);
    int jump = -1;
    for (int i = 0; i < m_errors.size() && jump < 0; ++i)
        if (m_errors[i].inProgram && !m_errors[i].warning)
            jump = i;
    for (int i = 0; i < m_errors.size() && jump < 0; ++i)
        if (!m_errors[i].warning)
            jump = i;
    if (jump >= 0)
        showError(jump);
}

void RunController::showError(int index)
{
    if (index < 0 || index >= m_errors.size())
        return;
    m_errorCursor = index;
    const ProgramError &e = m_errors[index];
    if (e.inProgram) {
        emit errorPlace(e.line - 1, std::max(0, e.column));
        emit errorLineMarked(e.line - 1);
        emit statusMessage(e.summary());
    } else {
        emit statusMessage(e.summary() + QStringLiteral(" (in a library)"));
    }
}

void RunController::nextError()
{
    if (m_errors.isEmpty())
        emit statusMessage(QStringLiteral("No errors"));
    else
        showError(std::min(m_errorCursor + 1, int(m_errors.size()) - 1));
}

void RunController::previousError()
{
    if (m_errors.isEmpty())
        emit statusMessage(QStringLiteral("No errors"));
    else
        showError(std::max(m_errorCursor - 1, 0));
}

bool RunController::askStopBeforeClose()
{
    if (!m_process->isRunning())
        return true;
    if (m_svc.prompter->ask(QStringLiteral("Exit"),
                            QStringLiteral("The program is still running.\r\nEnd it and close Vormeld?"),
                            MsgButtons::YesNo, MsgIcon::Question, MsgResult::No)
        != MsgResult::Yes)
        return false;
    m_process->stopAndWait();
    return true;
}

void RunController::textChanged()
{
    m_checkDelay->start();
}

void RunController::checkSyntaxNow()
{
    m_checkAsked = true;
    m_checkDelay->stop();
    startSyntaxCheck();
}

void RunController::startSyntaxCheck()
{
    const QString yab = AppSettings::readYABPath(m_settings);
    if (yab.isEmpty() || !QFileInfo(yab).isExecutable()) {
        if (m_checkAsked)
            emit statusMessage(QStringLiteral("The syntax cannot be checked: the interpreter's path is not set"));
        m_checkAsked = false;
        return;
    }
    const QString folder = workingFolder();
    m_check->check(yab, m_documents.programTextLater(), m_documents.state().format.encoding,
                   folder.isEmpty() ? m_svc.programFolder : folder, shownName());
}

void RunController::syntaxChecked(bool clean, const ProgramError &error)
{
    const bool asked = m_checkAsked;
    m_checkAsked = false;
    if (clean || !error.inProgram) {
        emit syntaxMark(-1, 0, QString());
        if (!clean)
            emit statusMessage(error.summary() + QStringLiteral(" (in a library)"));
        else if (asked)
            emit statusMessage(QStringLiteral("No syntax errors"));
        return;
    }
    emit syntaxMark(error.line - 1, std::max(0, error.column), error.message);
    emit statusMessage(error.summary());
    if (asked)
        emit errorPlace(error.line - 1, std::max(0, error.column));
}

void RunController::makeStandalone()
{
    FileDialogRequest r;
    r.kind = FileDialogRequest::Save;
    r.title = QStringLiteral("Make Stand-alone Program");
    const Document &doc = m_documents.state();
    r.initialName = doc.hasFileName ? QFileInfo(doc.currentFileName).completeBaseName() : QStringLiteral("program");
    r.initialFolder = workingFolder();
    r.filter = QStringLiteral("Programs (*)|*");
    const std::optional<QString> out = m_svc.prompter->fileDialog(r);
    if (!out)
        return;
    ProgramRunner runner(m_settings, *m_svc.interpreterKey, *m_svc.launcher, *m_svc.prompter,
                         m_svc.programFolder);
    ProgramRunner::Plan plan;
    if (runner.prepare(m_documents.programText(), doc.format.encoding, m_infoLevel, QString(),
                       workingFolder(), doc.hasFileName ? doc.currentFileName : QString(), &plan)
        != ProgramRunner::Outcome::Started)
        return;
    emit statusMessage(QStringLiteral("Making the stand-alone program..."));
    // The interpreter works on its own; the window stays usable meanwhile.
    auto *bind = new QProcess(this);
    bind->setWorkingDirectory(plan.workingFolder);
    bind->setStandardInputFile(QProcess::nullDevice());
    const QString target = *out;
    const QString shown = shownName();
    const auto done = [this, bind, plan, target, shown](bool started) {
        bind->deleteLater();
        OutputDecoder decoder;
        QString err = decoder.decode(bind->readAllStandardError()) + decoder.finish();
        err = err.replace(plan.programFile, shown).trimmed();
        QFileInfo made(target);
        if (started && bind->exitStatus() == QProcess::NormalExit && bind->exitCode() == 0 && made.exists()) {
            // The interpreter writes the file without the right to run it.
            QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ExeOwner
                                              | QFileDevice::ExeGroup | QFileDevice::ExeOther);
            made.refresh();
            const QString text = QStringLiteral("The stand-alone program %1 was made (%2 bytes).")
                                     .arg(QDir::toNativeSeparators(target)).arg(made.size());
            emit statusMessage(text);
            m_svc.prompter->ask(QStringLiteral("Make Stand-alone Program"), text, MsgButtons::OK,
                                MsgIcon::Information);
        } else {
            emit statusMessage(QStringLiteral("The stand-alone program could not be made"));
            m_svc.prompter->ask(QStringLiteral("Make Stand-alone Program"),
                                QStringLiteral("The stand-alone program could not be made.\r\n")
                                    + (started ? err : bind->errorString()),
                                MsgButtons::OK, MsgIcon::Exclamation);
        }
    };
    connect(bind, &QProcess::finished, this, [done] { done(true); });
    connect(bind, &QProcess::errorOccurred, this, [done](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            done(false);
    });
    bind->start(plan.interpreter, {QStringLiteral("--bind"), target, plan.programFile});
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
