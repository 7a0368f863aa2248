#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class IPrompter;
class IShell;
class LineReferences;

// "Line Reference Properties": the caption of one line reference and where it
// points. It shows and edits the slot LineRefEditIndex of the table.
class LineReferenceDialog : public QDialog {
    Q_OBJECT
public:
    LineReferenceDialog(LineReferences &references, IPrompter &prompter, IShell &shell,
               QString programFolder, QWidget *parent = nullptr);

    QLineEdit *Text1 = nullptr;      // the caption
    QLabel *Label3 = nullptr;        // "Character Offset: N"
    QLabel *Label4 = nullptr;        // "Line Number: N"
    QPushButton *Command1 = nullptr; // OK
    QPushButton *Command2 = nullptr; // Cancel
    QPushButton *Command3 = nullptr; // Help

private:
    void ok();

    LineReferences &m_references;
    IPrompter &m_prompter;
    IShell &m_shell;
    QString m_programFolder;
};
