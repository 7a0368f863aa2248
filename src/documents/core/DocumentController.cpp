#include "documents/core/DocumentController.h"

#include "common/core/FileNames.h"
#include "common/core/RunAside.h"
#include "common/core/TextBuffer.h"
#include "documents/core/CsvImport.h"
#include "documents/core/FileErrors.h"
#include "documents/core/ProgramDialogs.h"
#include "platform/core/ProcessLauncher.h"
#include "platform/core/Prompter.h"

#include <QFileInfo>

using namespace ProgramDialogs;


DocumentController::DocumentController(TextBuffer &text, IPrompter &prompter,
                                       IProcessLauncher &launcher, QString programFolder,
                                       QObject *parent)
    : QObject(parent), m_text(text), m_prompter(prompter), m_launcher(launcher),
      m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("documents"));
}

void DocumentController::loadRecentFiles(const SettingsAccess &settings, const QString &section)
{
    m_recent.loadRecentFiles(settings, section);
    emit recentFilesChanged();
}

void DocumentController::saveRecentFiles(SettingsAccess &settings, const QString &section) const
{
    m_recent.saveRecentFiles(settings, section);
}

void DocumentController::markChanged()
{
    if (!m_doc.fileChanged) {
        m_doc.fileChanged = true;
        emit stateChanged();
    }
    emit edited();
}

MsgResult DocumentController::ask(const QString &title, const QString &text, MsgButtons buttons,
                                  MsgIcon icon, std::optional<MsgResult> defaultButton)
{
    MsgResult answer = MsgResult::Cancel;
    whileBusy([&] { answer = m_prompter.ask(title, text, buttons, icon, defaultButton); });
    return answer;
}

void DocumentController::whileBusy(const std::function<void()> &work)
{
    ++m_asking;
    work();
    --m_asking;
    if (m_asking == 0)
        emit questionClosed();
}

void DocumentController::setModified(bool modified)
{
    if (modified == m_doc.fileChanged)
        return;
    m_doc.fileChanged = modified;
    notifyState();
}

void DocumentController::notifyState()
{
    emit titleChanged(title());
    emit stateChanged();
}

bool DocumentController::readForEditor(const QString &path, TextFileContent *content)
{
    QByteArray bytes;
    FileResult r;
    auto read = [&] {
        r = readWholeFile(path, &bytes);
        if (r.ok) {
            *content = decodeTextFile(bytes);
            m_readStamp = DiskStamp::ofBytes(bytes, QFileInfo(path).lastModified());
        }
    };
    // A long program is read while the window goes on answering.
    if (QFileInfo(path).size() >= LongFileBytes)
        whileBusy([&] { runAside(read); });
    else
        read();
    if (!r.ok) {
        QString text = FileErrors::openFailedText(FileErrors::classifyReadFailure(path));
        // A pipe or a device is refused before it is opened: say why.
        if (QFileInfo(path).exists() && !QFileInfo(path).isFile() && !QFileInfo(path).isDir())
            text += QStringLiteral("\r\n      ") + r.error;
        ask(QStringLiteral("Open Program"), text + QStringLiteral("\r\n\r\n") + path, MsgButtons::OK,
            MsgIcon::Critical);
        return false;
    }
    // Say before a save what it would change in the file's bytes.
    if (const QString changes = FileErrors::saveChangesNotice(*content, !bytes.isEmpty()); !changes.isEmpty())
        emit notice(changes + QStringLiteral(" (") + path + QLatin1Char(')'));
    return true;
}

void DocumentController::takeDocument(const QString &path, const TextFileContent &content)
{
    m_opening = QFileInfo(path).fileName();
    whileBusy([&] { m_text.setText(m_safeText.toEditor(content.text)); });
    m_opening.clear();
    if (m_safeText.standsIn())
        emit notice(QStringLiteral("This file holds characters that the editor would take for line breaks "
                                   "(U+2029, U+FDD0 or U+FDD1). Each is shown as a private-use character "
                                   "and saved back as it was."));
    m_doc.format = content;
    m_doc.format.text.clear();
    m_doc.currentFileName = path;
    m_doc.hasFileName = true;
    m_doc.fileChanged = false;
    m_disk = m_readStamp;
    emit documentReplaced();
    notifyState();
}

void DocumentController::showLoadProgress(int percent)
{
    const QString what =
        m_opening.isEmpty() ? QStringLiteral("Loading the text") : QStringLiteral("Opening ") + m_opening;
    emit statusMessage(what + QStringLiteral("... ") + QString::number(percent) + QLatin1Char('%'));
}

