#pragma once

#include <QObject>
#include <QPointer>

class IPrompter;
class PrintJob;
class QPrinter;
class QWidget;

// File > Print and Print Preview. A job goes to the default printer; with no
// printer installed it goes to a PDF file the user names, and the status line
// says where it went. A print asked for while a job runs is not started.
class PrintCommands : public QObject {
    Q_OBJECT
public:
    PrintCommands(IPrompter &prompter, QWidget *owner);
    ~PrintCommands() override;

    // text: the whole program; fileName: the document's path (for the PDF's name).
    void print(const QString &text, const QString &fileName, bool hasFileName);
    void preview(const QString &text);
    bool isPrinting() const { return !m_job.isNull(); }

signals:
    void statusMessage(const QString &text);

private:
    IPrompter &m_prompter;
    QWidget *m_owner;
    QPointer<PrintJob> m_job;
};
