#pragma once

#include "editor/core/LineScanner.h"

#include <QStringList>
#include <QStringView>
#include <vector>

// A colouring that knows the interpreter's whole vocabulary: every statement
// keyword and built-in function, comments begun by "rem" as a statement, "#" at
// the start of a line or "//", and strings with backslash escapes. Unlike the
// word scanner it reads a line from left to right, so a "rem", an apostrophe or
// a "//" inside a string stays part of the string.
namespace YabasicLexer {

// Every word of the vocabulary, in lower case (string functions end in '$').
const QStringList &vocabulary();

// Case-insensitive lookup of a whole word, '$' included.
bool isKnownWord(QStringView word);

// The coloured ranges of one line (text without its line break), ordered and
// non-overlapping; what they leave out is plain text.
std::vector<LineScanner::Range> scanLine(QStringView line, bool firstLineOfText);

} // namespace YabasicLexer
