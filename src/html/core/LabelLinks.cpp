// The label links of the HTML page. A page of 100,000 lines may define
// thousands of labels, and every line must find the last table name it holds,
// with no word boundaries: all names are searched at once (Aho-Corasick), so a
// line costs its length, whatever the size of the table.
//
// Names are sought in the line's text only, never inside the markup the page
// has put there already (the colour tags and the entities &amp; &lt; &gt;): a
// label named "a" would otherwise land inside <FONT COLOR=darkblue> and break
// every coloured line of the page.

#include "html/core/HtmlPage.h"

#include <algorithm>
#include <array>
#include <deque>
#include <vector>

namespace HtmlPage {

namespace {
// The end (one past) of the tag or entity that starts at i.
qsizetype markupEnd(QStringView line, qsizetype i)
{
    const qsizetype end = line.indexOf(line.at(i) == QLatin1Char('<') ? QLatin1Char('>') : QLatin1Char(';'), i);
    return end < 0 ? line.size() : end + 1;
}

// The first occurrence of a name in the line's text, outside markup, or -1.
qsizetype firstInText(QStringView line, QStringView name)
{
    qsizetype run = 0;
    const qsizetype n = line.size();
    while (run < n) {
        qsizetype end = run;
        while (end < n && line.at(end) != QLatin1Char('<') && line.at(end) != QLatin1Char('&'))
            ++end;
        const qsizetype k = line.mid(run, end - run).indexOf(name);
        if (k >= 0)
            return run + k;
        run = end < n ? markupEnd(line, end) : n;
    }
    return -1;
}
} // namespace

struct LabelLinks::Matcher {
    struct Node {
        std::vector<std::pair<char16_t, int>> next; // children, unordered
        int fail = 0;
        qsizetype own = -1;  // the highest table index of a name ending here
        qsizetype best = -1; // the highest index of any name ending here or along the failure links
    };
    std::vector<Node> nodes;
    std::array<int, 128> rootAscii{}; // the root's children by character (0: none)

    int child(int state, char16_t c) const
    {
        if (state == 0)
            return c < 128 ? rootAscii[c] : find(nodes[0], c);
        return find(nodes[size_t(state)], c);
    }

    static int find(const Node &n, char16_t c)
    {
        for (const auto &[ch, to] : n.next) {
            if (ch == c)
                return to;
        }
        return 0;
    }

    void add(QStringView name, qsizetype index)
    {
        int state = 0;
        for (const QChar qc : name) {
            const char16_t c = qc.unicode();
            int to = child(state, c);
            if (to == 0) {
                to = int(nodes.size());
                nodes.emplace_back();
                nodes[size_t(state)].next.emplace_back(c, to);
                if (state == 0 && c < 128)
                    rootAscii[c] = to;
            }
            state = to;
        }
        Node &end = nodes[size_t(state)];
        end.own = std::max(end.own, index);
    }

    void link()
    {
        std::deque<int> queue;
        for (const auto &[c, to] : nodes[0].next) {
            nodes[size_t(to)].fail = 0;
            nodes[size_t(to)].best = nodes[size_t(to)].own;
            queue.push_back(to);
        }
        while (!queue.empty()) {
            const int s = queue.front();
            queue.pop_front();
            for (const auto &[c, to] : nodes[size_t(s)].next) {
                int f = nodes[size_t(s)].fail;
                while (f != 0 && child(f, c) == 0)
                    f = nodes[size_t(f)].fail;
                const int g = child(f, c);
                Node &n = nodes[size_t(to)];
                n.fail = (g == to) ? 0 : g;
                n.best = std::max(n.own, nodes[size_t(n.fail)].best);
                queue.push_back(to);
            }
        }
    }

    qsizetype lastMatch(QStringView line) const
    {
        qsizetype best = -1;
        int state = 0;
        const qsizetype n = line.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = line.at(i).unicode();
            if (c == u'<' || c == u'&') {
                i = markupEnd(line, i) - 1;
                state = 0;
                continue;
            }
            int to = child(state, c);
            while (to == 0 && state != 0) {
                state = nodes[size_t(state)].fail;
                to = child(state, c);
            }
            state = to;
            best = std::max(best, nodes[size_t(state)].best);
        }
        return best;
    }
};

LabelLinks::LabelLinks(QStringList labelTable) : m_table(std::move(labelTable))
{
    bool any = false;
    for (qsizetype i = 0; i < m_table.size(); ++i) {
        if (m_table.at(i).isEmpty()) {
            m_lastEmpty = i;
        } else {
            if (!m_matcher) {
                m_matcher = new Matcher;
                m_matcher->nodes.emplace_back();
            }
            m_matcher->add(m_table.at(i), i);
            any = true;
        }
    }
    if (any)
        m_matcher->link();
}

LabelLinks::~LabelLinks()
{
    delete m_matcher;
}

qsizetype LabelLinks::lastMatch(QStringView line) const
{
    qsizetype best = line.isEmpty() ? -1 : m_lastEmpty;
    if (m_matcher)
        best = std::max(best, m_matcher->lastMatch(line));
    return best;
}

QString LabelLinks::linkLine(const QString &line) const
{
    QString out;
    appendLinked(out, line);
    return out;
}

void LabelLinks::appendLinked(QString &out, QStringView line) const
{
    const qsizetype index = lastMatch(line);
    if (index < 0) {
        out += line;
        return;
    }
    const QString &name = m_table.at(index);
    const qsizetype k = name.isEmpty() ? 0 : firstInText(line, name);
    QString attr = name;
    attr.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    if (isLabelDefinition(line))
        out += QLatin1String("<A NAME=\"") + attr + QLatin1String("\"></A>");
    out += line.left(k);
    out += QLatin1String("<A HREF=\"#") + attr + QLatin1String("\">") + name + QLatin1String("</A>");
    out += line.mid(k + name.size());
}

} // namespace HtmlPage
