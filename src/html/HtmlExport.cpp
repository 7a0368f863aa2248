#include "HtmlExport.h"

#include "common/core/FileNames.h"
#include "html/HtmlOptionsDialog.h"
#include "platform/core/Prompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

HtmlTempSource::HtmlTempSource(const QString &programFolder, const QByteArray &bytes)
{
    // A scratch copy: written in place, it needs no replace-when-complete.
    m_path = HtmlExport::tempSourcePath(programFolder);
    QFile file(m_path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
        && file.flush()) {
        file.close();
        return;
    }
    file.close();
    QFile::remove(m_path); // never leave a stale or partial copy behind
    m_fallback = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("Tmpsrc-XXXXXX.tmp")));
    if (m_fallback->open() && m_fallback->write(bytes) == bytes.size() && m_fallback->flush()) {
        m_fallback->close();
        m_path = m_fallback->fileName();
    } else {
        m_fallback.reset();
        m_path.clear(); // nothing to read: the page reports the missing source
    }
}

HtmlTempSource::~HtmlTempSource()
{
    if (!m_fallback && !m_path.isEmpty())
        QFile::remove(m_path);
}

HtmlExport::HtmlExport(IPrompter &prompter, IShell &shell, QString programFolder, QWidget *owner)
    : m_prompter(prompter), m_shell(shell), m_programFolder(std::move(programFolder)), m_owner(owner)
{
}

QString HtmlExport::tempSourcePath(const QString &programFolder)
{
    const QString name = QStringLiteral("Tmpsrc.tmp");
    const QStringList existing = QDir(programFolder).entryList(
        QStringList{name}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    return programFile(programFolder, existing.isEmpty() ? name : existing.first());
}

void HtmlExport::createHTMLSource(const QString &text, TextEncoding encoding,
                                  const QString &currentFileName)
{
    FileDialogRequest r = FileDialogRequest::of(FileDialogRequest::Save, QStringLiteral("Create HTML Source"),
                                                QStringLiteral("*.html"), QStringLiteral(".html"),
                                                QStringLiteral("HTML Document (*.html)|*.html|All Files (*.*)|*.*"));
    const std::optional<QString> target = m_prompter.fileDialog(r);
    if (!target)
        return;

    QString program = text;
    program.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    program += QLatin1String("\r\n");
    const HtmlTempSource source(m_programFolder, HtmlPage::encodeText(program, encoding));
    program.clear();

    Settings.htmlTitle = fileNameOnly(currentFileName) + QStringLiteral(" - Yabasic Code");

    HtmlOptionsDialog options(Settings, m_prompter, m_shell, m_programFolder, m_owner);
    options.exec();
    if (options.dialogCancelled())
        return;

    const HtmlPage::HtmlFileResult result =
        HtmlPage::createHTMLFile(*target, source.path(), Settings.htmlTitle, Settings);
    if (!result.ok) {
        m_prompter.ask(QStringLiteral("Error Occured"), HtmlPage::errorMessageText(result),
                       MsgButtons::OK, MsgIcon::None);
    }
}
