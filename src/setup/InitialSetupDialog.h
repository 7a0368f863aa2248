#pragma once

#include <QDialog>

class FileAssociation;
class IInterpreterKey;
class IPrompter;
class IShell;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class SettingsAccess;

// "Initial Vormeld Setup": the first-run window. It asks where the interpreter
// is, tells how to install it, and can make Vormeld the desktop's program for
// Yabasic files. "OK" stores the path and marks the setup as done; closing it
// otherwise stores nothing, so it comes again at the next start.
class InitialSetupDialog : public QDialog {
    Q_OBJECT
public:
    InitialSetupDialog(SettingsAccess &settings, IInterpreterKey &key, IPrompter &prompter,
                       IShell &shell, FileAssociation &association, QString programFolder,
                       QString programPath, QWidget *parent = nullptr);

private:
    void ok();
    void browse();
    void fillFromRegistry();
    void installInterpreter();
    void makeDefault();

    SettingsAccess &m_settings;
    IInterpreterKey &m_key;
    IPrompter &m_prompter;
    IShell &m_shell;
    FileAssociation &m_association;
    QString m_programFolder;
    QString m_programPath;

    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_pathEdit = nullptr;
    QLabel *m_commandLabel = nullptr;
};
