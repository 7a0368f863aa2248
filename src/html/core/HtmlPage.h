#pragma once

#include "platform/core/TextFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the HTML options dialog hands to the page generator on "OK". They stay
// in memory for the rest of the run; every confirmed dialog fills them anew.
// None of them is escaped on output: markup typed by the user goes into the
// page as it is.
struct HtmlSettings {
    QString htmlTitle;
    QString htmlDescription;
    QString htmlKeywords;
    qint16 htmlSideBarOn = 0; // 1 writes the side bar; any other value does not
    QString htmlSideBarText;  // may hold CR LF line breaks
};

// The HTML page generator and the line splitter.
namespace HtmlPage {

// The text cut at every CR LF, in order, followed by one further empty element:
// c line breaks give c + 2 elements. Printing and the tight copy take the
// editor text in this form. An empty text gives two empty elements.
QStringList splitLines(const QString &text);

// The lines of a source file as they are read one after another: each ends at
// CR LF; a final CR LF ends the last line rather than starting an empty one.
QStringList sourceFileLines(const QString &content);

// Blanks, as the line tests of the generator and the tight writer see them:
// the space and the tab.
inline bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
QStringView leftTrimmed(QStringView line);
QStringView trimmed(QStringView line);

// True when the line starts with the keyword, compared in upper case (ASCII
// letters only, so a position in the upper-cased line is one in the line).
bool startsWithKeyword(QStringView line, QLatin1StringView keyword);
// The first position of an upper-case ASCII keyword in the upper-cased line, or -1.
qsizetype findKeyword(QStringView line, QLatin1StringView keyword);

// The label a line defines ("label name"), or nothing: the name runs from the
// seventh character of the left-trimmed line to the next blank, else to a "(",
// else to the end of the line (so it may be empty).
bool labelDefinedBy(QStringView line, QString *name);
// True when the left-trimmed line starts with "LABEL" and a blank.
bool isLabelDefinition(QStringView line);
// The first pass: the names of every label definition, in order.
QStringList collectLabels(const QStringList &lines);

// "&", "<" and ">" as entities; nothing else.
QString escapeLine(const QString &line);
// The seventeen colour rules, each applied once, in order, to the line left by
// the ones before.
QString colourLine(const QString &escaped);

// Links a coloured line to the labels: the name of the table that occurs in the
// line's text (outside the tags and entities already there) and stands last in
// the table gets a link at its first occurrence, and a label definition line an
// anchor in front. An empty name occurs at the start of every non-empty line.
// Built once per page.
class LabelLinks {
public:
    explicit LabelLinks(QStringList labelTable);
    ~LabelLinks();
    LabelLinks(const LabelLinks &) = delete;
    LabelLinks &operator=(const LabelLinks &) = delete;

    QString linkLine(const QString &line) const;
    // The same, added to the end of out.
    void appendLinked(QString &out, QStringView line) const;
    // The index of the last table name that occurs in the line, or -1.
    qsizetype lastMatch(QStringView line) const;

private:
    struct Matcher;
    QStringList m_table;
    qsizetype m_lastEmpty = -1; // an empty name occurs in every non-empty line
    Matcher *m_matcher = nullptr;
};

// One source line as it stands in the page.
QString pageLine(const QString &sourceLine, const LabelLinks &links);

// The whole page, every line ended by CR LF.
QString htmlPage(const QStringList &sourceLines, const QString &title, const HtmlSettings &settings);

// Text as bytes in the given encoding; UTF-8 when Latin-1 cannot hold it all.
QByteArray encodeText(const QString &text, TextEncoding encoding);

// The failure of a page, by its classic error number and description.
struct HtmlFileResult {
    bool ok = true;
    int number = 0;
    QString description;
};

// Reads the source file and writes the page for it to htmlPath, in the source's
// encoding (UTF-8 when the page holds what that encoding cannot). The page
// replaces the target only once it is complete.
HtmlFileResult createHTMLFile(const QString &htmlPath, const QString &sourcePath,
                              const QString &title, const HtmlSettings &settings);

// The text of the "Error Occured" message for a failure.
QString errorMessageText(const HtmlFileResult &result);

} // namespace HtmlPage
