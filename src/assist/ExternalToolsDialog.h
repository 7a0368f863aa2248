#pragma once

#include "platform/core/TextFile.h"

#include <QDialog>
#include <QList>

class ExternalTools;
class IPrompter;
class IShell;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Extra Tools": edits the tool table in place, keystroke by keystroke; "Close"
// writes it to Tools.Dat. Closing it any other way writes nothing.
class ExternalToolsDialog : public QDialog {
    Q_OBJECT
public:
    ExternalToolsDialog(ExternalTools &tools, IPrompter &prompter, IShell &shell, QString programFolder,
                        QWidget *parent = nullptr);

    // Whether "Close" was pressed, and how writing the file went then.
    bool closedWithClose() const { return m_closed; }
    const FileResult &saveResult() const { return m_saveResult; }

    // Refills the list from the table; nothing is selected afterwards.
    void refreshToolList();

private:
    void toolSelected();
    void nameEdited(const QString &text);
    void pathEdited(const QString &text);
    void addTool();
    void removeTool();
    void browse();
    void closeAndSave();
    // Shows the tool of m_currentTool in the two boxes (-1: none, boxes off).
    void fillBoxes();

    ExternalTools &m_tools;
    IPrompter &m_prompter;
    IShell &m_shell;
    QString m_programFolder;
    QList<int> m_rowSlots; // the slot of each list entry
    int m_currentTool = 0;
    bool m_filling = false;
    bool m_closed = false;
    FileResult m_saveResult;

    QListWidget *m_toolList = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_removeButton = nullptr;
    QLineEdit *m_nameEdit = nullptr;
    QLineEdit *m_pathEdit = nullptr;
    QPushButton *m_browseButton = nullptr;
};
