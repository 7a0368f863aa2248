#pragma once

#include <QString>
#include <vector>

// The hints of "hotinfo.dat": when the text just typed ends with an entry's
// word, the entry's text is shown below the caret.
struct HotInfoEntry {
    QString Word;   // matched against upper-cased text only
    int Length = 0; // the number of characters compared
    QString text;
};

class HotInfoTable {
public:
    static constexpr int Capacity = 256;

    // Reads records of three comma-separated fields (word, length, text); a field
    // in double quotes may hold commas. Records past the 256th are ignored.
    static HotInfoTable parse(const QString &fileText);

    const std::vector<HotInfoEntry> &entries() const { return m_entries; }
    // Records in the file beyond the table's capacity.
    int ignoredRecords() const { return m_ignored; }

    // The entry to show for the text before the caret, or -1. `tail` is the ten
    // characters before the caret (fewer: no hint); the last matching entry wins.
    int lookup(const QString &tail) const;

private:
    std::vector<HotInfoEntry> m_entries;
    int m_ignored = 0;
};
