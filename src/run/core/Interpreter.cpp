#include "run/core/Interpreter.h"

#include "common/core/AppSettings.h"
#include "platform/core/InterpreterKey.h"
#include "platform/core/SettingsStore.h"

namespace Interpreter {

QString readYabasicVersion(const IInterpreterKey &key)
{
    return key.readValue(QStringLiteral("version")).value_or(ErrorVersion);
}

bool detectInterpreterPath(SettingsAccess &settings, const IInterpreterKey &key, QString *version)
{
    const std::optional<QString> path = key.readValue(QStringLiteral("path"));
    if (!path) {
        if (version)
            *version = ErrorVersion;
        return false;
    }
    settings.saveSetting(AppSettings::Run, AppSettings::YABPath,
                         *path + interpreterExecutableName());
    return true;
}

QString interpreterFolderOf(const QString &yabPath)
{
    const qsizetype cut = std::max(yabPath.lastIndexOf(QLatin1Char('\\')),
                                   yabPath.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? QString() : yabPath.left(cut + 1);
}

} // namespace Interpreter