void DocumentController::loadStartupFile(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        // A new file: it is created by the first Save.
        startWithoutFile(QString(), path, true);
        m_recent.addRecentFile(path);
        return;
    }
    TextFileContent content;
    if (!readForEditor(path, &content)) {
        loadTemplate();
        return;
    }
    takeDocument(path, content);
    m_recent.addRecentFile(path);
}

void DocumentController::loadTemplate()
{
    TextFileContent content;
    const FileResult r = readTextFile(programFile(m_programFolder, QStringLiteral("Template.yab")), &content);
    startWithoutFile(r.ok ? content.text : QString(), QStringLiteral("Untitled"), false);
}

void DocumentController::startWithoutFile(const QString &text, const QString &name, bool hasFileName)
{
    m_text.setText(m_safeText.toEditor(text));
    m_doc.format = TextFileContent();
    m_doc.currentFileName = name;
    m_doc.hasFileName = hasFileName;
    m_doc.fileChanged = false;
    m_disk = DiskStamp();
    emit documentReplaced();
    notifyState();
}

bool DocumentController::askSaveChanges()
{
    if (!m_doc.fileChanged)
        return true;
    const MsgResult answer = ask(QStringLiteral("File Changed"),
                                 QStringLiteral("The YaBasic file has changed,\r\nDo you want to save it?"),
                                 MsgButtons::YesNoCancel, MsgIcon::Exclamation, MsgResult::Yes);
    if (answer == MsgResult::Yes) {
        saveDocument();
        return !m_saveCancelled;
    }
    return answer == MsgResult::No;
}

void DocumentController::newDocument()
{
    emit resumeUpdating();
    if (!askSaveChanges())
        return;
    loadTemplate();
    emit titleChanged(title());
    emit textReplaced();
}

void DocumentController::openDocument()
{
    emit resumeUpdating();
    if (!askSaveChanges())
        return;
    loadDocumentFromDialog();
    emit titleChanged(title());
    emit opened();
}

void DocumentController::loadDocumentFromDialog()
{
    const std::optional<QString> path = m_prompter.fileDialog(
        openDialog(QStringLiteral("Open YaBasic Program"), QStringLiteral("*.yab"),
                   QStringLiteral(".yab"), OpenFilter));
    if (!path)
        return;
    TextFileContent content;
    if (!readForEditor(*path, &content))
        return; // the document stays as it was
    takeDocument(*path, content);
    m_recent.addRecentFile(*path);
    emit recentFilesChanged();
    emit textReplaced();
}

void DocumentController::openRecentFile(int index)
{
    if (index < 0 || index >= RecentFileList::Size || m_recent.at(index).isEmpty())
        return;
    emit resumeUpdating();
    if (!askSaveChanges())
        return;
    const QString path = m_recent.at(index);
    TextFileContent content;
    // A file that is gone leaves the document as it was: its name must not be
    // put on this text, or a later Save would write it there.
    if (!readForEditor(path, &content))
        return;
    takeDocument(path, content);
    m_recent.addRecentFile(path);
    emit recentFilesChanged();
    emit titleChanged(title());
    emit textReplaced();
}

