#pragma once

#include <QList>
#include <QString>

// How the library explorer colours a library's documentation: the title line
// green, the first line that begins with " * " bold, and the lines that begin
// (after blanks) with "- " blue; everything else black.
namespace DocuColouring {

struct Range {
    enum Kind { Title, Usage, Item };
    qsizetype start = 0; // in the text as given ('\n' between lines)
    qsizetype length = 0;
    Kind kind = Title;
    bool operator==(const Range &o) const { return start == o.start && length == o.length && kind == o.kind; }
};

// In the order they are applied (a later range wins). A line is coloured only
// when a line break ends it.
QList<Range> ranges(const QString &text);

} // namespace DocuColouring
