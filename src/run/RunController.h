#pragma once

#include <QObject>
#include <QString>

class DocumentController;
class JournalKeeper;
class QPlainTextEdit;
class QWidget;
class SettingsAccess;
struct Services;

// The Run and Debug menus: running the program with the interpreter, the run
// settings (information level, geometry), the interpreter's path and version,
// and the debug view fed by the program's debug log.
class RunController : public QObject {
    Q_OBJECT
public:
    RunController(Services &services, SettingsAccess &settings, DocumentController &documents,
                  JournalKeeper &journal, QPlainTextEdit *debugView,
                  QWidget *window);

    // Start-up: the interpreter's version and folder, then the run settings.
    void readInterpreter();
    void readSettings();
    void saveSettings();

    const QString &yabasicVersion() const { return m_yabasicVersion; }
    // The interpreter's folder, with its trailing separator.
    const QString &interpreterFolder() const { return m_interpreterFolder; }
    int infoLevel() const { return m_infoLevel; }
    void setInfoLevel(int level);
    const QString &geometry() const { return m_geoString; }

    void runProgram();
    void refreshDebugArea();
    void clearDebug();
    void showYabasicPathDialog();
    void showGeometryInput();
    void showAddingDebugOutput();

private:
    void updateInterpreterFolder();

    Services &m_svc;
    SettingsAccess &m_settings;
    DocumentController &m_documents;
    JournalKeeper &m_journal;
    QPlainTextEdit *m_debugView;
    QWidget *m_window;
    qint16 m_infoLevel = 2;
    QString m_geoString;
    QString m_yabasicVersion;
    QString m_interpreterFolder;
};
