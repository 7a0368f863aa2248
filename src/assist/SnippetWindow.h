#pragma once

#include "assist/core/SnippetFile.h"

#include <QPointer>
#include <QWidget>

class IPrompter;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// "Code Snippets": a library of named pieces of code kept in Snips.dat. The
// library is read when the window opens and written when it closes; "Save
// Data" writes it now, "Revert Data" reads it again. It is read from the
// user's own copy when there is one, else from the copy shipped with the
// program, and always written to the user's copy.
class SnippetWindow : public QWidget {
    Q_OBJECT
public:
    SnippetWindow(const QString &programFolder, QPlainTextEdit *editor, IPrompter &prompter, QWidget *owner);

    const QList<Snippet> &snippets() const { return m_snippets; }
    // Centred over the owner.
    void placeOverOwner();

signals:
    // A snippet went into the editor; its lines want colouring like the rest.
    void inserted();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // False when the file could not be read; the library is then unchanged.
    bool readLibrary();
    // Nothing is written while the library is empty, so the file keeps the
    // snippets it had. A failed write is reported and may be tried again.
    void writeLibrary();
    // Closing writes only a library that changed since it was read or written:
    // the shipped snippets stay the defaults until the user changes them, and
    // a window left open does not overwrite what another instance saved.
    bool changedSinceDisk() const { return m_snippets != m_onDisk; }
    void fillTitleList();
    void showCode(int row);
    void addSnippet();
    void changeSnippet();
    void removeSnippet();
    void insertSnippet();
    void saveData();
    void revertData();
    int selectedRow() const;

    QString m_programFolder;
    QPointer<QPlainTextEdit> m_editor;
    IPrompter &m_prompter;
    QWidget *m_owner;
    QList<Snippet> m_snippets;
    QList<Snippet> m_onDisk; // as last read or written
    TextEncoding m_encoding = TextEncoding::Utf8;

    QListWidget *m_titleList = nullptr;
    QPlainTextEdit *m_codeEdit = nullptr;
};
