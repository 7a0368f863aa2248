#include "search/core/SubsLabelsIndex.h"

#include <algorithm>

namespace {
// "sub " / "label " at the start, in any letter case.
bool startsWithKeyword(QStringView s, QLatin1String keyword)
{
    if (s.size() < keyword.size() + 1 || s.at(keyword.size()) != QLatin1Char(' '))
        return false;
    return s.left(keyword.size()).compare(keyword, Qt::CaseInsensitive) == 0;
}

QStringView withoutLeadingBlanks(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && s.at(i) == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}
} // namespace

std::optional<std::pair<SubsLabelsIndex::Kind, QString>> SubsLabelsIndex::parseDefinition(QStringView line)
{
    // Only blanks are skipped: a definition indented with a tab is not one.
    const QStringView s = withoutLeadingBlanks(line);
    if (s.isEmpty() || (s.at(0) != QLatin1Char('s') && s.at(0) != QLatin1Char('S')
                        && s.at(0) != QLatin1Char('l') && s.at(0) != QLatin1Char('L')))
        return std::nullopt;
    if (startsWithKeyword(s, QLatin1String("sub")))
        return std::make_pair(Kind::Sub, withoutLeadingBlanks(s.mid(4)).toString());
    if (startsWithKeyword(s, QLatin1String("label")))
        return std::make_pair(Kind::Label, withoutLeadingBlanks(s.mid(6)).toString());
    return std::nullopt;
}

void SubsLabelsIndex::rebuild(int lineCount, const LineGetter &line, const std::function<void(int)> &onLine)
{
    m_subs.clear();
    m_labels.clear();
    for (int n = 0; n < lineCount; ++n) {
        if (const auto def = parseDefinition(line(n)))
            (def->first == Kind::Sub ? m_subs : m_labels).push_back({n, def->second});
        if (onLine)
            onLine(n + 1);
    }
}

void SubsLabelsIndex::rebuild(QStringView text, QChar separator, const std::function<void(int)> &onLine)
{
    m_subs.clear();
    m_labels.clear();
    qsizetype start = 0;
    int n = 0;
    for (;;) {
        qsizetype end = text.indexOf(separator, start);
        const bool last = end < 0;
        if (last)
            end = text.size();
        if (const auto def = parseDefinition(text.mid(start, end - start)))
            (def->first == Kind::Sub ? m_subs : m_labels).push_back({n, def->second});
        ++n;
        if (onLine)
            onLine(n);
        if (last)
            break;
        start = end + 1;
    }
}

bool SubsLabelsIndex::update(std::vector<Entry> &list, int firstLine, int oldLines, int newLines,
                             const std::vector<Entry> &fresh)
{
    const auto begin = std::lower_bound(list.begin(), list.end(), firstLine,
                                        [](const Entry &e, int l) { return e.line < l; });
    const auto end = std::lower_bound(begin, list.end(), firstLine + oldLines,
                                      [](const Entry &e, int l) { return e.line < l; });
    // Did the definitions of the touched lines change (text or count)?
    bool changed = (end - begin) != qsizetype(fresh.size());
    for (size_t i = 0; !changed && i < fresh.size(); ++i)
        changed = (begin + i)->display != fresh[i].display;
    const int shift = newLines - oldLines;
    for (auto it = end; it != list.end(); ++it)
        it->line += shift;
    const auto at = list.erase(begin, end);
    list.insert(at, fresh.begin(), fresh.end());
    return changed;
}

SubsLabelsIndex::Changed SubsLabelsIndex::applyChange(int firstLine, int oldLines, int newLines,
                                                      const LineGetter &line)
{
    std::vector<Entry> subs, labels;
    for (int n = firstLine; n < firstLine + newLines; ++n) {
        if (const auto def = parseDefinition(line(n)))
            (def->first == Kind::Sub ? subs : labels).push_back({n, def->second});
    }
    Changed c;
    c.subs = update(m_subs, firstLine, oldLines, newLines, subs);
    c.labels = update(m_labels, firstLine, oldLines, newLines, labels);
    return c;
}
