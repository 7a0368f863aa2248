#pragma once

#include "editor/core/LongLines.h"

#include <QObject>
#include <QRgb>
#include <vector>

class QTextDocument;

// The row breaks of a document's long lines (see LongLines): the places where
// a block ends inside a line, each with the character it stands for and the
// colour that character is painted in. It lives as a child of its document and
// follows it between threads; a document without long lines has none.
class RowBreaks : public QObject {
    Q_OBJECT
public:
    struct Break {
        int pos;
        char16_t ch;
        QRgb colour = 0xff000000;
    };

    // The breaks of `doc`, or null when it has none.
    static const RowBreaks *of(const QTextDocument *doc);
    static RowBreaks *of(QTextDocument *doc);
    static RowBreaks &ensure(QTextDocument *doc);

    const std::vector<Break> &all() const { return m_breaks; }
    bool isEmpty() const { return m_breaks.empty(); }
    // How many breaks stand before `pos`.
    int countBefore(int pos) const;
    // The break at `pos`, or null.
    const Break *at(int pos) const;
    Break *at(int pos);

    void add(int pos, char16_t ch);
    void add(const std::vector<LongLines::Break> &breaks);
    // The document changed: breaks in the removed range are gone (their
    // characters with them), the ones after it move.
    void applyChange(int position, int removed, int added);

private:
    explicit RowBreaks(QTextDocument *doc);
    std::vector<Break> m_breaks; // by position
};
