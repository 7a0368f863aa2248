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
// A word of up to nine ASCII letters, folded to lower case and packed five bits
// a letter ('a' is 1), so that a keyword lookup is one hashed integer compare.
constexpr int MaxKeywordLength = 9;

inline quint64 packLetter(quint64 key, char16_t c)
{
    return (key << 5) | quint64((c | 0x20) - 'a' + 1);
}

inline bool isAsciiLetter(char16_t c)
{
    return char16_t((c | 0x20) - 'a') < 26;
}

// Open addressing over the packed keywords; 0 marks a free slot.
struct KeywordIndex {
    static constexpr int Slots = 256;
    std::array<quint64, Slots> m_table{};
    static unsigned slotOf(quint64 key) { return unsigned((key * 0x9E3779B97F4A7C15ull) >> 56); }
    KeywordIndex()
    {
        for (const QString &w : keywordTable()) {
            quint64 key = 0;
            for (QChar c : w)
                key = packLetter(key, c.unicode());
            unsigned s = slotOf(key);
            while (m_table[s] != 0)
                s = (s + 1) % Slots;
            m_table[s] = key;
        }
    }
    bool contains(quint64 key) const
    {
        for (unsigned s = slotOf(key);; s = (s + 1) % Slots) {
            if (m_table[s] == key)
                return true;
            if (m_table[s] == 0)
                return false;
        }
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
    if (n < 2 || n > MaxKeywordLength)
        return false;
    quint64 key = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = word[i].unicode();
        if (!isAsciiLetter(c))
            return false; // every keyword is made of ASCII letters only
        key = packLetter(key, c);
    }
    return index().contains(key);
}

std::vector<Range> scanLine(QStringView line, bool firstLineOfText)
{
    std::vector<Range> out;
    scanLine(line, firstLineOfText, out);
    return out;
}

void scanLine(QStringView line, bool firstLineOfText, std::vector<Range> &out)
{
    out.clear();
    const qsizetype n = line.size();
    if (n == 0)
        return;
    const char16_t *s = line.utf16();

    // First-line "#!" colours the whole line, whatever else it holds.
    if (firstLineOfText && n >= 2 && s[0] == '#' && s[1] == '!') {
        out.push_back({0, int(n), Colour::Interpreter});
        return;
    }

    // One pass notes the quotes, the words that are keywords, the first
    // apostrophe and the first "rem ". The comment is the first apostrophe,
    // else the first "rem "; everything from there on is green.
    QVarLengthArray<qsizetype, 16> quotes;
    QVarLengthArray<std::pair<qsizetype, qsizetype>, 16> keywords; // [start, end) of the word
    const KeywordIndex &keys = index();
    qsizetype apostrophe = -1, rem = -1;
    qsizetype wordStart = 0;
    quint64 key = 0;
    bool letters = true; // the word so far is ASCII letters only
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char16_t c = s[i];
        if (c == ' ') {
            const qsizetype len = i - wordStart;
            if (letters && len >= 2 && len <= MaxKeywordLength && keys.contains(key))
                keywords.append({wordStart, i});
            wordStart = i + 1;
            key = 0;
            letters = true;
            continue;
        }
        if (letters) {
            if (isAsciiLetter(c)) {
                key = packLetter(key, c);
                if ((c | 0x20) == 'r' && rem < 0 && i + 3 < n && (s[i + 1] | 0x20) == 'e'
                    && (s[i + 2] | 0x20) == 'm' && s[i + 3] == ' ')
                    rem = i;
                continue;
            }
            letters = false;
        } else if ((c | 0x20) == 'r' && rem < 0 && i + 3 < n && (s[i + 1] | 0x20) == 'e'
                   && (s[i + 2] | 0x20) == 'm' && s[i + 3] == ' ') {
            rem = i;
            continue;
        }
        if (c == '"') {
            quotes.append(i);
        } else if (c == '\'') {
            apostrophe = i;
            break;
        }
    }
    if (i == n) { // the last word, up to the end of the line
        const qsizetype len = n - wordStart;
        if (letters && len >= 2 && len <= MaxKeywordLength && keys.contains(key))
            keywords.append({wordStart, n});
    }
    const qsizetype comment = apostrophe >= 0 ? apostrophe : rem;
    const qsizetype codeEnd = comment < 0 ? n : comment;

    // String literals: pairs of double quotes, in order; an unpaired last quote
    // colours nothing. A pair cut by the comment is green from the comment on,
    // so a string opened before an apostrophe may close after it.
    if (apostrophe >= 0 && quotes.size() % 2 == 1) {
        for (qsizetype j = apostrophe + 1; j < n; ++j)
            if (s[j] == '"') {
                quotes.append(j);
                break;
            }
    }
    QVarLengthArray<std::pair<qsizetype, qsizetype>, 8> strings; // [open, close] inclusive
    for (qsizetype q = 0; q + 1 < quotes.size() && quotes[q] < codeEnd; q += 2)
        strings.append({quotes[q], quotes[q + 1]});

    // Keywords take their following blank. A keyword never straddles a string or
    // the comment (neither can begin inside a word of letters), so a keyword is
    // either wholly inside a string, where the string wins, or wholly outside.
    auto add = [&out](qsizetype start, qsizetype end, Colour c) {
        if (!out.empty() && out.back().colour == c && out.back().start + out.back().length == start)
            out.back().length += int(end - start);
        else
            out.push_back({int(start), int(end - start), c});
    };
    qsizetype nextString = 0, k = 0;
    for (const auto &[start, end] : keywords) {
        if (start >= codeEnd)
            break;
        while (nextString < strings.size() && strings[nextString].second < start)
            ++nextString;
        if (nextString < strings.size() && strings[nextString].first < start)
            continue; // inside a string
        // Strings that come before this keyword go first, in column order.
        for (; k < strings.size() && strings[k].first < start; ++k)
            out.push_back({int(strings[k].first), int(std::min(strings[k].second + 1, codeEnd) - strings[k].first),
                           Colour::String});
        add(start, end < n ? end + 1 : n, Colour::Keyword);
    }
    for (; k < strings.size(); ++k)
        out.push_back({int(strings[k].first), int(std::min(strings[k].second + 1, codeEnd) - strings[k].first),
                       Colour::String});
    if (comment >= 0)
        out.push_back({int(comment), int(n - comment), Colour::Comment});
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
