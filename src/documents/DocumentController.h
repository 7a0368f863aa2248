#pragma once

#include "documents/Document.h"

#include <QString>

class IPrompter;

// What the document operations need of the editor.
class IEditorText {
public:
    virtual ~IEditorText() = default;
    // The whole text, one '\n' between lines.
    virtual QString editorText() const = 0;
    // Replaces the whole text (the change notification decides what that means
    // for history and the changed flag).
    virtual void setEditorText(const QString &text) = 0;
};

// The document's state and the operations that load and store it. It asks the
// user through the prompter; it never touches a widget.
class DocumentController {
public:
    DocumentController(IEditorText &editor, IPrompter &prompter);

    Document &state() { return m_doc; }
    const Document &state() const { return m_doc; }
    bool SaveCancelled = false;

    // Loads a file as the document (start-up). False when it could not be read:
    // the text is then empty, and the name and flags are set all the same.
    bool LoadNamedFile(const QString &path);
    // Loads the template as an untitled document. False when it is missing.
    bool LoadTemplate(const QString &templatePath);

    // Writes to the current name, or asks for one.
    void SaveDocument();
    void SaveDocumentAs();

    // The window caption for the current name.
    QString Title() const;

private:
    bool writeTo(const QString &path);

    IEditorText &m_editor;
    IPrompter &m_prompter;
    Document m_doc;
};
