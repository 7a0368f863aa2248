#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>

// The interpreter's start-up options as the settings editor holds them: the
// "Windows Options" (geometry and font are the interpreter key's defaults) and
// the "Unix Options" (command-line options only). Levels are list indexes, -1
// for no selection.
struct YabSettingsValues {
    QString unixForeground, unixBackground, unixFontFamily;
    int unixInfoLevel = 2;
    QString windowsFontFamily;
    int windowsInfoLevel = 2;
    QString unixFontSize = QStringLiteral("14"), windowsFontSize = QStringLiteral("14");
    QString unixGeometry, unixDisplay, windowsGeometry;

    bool operator==(const YabSettingsValues &o) const;
};

namespace YabSettingsFile {

// The choices of the editor's lists, in their order.
const QStringList &colourNames(); // 16 basic names, one empty entry, 125 more
const QStringList &fontFamilies();
const QStringList &fontSizes();
const QStringList &levelCaptions();

// The settings file (.yst): eleven lines, each a value and CR LF. A value that
// would not read back as it is (a comma, a double quote or a blank at its
// start) is written in double quotes, a quote inside doubled.
QByteArray write(const YabSettingsValues &values);

struct ReadResult {
    int valuesRead = 0;    // of the eleven; the controls of missing ones stay as they were
    QStringList problems;  // what was wrong, for the user; empty when all is well
};
// Reads bytes of a settings file into *values: each value one field as the
// interpreter's BASIC input reads them (leading blanks skipped, a field ends at
// a comma or the end of the line, a field in double quotes runs to the closing
// quote). A level outside the list leaves that level as it was.
ReadResult read(const QByteArray &bytes, YabSettingsValues *values);

// Files bigger than this are no settings file.
constexpr qint64 MaxFileSize = 64 * 1024;

// The key's font value: digits are the size, everything else the family.
std::pair<QString, QString> splitFont(const QString &font);

// The command-line fragments; an option is present only when its field is set.
QString unixLine(const YabSettingsValues &values);
QString windowsLine(const YabSettingsValues &values);
// The Unix options as separate arguments for a run ("-i" only with a letter).
QStringList unixArguments(const YabSettingsValues &values);

} // namespace YabSettingsFile
