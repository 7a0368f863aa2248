#pragma once

#include "platform/core/TextFile.h"

#include <QString>

class IPrompter;

// File > "&Save as Tight Code...": asks for a file and writes the tight copy of
// the editor text there. The editor text and the document are not changed.
class TightExport {
public:
    explicit TightExport(IPrompter &prompter) : m_prompter(prompter) {}

    enum class Outcome { Cancelled, Done, Failed };

    // text: the editor's text ('\n' between lines); encoding: the document's
    // (UTF-8 is used when the text holds what that encoding cannot).
    Outcome createTightProgram(const QString &text, TextEncoding encoding);

    static const QString DoneMessage;   // "Tight Creation Done Successfully"
    static const QString FailedMessage; // "Tight Creation Failed"

private:
    IPrompter &m_prompter;
};
