#include "html/core/HtmlPage.h"
#include "html/core/HtmlWriteErrors.h"

#include "common/core/Addresses.h"
#include "documents/core/FileErrors.h"
#include "platform/core/TextFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <cerrno>
#include <functional>
#include <vector>

namespace HtmlPage {

namespace {

const QString CrLf = QStringLiteral("\r\n");

inline char16_t upperAscii(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
}

// The colour rules in the order they are applied.
struct ColourRule {
    QLatin1StringView keyword;  // sought in the upper-cased line
    QLatin1StringView colour;   // rules that colour to the end of the line
    QLatin1StringView lower;    // rules that replace the keyword: its new spelling
};

constexpr std::array<ColourRule, 17> kColourRules = {{
    {QLatin1StringView("REM"), QLatin1StringView("green"), {}},
    {QLatin1StringView("DATA"), QLatin1StringView("purple"), {}},
    {QLatin1StringView("DIM"), QLatin1StringView("brown"), {}},
    {QLatin1StringView("PRINT"), {}, QLatin1StringView("print")},
    {QLatin1StringView("ENDIF"), {}, QLatin1StringView("endif")},
    {QLatin1StringView("INPUT"), {}, QLatin1StringView("input")},
    {QLatin1StringView("FOR"), {}, QLatin1StringView("for")},
    {QLatin1StringView("THEN"), {}, QLatin1StringView("then")},
    {QLatin1StringView("READ"), {}, QLatin1StringView("read")},
    {QLatin1StringView("RESTORE"), {}, QLatin1StringView("restore")},
    {QLatin1StringView("NEXT"), {}, QLatin1StringView("next")},
    {QLatin1StringView("OPEN"), {}, QLatin1StringView("open")},
    {QLatin1StringView("CLEAR"), {}, QLatin1StringView("clear")},
    {QLatin1StringView("CLOSE"), {}, QLatin1StringView("close")},
    {QLatin1StringView("IF"), {}, QLatin1StringView("if")},
    {QLatin1StringView("FI"), {}, QLatin1StringView("fi")},
    {QLatin1StringView("GOTO"), {}, QLatin1StringView("goto")},
}};

const QLatin1StringView kFontEnd("</FONT>");

QString openTag(QLatin1StringView colour)
{
    return QLatin1String("<FONT COLOR=") + colour + QLatin1Char('>');
}

QString replacement(const ColourRule &rule)
{
    return openTag(QLatin1StringView("darkblue")) + rule.lower + kFontEnd;
}

// Which keywords occur in a text, as one bit per rule, found in one pass: the
// rules are looked up by the keyword's first letter.
class KeywordIndex {
public:
    KeywordIndex()
    {
        for (int i = 0; i < int(kColourRules.size()); ++i)
            m_byLetter[kColourRules[i].keyword.front().toLatin1() - 'A'].push_back(i);
        // What a rule inserts may hold later rules' keywords ("endif" holds IF).
        for (int i = 0; i < int(kColourRules.size()); ++i) {
            const ColourRule &r = kColourRules[i];
            m_text[i] = r.lower.isEmpty() ? openTag(r.colour) : replacement(r);
            m_inserted[i] = present(m_text[i]) | (r.lower.isEmpty() ? present(QString(kFontEnd)) : 0);
        }
    }

    // The opening tag of a rule that colours to the end, or a replaced keyword's markup.
    const QString &text(int rule) const { return m_text[rule]; }

    quint32 present(QStringView text) const
    {
        quint32 mask = 0;
        const char16_t *d = text.utf16();
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = upperAscii(d[i]);
            if (c < u'A' || c > u'Z')
                continue;
            for (const int rule : m_byLetter[c - u'A']) {
                const QLatin1StringView kw = kColourRules[rule].keyword;
                if (i + kw.size() > n)
                    continue;
                qsizetype j = 1;
                while (j < kw.size() && upperAscii(d[i + j]) == char16_t(kw[j].unicode()))
                    ++j;
                if (j == kw.size())
                    mask |= 1u << rule;
            }
        }
        return mask;
    }

