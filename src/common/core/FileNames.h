#pragma once

#include <QString>

// The text after the last '\' or '/'; the whole path when it holds neither;
// empty when it ends in one.
QString fileNameOnly(const QString &path);

// A file beside the executable: the folder, a separator and the name.
QString programFile(const QString &programFolder, const QString &name);
