#include "html/core/TightCode.h"

#include "html/core/HtmlPage.h"

namespace TightCode {

using HtmlPage::isBlank;
using HtmlPage::leftTrimmed;
using HtmlPage::startsWithKeyword;
using HtmlPage::trimmed;

namespace {

const QLatin1StringView CrLf("\r\n");

constexpr TightRule rule(const char *prefix, TightAction action, TightText text, bool word = false)
{
    return TightRule{QLatin1StringView(prefix), action, text, word};
}

constexpr TightAction Own = TightAction::OwnLine;
constexpr TightAction Join = TightAction::Joined;
constexpr TightAction Drop = TightAction::Drop;
constexpr TightText T = TightText::Trimmed;
constexpr TightText L = TightText::LeftTrimmed;

const std::array<TightRule, TightRowCount - 1> kRules = {{
    rule("#!/", Own, T), // an interpreter line: the file's first line
    rule("#", Drop, T),
    // "rem" starts a comment only as a word: "remain = 5" is an assignment.
    rule("REM", Drop, T, true),
    rule("DOCU", Own, T),
    rule("PRINT", Join, T),
    rule("INPUT", Join, T),
    rule("FOR", Join, T),
    rule("NEXT", Join, T),
    rule("GOTO", Join, T),
    rule("LABEL", Own, T),
    rule("IF", Own, T),
    rule("ELSE", Own, T),
    rule("ENDIF", Own, T),
    rule("ON", Own, T),
    rule("END", Join, T),
    rule("DIM", Own, T),
    rule("BELL", Join, T),
    rule("WAIT", Join, L),
    rule("DATA", Own, L),
    rule("READ", Join, L),
    rule("RESTORE", Join, L),
    rule("OPEN", Join, L),
    rule("CLOSE", Join, L),
    rule("LINE", Join, L),
    rule("DOT", Join, L),
    rule("TEXT", Join, L),
    rule("CIRCLE", Join, L),
}};

bool matches(const TightRule &r, QStringView u)
{
    if (!startsWithKeyword(u, r.prefix))
        return false;
    return !r.wholeWord || u.size() == r.prefix.size() || isBlank(u.at(r.prefix.size()));
}

// Dropped before the rules: nothing, a lone "#" or "rem", or a line that is a
// comment of the kinds the rules do not know ("//" anywhere, "'" at the start).
bool droppedAtOnce(QStringView t)
{
    if (t.isEmpty() || t == QLatin1StringView("#")
        || (t.size() == 3 && startsWithKeyword(t, QLatin1StringView("REM"))))
        return true;
    return t.startsWith(QLatin1StringView("//")) || t.startsWith(QLatin1Char('\''));
}

} // namespace

const std::array<TightRule, TightRowCount - 1> &tightRules()
{
    return kRules;
}

int tightRow(QStringView line)
{
    if (droppedAtOnce(trimmed(line)))
        return 0;
    const QStringView u = leftTrimmed(line);
    for (int i = 0; i < int(kRules.size()); ++i) {
        if (matches(kRules[size_t(i)], u))
            return i + 1;
    }
    return TightRowCount;
}

bool holdsComment(QStringView code)
{
    const qsizetype n = code.size();
    bool inString = false;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = code.at(i);
        if (inString) {
            if (c == QLatin1Char('\\'))
                ++i; // an escaped character, such as \"
            else if (c == QLatin1Char('"'))
                inString = false;
            continue;
        }
        if (c == QLatin1Char('"')) {
            inString = true;
        } else if (c == QLatin1Char('/') && i + 1 < n && code.at(i + 1) == QLatin1Char('/')) {
            return true;
        } else if ((c == QLatin1Char('r') || c == QLatin1Char('R'))
                   && startsWithKeyword(code.mid(i), QLatin1StringView("REM"))
                   && (i + 3 == n || isBlank(code.at(i + 3)))) {
            return true;
        }
    }
    return false;
}

void TightWriter::ownLine(QStringView text)
{
    if (statementLineOpen)
        output += CrLf;
    output += text;
    output += CrLf;
    statementLineOpen = false;
}

void TightWriter::joined(QStringView text)
{
    if (statementLineOpen)
        output += QLatin1Char(':');
    output += text;
    statementLineOpen = true;
    // A trailing comment would swallow whatever came after it on the line.
    if (holdsComment(text)) {
        output += CrLf;
        statementLineOpen = false;
    }
}

static qsizetype lineNumberLength(QStringView line)
{
    const QStringView u = leftTrimmed(line);
    qsizetype n = 0;
    while (n < u.size() && u.at(n).isDigit() && u.at(n).unicode() < 128)
        ++n;
    if (n == 0 || (n < u.size() && !isBlank(u.at(n))))
        return 0;
    return n;
}

void TightWriter::writeTightLine(QStringView line)
{
    // A numbered line is a jump target and the interpreter takes a number only
    // at the start of a line: it never joins a line before it. Its statement is
    // judged by the rules as if it stood alone; a comment leaves the number.
    const QStringView left = leftTrimmed(line);
    const qsizetype number = lineNumberLength(left);
    const QStringView statement = number ? left.mid(number) : line;
    const int row = tightRow(statement);
    const TightRule *r = row > 0 && row < TightRowCount ? &kRules[size_t(row - 1)] : nullptr;
    TightAction action = row == 0 ? TightAction::Drop : r ? r->action : TightAction::Joined;
    if (action == TightAction::Drop && !number)
        return;
    const bool trim = action == TightAction::Drop || (r && r->text == TightText::Trimmed);
    QStringView text = trim ? trimmed(line) : left;
    if (action == TightAction::Drop) {
        text = left.first(number);
        action = TightAction::OwnLine;
    }
    if (number && statementLineOpen) {
        output += CrLf;
        statementLineOpen = false;
    }
    if (action == TightAction::OwnLine)
        ownLine(text);
    else
        joined(text);
}

void TightWriter::writeTightLines(const QStringList &sourceLines)
{
    for (const QString &line : sourceLines)
        writeTightLine(line);
}

QString tightProgram(const QString &programText)
{
    // The lines HtmlPage::splitLines() would give, taken as views of the text
    // rather than copied.
    TightWriter writer;
    writer.output.reserve(programText.size());
    const QStringView text(programText);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = text.indexOf(CrLf, start);
        if (end < 0) {
            writer.writeTightLine(text.mid(start));
            break;
        }
        writer.writeTightLine(text.mid(start, end - start));
        start = end + 2;
    }
    // splitLines() ends with one more empty line; it is written too, so both
    // ways of cutting the text give the same copy.
    writer.writeTightLine(QStringView());
    return writer.output;
}

} // namespace TightCode
