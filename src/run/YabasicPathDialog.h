#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class IInterpreterKey;
class IPrompter;
class IShell;
class SettingsAccess;

// "Yabasic Path": where the interpreter is and where the temporary program goes.
class YabasicPathDialog : public QDialog {
    Q_OBJECT
public:
    YabasicPathDialog(SettingsAccess &settings, IInterpreterKey &key, IPrompter &prompter,
                   IShell &shell, QString programFolder, QWidget *parent = nullptr);

    // True unless OK closed the dialog (the title bar's close counts as Cancel).
    bool dialogCancelled = true;

    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QPushButton *Command1 = nullptr; // OK
    QPushButton *Command2 = nullptr; // Cancel
    QPushButton *Command3 = nullptr; // Help
    QPushButton *Command4 = nullptr; // Browse...
    QPushButton *Command5 = nullptr; // Check in Registry

private:
    void ok();
    void browse();
    void checkRegistry();

    SettingsAccess &m_settings;
    IInterpreterKey &m_key;
    IPrompter &m_prompter;
    IShell &m_shell;
    QString m_programFolder;
};
