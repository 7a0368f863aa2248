#pragma once

#include "html/core/HtmlPage.h"

#include <QString>
#include <memory>

class QTemporaryFile;
class QWidget;
class IPrompter;
class IShell;

// File > "&Save as Web Page...": asks for the page's file, copies the editor
// text to the temporary source file, runs the options dialog and writes the
// page. The settings the dialog fills stay here for the rest of the run.
class HtmlExport {
public:
    HtmlExport(IPrompter &prompter, IShell &shell, QString programFolder, QWidget *owner);

    // text: the editor's text ('\n' between lines); encoding: the document's;
    // currentFileName: the document's name ("Untitled" when it has none).
    void createHTMLSource(const QString &text, TextEncoding encoding, const QString &currentFileName);

    HtmlSettings Settings;

    // "Tmpsrc.tmp" in the program folder; a file there whose name differs only
    // in case is taken for it.
    static QString tempSourcePath(const QString &programFolder);

private:
    IPrompter &m_prompter;
    IShell &m_shell;
    QString m_programFolder;
    QWidget *m_owner;
};

// The copy of the editor text a page is made from. It lives in the program
// folder; where that cannot be written (a program installed for all users), in
// a file of its own in the system's temporary folder, never in an old copy that
// happens to be there. It is removed when this goes out of scope.
class HtmlTempSource {
public:
    HtmlTempSource(const QString &programFolder, const QByteArray &bytes);
    ~HtmlTempSource();
    HtmlTempSource(const HtmlTempSource &) = delete;
    HtmlTempSource &operator=(const HtmlTempSource &) = delete;

    // Empty when no copy could be written anywhere.
    QString path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QTemporaryFile> m_fallback;
};
