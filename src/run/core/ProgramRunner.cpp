#include "run/core/ProgramRunner.h"

#include "common/core/AppSettings.h"
#include "platform/core/ProcessLauncher.h"
#include "platform/core/Prompter.h"
#include "platform/core/SettingsStore.h"
#include "run/core/Interpreter.h"
#include "run/core/RunCommand.h"

#include "platform/core/ProcessGroup.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

ProgramRunner::ProgramRunner(SettingsAccess &settings, IInterpreterKey &key,
                             IProcessLauncher &launcher, IPrompter &prompter, QString programFolder)
    : m_settings(settings), m_key(key), m_launcher(launcher), m_prompter(prompter),
      m_programFolder(std::move(programFolder))
{
}

void ProgramRunner::problem(const QString &path, const QString &reason)
{
    m_prompter.ask(QStringLiteral("Problem"),
                   QStringLiteral("There was a problem while attempting to execute the interpreter.\r\n"
                                  "Please check the interpreter's path.\r\n")
                       + path + QStringLiteral(": ") + reason,
                   MsgButtons::OK, MsgIcon::Exclamation);
}

ProgramRunner::Outcome ProgramRunner::runProgram(const QString &text, TextEncoding encoding,
                                                 int infoLevel, const QString &geoString,
                                                 const QString &workingFolder,
                                                 const QString &documentFile)
{
    Plan plan;
    const Outcome prepared = prepare(text, encoding, infoLevel, geoString, workingFolder, documentFile, &plan);
    return prepared == Outcome::Started ? startInTerminal(plan) : prepared;
}

ProgramRunner::Outcome ProgramRunner::prepare(const QString &text, TextEncoding encoding,
                                              int infoLevel, const QString &geoString,
                                              const QString &workingFolder,
                                              const QString &documentFile, Plan *plan)
{
    QString yabPath = AppSettings::readYABPath(m_settings);
    const QString tempSetting = AppSettings::readTempPath(m_settings);
    if (yabPath.isEmpty()) {
        Interpreter::detectInterpreterPath(m_settings, m_key, &detectedVersion);
        yabPath = AppSettings::readYABPath(m_settings);
        if (yabPath.isEmpty()) {
            m_prompter.ask(QStringLiteral("Problem"),
                           QStringLiteral("The Path of the Yabasic Interpreter is needed"),
                           MsgButtons::OK, MsgIcon::Information);
            return Outcome::NoPath;
        }
    }
    // A path that names no program would start nothing, or only an empty terminal.
    const QFileInfo interpreter(yabPath);
    if (!interpreter.exists()) {
        problem(yabPath, QStringLiteral("there is no such file"));
        return Outcome::Failed;
    }
    if (interpreter.isDir()) {
        problem(yabPath, QStringLiteral("this is a folder, not the interpreter"));
        return Outcome::Failed;
    }
    if (!interpreter.isFile() || !interpreter.isExecutable()) {
        problem(yabPath, QStringLiteral("this file may not be run (it is not executable)"));
        return Outcome::Failed;
    }

    // Each run has a private folder: two runs, or two Vormelds, never write over
    // each other's program, and a read-only program folder does not matter.
    auto folder = std::make_shared<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/vormeld-run-XXXXXX"));
    if (!folder->isValid()) {
        problem(folder->path(), QStringLiteral("no temporary folder could be made (") + folder->errorString()
                                    + QLatin1Char(')'));
        return Outcome::Failed;
    }
    const QString tempFile = tempSetting.isEmpty() ? folder->filePath(QStringLiteral("TempPrg.yab")) : tempSetting;
    // A temporary file set to the program's own file would overwrite the saved program.
    if (!documentFile.isEmpty() && QFileInfo(tempFile).absoluteFilePath() == QFileInfo(documentFile).absoluteFilePath()) {
        problem(tempFile, QStringLiteral("the temporary program file is the program itself"));
        return Outcome::Failed;
    }
    TextFileContent content;
    content.text = text;
    content.encoding = encoding;
    content.lineBreak = TextFileContent::nativeLineBreak();
    content.finalBreak = true;
    QByteArray bytes;
    if (!encodeTextFile(content, &bytes)) {
        content.encoding = TextEncoding::Utf8; // the interpreter sees the text as typed
        encodeTextFile(content, &bytes);
    }
    if (const FileResult written = writeWholeFileAtomic(tempFile, bytes); !written.ok) {
        problem(tempFile, QStringLiteral("the temporary program could not be written (") + written.error
                              + QLatin1Char(')'));
        return Outcome::Failed;
    }
    plan->interpreter = yabPath;
    plan->programFile = RunCommand::interpreterSafePath(tempFile);
    plan->options = AppSettings::readUseYabSettings(m_settings)
                        ? splitCommandLine(m_settings.getSetting(AppSettings::Run, AppSettings::YabOptions))
                        : RunCommand::optionArguments(infoLevel, geoString);
    plan->workingFolder = workingFolder.isEmpty() ? m_programFolder : workingFolder;
    plan->errorCopy = folder->filePath(QStringLiteral("errors.txt"));
    plan->folder = std::move(folder);
    return Outcome::Started;
}

ProgramRunner::Outcome ProgramRunner::startInTerminal(const Plan &plan)
{
    const QStringList wrapped = ProcessGroup::withErrorCopy(
        QStringList{plan.interpreter, plan.programFile} + plan.options, plan.errorCopy);
    lastCommandLine = RunCommand::joinArguments(wrapped);
    if (!m_launcher.start(lastCommandLine, WindowStyle::NormalFocus, true, plan.workingFolder)) {
        problem(plan.interpreter, QStringLiteral("the interpreter could not be started"));
        return Outcome::Failed;
    }
    return Outcome::Started;
}
