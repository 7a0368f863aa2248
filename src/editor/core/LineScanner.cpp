#include "editor/core/LineScanner.h"

#include <QVarLengthArray>
#include <array>

namespace LineScanner {

const QStringList &keywordTable()
{
    static const QStringList table = {
        "arrow", "beep", "bell", "bitblit", "box", "circle", "clear", "close", "color", "curve",
        "data", "dim", "dot", "elseif", "end", "endif", "error", "exit", "export", "fi",
        "for", "gosub", "goto", "if", "input", "label", "line", "local", "map", "marker",
        "mouseb", "mousex", "mousey", "new", "next", "on", "open", "origin", "pause", "print",
        "putscreen", "read", "rectangle", "repeat", "restore", "return", "screen", "static", "sub", "text",
        "then", "until", "using", "wait", "wend", "while", "window", "xtick", "ytick"};
    return table;
}

namespace {
// The keywords folded to lower case, bucketed by length, for a lookup without allocation.
struct KeywordIndex {
    static constexpr int MaxLength = 9;
    std::array<std::vector<QLatin1String>, MaxLength + 1> byLength;
    std::vector<QByteArray> storage;
    KeywordIndex()
    {
        storage.reserve(keywordTable().size());
        for (const QString &w : keywordTable())
            storage.push_back(w.toLatin1());
        for (const QByteArray &w : storage)
            byLength[w.size()].push_back(QLatin1String(w.constData(), w.size()));
    }
};

const KeywordIndex &index()
{
    static const KeywordIndex i;
    return i;
}
} // namespace

bool isKeyword(QStringView word)
{
    const qsizetype n = word.size();
    if (n < 2 || n > KeywordIndex::MaxLength)
        return false;
    char folded[KeywordIndex::MaxLength];
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = word[i].unicode();
        if (c >= 'A' && c <= 'Z')
            folded[i] = char(c + 32);
        else if (c >= 'a' && c <= 'z')
            folded[i] = char(c);
        else
            return false; // every keyword is made of ASCII letters only
    }
    for (const QLatin1String &k : index().byLength[n])
        if (std::equal(folded, folded + n, k.data()))
            return true;
    return false;
}

namespace {
bool isRemBlank(QStringView line, qsizetype i)
{
    return i + 3 < line.size() && (line[i].unicode() | 0x20) == 'r'
           && (line[i + 1].unicode() | 0x20) == 'e' && (line[i + 2].unicode() | 0x20) == 'm'
           && line[i + 3].unicode() == ' ';
}
} // namespace

std::vector<Range> scanLine(QStringView line, bool firstLineOfText)
{
    std::vector<Range> out;
    const qsizetype n = line.size();
    if (n == 0)
        return out;

    // First-line "#!" colours the whole line, whatever else it holds.
    if (firstLineOfText && n >= 2 && line[0] == QLatin1Char('#') && line[1] == QLatin1Char('!')) {
        out.push_back({0, int(n), Colour::Interpreter});
        return out;
    }

    // The comment: the first apostrophe, else the first "rem ". Everything from
    // there on is green, so only the part before it needs scanning.
    qsizetype comment = line.indexOf(QLatin1Char('\''));
    if (comment < 0) {
        for (qsizetype i = 0; i + 3 < n; ++i) {
            if (isRemBlank(line, i)) {
                comment = i;
                break;
            }
        }
    }
    const qsizetype codeEnd = comment < 0 ? n : comment;

    // String literals: pairs of double quotes, in order; an unpaired last quote
    // colours nothing. A pair cut by the comment is green from the comment on.
    QVarLengthArray<std::pair<qsizetype, qsizetype>, 8> strings; // [start, end] inclusive
    for (qsizetype i = 0; i < n;) {
        const qsizetype open = line.indexOf(QLatin1Char('"'), i);
        if (open < 0 || open >= codeEnd)
            break;
        const qsizetype close = line.indexOf(QLatin1Char('"'), open + 1);
        if (close < 0)
            break;
        strings.append({open, close});
        i = close + 1;
    }

    // Keywords, between single blanks. A keyword never straddles a string or the
    // comment (neither can begin inside a word of letters), so a keyword is either
    // wholly inside a string, where the string wins, or wholly outside.
    auto add = [&out](qsizetype start, qsizetype end, Colour c) {
        if (!out.empty() && out.back().colour == c && out.back().start + out.back().length == start)
            out.back().length += int(end - start);
        else
            out.push_back({int(start), int(end - start), c});
    };
    qsizetype nextString = 0;
    qsizetype col = 0;
    while (col < codeEnd) {
        const qsizetype blank = line.indexOf(QLatin1Char(' '), col);
        const qsizetype wordEnd = blank < 0 ? n : blank;
        if (wordEnd > col && isKeyword(line.mid(col, wordEnd - col))) {
            while (nextString < strings.size() && strings[nextString].second < col)
                ++nextString;
            const bool inString = nextString < strings.size() && strings[nextString].first < col;
            if (!inString)
                add(col, blank < 0 ? n : blank + 1, Colour::Keyword);
        }
        if (blank < 0)
            break;
        col = blank + 1;
    }

    // Merge strings into the keyword ranges, in column order.
    if (!strings.isEmpty()) {
        std::vector<Range> merged;
        merged.reserve(out.size() + strings.size());
        size_t k = 0;
        for (const auto &[open, close] : strings) {
            while (k < out.size() && out[k].start < open)
                merged.push_back(out[k++]);
            const qsizetype end = std::min(close + 1, codeEnd);
            merged.push_back({int(open), int(end - open), Colour::String});
        }
        while (k < out.size())
            merged.push_back(out[k++]);
        out.swap(merged);
    }
    if (comment >= 0)
        out.push_back({int(comment), int(n - comment), Colour::Comment});
    return out;
}

unsigned int rgb(Colour colour)
{
    switch (colour) {
    case Colour::Keyword: return 0x0000FF;
    case Colour::String: return 0x9F3412;
    case Colour::Comment: return 0x009F00;
    case Colour::Interpreter: return 0x0000FF;
    case Colour::Plain: break;
    }
    return 0x000000;
}

} // namespace LineScanner
