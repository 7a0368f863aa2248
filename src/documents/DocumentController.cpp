#include "DocumentController.h"

#include "app/modMain.h"
#include "platform/Prompter.h"

DocumentController::DocumentController(IEditorText &editor, IPrompter &prompter)
    : m_editor(editor), m_prompter(prompter)
{
}

bool DocumentController::LoadNamedFile(const QString &path)
{
    TextFileContent content;
    const FileResult r = ReadTextFile(path, &content);
    m_editor.setEditorText(r.ok ? content.text : QString());
    m_doc.format = r.ok ? content : TextFileContent();
    m_doc.CurrentFileName = path;
    m_doc.HasFileName = true;
    m_doc.FileChanged = false;
    return r.ok;
}

bool DocumentController::LoadTemplate(const QString &templatePath)
{
    TextFileContent content;
    const FileResult r = ReadTextFile(templatePath, &content);
    m_editor.setEditorText(r.ok ? content.text : QString());
    m_doc.format = TextFileContent();
    if (r.ok)
        m_doc.format.encoding = content.encoding;
    m_doc.CurrentFileName = QStringLiteral("Untitled");
    m_doc.HasFileName = false;
    m_doc.FileChanged = false;
    return r.ok;
}

bool DocumentController::writeTo(const QString &path)
{
    TextFileContent content = m_doc.format;
    content.text = m_editor.editorText();
    content.finalBreak = true;
    const FileResult r = WriteTextFile(path, content);
    if (!r.ok) {
        m_prompter.ask(QStringLiteral("Save Failed"),
                       QStringLiteral("The file could not be saved:") + QStringLiteral("\r\n")
                           + path + QStringLiteral("\r\n") + r.error,
                       MsgButtons::OK, MsgIcon::Critical);
        return false;
    }
    m_doc.format = content;
    return true;
}

void DocumentController::SaveDocument()
{
    SaveCancelled = false;
    if (m_doc.HasFileName) {
        if (writeTo(m_doc.CurrentFileName))
            m_doc.FileChanged = false;
        else
            SaveCancelled = true; // the caller must not go on as if it were saved
        return;
    }
    SaveDocumentAs();
}

void DocumentController::SaveDocumentAs()
{
    SaveCancelled = false;
    FileDialogRequest r;
    r.kind = FileDialogRequest::Save;
    r.title = QStringLiteral("Save as YaBasic Program");
    r.initialName = QStringLiteral("*.yab");
    r.defaultExtension = QStringLiteral(".yab");
    r.filter = QStringLiteral(
        "YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All Files (*.*)|*.*");
    r.filterIndex = 1;
    r.confirmOverwrite = true;
    const std::optional<QString> path = m_prompter.fileDialog(r);
    if (!path) {
        SaveCancelled = true;
        return;
    }
    if (!writeTo(*path)) {
        SaveCancelled = true;
        return;
    }
    m_doc.CurrentFileName = *path;
    m_doc.FileChanged = false;
    m_doc.HasFileName = true;
}

QString DocumentController::Title() const
{
    return modMain::FileNameOnly(m_doc.CurrentFileName) + QStringLiteral(" - Vormeld 2005");
}
