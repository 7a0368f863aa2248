#include "Interpreter.h"

#include "app/AppSettings.h"
#include "platform/InterpreterKey.h"
#include "platform/SettingsStore.h"

namespace Interpreter {

QString ReadYabasicVersion(const IInterpreterKey &key)
{
    return key.readValue(QStringLiteral("version")).value_or(ErrorVersion);
}

bool DetectInterpreterPath(SettingsAccess &settings, const IInterpreterKey &key, QString *version)
{
    const std::optional<QString> path = key.readValue(QStringLiteral("path"));
    if (!path) {
        if (version)
            *version = ErrorVersion;
        return false;
    }
    settings.SaveSetting(AppSettings::Run, AppSettings::YABPath,
                         *path + InterpreterExecutableName());
    return true;
}

QString InterpreterFolderOf(const QString &yabPath)
{
    const qsizetype cut = std::max(yabPath.lastIndexOf(QLatin1Char('\\')),
                                   yabPath.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? QString() : yabPath.left(cut + 1);
}

} // namespace Interpreter
