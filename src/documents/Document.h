#pragma once

#include "platform/TextFile.h"

#include <QString>

// The one document the main window edits.
struct Document {
    QString CurrentFileName = QStringLiteral("Untitled");
    bool HasFileName = false;
    bool FileChanged = false;
    // How the file's bytes were written, so a save writes them the same way.
    TextFileContent format;
};
