#pragma once

#include <QString>
#include <optional>

class SettingsAccess;

// Every section and key of the per-user settings, and one typed reader per key.
namespace AppSettings {

inline const QString Startup = QStringLiteral("Startup");
inline const QString Edit = QStringLiteral("Edit");
inline const QString Run = QStringLiteral("Run");
inline const QString MostRecent = QStringLiteral("MostRecent");
inline const QString Toolbar = QStringLiteral("Toolbar");

inline const QString FirstDone = QStringLiteral("FirstDone");
inline const QString LangHelp = QStringLiteral("LangHelp");
inline const QString DrawPad = QStringLiteral("DrawPad");
inline const QString Tips = QStringLiteral("Tips");
inline const QString AutoIndent = QStringLiteral("AutoIndent");
inline const QString InfoLevel = QStringLiteral("InfoLevel");
inline const QString GeoString = QStringLiteral("GeoString");
inline const QString YABPath = QStringLiteral("YABPath");
inline const QString TempPath = QStringLiteral("TempPath");
inline const QString Toolbar1 = QStringLiteral("Toolbar1");
inline const QString RunWhere = QStringLiteral("RunWhere");
inline const QString LineNumbers = QStringLiteral("LineNumbers");
inline const QString UseYabSettings = QStringLiteral("UseYabSettings");
inline const QString YabOptions = QStringLiteral("YabOptions");
inline const QString EveryKeyword = QStringLiteral("EveryKeyword");

// Where F5 runs the program.
enum RunPlace { RunAutomatic = 0, RunInVormeld = 1, RunInTerminal = 2 };

// Conversions of stored text. A text that is not a number (or, for booleans,
// not "True"/"False" or a number) gives nothing, and the caller uses the default.
std::optional<double> toNumber(const QString &text);
std::optional<qint16> toInt16(const QString &text); // rounds half to even
std::optional<bool> toBool(const QString &text);

bool readFirstDone(const SettingsAccess &s);      // default False
bool showLangHelpAtStart(const SettingsAccess &s); // "LangHelp" == 1, default 1
bool showDrawPadAtStart(const SettingsAccess &s);  // "DrawPad" == 1, default 0
bool showTipsAtStart(const SettingsAccess &s);     // "Tips" == 1, default 1
bool readAutoIndent(const SettingsAccess &s);      // "AutoIndent" != 0, default 1
qint16 readInfoLevel(const SettingsAccess &s);     // default 2
QString readGeoString(const SettingsAccess &s);    // default empty
QString readYABPath(const SettingsAccess &s);      // default empty
QString readTempPath(const SettingsAccess &s);     // default empty
RunPlace readRunWhere(const SettingsAccess &s);   // "RunWhere" 0, 1 or 2, default Automatic
bool readLineNumbers(const SettingsAccess &s);    // "LineNumbers" != 0, default off
// Runs pass the options chosen in the settings editor ("YabOptions", one command
// line) instead of the level and geometry: "UseYabSettings" != 0, default off.
bool readUseYabSettings(const SettingsAccess &s);
bool readEveryKeyword(const SettingsAccess &s);   // "Edit"/"EveryKeyword" != 0, default off

} // namespace AppSettings
