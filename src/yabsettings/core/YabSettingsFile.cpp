#include "yabsettings/core/YabSettingsFile.h"

#include "platform/core/TextFile.h"
#include "run/core/RunCommand.h"

bool YabSettingsValues::operator==(const YabSettingsValues &o) const
{
    return unixForeground == o.unixForeground && unixBackground == o.unixBackground
           && unixFontFamily == o.unixFontFamily && unixInfoLevel == o.unixInfoLevel
           && windowsFontFamily == o.windowsFontFamily && windowsInfoLevel == o.windowsInfoLevel
           && unixFontSize == o.unixFontSize && windowsFontSize == o.windowsFontSize
           && unixGeometry == o.unixGeometry && unixDisplay == o.unixDisplay
           && windowsGeometry == o.windowsGeometry;
}

namespace YabSettingsFile {

namespace {

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isBreak(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

QString fileValue(const QString &value)
{
    const bool plain = !value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"'))
                       && !value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n'))
                       && (value.isEmpty() || !isBlank(value.front()));
    if (plain)
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Reads the fields one after another, as BASIC's input statement does.
class FieldReader {
public:
    explicit FieldReader(const QString &text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    QString next()
    {
        const qsizetype n = m_text.size();
        while (m_pos < n && isBlank(m_text.at(m_pos)))
            ++m_pos;
        QString field;
        if (m_pos < n && m_text.at(m_pos) == QLatin1Char('"')) {
            ++m_pos;
            while (m_pos < n) {
                const QChar c = m_text.at(m_pos++);
                if (c != QLatin1Char('"')) {
                    field += c;
                } else if (m_pos < n && m_text.at(m_pos) == QLatin1Char('"')) {
                    field += c; // a doubled quote stands for one
                    ++m_pos;
                } else {
                    break;
                }
            }
            // Anything after the closing quote up to the end of the field is not part of it.
            while (m_pos < n && m_text.at(m_pos) != QLatin1Char(',') && !isBreak(m_text.at(m_pos)))
                ++m_pos;
        } else {
            while (m_pos < n && m_text.at(m_pos) != QLatin1Char(',') && !isBreak(m_text.at(m_pos)))
                field += m_text.at(m_pos++);
        }
        if (m_pos < n && m_text.at(m_pos) == QLatin1Char(','))
            ++m_pos;
        else if (m_pos < n && m_text.at(m_pos) == QLatin1Char('\r'))
            m_pos += (m_pos + 1 < n && m_text.at(m_pos + 1) == QLatin1Char('\n')) ? 2 : 1;
        else if (m_pos < n)
            ++m_pos;
        return field;
    }

private:
    const QString &m_text;
    qsizetype m_pos = 0;
};

// The leading number of a field (0 when there is none).
int leadingNumber(const QString &field)
{
    const QString t = field.trimmed();
    qsizetype end = (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) ? 1 : 0;
    while (end < t.size() && t.at(end).isDigit() && end < 10)
        ++end;
    bool ok = false;
    const int number = t.left(end).toInt(&ok);
    return ok ? number : 0;
}

void addOption(QString *line, const char *option, const QString &value)
{
    if (!value.isEmpty())
        *line += QLatin1String(option) + QLatin1Char(' ') + value + QLatin1Char(' ');
}

} // namespace

const QStringList &colourNames()
{
    static const QStringList names = words(
        "aqua black blue fuchsia gray green lime maroon navy olive purple red silver teal yellow white")
        + QStringList{QString()}
        + words("aliceblue antiquewhite aquamarine azure beige bisque blanchealmond blueviolet brown burlywood "
                "cadetblue chartreuse chocolate coral cornflowerblue cornsilk cyan darkblue darkcyan "
                "darkgoldenrod darkgray darkgreen darkkhaki darkmagenta darkolivegreen darkorange darkorchid "
                "darkred darksalmon darkseagreen darkslateblue darkslategray darkturquoise darkviolet deeppink "
                "deepskyblue dimgray dodgerblue firebrick floralwhite forestgreen gainsboro ghostwhite gold "
                "goldenrod greenyellow honeydrew hotpink indianred ivory khaki lavender lavenderblush lawngreen "
                "lemonchiffon lightblue lightcoral lightcyan lightgoldenrod lightgoldenrodyellow lightgray "
                "lightgreen lightpink lightsalmon lightseagreen lightskyblue lightslateblue lightslategray "
                "lightsteelblue lightyellow limegreen linen magenta mediumaquamarine mediumblue mediumorchid "
                "mediumpurple mediumseagreen mediumslateblue mediumspringgreen mediumturquoise mediumvioletred "
                "midnightblue mintcream mistyrose moccasin navajowhite navyblue oldlace olivedrab orange "
                "orangered orchid palegoldenrod palegreen paleturquoise paleviolet papayawhip peachpuff peru "
                "pink pium powderblue rosybrown royalblue saddlebrown salmon sandybrown seagreen seashell sienna "
                "skyblue slategray snow springgreen steelblue tan thistle tomato turquoise violet violetred "
                "wheat whitesmoke yellowgreen");
    return names;
}

const QStringList &fontFamilies()
{
    static const QStringList families = words("decorative dontcare modern roman script swiss");
    return families;
}

const QStringList &fontSizes()
{
    static const QStringList sizes = words("8 10 11 12 14 16 17 18 20 22 30 48");
    return sizes;
}

const QStringList &levelCaptions()
{
    static const QStringList captions = {QStringLiteral("d - Diagnostic"), QStringLiteral("n - Note"),
                                         QStringLiteral("w - Warning (default)"), QStringLiteral("e - Error"),
                                         QStringLiteral("f - Fatal")};
    return captions;
}

QByteArray write(const YabSettingsValues &v)
{
    const QString lines[] = {v.unixForeground, v.unixBackground, v.unixFontFamily,
                             QString::number(v.unixInfoLevel), v.windowsFontFamily,
                             QString::number(v.windowsInfoLevel), v.unixFontSize, v.windowsFontSize,
                             v.unixGeometry, v.unixDisplay, v.windowsGeometry};
    QString text;
    for (const QString &line : lines)
        text += fileValue(line) + QStringLiteral("\r\n");
    return text.toUtf8();
}

ReadResult read(const QByteArray &bytes, YabSettingsValues *v)
{
    ReadResult result;
    if (bytes.size() > MaxFileSize) {
        result.problems << QStringLiteral("The file is too big to be a settings file; nothing was read.");
        return result;
    }
    if (bytes.contains('\0')) {
        result.problems << QStringLiteral("The file is not a text file; nothing was read.");
        return result;
    }
    const QString text = decodeBytes(bytes);
    FieldReader fields(text);
    QString *const texts[] = {&v->unixForeground, &v->unixBackground, &v->unixFontFamily, nullptr,
                              &v->windowsFontFamily, nullptr, &v->unixFontSize, &v->windowsFontSize,
                              &v->unixGeometry, &v->unixDisplay, &v->windowsGeometry};
    for (int i = 0; i < 11 && !fields.atEnd(); ++i, ++result.valuesRead) {
        const QString field = fields.next();
        if (texts[i]) {
            *texts[i] = field;
            continue;
        }
        const int level = leadingNumber(field);
        if (level < -1 || level >= levelCaptions().size()) {
            result.problems << QStringLiteral("Line %1 holds the level %2, which is not in the list; "
                                              "that level was left as it was.")
                                   .arg(i + 1)
                                   .arg(field.trimmed().left(20));
            continue;
        }
        (i == 3 ? v->unixInfoLevel : v->windowsInfoLevel) = level;
    }
    if (result.valuesRead < 11)
        result.problems << QStringLiteral("The file holds only %1 of the 11 settings; the others were left "
                                          "as they were.")
                               .arg(result.valuesRead);
    return result;
}

std::pair<QString, QString> splitFont(const QString &font)
{
    QString family, size;
    for (const QChar c : font)
        (c >= QLatin1Char('0') && c <= QLatin1Char('9') ? size : family) += c;
    return {family, size};
}

QString unixLine(const YabSettingsValues &v)
{
    QString line;
    addOption(&line, "-fg", v.unixForeground);
    addOption(&line, "-bg", v.unixBackground);
    addOption(&line, "-geometry", v.unixGeometry);
    addOption(&line, "-display", v.unixDisplay);
    if (!v.unixFontFamily.isEmpty())
        addOption(&line, "-font", v.unixFontFamily + v.unixFontSize);
    return line + QStringLiteral("-i ") + RunCommand::levelLetter(v.unixInfoLevel);
}

QString windowsLine(const YabSettingsValues &v)
{
    QString line;
    addOption(&line, "-geometry", v.windowsGeometry);
    if (!v.windowsFontFamily.isEmpty())
        addOption(&line, "-font", v.windowsFontFamily + v.windowsFontSize);
    return line + QStringLiteral("-i ") + RunCommand::levelLetter(v.windowsInfoLevel);
}

QStringList unixArguments(const YabSettingsValues &v)
{
    QStringList args;
    const std::pair<const char *, QString> options[] = {
        {"-fg", v.unixForeground},   {"-bg", v.unixBackground}, {"-geometry", v.unixGeometry},
        {"-display", v.unixDisplay},
        {"-font", v.unixFontFamily.isEmpty() ? QString() : v.unixFontFamily + v.unixFontSize}};
    for (const auto &[option, value] : options) {
        if (!value.isEmpty())
            args << QLatin1String(option) << value;
    }
    if (const QString letter = RunCommand::levelLetter(v.unixInfoLevel); !letter.isEmpty())
        args << QStringLiteral("-i") << letter;
    return args;
}

} // namespace YabSettingsFile
