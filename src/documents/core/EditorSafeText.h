#pragma once

#include <QList>
#include <QString>

#include <utility>

// The editor turns three characters into line breaks: U+2029 (paragraph
// separator) and U+FDD0/U+FDD1 (which Qt's documents use for frames). A file
// holding them is shown with a private-use character standing in for each,
// chosen among those the file does not hold, and saved back as it was.
class EditorSafeText {
public:
    // The text as the editor can hold it; remembers the stand-ins it chose.
    QString toEditor(const QString &fileText);
    // The file's text again from the editor's.
    QString fromEditor(const QString &editorText) const;
    // Any character was given a stand-in.
    bool standsIn() const { return !m_pairs.isEmpty(); }
    void clear() { m_pairs.clear(); }

private:
    QList<std::pair<QChar, QString>> m_pairs; // each character with its stand-in
};
