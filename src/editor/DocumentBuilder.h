#pragma once

#include "editor/core/LongLines.h"

#include <functional>

class QString;
class QTextDocument;

// Fills a document with a long text on a thread of its own (see runAside).
// Putting a million lines into a document takes seconds; meanwhile the window
// keeps painting and shows the progress.
//
// The new document takes the font and options of `like`, has a plain-text
// layout, and belongs to the calling thread, without a parent. `progress` is
// called from time to time with the part done, 0 to 100. `text` holds the long
// lines as rows already, with `breaks` where (see LongLines::cutText).
QTextDocument *buildDocumentAside(const QString &text, const std::vector<LongLines::Break> &breaks,
                                  const QTextDocument &like,
                                  const std::function<void(int percent)> &progress);
