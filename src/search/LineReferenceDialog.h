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

private:
    void ok();

    LineReferences &m_references;
    IPrompter &m_prompter;
    IShell &m_shell;
    QString m_programFolder;

    QLineEdit *m_captionEdit = nullptr;
    QLabel *m_offsetLabel = nullptr;     // "Character Offset: N"
    QLabel *m_lineNumberLabel = nullptr; // "Line Number: N"
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_helpButton = nullptr;
};
