#include "documents/core/EditorSafeText.h"

#include <QSet>

namespace {
const char16_t Unsafe[] = {0x2029, 0xFDD0, 0xFDD1};
constexpr char16_t FirstPrivate = 0xE000;
constexpr char16_t LastPrivate = 0xF8FF;
} // namespace

QString EditorSafeText::toEditor(const QString &fileText)
{
    m_pairs.clear();
    bool any = false;
    for (const char16_t c : Unsafe)
        any = any || fileText.contains(QChar(c));
    if (!any)
        return fileText;
    QSet<char16_t> used;
    for (const QChar c : fileText)
        if (c.unicode() >= FirstPrivate && c.unicode() <= LastPrivate)
            used.insert(c.unicode());
    char16_t next = FirstPrivate;
    QString text = fileText;
    for (const char16_t c : Unsafe) {
        if (!text.contains(QChar(c)))
            continue;
        while (next <= LastPrivate && used.contains(next))
            ++next;
        if (next > LastPrivate)
            break; // every private character is taken: nothing is free to stand in
        m_pairs += QChar(c);
        m_pairs += QChar(next);
        text.replace(QChar(c), QChar(next));
        ++next;
    }
    return text;
}

QString EditorSafeText::fromEditor(const QString &editorText) const
{
    QString text = editorText;
    for (qsizetype i = 0; i + 1 < m_pairs.size(); i += 2)
        text.replace(m_pairs.at(i + 1), m_pairs.at(i));
    return text;
}
