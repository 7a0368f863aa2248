#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The colouring of one line of Yabasic: keywords, string literals, the comment
// and a first-line "#!". A word scanner, not a parser.
namespace LineScanner {

enum class Colour : unsigned char { Plain = 0, Keyword, String, Comment, Interpreter };

struct Range {
    int start;  // column, 0-based
    int length;
    Colour colour;
    bool operator==(const Range &o) const
    {
        return start == o.start && length == o.length && colour == o.colour;
    }
};

// The 59 keywords, in table order.
const QStringList &keywordTable();

// Exact, case-insensitive lookup of a whole word.
bool isKeyword(QStringView word);

// The coloured ranges of one line (text without its line break), ordered and
// non-overlapping; where rules overlap the later one wins: keywords, then
// strings, then the comment, then "#!" on the first line of the text.
std::vector<Range> scanLine(QStringView line, bool firstLineOfText);

// The same into a vector the caller keeps, so that scanning many lines
// allocates nothing once the vector has grown.
void scanLine(QStringView line, bool firstLineOfText, std::vector<Range> &out);

// The RGB colour of each kind.
unsigned int rgb(Colour colour);

} // namespace LineScanner