    quint32 inserted(int rule) const { return m_inserted[rule]; }

private:
    std::array<std::vector<int>, 26> m_byLetter;
    std::array<quint32, kColourRules.size()> m_inserted{};
    std::array<QString, kColourRules.size()> m_text;
};

const KeywordIndex &keywordIndex()
{
    static const KeywordIndex index;
    return index;
}

QList<QStringView> fileLineViews(QStringView content)
{
    QList<QStringView> lines;
    if (content.isEmpty())
        return lines;
    lines.reserve(content.count(QLatin1Char('\n')) + 1);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = content.indexOf(CrLf, start);
        if (end < 0) {
            if (start < content.size())
                lines << content.mid(start);
            break;
        }
        lines << content.mid(start, end - start);
        start = end + 2;
    }
    return lines;
}

QStringList collectLabels(const QList<QStringView> &lines)
{
    QStringList table;
    QString name;
    for (const QStringView line : lines) {
        if (labelDefinedBy(line, &name))
            table << name;
    }
    return table;
}

bool needsEscape(QStringView line)
{
    for (const QChar c : line) {
        if (c == QLatin1Char('&') || c == QLatin1Char('<') || c == QLatin1Char('>'))
            return true;
    }
    return false;
}

void appendEscaped(QString &out, QStringView line)
{
    for (const QChar c : line) {
        if (c == QLatin1Char('&'))
            out += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            out += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            out += QLatin1String("&gt;");
        else
            out += c;
    }
}

// The line after the colour rules: the line itself when none fires, else the
// buffer, which holds the result.
QStringView colour(QStringView escaped, QString &buffer)
{
    const KeywordIndex &index = keywordIndex();
    // A keyword can only turn up in the line's own text or in what a rule put in.
    quint32 candidates = index.present(escaped);
    if (candidates == 0)
        return escaped;
    buffer.resize(0);
    buffer += escaped;
    for (int i = 0; i < int(kColourRules.size()); ++i) {
        if (!(candidates & (1u << i)))
            continue;
        const ColourRule &rule = kColourRules[i];
        const qsizetype k = findKeyword(buffer, rule.keyword);
        if (k < 0)
            continue;
        if (rule.lower.isEmpty()) {
            buffer.insert(k, index.text(i));
            buffer += kFontEnd;
        } else {
            buffer.replace(k, rule.keyword.size(), index.text(i));
        }
        candidates |= index.inserted(i);
    }
    return buffer;
}

// Reused between the lines of a page, so that a line costs no allocation.
struct LineBuffers {
    QString escaped;
    QString coloured;
};

void appendPageLine(QString &page, QStringView source, const LabelLinks &links, LineBuffers &b)
{
    QStringView escaped = source;
    if (needsEscape(source)) {
        b.escaped.resize(0);
        appendEscaped(b.escaped, source);
        escaped = b.escaped;
    }
    links.appendLinked(page, colour(escaped, b.coloured));
}

// The page is handed on in pieces of about this many characters, so that a
// large program is never held as a whole page (and again as its bytes).
constexpr qsizetype kPieceSize = 1 << 16;

