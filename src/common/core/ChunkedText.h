#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// A long text held as a row of short pieces that share their storage when the
// text is copied. Changing a few characters copies only the piece they are in,
// and a copy costs a reference per piece, never the characters: so the history
// can keep the text in step on every keystroke and hand a copy to another
// thread at any time, however long the program.
class ChunkedText {
public:
    // Pieces are cut at about this many characters and kept below twice that.
    static constexpr qsizetype PieceSize = 4096;

    ChunkedText() = default;
    explicit ChunkedText(QStringView text);

    qsizetype size() const { return m_ends.empty() ? 0 : m_ends.back(); }
    bool isEmpty() const { return size() == 0; }
    void clear();

    // `removed` characters at `pos` become `inserted`.
    void replace(qsizetype pos, qsizetype removed, QStringView inserted);
    QString mid(qsizetype pos, qsizetype length) const;
    QString toString() const;

    // The pieces in order, for reading without copying the whole text.
    const std::vector<QString> &pieces() const { return m_pieces; }

    // Characters that match from the start / from the end of the two texts.
    qsizetype commonPrefix(QStringView other) const;
    qsizetype commonSuffix(QStringView other, qsizetype limit) const;

    bool operator==(const ChunkedText &other) const;
    bool operator!=(const ChunkedText &other) const { return !(*this == other); }

private:
    // The piece holding position pos (the last piece for pos == size()).
    size_t pieceAt(qsizetype pos) const;
    qsizetype pieceStart(size_t i) const { return i == 0 ? 0 : m_ends[i - 1]; }
    void recountFrom(size_t i);

    std::vector<QString> m_pieces;
    std::vector<qsizetype> m_ends; // where each piece ends in the whole text
};
