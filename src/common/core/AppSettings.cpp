#include "common/core/AppSettings.h"

#include "platform/core/SettingsStore.h"

#include <cmath>

namespace AppSettings {

std::optional<double> toNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<qint16> toInt16(const QString &text)
{
    const std::optional<double> v = toNumber(text);
    if (!v)
        return std::nullopt;
    const double r = std::nearbyint(*v); // the default rounding mode rounds half to even
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(r);
}

std::optional<bool> toBool(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const std::optional<double> v = toNumber(t))
        return *v != 0.0;
    return std::nullopt;
}

namespace {
double numberOr(const SettingsAccess &s, const QString &section, const QString &key, double def)
{
    const std::optional<QString> text = s.stored(section, key);
    if (!text)
        return def;
    return toNumber(*text).value_or(def);
}

qint16 int16Or(const SettingsAccess &s, const QString &section, const QString &key, qint16 def)
{
    const std::optional<QString> text = s.stored(section, key);
    if (!text)
        return def;
    return toInt16(*text).value_or(def);
}
} // namespace

bool readFirstDone(const SettingsAccess &s)
{
    const std::optional<QString> text = s.stored(Startup, FirstDone);
    return text ? toBool(*text).value_or(false) : false;
}

bool showLangHelpAtStart(const SettingsAccess &s) { return numberOr(s, Startup, LangHelp, 1) == 1; }
bool showDrawPadAtStart(const SettingsAccess &s) { return numberOr(s, Startup, DrawPad, 0) == 1; }
bool showTipsAtStart(const SettingsAccess &s) { return numberOr(s, Startup, Tips, 1) == 1; }
bool readAutoIndent(const SettingsAccess &s) { return int16Or(s, Edit, AutoIndent, 1) != 0; }
qint16 readInfoLevel(const SettingsAccess &s) { return int16Or(s, Run, InfoLevel, 2); }
QString readGeoString(const SettingsAccess &s) { return s.getSetting(Run, GeoString); }
QString readYABPath(const SettingsAccess &s) { return s.getSetting(Run, YABPath); }
QString readTempPath(const SettingsAccess &s) { return s.getSetting(Run, TempPath); }
RunPlace readRunWhere(const SettingsAccess &s)
{
    const qint16 v = int16Or(s, Run, RunWhere, RunAutomatic);
    return (v == RunInVormeld || v == RunInTerminal) ? RunPlace(v) : RunAutomatic;
}
bool readLineNumbers(const SettingsAccess &s) { return int16Or(s, Edit, LineNumbers, 0) != 0; }
bool readUseYabSettings(const SettingsAccess &s) { return int16Or(s, Run, UseYabSettings, 0) != 0; }
bool readEveryKeyword(const SettingsAccess &s) { return int16Or(s, Edit, EveryKeyword, 0) != 0; }

} // namespace AppSettings
