#pragma once

#include "platform/core/TextFile.h"
#include "run/core/InterpreterErrors.h"

#include <QObject>
#include <QTemporaryDir>
#include <QThreadPool>

#include <functional>
#include <optional>

class QProcess;

// Runs "yabasic --check" on a copy of the text in the background. Only one
// check runs at a time: a newer text ends the older check, and only the newest
// text is checked after it.
class SyntaxCheck : public QObject {
    Q_OBJECT
public:
    explicit SyntaxCheck(QObject *parent = nullptr);
    ~SyntaxCheck() override;

    // The text is made and written on a thread of the check's own: a long
    // program would otherwise stop the window each time it is checked.
    void check(const QString &interpreter, std::function<QString()> text, TextEncoding encoding,
               const QString &workingFolder, const QString &shownName);
    bool isChecking() const { return m_process != nullptr || m_writing; }
    // How many checks were started (for tests: at most one runs at a time).
    int started() const { return m_started; }

signals:
    // The first error of the text checked last; nothing when it is clean.
    void checked(bool clean, const ProgramError &error);

private:
    struct Request {
        QString interpreter;
        std::function<QString()> text;
        QString folder, shown;
        TextEncoding encoding = TextEncoding::Utf8;
    };
    void startNext();
    void written(const Request &request, bool ok);

    QTemporaryDir m_folder;
    QThreadPool m_writer; // one thread: the copy is written by one writer at a time
    bool m_writing = false;
    QProcess *m_process = nullptr;
    std::optional<Request> m_next;
    QString m_file;
    QString m_shown;
    int m_started = 0;
};
