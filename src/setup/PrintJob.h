#pragma once

#include "setup/ProgramPrinter.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

class PrintProgressWindow;
class QPdfWriter;
class QPrinter;
class QSaveFile;
class QWidget;

// One print job with its progress window. It prints a slice of lines at every
// turn of the event loop, so the window stays responsive and Cancel is seen at
// once. A PDF file is written whole or not at all.
class PrintJob : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Done, Cancelled, Failed };

    // To `printer`; with none, to the PDF file `pdfPath`.
    PrintJob(QStringList lines, std::unique_ptr<QPrinter> printer, QString pdfPath, QWidget *owner);
    ~PrintJob() override;

    void start();
    void cancel();
    QString error() const { return m_error; }
    int pages() const { return m_printer.page(); }

signals:
    void finished(PrintJob::Outcome outcome);

private:
    void step();
    void fail(const QString &error);
    void finish(Outcome outcome);

    ProgramPrinter m_printer;
    std::unique_ptr<QPrinter> m_device;
    QString m_pdfPath;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_pdf;
    QPointer<PrintProgressWindow> m_window;
    QTimer m_timer;
    QString m_error;
    bool m_running = false;
};
