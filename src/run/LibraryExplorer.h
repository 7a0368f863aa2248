#pragma once

#include "run/core/DocuRequest.h"
#include "run/core/LibraryList.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextEdit;
class SettingsAccess;
struct Services;

// "Library Explorer": the Yabasic libraries the interpreter can import, the
// import line for the chosen one, its embedded documentation as the
// interpreter gives it, and a button that opens it in a new Vormeld.
class LibraryExplorer : public QWidget {
    Q_OBJECT
public:
    // programFile: the open program's file (empty when untitled); libraries
    // beside it are listed too.
    LibraryExplorer(Services &services, const SettingsAccess &settings, const QString &programFile,
                    QWidget *parent = nullptr);

    const QList<LibraryEntry> &libraries() const { return m_libraries; }
    // The interpreter the documentation is asked of.
    QString interpreterPath() const;
    void setDocuLimit(int ms) { m_docuLimitMs = ms; }

private:
    void fillLibraryList(const QString &programFile);
    void showLibrary(int index);
    void showDocu(const QString &text, DocuRequest::End end, const QString &reason);
    void openInNewInstance();
    void setStatus(const QString &text, bool failed = false);

    Services &m_svc;
    const SettingsAccess &m_settings;
    QList<LibraryEntry> m_libraries;
    QString m_shownFile; // "File is known as" ...
    QString m_folderProblem;
    int m_docuLimitMs = DocuRequest::DefaultLimitMs;
    DocuRequest *m_request;

    QListWidget *m_libraryList = nullptr;
    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_libraryPathEdit = nullptr;
    QLineEdit *m_importEdit = nullptr;
    QPushButton *m_openButton = nullptr;
    QTextEdit *m_docuView = nullptr;
    QLabel *m_statusLabel = nullptr;
};
