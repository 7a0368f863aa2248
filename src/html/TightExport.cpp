#include "html/TightExport.h"

#include "html/core/HtmlPage.h"
#include "platform/core/Prompter.h"
#include "html/core/TightCode.h"

#include <QCursor>
#include <QGuiApplication>

const QString TightExport::DoneMessage = QStringLiteral("Tight Creation Done Successfully");
const QString TightExport::FailedMessage = QStringLiteral("Tight Creation Failed");

namespace {
// The wait cursor for as long as the copy is being written, whatever way the
// work ends.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

TightExport::Outcome TightExport::createTightProgram(const QString &text, TextEncoding encoding)
{
    FileDialogRequest r = FileDialogRequest::of(FileDialogRequest::Save, QStringLiteral("Make Tight YaBasic Program"),
                                                QStringLiteral("*.yab"), QStringLiteral(".yab"),
                                                QStringLiteral("YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|"
                                                               "All Files (*.*)|*.*"));
    const std::optional<QString> path = m_prompter.fileDialog(r);
    if (!path)
        return Outcome::Cancelled;

    bool ok = false;
    {
        WaitCursor wait;
        QString program = text;
        program.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        const QByteArray bytes = HtmlPage::encodeText(TightCode::tightProgram(program), encoding);
        ok = writeWholeFileAtomic(*path, bytes).ok;
    }
    return ok ? Outcome::Done : Outcome::Failed;
}
