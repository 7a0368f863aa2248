#pragma once

#include <QString>

// Opens a file or web address with the desktop's default program, reporting the
// result as the Windows shell numbers it: 33 or more is success; 2 file not
// found, 3 path not found, 31 no program to open it.
class IShell {
public:
    virtual ~IShell() = default;
    virtual int open(const QString &target) = 0;
};

namespace ShellResult {
constexpr int Success = 42;
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int NoAssociation = 31;
} // namespace ShellResult
