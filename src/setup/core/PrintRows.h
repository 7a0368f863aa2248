#pragma once

#include <QString>
#include <QStringList>

// What a print job prints, before any font is chosen: the program's lines, and
// each line cut into rows of a page's width.
namespace PrintRows {

// The mark that begins a row continuing a line too long for the page.
inline const QString ContinuationMark = QStringLiteral("\u00BB ");

// The text cut at its line breaks (CR LF or LF), followed by one empty line
// more: a text with c breaks gives c + 2 lines, an empty text two empty lines.
QStringList sourceLines(const QString &text);

// One line as rows at most `columns` characters wide. Tabs become blanks up to
// the next multiple of eight; a line longer than a row goes on over the next
// rows, each beginning with the mark, so nothing is cut off.
QStringList wrap(const QString &line, int columns);

} // namespace PrintRows