// Writes the page to sink piece by piece; stops when the sink fails.
bool writePage(const QList<QStringView> &sourceLines, const QString &title, const HtmlSettings &settings,
               const std::function<bool(QStringView)> &sink)
{
    const LabelLinks links(collectLabels(sourceLines));
    QString page;
    page.reserve(kPieceSize + kPieceSize / 2);
    bool ok = true;
    const auto hand = [&] {
        if (ok && !page.isEmpty())
            ok = sink(page);
        page.resize(0);
    };
    const auto put = [&page](QStringView line) {
        page += line;
        page += CrLf;
    };
    put(u"<HTML>");
    put(u"<HEAD>");
    put(QStringLiteral("<META NAME=\"Description\" CONTENT=\"") + settings.htmlDescription + QStringLiteral("\">"));
    put(QStringLiteral("<META NAME=\"Keywords\" CONTENT=\"") + settings.htmlKeywords + QStringLiteral("\">"));
    put(u"<META NAME=\"Generator\" CONTENT=\"Vormeld 2005\">");
    put(QStringLiteral("<TITLE>") + title + QStringLiteral("</TITLE>"));
    put(u"<!-- This file was generated by Vormeld 2000 -->");
    put(u"");
    put(u"<STYLE>");
    put(u"<!--");
    put(u"H1 { font-family: Arial, Helvetica, Tahoma, Swiss; font-size: 34pt; }");
    put(u"-->");
    put(u"</STYLE>");
    put(u"</HEAD>");
    put(u"<BODY BGCOLOR=\"#FFFFFF\">");
    put(QStringLiteral("<H1>") + title + QStringLiteral("</H1><HR>"));
    const bool sideBar = settings.htmlSideBarOn == 1;
    if (sideBar) {
        put(u"<TABLE BORDER=0>");
        put(u"<TR>");
        put(u"<TD BGCOLOR=\"#CBCBCB\" VALIGN=\"top\">");
        put(settings.htmlSideBarText);
        put(u"</TD>");
        put(u"<TD VALIGN=\"top\">");
    }
    put(u"<NOBR><PRE><B>");
    LineBuffers buffers;
    for (const QStringView line : sourceLines) {
        appendPageLine(page, line, links, buffers);
        page += CrLf;
        if (page.size() >= kPieceSize) {
            hand();
            if (!ok)
                return false;
        }
    }
    put(u"</B></PRE></NOBR>");
    if (sideBar) {
        put(u"</TD></TR>");
        put(u"</TABLE>");
    }
    put(u"");
    const QString maker = Addresses::VormeldWebSite.isEmpty()
        ? QStringLiteral("Vormeld 2005")
        : QStringLiteral("<A HREF=\"") + Addresses::VormeldWebSite + QStringLiteral("\">Vormeld 2005</A>");
    put(QStringLiteral("<HR><SMALL>HTML Source Code generated by ") + maker + QStringLiteral("</BODY>"));
    put(u"</HTML>");
    hand();
    return ok;
}

QString pageText(const QList<QStringView> &sourceLines, const QString &title, const HtmlSettings &settings)
{
    QString page;
    writePage(sourceLines, title, settings, [&page](QStringView piece) {
        page += piece;
        return true;
    });
    return page;
}

bool fitsLatin1(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

QList<QStringView> views(const QStringList &lines)
{
    QList<QStringView> v;
    v.reserve(lines.size());
    for (const QString &line : lines)
        v << line;
    return v;
}

} // namespace

QStringList splitLines(const QString &text)
{
    QStringList lines = text.split(CrLf);
    lines.append(QString());
    return lines;
}

QStringList sourceFileLines(const QString &content)
{
    QStringList lines;
    for (const QStringView line : fileLineViews(content))
        lines << line.toString();
    return lines;
}

QStringView leftTrimmed(QStringView line)
{
    qsizetype i = 0;
    while (i < line.size() && isBlank(line.at(i)))
        ++i;
    return line.mid(i);
}

QStringView trimmed(QStringView line)
{
    line = leftTrimmed(line);
    qsizetype n = line.size();
    while (n > 0 && isBlank(line.at(n - 1)))
        --n;
    return line.left(n);
}

bool startsWithKeyword(QStringView line, QLatin1StringView keyword)
{
    if (line.size() < keyword.size())
        return false;
    for (qsizetype i = 0; i < keyword.size(); ++i) {
        if (upperAscii(line.at(i).unicode()) != char16_t(keyword.at(i).unicode()))
            return false;
    }
    return true;
}

