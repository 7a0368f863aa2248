#pragma once

#include "yabsettings/core/YabSettingsFile.h"

#include <QMainWindow>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class SettingsAccess;
struct Services;

// "Yabasic Settings": prepares the interpreter's start-up options, keeps them
// in settings files (.yst), loads and sets the interpreter key's geometry and
// font, copies either group as a command-line fragment, and can hand the Unix
// options to the runs of the main window.
class YabSettingsWindow : public QMainWindow {
    Q_OBJECT
public:
    YabSettingsWindow(Services &services, SettingsAccess &settings, QWidget *owner);

    YabSettingsValues values() const;
    void setValues(const YabSettingsValues &values);

    void openSettingsFile();
    void saveSettingsFile();
    void loadRegistrySettings();
    void setRegistrySettings();
    // group 0: the Unix line, 1: the Windows line.
    void copyLine(int group);
    void useForRunning();

private:
    void buildMenus();
    QWidget *buildWindowsGroup();
    QWidget *buildUnixGroup();
    void notice(const QString &text);

    Services &m_svc;
    SettingsAccess &m_settings;

    QLineEdit *m_windowsGeometryEdit = nullptr;
    QComboBox *m_windowsFontCombo = nullptr;
    QComboBox *m_windowsSizeCombo = nullptr;
    QComboBox *m_windowsLevelCombo = nullptr;
    QComboBox *m_foregroundCombo = nullptr;
    QComboBox *m_backgroundCombo = nullptr;
    QLineEdit *m_unixGeometryEdit = nullptr;
    QLineEdit *m_displayEdit = nullptr;
    QComboBox *m_unixFontCombo = nullptr;
    QComboBox *m_unixSizeCombo = nullptr;
    QComboBox *m_unixLevelCombo = nullptr;
    QLabel *m_noticeLabel = nullptr;
};
