#pragma once

#include <QString>

// Automatic indentation after Enter: the new line starts with as many blanks as
// the line above it, unless that line is the first of the text. Tabs do not count.
namespace AutoIndentRule {

// caretAtLineStart: the caret stands right after a line break;
// lineAboveIndex: the number of the line above the caret (0 = first line).
int blanksFor(bool caretAtLineStart, int lineAboveIndex, const QString &lineAbove);

} // namespace AutoIndent
