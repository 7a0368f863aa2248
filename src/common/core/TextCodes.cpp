#include "common/core/TextCodes.h"

#include <initializer_list>
#include <utility>

namespace {
QString mapChars(QString text, std::initializer_list<std::pair<char16_t, char16_t>> map)
{
    for (QChar &c : text) {
        for (const auto &[from, to] : map) {
            if (c.unicode() == from) {
                c = QChar(to);
                break;
            }
        }
    }
    return text;
}
} // namespace

QString encodeLineBreaks(const QString &text) { return mapChars(text, {{13, 7}, {10, 8}}); }
QString decodeLineBreaks(const QString &text) { return mapChars(text, {{7, 13}, {8, 10}}); }
QString encodeQuotes(const QString &text) { return mapChars(text, {{34, 14}}); }
QString decodeQuotes(const QString &text) { return mapChars(text, {{14, 34}}); }
