#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>
#include <vector>

// The program's subroutine and label definitions, by line. It is kept up to date
// from the lines a change touched, so typing costs only those lines.
class SubsLabelsIndex {
public:
    enum class Kind { Sub, Label };
    struct Entry {
        int line;        // 0-based line of the definition
        QString display; // the rest of the line after the keyword
    };

    // A line that defines a subroutine ("sub " after leading blanks, any letter
    // case) or a label ("label "), with its display text; nothing otherwise.
    static std::optional<std::pair<Kind, QString>> parseDefinition(QStringView line);

    using LineGetter = std::function<QString(int line)>;

    // Reads every line, asking for them in order from 0. onLine is called after
    // each line with its count (for progress).
    void rebuild(int lineCount, const LineGetter &line, const std::function<void(int)> &onLine = {});
    // The same over one whole text whose lines end at `separator`.
    void rebuild(QStringView text, QChar separator, const std::function<void(int)> &onLine = {});

    // A change replaced the lines [firstLine, firstLine + oldLines) by the lines
    // [firstLine, firstLine + newLines). Returns which lists changed.
    struct Changed {
        bool subs = false;
        bool labels = false;
    };
    Changed applyChange(int firstLine, int oldLines, int newLines, const LineGetter &line);

    const std::vector<Entry> &subs() const { return m_subs; }
    const std::vector<Entry> &labels() const { return m_labels; }

private:
    static bool update(std::vector<Entry> &list, int firstLine, int oldLines, int newLines,
                       const std::vector<Entry> &fresh);

    std::vector<Entry> m_subs;
    std::vector<Entry> m_labels;
};
