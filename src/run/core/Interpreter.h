#pragma once

#include <QString>

class IInterpreterKey;
class SettingsAccess;

// Where the interpreter is and which version it is.
namespace Interpreter {

inline const QString ErrorVersion = QStringLiteral("[ErrorVersion]");

// The key's "version" value, or "[ErrorVersion]" when it cannot be read.
QString readYabasicVersion(const IInterpreterKey &key);

// When the key has a "path": YABPath = path + the interpreter's file name (no
// separator added) and true. Otherwise YABPath is left alone, *version becomes
// "[ErrorVersion]" and the result is false.
bool detectInterpreterPath(SettingsAccess &settings, const IInterpreterKey &key,
                           QString *version);

// The folder part of an interpreter path, up to and including its last '\' or
// '/'; empty when it has none.
QString interpreterFolderOf(const QString &yabPath);

} // namespace Interpreter
