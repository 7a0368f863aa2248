#include "DocumentController.h"

#include "app/modMain.h"
#include "documents/CsvImport.h"
#include "documents/FileErrors.h"
#include "platform/ProcessLauncher.h"
#include "platform/Prompter.h"

#include <QFileInfo>

namespace {
const QString OpenFilter = QStringLiteral(
    "YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All files (*.*)|*.*");
const QString SaveFilter = QStringLiteral(
    "YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All Files (*.*)|*.*");
const QString CsvFilter = QStringLiteral("CSV File (*.csv)|*.csv|All files (*.*)|*.*");

FileDialogRequest openDialog(const QString &title, const QString &initial, const QString &ext,
                             const QString &filter)
{
    FileDialogRequest r;
    r.kind = FileDialogRequest::Open;
    r.title = title;
    r.initialName = initial;
    r.defaultExtension = ext;
    r.filter = filter;
    r.filterIndex = 1;
    r.fileMustExist = true;
    return r;
}

QString breakName(LineBreakStyle s)
{
    switch (s) {
    case LineBreakStyle::CrLf: return QStringLiteral("CR LF");
    case LineBreakStyle::Lf: return QStringLiteral("LF");
    case LineBreakStyle::Cr: return QStringLiteral("CR");
    }
    return QString();
}
} // namespace

DocumentController::DocumentController(IDocumentHost &host, IPrompter &prompter,
                                       IProcessLauncher &launcher, QString programFolder)
    : m_host(host), m_prompter(prompter), m_launcher(launcher),
      m_programFolder(std::move(programFolder))
{
}

bool DocumentController::readForEditor(const QString &path, TextFileContent *content)
{
    QByteArray bytes;
    const FileResult r = ReadWholeFile(path, &bytes);
    if (r.ok) {
        *content = DecodeTextFile(bytes);
        m_readStamp = DiskStamp::OfBytes(bytes, QFileInfo(path).lastModified());
    }
    if (!r.ok) {
        m_prompter.ask(QStringLiteral("Open Program"),
                       FileErrors::OpenFailedText(FileErrors::ClassifyReadFailure(path))
                           + QStringLiteral("\r\n\r\n") + path,
                       MsgButtons::OK, MsgIcon::Critical);
        return false;
    }
    // Say before a save what it would change in the file's bytes.
    QStringList notes;
    if (content->mixedBreaks)
        notes << QStringLiteral("This file mixes different kinds of line breaks. If you save it, every "
                                "line will end with ")
                     + breakName(content->lineBreak) + QLatin1Char('.');
    if (!content->finalBreak && !bytes.isEmpty())
        notes << QStringLiteral("The last line of this file has no line break. If you save it, one "
                                "will be added.");
    if (!notes.isEmpty())
        m_prompter.ask(QStringLiteral("Open Program"),
                       notes.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\n") + path,
                       MsgButtons::OK, MsgIcon::Information);
    return true;
}

void DocumentController::takeDocument(const QString &path, const TextFileContent &content)
{
    m_host.setEditorText(content.text);
    m_doc.format = content;
    m_doc.format.text.clear();
    m_doc.CurrentFileName = path;
    m_doc.HasFileName = true;
    m_doc.FileChanged = false;
    m_disk = m_readStamp;
    m_host.documentStateChanged();
}

void DocumentController::LoadStartupFile(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        // A new file: it is created by the first Save.
        m_host.setEditorText(QString());
        m_doc.format = TextFileContent();
        m_doc.CurrentFileName = path;
        m_doc.HasFileName = true;
        m_doc.FileChanged = false;
        m_disk = DiskStamp();
        m_recent.AddRecentFile(path);
        m_host.documentStateChanged();
        return;
    }
    TextFileContent content;
    if (!readForEditor(path, &content)) {
        LoadTemplate();
        return;
    }
    takeDocument(path, content);
    m_recent.AddRecentFile(path);
}

