#pragma once

#include "common/core/ChunkedText.h"

#include <QString>

// The program text as the document operations see it: the whole text with one
// '\n' between lines. The editor provides it; loading, saving, running and the
// exports read and replace it through this door only.
class TextBuffer {
public:
    virtual ~TextBuffer() = default;
    virtual QString text() const = 0;
    // The same text, as cheaply as the buffer can give it: a buffer that already
    // holds it in pieces shares them instead of building the text anew. For
    // taking it often (the crash journal) while the user types.
    virtual ChunkedText sharedText() const { return ChunkedText(text()); }
    // Replaces the whole text (one change for the history).
    virtual void setText(const QString &text) = 0;
    // Adds text at the end (one change for the history).
    virtual void appendText(const QString &text) = 0;
};
