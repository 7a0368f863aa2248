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
    bool dialogCancelled() const { return m_cancelled; }

private:
    void ok();
    void browse();
    void checkRegistry();

    SettingsAccess &m_settings;
    IInterpreterKey &m_key;
    IPrompter &m_prompter;
    IShell &m_shell;
    QString m_programFolder;
    bool m_cancelled = true;

    QLineEdit *m_interpreterEdit = nullptr;
    QLineEdit *m_tempFileEdit = nullptr; // where the program is stored to be run
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_helpButton = nullptr;
    QPushButton *m_browseButton = nullptr;
    QPushButton *m_registryButton = nullptr;
};
