#pragma once

#include "documents/core/CrashJournal.h"
#include "documents/core/Document.h"
#include "documents/core/EditorSafeText.h"
#include "documents/core/RecentFileList.h"
#include "platform/core/Prompter.h"

#include <QObject>

#include <functional>
#include <QString>

class IPrompter;
class IProcessLauncher;
class SettingsAccess;
class TextBuffer;

// The document's state and the operations that load and store it. It asks the
// user through the prompter and reads and replaces the text through the text
// buffer; it never touches a widget itself, and tells what changed by signals.
class DocumentController : public QObject {
    Q_OBJECT
public:
    // Files of at least this size are read on a thread of their own.
    static constexpr qint64 LongFileBytes = 2 * 1024 * 1024;

    DocumentController(TextBuffer &text, IPrompter &prompter, IProcessLauncher &launcher,
                       QString programFolder, QObject *parent = nullptr);

    const Document &state() const { return m_doc; }
    const RecentFileList &recent() const { return m_recent; }
    void loadRecentFiles(const SettingsAccess &settings, const QString &section);
    void saveRecentFiles(SettingsAccess &settings, const QString &section) const;
    // The last Save or Save As wrote nothing (cancelled or failed).
    bool lastSaveCancelled() const { return m_saveCancelled; }

    // Start-up: the file named on the command line. A missing file starts an
    // empty document under that name (a later Save creates it); a file that
    // exists but cannot be read is reported and the template is used instead.
    void loadStartupFile(const QString &path);
    // The template as an untitled, unchanged document; empty when it is missing.
    void loadTemplate();

    // The changed-file prompt; true when the caller may go on. A Yes whose save
    // did not happen (cancelled or failed) stops the caller: the text must not be lost.
    bool askSaveChanges();

    void newDocument();
    void openDocument();
    void loadDocumentFromDialog();
    void openRecentFile(int index);
    void saveDocument();
    void saveDocumentAs();
    void appendFile();
    void importCsvFile();
    void newInstance();
    void openInNewInstance();

    // A long text is being put into the editor: the part done, 0 to 100.
    void showLoadProgress(int percent);

    // The user changed the text.
    void markChanged();
    // Undo or Redo brought the text back to the saved state, or away from it.
    void setModified(bool modified);

    // A question to the user is open, or a long file is being read or put in
    // while events go on; nothing else may ask until it is over (questionClosed).
    bool isAsking() const { return m_asking > 0; }

    // The program's text as it stands in the file (the editor may hold stand-ins
    // for characters it cannot show): for saving, running and exporting.
    QString programText() const;
    // The same text, put together later and on any thread: taking it costs next
    // to nothing while the user types (for the journal and the syntax check).
    std::function<QString()> programTextLater() const;

    // The window caption for the current name.
    QString title() const;

    // The journal of the current state; nothing while there are no unsaved changes.
    std::optional<JournalEntry> journalSnapshot() const;
    // Puts a journal's text back as a changed document under its old name.
    void recoverFromJournal(const JournalEntry &entry);

    // The file on disk was changed or removed by another program since the
    // document last matched it (nothing to say for an untitled document).
    bool diskChangedOutside() const;
    // Tells the user about such a change and offers to reload. True when anything was said.
    bool checkOutsideChange();

signals:
    // The user changed the text (every change, not only the first).
    void edited();
    // The name or the changed flag may have changed (title, journal, file watching).
    void stateChanged();
    void titleChanged(const QString &title);
    void recentFilesChanged();
    // New text was put in whole or added: the lists and colours follow it.
    void textReplaced();
    // A document is about to replace the text: automatic updating comes back on.
    void resumeUpdating();
    // A program was opened: the status bar says it is ready.
    void opened();
    // Another document (or a file's new text from disk) replaced the text: a
    // history of its own starts, whose bottom is the loaded text.
    void documentReplaced();
    // The text shown is now the one on disk; or the one on disk is no longer
    // any state of the history.
    void saved();
    void savedStateLost();
    // Something about the file's form worth knowing, that needs no answer.
    void notice(const QString &text);
    // A question was answered.
    void questionClosed();
    // What is going on now, for the status bar.
    void statusMessage(const QString &text);

private:
    // Reads a file for the editor; reports a failure and returns false.
    bool readForEditor(const QString &path, TextFileContent *content);
    // A document that matches no file on disk (yet): the template, or a new file.
    void startWithoutFile(const QString &text, const QString &name, bool hasFileName);
    // Puts a file that was read in as the document under that name.
    void takeDocument(const QString &path, const TextFileContent &content);
    bool writeTo(const QString &path);
    // Starts another Vormeld, on a file when one is given; a failure is told.
    void startInstance(const QString &title, const QString &file);
    void notifyState();
    // Runs work that lets events go on (runAside) as if a question were open.
    void whileBusy(const std::function<void()> &work);
    MsgResult ask(const QString &title, const QString &text, MsgButtons buttons, MsgIcon icon,
                  std::optional<MsgResult> defaultButton = std::nullopt);

    TextBuffer &m_text;
    IPrompter &m_prompter;
    IProcessLauncher &m_launcher;
    QString m_programFolder;
    Document m_doc;
    EditorSafeText m_safeText;
    RecentFileList m_recent;
    bool m_saveCancelled = false;
    int m_asking = 0;
    QString m_opening; // the name of the file being put into the editor
    DiskStamp m_disk;      // the file as the document last matched it
    DiskStamp m_readStamp; // the file as the last read found it
};
