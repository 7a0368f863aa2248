#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The HTML options as they are kept in a Vormeld HTML settings file (.khs):
// five lines, each ended by CR LF: title, description, keywords, the side bar
// text with its line breaks as the characters 7 and 8, and the check box value
// ("0" or "1").
struct HtmlSettingsFields {
    QString title;
    QString description;
    QString keywords;
    QString sideBarText; // CR LF between its lines
    int sideBarOn = 0;   // the check box value

    bool operator==(const HtmlSettingsFields &o) const
    {
        return title == o.title && description == o.description && keywords == o.keywords
               && sideBarText == o.sideBarText && sideBarOn == o.sideBarOn;
    }
};

namespace HtmlSettingsFile {

// The file's bytes (UTF-8).
QByteArray write(const HtmlSettingsFields &fields);

// The fields as loading sets them. The five lines are read one after another
// into one value and each field is set from it in turn; a line that is not
// there leaves the value as it was. So a file that could not be read (nothing)
// gives empty fields and an unchecked box, and a short file gives every
// remaining field its last line.
HtmlSettingsFields read(const std::optional<QByteArray> &bytes);

// The check box value of line 5: the number its leading digits make (after
// leading blanks), 0 when it does not begin with a digit.
int checkValue(const QString &line);

// Reads or writes a file; writing replaces the old file only when complete.
HtmlSettingsFields load(const QString &path);
bool save(const QString &path, const HtmlSettingsFields &fields, QString *error = nullptr);

} // namespace HtmlSettingsFile