bool DocumentController::writeTo(const QString &path)
{
    TextFileContent content = m_doc.format;
    content.text = programText();
    // One final break is added back; an empty text keeps what the file had, so
    // an empty file saved unchanged stays empty.
    content.finalBreak = content.text.isEmpty() ? m_doc.format.finalBreak : true;
    QByteArray bytes;
    QChar bad;
    if (!encodeTextFile(content, &bytes, &bad)) {
        // Never replace a character silently: offer to write the file as UTF-8.
        const MsgResult answer = ask(
            QStringLiteral("Save Program"),
            QStringLiteral("The character \"%1\" (U+%2) cannot be stored in this file's encoding "
                           "(Latin-1).\r\nSave the file as UTF-8 instead?")
                .arg(bad)
                .arg(QString::number(bad.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'))),
            MsgButtons::YesNo, MsgIcon::Exclamation);
        if (answer != MsgResult::Yes)
            return false;
        content.encoding = TextEncoding::Utf8;
        if (!encodeTextFile(content, &bytes, &bad)) {
            ask(QStringLiteral("Save Program"), QStringLiteral("The text holds a character that cannot be saved "
                "(U+%1).").arg(QString::number(bad.unicode(), 16).toUpper()), MsgButtons::OK, MsgIcon::Critical);
            return false;
        }
    }
    // Another program changed the file since we last read or wrote it: ask first,
    // and decide again from the disk's state after every answer, since it may
    // change while the question is open. (A file that is gone has nothing to
    // lose: it is simply written again.)
    while (path == m_doc.currentFileName && m_doc.hasFileName && QFileInfo::exists(path)
           && diskChangedOutside()) {
        const DiskStamp asked = DiskStamp::of(path);
        const MsgResult answer = ask(
            QStringLiteral("Save Program"),
            QStringLiteral("The file \"%1\" was changed by another program since Vormeld last read "
                           "or saved it.\r\nDo you want to replace it with your text?")
                .arg(fileNameOnly(path)),
            MsgButtons::YesNo, MsgIcon::Exclamation, MsgResult::No);
        if (answer != MsgResult::Yes)
            return false;
        if (DiskStamp::of(path) == asked)
            break;
    }
    const FileResult r = writeWholeFileAtomic(path, bytes);
    if (!r.ok) {
        const int code = QFileInfo(QFileInfo(path).absolutePath()).isDir() ? FileErrors::AccessError
                                                                            : FileErrors::PathNotFound;
        ask(QStringLiteral("Save Program"),
                       QStringLiteral("A Error has occured while trying to save the file\r\n")
                           + FileErrors::reasonLine(code) + QStringLiteral("\r\n      ") + r.error
                           + QStringLiteral("\r\n\r\n") + path
                           + QStringLiteral("\r\nThe file on disk was not changed."),
                       MsgButtons::OK, MsgIcon::Critical);
        return false;
    }
    content.text.clear();
    m_doc.format = content;
    m_disk = DiskStamp::ofBytes(bytes, QFileInfo(path).lastModified());
    return true;
}

void DocumentController::saveDocument()
{
    m_saveCancelled = false;
    if (m_doc.hasFileName) {
        if (writeTo(m_doc.currentFileName)) {
            m_doc.fileChanged = false;
            emit saved();
        } else
            m_saveCancelled = true; // nothing was saved: callers must not go on as if it were
    } else {
        saveDocumentAs();
    }
    notifyState();
}

void DocumentController::saveDocumentAs()
{
    m_saveCancelled = false;
    FileDialogRequest r = FileDialogRequest::of(FileDialogRequest::Save, QStringLiteral("Save as YaBasic Program"),
                                                QStringLiteral("*.yab"), QStringLiteral(".yab"), SaveFilter);
    const std::optional<QString> path = m_prompter.fileDialog(r);
    if (!path || !writeTo(*path)) {
        m_saveCancelled = true;
        return;
    }
    m_doc.currentFileName = *path;
    m_doc.fileChanged = false;
    m_doc.hasFileName = true;
    emit saved();
    notifyState();
}

void DocumentController::appendFile()
{
    const std::optional<QString> path = m_prompter.fileDialog(
        openDialog(QStringLiteral("Open File to Append"), QStringLiteral("*.yab"),
                   QStringLiteral(".yab"), OpenFilter));
    if (!path)
        return;
    TextFileContent content;
    if (!readForEditor(*path, &content))
        return;
    m_text.appendText(QLatin1Char('\n') + content.text);
    emit textReplaced();
}

void DocumentController::importCsvFile()
{
    const std::optional<QString> path = m_prompter.fileDialog(
        openDialog(QStringLiteral("Import CSV File"), QStringLiteral("*.csv"),
                   QStringLiteral(".csv"), CsvFilter));
    if (!path)
        return;
    QByteArray bytes;
    const FileResult r = readWholeFile(*path, &bytes);
    if (!r.ok) {
        ask(QStringLiteral("Import CSV File"), FileErrors::openFailedText(FileErrors::classifyReadFailure(*path))
            + QStringLiteral("\r\n\r\n") + *path, MsgButtons::OK, MsgIcon::Critical);
    }
    // The text is built once and added in one change.
    m_text.appendText(QLatin1Char('\n') + (r.ok ? csvToDataLines(decodeBytes(bytes)) : QString()));
    emit textReplaced();
}

void DocumentController::newInstance()
{
    startInstance(QStringLiteral("New Program Instance"), QString());
}

void DocumentController::openInNewInstance()
{
    const std::optional<QString> path = m_prompter.fileDialog(
        openDialog(QStringLiteral("Open File In New Instance"), QStringLiteral("*.yab"),
                   QStringLiteral(".yab"), OpenFilter));
    if (path)
        startInstance(QStringLiteral("Open in New Instance"), *path);
}

void DocumentController::startInstance(const QString &title, const QString &file)
{
    QString command = quoteArgument(programFile(m_programFolder, programExecutableName()));
    if (!file.isEmpty())
        command += QLatin1Char(' ') + quoteArgument(file);
    if (!m_launcher.start(command, WindowStyle::NormalFocus))
        ask(title, QStringLiteral("Vormeld could not be started:\r\n") + command, MsgButtons::OK,
            MsgIcon::Critical);
}

QString DocumentController::title() const
{
    return fileNameOnly(m_doc.currentFileName) + QStringLiteral(" - Vormeld 2005");
}

std::optional<JournalEntry> DocumentController::journalSnapshot() const
{
    if (!m_doc.fileChanged)
        return std::nullopt;
    JournalEntry e;
    e.originalPath = m_doc.currentFileName;
    e.hasFileName = m_doc.hasFileName;
    e.savedAt = QDateTime::currentDateTimeUtc();
    e.disk = m_disk;
    e.encoding = int(m_doc.format.encoding);
    e.lineBreak = int(m_doc.format.lineBreak);
    e.finalBreak = m_doc.format.finalBreak;
    // Taken while the user types: the editor's pieces are shared here and put
    // together by the writer, never copied on this thread.
    e.makeText = programTextLater();
    return e;
}

void DocumentController::recoverFromJournal(const JournalEntry &entry)
{
    m_text.setText(m_safeText.toEditor(entry.text));
    m_doc.currentFileName = entry.originalPath;
    m_doc.hasFileName = entry.hasFileName;
    m_doc.format = TextFileContent();
    m_doc.format.encoding = TextEncoding(entry.encoding);
    m_doc.format.lineBreak = LineBreakStyle(entry.lineBreak);
    m_doc.format.finalBreak = entry.finalBreak;
    m_disk = entry.disk;
    m_doc.fileChanged = true;
    emit documentReplaced();
    emit savedStateLost();
    emit textReplaced();
    notifyState();
}

bool DocumentController::diskChangedOutside() const
{
    if (!m_doc.hasFileName)
        return false;
    // A file never written yet (a new name from the command line) only counts once it appears.
    if (!m_disk.exists && !QFileInfo::exists(m_doc.currentFileName))
        return false;
    return DiskStamp::of(m_doc.currentFileName) != m_disk;
}

bool DocumentController::checkOutsideChange()
{
    if (!diskChangedOutside())
        return false;
    const QString path = m_doc.currentFileName;
    const QString name = fileNameOnly(path);
    if (!DiskStamp::of(path).exists) {
        ask(QStringLiteral("File Deleted"),
            QStringLiteral("The file \"%1\" was deleted or moved by another program.\r\nYour text is still here: "
                           "save it to keep it.\r\n\r\n").arg(name) + path, MsgButtons::OK, MsgIcon::Exclamation);
        m_disk = DiskStamp::of(path);
        m_doc.fileChanged = true; // closing must ask before this text is lost
        emit savedStateLost();
        notifyState();
        return true;
    }
    const QString text = m_doc.fileChanged
        ? QStringLiteral("The file \"%1\" was changed by another program, and your text has changes "
                         "that are not saved.\r\nDo you want to load the file again and lose your changes?")
        : QStringLiteral("The file \"%1\" was changed by another program.\r\n"
                         "Do you want to load it again?");
    const MsgResult answer = ask(QStringLiteral("File Changed on Disk"), text.arg(name), MsgButtons::YesNo,
                                 MsgIcon::Question, m_doc.fileChanged ? MsgResult::No : MsgResult::Yes);
    if (answer == MsgResult::Yes) {
        TextFileContent content;
        if (readForEditor(path, &content)) {
            takeDocument(path, content);
            emit titleChanged(title());
            emit textReplaced();
            return true;
        }
    }
    // Kept as it is: the text now differs from the file as it is now (it may
    // have changed again while the question was open), so it counts as changed.
    m_disk = DiskStamp::of(path);
    m_doc.fileChanged = true;
    emit savedStateLost();
    notifyState();
    return true;
}

QString DocumentController::programText() const
{
    return m_safeText.fromEditor(m_text.text());
}

std::function<QString()> DocumentController::programTextLater() const
{
    return [pieces = m_text.sharedText(), safe = m_safeText] { return safe.fromEditor(pieces.toString()); };
}
