#pragma once

#include <QString>

class QPlainTextEdit;
class QTextCursor;
class QTextDocument;

// The one place that converts between the editor's positions and lines and the
// program's. The editor's document has one character per line break, where the
// program has two (CR LF). A long line is held as several blocks (rows, see
// LongLines): the break between two rows stands for one character of the line,
// so positions are the same, but blocks and lines are not.
namespace EditorText {

// The line (from 0) of a Qt document position, and its column (characters from
// the start of the line).
int lineOf(const QTextDocument *doc, int qtPosition);
int columnOf(const QTextDocument *doc, int qtPosition);
int lineCount(const QTextDocument *doc);
// Where a line starts and ends (before its break) in the document; a line past
// the last one is the last one.
int lineStart(const QTextDocument *doc, int line);
int lineEnd(const QTextDocument *doc, int line);
QString lineText(const QTextDocument *doc, int line);

// The text between two Qt positions, '\n' between lines.
QString textBetween(const QTextDocument *doc, int from, int to);

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
