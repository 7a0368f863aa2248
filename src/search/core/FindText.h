#pragma once

#include <QString>

// Plain substring search over the program text, with 1-based positions.
namespace FindText {

// The first position at or after `start` (1-based; below 1 counts as 1) where
// `what` stands in `text`, or 0. Without matchCase, letters are compared by the
// current locale's case rules.
int find(const QString &text, const QString &what, int start, bool matchCase);

// The text with every letter in the current locale's lower case, one character
// for one character, so positions stay where they are.
QString foldCase(const QString &text);

} // namespace FindText
