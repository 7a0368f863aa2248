#pragma once

#include "editor/core/LineScanner.h"

#include <QList>
#include <QTextLayout>

class CodeEditor;
class QTextBlock;
class QTextDocument;

// Keyword colouring held in each line's layout, apart from the text: colouring
// never edits the document, so it never becomes editing history or marks the
// document changed. A line asked to be coloured while it is off screen is
// coloured when it is first painted.
class SyntaxColouring {
public:
    explicit SyntaxColouring(CodeEditor *editor);

    // Colours line n now (nothing when it does not exist). The scanner only sets
    // colours: what it does not cover keeps the colour it had.
    void parseLine2(int line);
    // Colours every line (off-screen lines when they are painted).
    void parseAllLines();
    // The lines holding [position, position + length) lose their colours and are
    // coloured again (when painted): text put back whole by Undo and Redo.
    void recolourRange(int position, int length);
    // Which scanner colours: the classic keyword table (the default) or the
    // interpreter's whole vocabulary. A change colours every line again.
    void setEveryKeyword(bool on);
    bool everyKeyword() const { return m_everyKeyword; }

    // Resets line n to black.
    void clearLine(int line);

    // Colours a line that waits for colouring (called as it is painted).
    void colourIfPending(const QTextBlock &block);
    // The colour shown at a document position (black when none).
    QColor colourAt(int position);

    // Keeps the colours on the characters they belong to after an edit inside
    // one line; lines made by the edit start black.
    void textChanged(int position, int removed, int added, int blocksBefore);

private:
    void colourBlock(const QTextBlock &block);
    void colourRows(int line, int start, int end);

    CodeEditor *m_editor;
    std::vector<LineScanner::Range> m_ranges; // reused from line to line
    bool m_everyKeyword = false;
};
