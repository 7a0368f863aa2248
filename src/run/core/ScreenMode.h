#pragma once

#include <QString>

// Whether a program uses the interpreter's screen mode (cursor placement,
// colours, single keys), which needs a real terminal: "clear screen",
// "print at(", "inkey$", "getscreen$", "putscreen", "print colour(" and the
// like. Text in strings and comments does not count.
bool usesScreenMode(const QString &programText);
