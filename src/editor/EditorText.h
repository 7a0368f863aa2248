#pragma once

#include <QString>

class QTextCursor;
class QTextDocument;

// The one place that converts between the editor's positions (one character per
// line break) and the program's text positions (CR LF, two characters).
namespace EditorText {

// The program position of a Qt document position: each line break before it counts twice.
int ModelPosition(const QTextDocument *doc, int qtPosition);
int ModelPosition(const QTextCursor &cursor);

// The whole text with '\n' between lines, built from the lines themselves
// (toPlainText() would turn a no-break space into a blank).
QString PlainText(const QTextDocument *doc);

} // namespace EditorText
