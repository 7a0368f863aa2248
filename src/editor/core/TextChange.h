#pragma once

#include <QString>

// One change of a text: at pos, `removed` characters were replaced by `inserted`.
struct TextChange {
    int pos = 0;
    int removed = 0;
    QString inserted;
};

// The smallest single change that turns `from` into `to` (common start and end kept).
TextChange diffTexts(const QString &from, const QString &to);

// The same change without the characters that the removed and the inserted text
// have in common at their start and end.
TextChange narrowChange(const TextChange &change, QStringView removedText);
