#include "setup/PrintJob.h"

#include "setup/PrintProgressWindow.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

PrintJob::PrintJob(QStringList lines, std::unique_ptr<QPrinter> printer, QString pdfPath, QWidget *owner)
    : m_printer(std::move(lines)), m_device(std::move(printer)), m_pdfPath(std::move(pdfPath)),
      m_window(new PrintProgressWindow(owner))
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &PrintJob::step);
    connect(m_window, &PrintProgressWindow::cancelRequested, this, &PrintJob::cancel);
}

PrintJob::~PrintJob()
{
    if (m_running)
        cancel();
    delete m_window;
}

void PrintJob::start()
{
    m_running = true;
    m_window->setStatus(QStringLiteral("Setting up Printing..."));
    m_window->show();
    QPagedPaintDevice *device = m_device.get();
    if (!device) {
        m_file = std::make_unique<QSaveFile>(m_pdfPath);
        if (!m_file->open(QIODevice::WriteOnly))
            return fail(QStringLiteral("%1 could not be written: %2")
                            .arg(QDir::toNativeSeparators(m_pdfPath), m_file->errorString()));
        m_pdf = std::make_unique<QPdfWriter>(m_file.get());
        m_pdf->setResolution(300);
        m_pdf->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        m_pdf->setTitle(QFileInfo(m_pdfPath).completeBaseName());
        m_pdf->setCreator(QStringLiteral("Vormeld"));
        device = m_pdf.get();
    }
    if (!m_printer.begin(device))
        return fail(m_printer.error());
    m_timer.start();
}

void PrintJob::step()
{
    if (!m_printer.printUntil(QDeadlineTimer(40)))
        return fail(m_printer.error());
    m_window->setStatus(QStringLiteral("Printing Page %1").arg(m_printer.page()));
    if (!m_printer.atEnd())
        return;
    m_timer.stop();
    if (!m_printer.end())
        return fail(m_printer.error());
    if (m_file && !m_file->commit())
        return fail(QStringLiteral("%1 could not be written: %2")
                        .arg(QDir::toNativeSeparators(m_pdfPath), m_file->errorString()));
    finish(Outcome::Done);
}

void PrintJob::cancel()
{
    if (!m_running)
        return;
    m_timer.stop();
    if (m_device)
        m_device->abort();
    m_printer.stop();
    if (m_file)
        m_file->cancelWriting();
    finish(Outcome::Cancelled);
}

void PrintJob::fail(const QString &error)
{
    m_error = error;
    m_timer.stop();
    if (m_device)
        m_device->abort();
    m_printer.stop();
    if (m_file)
        m_file->cancelWriting();
    finish(Outcome::Failed);
}

void PrintJob::finish(Outcome outcome)
{
    m_running = false;
    if (m_window)
        m_window->close();
    emit finished(outcome);
}
