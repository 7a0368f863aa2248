#pragma once

#include "common/core/ChunkedText.h"
#include "editor/core/TextChange.h"

#include <QString>
#include <deque>
#include <vector>

// A bounded stack of whole-text snapshots (500 at most; a push onto a full stack
// drops the oldest). Only the top snapshot is kept whole, in pieces that a small
// change copies one at a time; each one below it is kept as the change that turns
// its upper neighbour back into it, so a history of small edits to a large text
// costs little memory and little time.
class SnapshotStack {
public:
    static constexpr int Capacity = 500;

    int count() const { return m_count; }
    bool stackIsEmpty() const { return m_count == 0; }
    void clear();

    void push(const QString &text);
    void push(const ChunkedText &text);
    // Pushes the snapshot made by applying the changes, in order, to the top
    // snapshot (which must exist). Costs only the size of the changes.
    void pushChanges(const std::vector<TextChange> &changes);
    // The top snapshot, removed; an empty text when the stack is empty.
    QString pop();
    // The top snapshot (empty when the stack is empty).
    const ChunkedText &top() const { return m_top; }

    // Characters held, whole top and changes together (for measuring).
    qint64 heldCharacters() const;

private:
    void pushBelow(TextChange &&back);

    ChunkedText m_top;
    std::deque<TextChange> m_below; // back() turns m_top into the snapshot under it
    int m_count = 0;
};
