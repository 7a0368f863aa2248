#pragma once

#include <QDialog>

class FileAssociation;
class IPrompter;
class IShell;
class QCheckBox;
class QLabel;
class SettingsAccess;

// "Options": the start-up and editing preferences, and the desktop's program
// for Yabasic files once more. "OK" stores every box; "Cancel" stores nothing
// ("Set for Vormeld" acts at once, whichever closes the dialog).
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(SettingsAccess &settings, IPrompter &prompter, IShell &shell,
                  FileAssociation &association, QString programFolder, QString programPath,
                  QWidget *parent = nullptr);

    // What the editor is to do after "OK".
    bool autoIndent() const;
    bool everyKeyword() const;

private:
    void ok();

    SettingsAccess &m_settings;
    IPrompter &m_prompter;
    IShell &m_shell;
    FileAssociation &m_association;
    QString m_programFolder;
    QString m_programPath;

    QCheckBox *m_langHelp = nullptr;
    QCheckBox *m_drawPad = nullptr;
    QCheckBox *m_tips = nullptr;
    QCheckBox *m_autoIndent = nullptr;
    QCheckBox *m_everyKeyword = nullptr;
    QLabel *m_commandLabel = nullptr;
};
