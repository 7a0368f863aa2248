#pragma once

#include <QString>
#include <QStringList>

// TIPS.DAT: one tip per line, every line whole and as it stands (blank lines
// included). Lines end with CR LF, LF or a lone CR; a final break ends the last
// tip and starts no new one.
namespace TipFile {

inline const QString FileName = QStringLiteral("TIPS.DAT");

QStringList parse(const QString &text);

// Reads the file; false when it does not exist or cannot be read.
bool load(const QString &path, QStringList *tips);

// The tip number (from 1) for a random value r in [0, 1): whole part of
// count * r + 1. 0 when there are no tips.
int pick(int count, double r);

} // namespace TipFile
