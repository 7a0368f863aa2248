#pragma once

#include "platform/core/TextFile.h"

#include <QString>

// The one document the main window edits.
struct Document {
    QString currentFileName = QStringLiteral("Untitled");
    bool hasFileName = false;
    bool fileChanged = false;
    // How the file's bytes were written, so a save writes them the same way.
    TextFileContent format;
};
