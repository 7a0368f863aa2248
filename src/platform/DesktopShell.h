#pragma once

#include "platform/core/Shell.h"

// Opens through QDesktopServices.
class DesktopShell : public IShell {
public:
    int open(const QString &target) override;

    // True when the target is a web (or other scheme) address rather than a path.
    static bool isAddress(const QString &target);
};
