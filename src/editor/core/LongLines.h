#pragma once

#include <QString>
#include <vector>

// A line of many thousand characters is shown as several rows: the editor lays
// out a whole row again at every keystroke, which for a megabyte takes a tenth
// of a second. One character of the line stands where a row ends: the row break
// takes its place in the editor's document, so positions stay the same, and the
// editor paints the character at the end of the row.
namespace LongLines {

// Rows of a cut line hold at most this many characters.
constexpr int RowChars = 4096;
// A line (or a row grown by typing) longer than this is cut into rows.
constexpr int MaxRowChars = 8192;

// The offsets in `line` of the characters that become row breaks; none when the
// line is short enough. A break never stands on half of a character outside the
// basic plane; a blank or a comma near the end of a row is preferred.
std::vector<int> cuts(QStringView line);

struct Break {
    int pos;     // where the break stands in the text
    char16_t ch; // the character it stands for
};

// `text` ('\n' between lines) with the cut characters of its long lines turned
// into '\n'; `breaks` gets them in order. The text is shared when nothing is cut.
QString cutText(const QString &text, std::vector<Break> &breaks);

} // namespace LongLines
