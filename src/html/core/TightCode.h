#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <array>

// Tight code: a compacted copy of a program. Comment and blank lines are
// dropped, indentation is removed, and runs of simple statements are joined
// onto one line with ":", while structural lines keep a line of their own.
namespace TightCode {

enum class TightAction {
    Drop,    // the line is left out
    OwnLine, // an open statement line is ended first; the text gets its own line
    Joined,  // the text is added to the statement line, after a ":" when one is open
};

// Which text of the line is written: trimmed of blanks on both sides, or of
// leading blanks only (the lines whose trailing blanks may belong to their
// data, such as DATA and the graphics and file statements).
enum class TightText { Trimmed, LeftTrimmed };

struct TightRule {
    QLatin1StringView prefix; // the line, left-trimmed and upper-cased, starts with it
    TightAction action;
    TightText text;
    // The prefix counts only when a blank or the end of the line follows it.
    bool wholeWord = false;
};

// The rule table: one rule per keyword prefix, tried in order; the first that
// matches decides. The order matters where prefixes overlap: "#!/" keeps the
// interpreter line before "#" would drop it, and "ENDIF" stands alone before
// "END" would join it. A line that no rule takes is a plain statement and is
// joined with its leading blanks removed; TightRowCount counts the rules plus
// that catch-all.
constexpr int TightRowCount = 28;
const std::array<TightRule, TightRowCount - 1> &tightRules();

// Which rule takes a line: 1 + its index in tightRules(), TightRowCount for a
// plain statement, or 0 when the line is dropped before any rule is tried
// (blank, "#", "rem", or a comment line starting with "//" or "'").
int tightRow(QStringView line);

// True when code holds a comment that runs to the end of its line: "//", or
// "rem" followed by a blank or the end, outside strings. Nothing may be joined
// after such a line.
bool holdsComment(QStringView code);

// Writes tight lines into output. statementLineOpen is true while a joined
// statement line has been written without its closing CR LF; after the last
// line nothing more is written, so a file whose last kept line was joined ends
// without a line break.
class TightWriter {
public:
    bool statementLineOpen = false;
    QString output;

    void writeTightLines(const QStringList &sourceLines);
    void writeTightLine(QStringView line);

private:
    void ownLine(QStringView text);
    void joined(QStringView text);
};

// The tight copy of a program text whose lines are separated by CR LF.
QString tightProgram(const QString &programText);

} // namespace TightCode
