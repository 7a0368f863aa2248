#include "editor/core/AutoIndent.h"

namespace AutoIndentRule {

int blanksFor(bool caretAtLineStart, int lineAboveIndex, const QString &lineAbove)
{
    if (!caretAtLineStart || lineAboveIndex < 1)
        return 0;
    int n = 0;
    while (n < lineAbove.size() && lineAbove.at(n) == QLatin1Char(' '))
        ++n;
    return n;
}

} // namespace AutoIndent
