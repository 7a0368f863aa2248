#include "editor/core/YabasicLexer.h"

#include <array>

namespace YabasicLexer {

const QStringList &vocabulary()
{
    // From the interpreter's reference: statements, their parts, operators
    // written as words, functions and the special variables.
    static const QStringList words = {
        // Statements and their parts.
        "as", "at", "backcolor", "backcolour", "beep", "bell", "bind", "box", "break", "case",
        "circle", "clear", "close", "color", "colour", "compile", "continue", "curve", "data",
        "default", "dim", "do", "doc", "docu", "dot", "else", "elseif", "elsif", "end", "endif",
        "error", "exit", "export", "fi", "fill", "for", "foreign_buffer_free", "foreign_buffer_set",
        "foreign_buffer_set_buffer", "gosub", "goto", "if", "import", "input", "interrupt", "label",
        "line", "local", "loop", "new", "next", "on", "open", "origin", "pause", "poke", "print",
        "printer", "putbit", "putscreen", "read", "reading", "rectangle", "redim", "rem", "repeat",
        "restore", "return", "reverse", "screen", "seek", "sleep", "static", "step", "sub",
        "switch", "text", "then", "to", "triangle", "until", "using", "wait", "wend", "while",
        "window", "writing",
        // Operators written as words, and constants.
        "and", "or", "not", "mod", "euler", "pi", "true", "false",
        // Functions.
        "abs", "acos", "arraydim", "arraysize", "asc", "asin", "atan", "bin$", "bitnot",
        "ceil", "chomp$", "chr$", "cos", "date$", "dec", "docu$", "eof", "eor", "eval", "eval$",
        "execute", "execute$", "exp", "floor", "foreign_buffer_alloc$", "foreign_buffer_dump$",
        "foreign_buffer_get", "foreign_buffer_get$", "foreign_buffer_get_buffer",
        "foreign_buffer_size", "foreign_function_call", "foreign_function_call$",
        "foreign_function_size", "frac", "getbit$", "getscreen$", "glob", "hex$", "inkey$", "instr",
        "int", "left$", "len", "log", "lower$", "ltrim$", "max", "mid$", "min", "mouseb",
        "mousemod", "mousex", "mousey", "numparams", "peek", "peek$", "ran", "right$",
        "rinstr", "round", "rtrim$", "shl", "shr", "sig", "sin", "split", "sqr", "sqrt", "str$",
        "system", "system$", "tan", "tell", "time$", "token", "trim$", "upper$", "val", "xor"};
    return words;
}

namespace {
// The words in lower case, bucketed by length, for a lookup without allocation.
struct Index {
    static constexpr int MaxLength = 32;
    std::array<std::vector<QByteArray>, MaxLength + 1> byLength;
    Index()
    {
        for (const QString &w : vocabulary())
            byLength[size_t(w.size())].push_back(w.toLatin1());
    }
};

const Index &index()
{
    static const Index i;
    return i;
}

bool isLetter(char16_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isWordChar(char16_t c) { return isLetter(c) || (c >= '0' && c <= '9'); }
} // namespace

bool isKnownWord(QStringView word)
{
    const qsizetype n = word.size();
    if (n < 2 || n > Index::MaxLength)
        return false;
    char folded[Index::MaxLength];
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = word[i].unicode();
        if (c >= 0x80)
            return false; // the vocabulary is plain ASCII
        folded[i] = (c >= 'A' && c <= 'Z') ? char(c + 32) : char(c);
    }
    for (const QByteArray &k : index().byLength[size_t(n)])
        if (std::equal(folded, folded + n, k.constData()))
            return true;
    return false;
}

std::vector<LineScanner::Range> scanLine(QStringView line, bool firstLineOfText)
{
    using LineScanner::Colour;
    std::vector<LineScanner::Range> out;
    const qsizetype n = line.size();
    if (n == 0)
        return out;
    auto add = [&out](qsizetype start, qsizetype end, Colour c) {
        out.push_back({int(start), int(end - start), c});
    };
    // "#" opens a comment only in the first column; "#!" on the first line names the interpreter.
    if (line[0] == QLatin1Char('#')) {
        const bool interpreter = firstLineOfText && n >= 2 && line[1] == QLatin1Char('!');
        add(0, n, interpreter ? Colour::Interpreter : Colour::Comment);
        return out;
    }
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = line[i].unicode();
        if (c == '"') {
            // A string runs to the next quote that no backslash escapes, or to the
            // end of the line when it is not closed.
            qsizetype j = i + 1;
            while (j < n && line[j].unicode() != '"')
                j += line[j].unicode() == '\\' ? 2 : 1;
            const qsizetype end = std::min(n, j + 1);
            add(i, end, Colour::String);
            i = end;
        } else if (c == '/' && i + 1 < n && line[i + 1].unicode() == '/') {
            add(i, n, Colour::Comment);
            break;
        } else if (isLetter(c)) {
            qsizetype j = i + 1;
            while (j < n && isWordChar(line[j].unicode()))
                ++j;
            if (j < n && line[j].unicode() == '$')
                ++j;
            const QStringView word = line.mid(i, j - i);
            // A word after a point is a name inside a library, never a keyword.
            const bool qualified = i > 0 && line[i - 1].unicode() == '.';
            if (!qualified && word.compare(QLatin1String("rem"), Qt::CaseInsensitive) == 0
                && (j >= n || line[j].unicode() != ':')) {
                add(i, n, Colour::Comment);
                break;
            }
            if (!qualified && isKnownWord(word))
                add(i, j, Colour::Keyword);
            i = j;
        } else if (c >= '0' && c <= '9') {
            // Digits and what follows them (1e5, 0x1F) never hold a keyword.
            while (i < n && isWordChar(line[i].unicode()))
                ++i;
        } else {
            ++i;
        }
    }
    return out;
}

} // namespace YabasicLexer
