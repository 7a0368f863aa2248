#pragma once

#include <QString>

class QPlainTextEdit;
class QTextCursor;
class QTextDocument;

// The one place that converts between the editor's positions (one character per
// line break) and the program's text positions (CR LF, two characters).
namespace EditorText {

// The program position of a Qt document position: each line break before it counts twice.
int modelPosition(const QTextDocument *doc, int qtPosition);
int modelPosition(const QTextCursor &cursor);

// The length of the whole program text (each line break counts twice).
int modelLength(const QTextDocument *doc);

// The program position where a line (counted from 0) starts, or the end of the
// text for a line past the last one.
int modelLineStart(const QTextDocument *doc, int line);

// The Qt document position of a program position (clamped to the text). A
// position between the CR and the LF of a break maps to the end of that line.
int qtPosition(const QTextDocument *doc, int modelPosition);

// The program text (CR LF breaks) of the n characters before a Qt position, or
// fewer when the text before it is shorter.
QString modelTextBefore(const QTextDocument *doc, int qtPosition, int n);

// The whole text with '\n' between lines, built from the lines themselves
// (toPlainText() would turn a no-break space into a blank).
QString plainText(const QTextDocument *doc);

// The whole text as the program sees it: CR LF between lines.
QString modelText(const QTextDocument *doc);

// The Qt position of a line (from 0) and a column (characters, from 0). A line
// past the end is the last line; a column past the end of its line is that end.
int qtPositionOfLine(const QTextDocument *doc, int line, int column);

// Selects the program range [start, start + length) in the editor, cut at the end
// of the text.
void selectModelRange(QPlainTextEdit *editor, int start, int length);

} // namespace EditorText
