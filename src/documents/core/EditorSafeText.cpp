#include "documents/core/EditorSafeText.h"

#include <QSet>

namespace {
const char16_t Unsafe[] = {0x2029, 0xFDD0, 0xFDD1};

// Private-use characters, the basic plane's first; the supplementary plane's
// when a file holds every one of those.
QString privateCharacter(char32_t index)
{
    constexpr char32_t BasicCount = 0xF8FF - 0xE000 + 1;
    const char32_t c = index < BasicCount ? 0xE000 + index : 0xF0000 + (index - BasicCount);
    return QString::fromUcs4(&c, 1);
}
constexpr char32_t PrivateCount = (0xF8FF - 0xE000 + 1) + (0xFFFFD - 0xF0000 + 1);
} // namespace

QString EditorSafeText::toEditor(const QString &fileText)
{
    m_pairs.clear();
    bool any = false;
    for (const char16_t c : Unsafe)
        any = any || fileText.contains(QChar(c));
    if (!any)
        return fileText;
    QSet<char32_t> used; // the private-use characters the file holds itself
    for (const char32_t c : fileText.toUcs4())
        if ((c >= 0xE000 && c <= 0xF8FF) || c >= 0xF0000)
            used.insert(c);
    QString text = fileText;
    char32_t next = 0;
    for (const char16_t c : Unsafe) {
        if (!text.contains(QChar(c)))
            continue;
        while (next < PrivateCount && used.contains(privateCharacter(next).toUcs4().front()))
            ++next;
        if (next == PrivateCount)
            break; // nothing is free to stand in
        const QString standIn = privateCharacter(next++);
        text.replace(QChar(c), standIn);
        m_pairs.append({QChar(c), standIn});
    }
    return text;
}

QString EditorSafeText::fromEditor(const QString &editorText) const
{
    QString text = editorText;
    for (const auto &[original, standIn] : m_pairs)
        text.replace(standIn, QString(original));
    return text;
}
