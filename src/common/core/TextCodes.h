#pragma once

#include <QString>

// CR -> char 7, LF -> char 8, and back; '"' -> char 14, and back. They let a
// multi-line text sit in one field of a one-line data file.
QString encodeLineBreaks(const QString &text);
QString decodeLineBreaks(const QString &text);
QString encodeQuotes(const QString &text);
QString decodeQuotes(const QString &text);