void DocumentController::LoadTemplate()
{
    TextFileContent content;
    const FileResult r = ReadTextFile(modMain::ProgramFile(m_programFolder, QStringLiteral("Template.yab")), &content);
    m_host.setEditorText(r.ok ? content.text : QString());
    m_doc.format = TextFileContent();
    m_doc.CurrentFileName = QStringLiteral("Untitled");
    m_doc.HasFileName = false;
    m_doc.FileChanged = false;
    m_disk = DiskStamp();
    m_host.documentStateChanged();
}

bool DocumentController::AskSaveChanges(bool stopIfSaveCancelled)
{
    if (!m_doc.FileChanged)
        return true;
    const MsgResult answer = m_prompter.ask(
        QStringLiteral("File Changed"),
        QStringLiteral("The YaBasic file has changed,\r\nDo you want to save it?"),
        MsgButtons::YesNoCancel, MsgIcon::Exclamation);
    if (answer == MsgResult::Yes) {
        SaveDocument();
        return !(stopIfSaveCancelled && SaveCancelled);
    }
    return answer == MsgResult::No;
}

void DocumentController::NewDocument()
{
    m_host.clearDisableUpdating();
    if (!AskSaveChanges(false))
        return;
    LoadTemplate();
    m_host.updateTitle();
    m_host.refreshLinePanel();
    m_host.parseAllLines();
}

void DocumentController::OpenDocument()
{
    m_host.clearDisableUpdating();
    if (!AskSaveChanges(true))
        return;
    LoadDocumentFromDialog();
    m_host.updateTitle();
    m_host.showReadyMessage();
    m_host.refreshLinePanel();
}

void DocumentController::LoadDocumentFromDialog()
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
    m_recent.AddRecentFile(*path);
    m_host.rebuildRecentMenu();
    m_host.parseAllLines();
}

void DocumentController::OpenRecentFile(int index)
{
    if (index < 0 || index >= RecentFileList::Size || m_recent.at(index).isEmpty())
        return;
    m_host.clearDisableUpdating();
    if (!AskSaveChanges(false))
        return;
    const QString path = m_recent.at(index);
    TextFileContent content;
    // A file that is gone leaves the document as it was: its name must not be
    // put on this text, or a later Save would write it there.
    if (!readForEditor(path, &content))
        return;
    takeDocument(path, content);
    m_recent.AddRecentFile(path);
    m_host.rebuildRecentMenu();
    m_host.updateTitle();
    m_host.parseAllLines();
}

