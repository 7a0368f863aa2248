#pragma once

#include "documents/core/CrashJournal.h"
#include "documents/core/Document.h"
#include "documents/core/RecentFileList.h"

#include <QString>

class IPrompter;
class IProcessLauncher;

// What the document operations need of the window around them.
class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;
    // The whole text, one '\n' between lines.
    virtual QString editorText() const = 0;
    // Replaces the whole text (one change for the history).
    virtual void setEditorText(const QString &text) = 0;
    // Adds text at the end (one change for the history).
    virtual void appendEditorText(const QString &text) = 0;
    virtual void clearDisableUpdating() = 0;  // View > Disable Updating Editor State off
    virtual void parseAllLines() = 0;
    virtual void updateTitle() = 0;
    virtual void rebuildRecentMenu() = 0;
    virtual void refreshLinePanel() = 0;      // status bar panel 5
    virtual void showReadyMessage() = 0;      // status bar panel 1 after Open
    // The document's name or changed flag may have changed (journal, file watching).
    virtual void documentStateChanged() = 0;
};

// The document's state and the operations that load and store it. It asks the
// user through the prompter; it never touches a widget itself.
class DocumentController {
public:
    DocumentController(IDocumentHost &host, IPrompter &prompter, IProcessLauncher &launcher,
                       QString programFolder);

    Document &state() { return m_doc; }
    const Document &state() const { return m_doc; }
    RecentFileList &recent() { return m_recent; }
    bool saveCancelled = false;

    // Start-up: the file named on the command line. A missing file starts an
    // empty document under that name (a later Save creates it); a file that
    // exists but cannot be read is reported and the template is used instead.
    void loadStartupFile(const QString &path);
    // The template as an untitled, unchanged document; empty when it is missing.
    void loadTemplate();

    // The changed-file prompt; true when the caller may go on. With
    // stopIfSaveCancelled, a Yes whose save did not happen stops the caller too.
    bool askSaveChanges(bool stopIfSaveCancelled);

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

private:
    // Reads a file for the editor; reports a failure and returns false.
    bool readForEditor(const QString &path, TextFileContent *content);
    // Puts a file that was read in as the document under that name.
    void takeDocument(const QString &path, const TextFileContent &content);
    bool writeTo(const QString &path);
    QString executablePath() const;

    void setDisk(const DiskStamp &stamp) { m_disk = stamp; }

    IDocumentHost &m_host;
    IPrompter &m_prompter;
    IProcessLauncher &m_launcher;
    QString m_programFolder;
    Document m_doc;
    RecentFileList m_recent;
    DiskStamp m_disk;      // the file as the document last matched it
    DiskStamp m_readStamp; // the file as the last read found it
};