qsizetype findKeyword(QStringView line, QLatin1StringView keyword)
{
    const qsizetype m = keyword.size();
    const qsizetype n = line.size();
    if (m == 0)
        return n > 0 ? 0 : -1;
    const char16_t *d = line.utf16();
    const char16_t first = char16_t(keyword.front().unicode());
    for (qsizetype i = 0; i + m <= n; ++i) {
        if (upperAscii(d[i]) != first)
            continue;
        qsizetype j = 1;
        while (j < m && upperAscii(d[i + j]) == char16_t(keyword.at(j).unicode()))
            ++j;
        if (j == m)
            return i;
    }
    return -1;
}

bool isLabelDefinition(QStringView line)
{
    const QStringView l = leftTrimmed(line);
    return l.size() >= 6 && startsWithKeyword(l, QLatin1StringView("LABEL")) && isBlank(l.at(5));
}

bool labelDefinedBy(QStringView line, QString *name)
{
    if (!isLabelDefinition(line))
        return false;
    const QStringView rest = leftTrimmed(line).mid(6);
    qsizetype end = -1;
    for (qsizetype i = 0; i < rest.size() && end < 0; ++i) {
        if (isBlank(rest.at(i)))
            end = i;
    }
    if (end < 0)
        end = rest.indexOf(QLatin1Char('('));
    *name = (end < 0 ? rest : rest.left(end)).toString();
    return true;
}

QStringList collectLabels(const QStringList &lines)
{
    return collectLabels(views(lines));
}

QString escapeLine(const QString &line)
{
    if (!needsEscape(line))
        return line;
    QString out;
    out.reserve(line.size() + 16);
    appendEscaped(out, line);
    return out;
}

QString colourLine(const QString &escaped)
{
    QString buffer;
    const QStringView out = colour(escaped, buffer);
    return out.data() == buffer.constData() ? buffer : escaped;
}

QString pageLine(const QString &sourceLine, const LabelLinks &links)
{
    QString out;
    LineBuffers buffers;
    appendPageLine(out, sourceLine, links, buffers);
    return out;
}

QString htmlPage(const QStringList &sourceLines, const QString &title, const HtmlSettings &settings)
{
    return pageText(views(sourceLines), title, settings);
}

QByteArray encodeText(const QString &text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Latin1) {
        const bool fits = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
        if (fits)
            return text.toLatin1();
    }
    return text.toUtf8();
}

HtmlFileResult createHTMLFile(const QString &htmlPath, const QString &sourcePath,
                              const QString &title, const HtmlSettings &settings)
{
    QByteArray source;
    if (!readWholeFile(sourcePath, &source).ok)
        return failure(FileErrors::classifyReadFailure(sourcePath));
    TextEncoding encoding = TextEncoding::Utf8;
    const QString text = decodeBytes(source, &encoding);
    source = QByteArray();

    // The page is written in the source's encoding. Its own text is ASCII and
    // the program's text fits that encoding; only what the user typed into the
    // options may not, and then the whole page is UTF-8.
    const bool latin1 = encoding == TextEncoding::Latin1 && fitsLatin1(title)
                        && fitsLatin1(settings.htmlDescription) && fitsLatin1(settings.htmlKeywords)
                        && (settings.htmlSideBarOn != 1 || fitsLatin1(settings.htmlSideBarText));

    // Like every file the program writes, the page replaces the old one only
    // once it is complete.
    QSaveFile file(htmlPath);
    if (!file.open(QIODevice::WriteOnly))
        return failure(classifyWriteFailure(htmlPath, file.errorString()));
    bool shortWrite = false;
    const bool written = writePage(fileLineViews(text), title, settings, [&](QStringView piece) {
        const QByteArray bytes = latin1 ? piece.toLatin1() : piece.toUtf8();
        if (file.write(bytes) == bytes.size())
            return true;
        shortWrite = file.error() == QFileDevice::NoError;
        return false;
    });
    if (!written) {
        const QString reason = shortWrite ? QStringLiteral("Not all bytes could be written") : file.errorString();
        file.cancelWriting();
        return failure(classifyWriteFailure(htmlPath, reason));
    }
    if (!file.commit())
        return failure(classifyWriteFailure(htmlPath, file.errorString()));
    return {};
}

} // namespace HtmlPage