bool DocumentController::writeTo(const QString &path)
{
    TextFileContent content = m_doc.format;
    content.text = m_host.editorText();
    content.finalBreak = true;
    QByteArray bytes;
    QChar bad;
    if (!EncodeTextFile(content, &bytes, &bad)) {
        // Never replace a character silently: offer to write the file as UTF-8.
        const MsgResult answer = m_prompter.ask(
            QStringLiteral("Save Program"),
            QStringLiteral("The character \"%1\" (U+%2) cannot be stored in this file's encoding "
                           "(Latin-1).\r\nSave the file as UTF-8 instead?")
                .arg(bad)
                .arg(QString::number(bad.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'))),
            MsgButtons::YesNo, MsgIcon::Exclamation);
        if (answer != MsgResult::Yes)
            return false;
        content.encoding = TextEncoding::Utf8;
        if (!EncodeTextFile(content, &bytes, &bad)) {
            m_prompter.ask(QStringLiteral("Save Program"),
                           QStringLiteral("The text holds a character that cannot be saved (U+%1).")
                               .arg(QString::number(bad.unicode(), 16).toUpper()),
                           MsgButtons::OK, MsgIcon::Critical);
            return false;
        }
    }
    // Another program changed the file since we last read or wrote it: ask first.
    // (A file that is gone has nothing to lose: it is simply written again.)
    if (path == m_doc.CurrentFileName && m_doc.HasFileName && QFileInfo::exists(path)
        && DiskChangedOutside()) {
        const MsgResult answer = m_prompter.ask(
            QStringLiteral("Save Program"),
            QStringLiteral("The file \"%1\" was changed by another program since Vormeld last read "
                           "or saved it.\r\nDo you want to replace it with your text?")
                .arg(modMain::FileNameOnly(path)),
            MsgButtons::YesNo, MsgIcon::Exclamation);
        if (answer != MsgResult::Yes)
            return false;
    }
    const FileResult r = WriteWholeFileAtomic(path, bytes);
    if (!r.ok) {
        const int code = QFileInfo(QFileInfo(path).absolutePath()).isDir() ? FileErrors::AccessError
                                                                            : FileErrors::PathNotFound;
        m_prompter.ask(QStringLiteral("Save Program"),
                       QStringLiteral("A Error has occured while trying to save the file\r\n")
                           + FileErrors::ReasonLine(code) + QStringLiteral("\r\n      ") + r.error
                           + QStringLiteral("\r\n\r\n") + path
                           + QStringLiteral("\r\nThe file on disk was not changed."),
                       MsgButtons::OK, MsgIcon::Critical);
        return false;
    }
    content.text.clear();
    m_doc.format = content;
    m_disk = DiskStamp::OfBytes(bytes, QFileInfo(path).lastModified());
    return true;
}

void DocumentController::SaveDocument()
{
    SaveCancelled = false;
    if (m_doc.HasFileName) {
        if (writeTo(m_doc.CurrentFileName))
            m_doc.FileChanged = false;
        else
            SaveCancelled = true; // nothing was saved: callers must not go on as if it were
    } else {
        SaveDocumentAs();
    }
    m_host.updateTitle();
    m_host.documentStateChanged();
}

void DocumentController::SaveDocumentAs()
{
    SaveCancelled = false;
    FileDialogRequest r;
    r.kind = FileDialogRequest::Save;
    r.title = QStringLiteral("Save as YaBasic Program");
    r.initialName = QStringLiteral("*.yab");
    r.defaultExtension = QStringLiteral(".yab");
    r.filter = SaveFilter;
    r.filterIndex = 1;
    r.confirmOverwrite = true;
    const std::optional<QString> path = m_prompter.fileDialog(r);
    if (!path || !writeTo(*path)) {
        SaveCancelled = true;
        return;
    }
    m_doc.CurrentFileName = *path;
    m_doc.FileChanged = false;
    m_doc.HasFileName = true;
    m_host.documentStateChanged();
}

void DocumentController::AppendFile()
{
    const std::optional<QString> path = m_prompter.fileDialog(
        openDialog(QStringLiteral("Open File to Append"), QStringLiteral("*.yab"),
                   QStringLiteral(".yab"), OpenFilter));
    if (!path)
        return;
    TextFileContent content;
    if (!readForEditor(*path, &content))
        return;
    m_host.appendEditorText(QLatin1Char('\n') + content.text);
    m_host.parseAllLines();
}

void DocumentController::ImportCsvFile()
{
    const std::optional<QString> path = m_prompter.fileDialog(
        openDialog(QStringLiteral("Import CSV File"), QStringLiteral("*.csv"),
                   QStringLiteral(".csv"), CsvFilter));
    if (!path)
        return;
    QByteArray bytes;
    const FileResult r = ReadWholeFile(*path, &bytes);
    if (!r.ok) {
        m_prompter.ask(QStringLiteral("Import CSV File"),
                       FileErrors::OpenFailedText(FileErrors::ClassifyReadFailure(*path))
                           + QStringLiteral("\r\n\r\n") + *path,
                       MsgButtons::OK, MsgIcon::Critical);
    }
    // The text is built once and added in one change.
    m_host.appendEditorText(QLatin1Char('\n') + (r.ok ? CsvToDataLines(DecodeBytes(bytes)) : QString()));
    m_host.parseAllLines();
}

QString DocumentController::executablePath() const
{
    return modMain::ProgramFile(m_programFolder, ProgramExecutableName());
}

void DocumentController::NewInstance()
{
    const QString command = executablePath();
    if (!m_launcher.start(command, WindowStyle::NormalFocus))
        m_prompter.ask(QStringLiteral("New Program Instance"),
                       QStringLiteral("Vormeld could not be started:\r\n") + command, MsgButtons::OK,
                       MsgIcon::Critical);
}

void DocumentController::OpenInNewInstance()
{
    const std::optional<QString> path = m_prompter.fileDialog(
        openDialog(QStringLiteral("Open File In New Instance"), QStringLiteral("*.yab"),
                   QStringLiteral(".yab"), OpenFilter));
    if (!path)
        return;
    const QString command = executablePath() + QLatin1Char(' ') + *path;
    if (!m_launcher.start(command, WindowStyle::NormalFocus))
        m_prompter.ask(QStringLiteral("Open in New Instance"),
                       QStringLiteral("Vormeld could not be started:\r\n") + command, MsgButtons::OK,
                       MsgIcon::Critical);
}

QString DocumentController::Title() const
{
    return modMain::FileNameOnly(m_doc.CurrentFileName) + QStringLiteral(" - Vormeld 2005");
}

std::optional<JournalEntry> DocumentController::JournalSnapshot() const
{
    if (!m_doc.FileChanged)
        return std::nullopt;
    JournalEntry e;
    e.originalPath = m_doc.CurrentFileName;
    e.hasFileName = m_doc.HasFileName;
    e.savedAt = QDateTime::currentDateTimeUtc();
    e.disk = m_disk;
    e.encoding = int(m_doc.format.encoding);
    e.lineBreak = int(m_doc.format.lineBreak);
    e.finalBreak = m_doc.format.finalBreak;
    e.text = m_host.editorText();
    return e;
}

void DocumentController::RecoverFromJournal(const JournalEntry &entry)
{
    m_host.setEditorText(entry.text);
    m_doc.CurrentFileName = entry.originalPath;
    m_doc.HasFileName = entry.hasFileName;
    m_doc.format = TextFileContent();
    m_doc.format.encoding = TextEncoding(entry.encoding);
    m_doc.format.lineBreak = LineBreakStyle(entry.lineBreak);
    m_doc.format.finalBreak = entry.finalBreak;
    m_disk = entry.disk;
    m_doc.FileChanged = true;
    m_host.updateTitle();
    m_host.parseAllLines();
    m_host.documentStateChanged();
}

bool DocumentController::DiskChangedOutside() const
{
    if (!m_doc.HasFileName)
        return false;
    // A file never written yet (a new name from the command line) only counts once it appears.
    if (!m_disk.exists && !QFileInfo::exists(m_doc.CurrentFileName))
        return false;
    return DiskStamp::Of(m_doc.CurrentFileName) != m_disk;
}

bool DocumentController::CheckOutsideChange()
{
    if (!DiskChangedOutside())
        return false;
    const QString path = m_doc.CurrentFileName;
    const QString name = modMain::FileNameOnly(path);
    const DiskStamp now = DiskStamp::Of(path);
    if (!now.exists) {
        m_prompter.ask(QStringLiteral("File Deleted"),
                       QStringLiteral("The file \"%1\" was deleted or moved by another program.\r\n"
                                      "Your text is still here: save it to keep it.\r\n\r\n")
                               .arg(name) + path,
                       MsgButtons::OK, MsgIcon::Exclamation);
        m_disk = now;
        m_doc.FileChanged = true; // closing must ask before this text is lost
        m_host.documentStateChanged();
        return true;
    }
    const QString text = m_doc.FileChanged
        ? QStringLiteral("The file \"%1\" was changed by another program, and your text has changes "
                         "that are not saved.\r\nDo you want to load the file again and lose your changes?")
        : QStringLiteral("The file \"%1\" was changed by another program.\r\n"
                         "Do you want to load it again?");
    const MsgResult answer = m_prompter.ask(QStringLiteral("File Changed on Disk"), text.arg(name),
                                            MsgButtons::YesNo, MsgIcon::Question);
    if (answer == MsgResult::Yes) {
        TextFileContent content;
        if (readForEditor(path, &content)) {
            takeDocument(path, content);
            m_host.updateTitle();
            m_host.parseAllLines();
            return true;
        }
    }
    // Kept as it is: the text now differs from the file, so it counts as changed.
    m_disk = now;
    m_doc.FileChanged = true;
    m_host.documentStateChanged();
    return true;
}
