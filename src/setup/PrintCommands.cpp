#include "setup/PrintCommands.h"

#include "platform/core/Prompter.h"
#include "setup/PrintJob.h"
#include "setup/ProgramPrinter.h"
#include "setup/core/PrintRows.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

PrintCommands::PrintCommands(IPrompter &prompter, QWidget *owner)
    : QObject(owner), m_prompter(prompter), m_owner(owner)
{
}

PrintCommands::~PrintCommands()
{
    if (m_job) {
        m_job->disconnect(this);
        delete m_job;
    }
}

void PrintCommands::print(const QString &text, const QString &fileName, bool hasFileName)
{
    if (m_job) {
        emit statusMessage(QStringLiteral("A print job is still running; it was not started again."));
        return;
    }
    const QStringList lines = PrintRows::sourceLines(text);
    std::unique_ptr<QPrinter> printer;
    QString pdfPath;
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!defaultPrinter.isNull()) {
        printer = std::make_unique<QPrinter>(defaultPrinter);
        printer->setDocName(QFileInfo(fileName).fileName());
    } else {
        // Nothing is thrown away silently: without a printer the job becomes a PDF file.
        const QFileInfo doc(fileName);
        FileDialogRequest r;
        r.kind = FileDialogRequest::Save;
        r.title = QStringLiteral("No printer is installed: print to a PDF file");
        r.initialName = doc.completeBaseName() + QStringLiteral(".pdf");
        r.initialFolder = hasFileName ? doc.absolutePath() : QDir::homePath();
        r.filter = QStringLiteral("PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*");
        r.defaultExtension = QStringLiteral(".pdf");
        const std::optional<QString> chosen = m_prompter.fileDialog(r);
        if (!chosen)
            return;
        pdfPath = *chosen;
    }
    const QString target = printer ? printer->printerName() : QDir::toNativeSeparators(pdfPath);
    const bool toFile = !printer;
    m_job = new PrintJob(lines, std::move(printer), pdfPath, m_owner);
    connect(m_job, &PrintJob::finished, this, [this, target, toFile](PrintJob::Outcome outcome) {
        PrintJob *job = m_job;
        m_job = nullptr;
        if (outcome == PrintJob::Outcome::Done)
            emit statusMessage(toFile ? QStringLiteral("Printed to the PDF file %1").arg(target)
                                      : QStringLiteral("Printed on %1").arg(target));
        else if (outcome == PrintJob::Outcome::Cancelled)
            emit statusMessage(QStringLiteral("Printing cancelled; nothing was printed."));
        else
            m_prompter.ask(QStringLiteral("Print"), QStringLiteral("Printing failed. ") + job->error(),
                           MsgButtons::OK, MsgIcon::Exclamation);
        job->deleteLater();
    });
    m_job->start();
}

void PrintCommands::preview(const QString &text)
{
    const QStringList lines = PrintRows::sourceLines(text);
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    const auto printer = defaultPrinter.isNull() ? std::make_unique<QPrinter>()
                                                 : std::make_unique<QPrinter>(defaultPrinter);
    if (defaultPrinter.isNull()) // the page of the PDF file a print would write
        printer->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPrintPreviewDialog dialog(printer.get(), m_owner);
    dialog.setObjectName(QStringLiteral("printPreviewDialog"));
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&lines](QPrinter *device) {
        ProgramPrinter pages(lines);
        if (pages.begin(device)) {
            pages.printUntil(QDeadlineTimer(QDeadlineTimer::Forever));
            pages.end();
        }
    });
    dialog.exec();
}
