#pragma once

#include <QPointer>
#include <QWidget>

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class IPrompter;
class IShell;
class LineReferences;

// "Line Browser": lists the line references, adds one at the caret, removes,
// renames and jumps to one. A modeless tool window of the main window; the
// table it shows outlives it.
class LineBrowser : public QWidget {
    Q_OBJECT
public:
    LineBrowser(LineReferences &references, QPlainTextEdit *editor, IPrompter &prompter,
                   IShell &shell, QString programFolder, QWidget *owner);

    // Right edge on the owner's right edge, 40 pixels below its top.
    void placeBesideOwner();

    // Packs the table and shows it afresh; no entry is selected afterwards.
    void refreshLineList();

private:
    void addReference();
    void removeReference();
    void goToReference();
    void editReference();
    // The selected entry (its slot), or -1.
    int selectedIndex() const;
    // Shows the properties dialog on LineRefEditIndex and waits for it.
    void showProperties();

    LineReferences &m_references;
    QPointer<QPlainTextEdit> m_editor;
    IPrompter &m_prompter;
    IShell &m_shell;
    QString m_programFolder;
    QWidget *m_owner;

    QListWidget *m_referenceList = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_removeButton = nullptr;
    QPushButton *m_goToButton = nullptr;
    QPushButton *m_editButton = nullptr;
};
