#include "editor/core/EditHistory.h"

namespace {
bool sameText(const ChunkedText &a, const QString &b)
{
    return a.size() == b.size() && a.commonPrefix(b) == b.size();
}
} // namespace

void EditHistory::reset(const QString &text)
{
    undoStack.clear();
    redoStack.clear();
    undoStack.push(text);
    m_current = m_saved = 0;
    m_inStep = true;
    m_redoInStep = false;
    m_silent.clear();
}

void EditHistory::recordChange(const TextChange &change, const TextGetter &editorText)
{
    const int before = undoStack.count();
    int pushes = 1;
    if (m_redoInStep && !redoStack.stackIsEmpty()) {
        // Right after an Undo the text shown is the redo top: it stays in the
        // history below the change, so Undo can go back to it.
        undoStack.push(redoStack.top());
        undoStack.pushChanges({change});
        pushes = 2;
    } else if (m_inStep && !undoStack.stackIsEmpty()) {
        m_silent.push_back(change);
        undoStack.pushChanges(m_silent);
    } else {
        undoStack.push(editorText());
    }
    redoStack.clear();
    // The saved state stays where it was if it lies below the new one; it is
    // gone when it lay in the redo stack just cleared, or when it was among the
    // oldest snapshots dropped to make room.
    const int newPlace = before + pushes - 1;
    const int dropped = before + pushes - undoStack.count();
    if (m_saved >= newPlace)
        m_saved = -1;
    else if (m_saved >= 0)
        m_saved = m_saved - dropped >= 0 ? m_saved - dropped : -1;
    m_current = undoStack.count() - 1;
    m_silent.clear();
    m_inStep = true;
    m_redoInStep = false;
}

void EditHistory::recordSilentChange(const TextChange &change)
{
    if (m_inStep)
        m_silent.push_back(change);
    m_redoInStep = false;
}

std::optional<QString> EditHistory::move(SnapshotStack &from, SnapshotStack &to, const TextGetter &editorText)
{
    if (&from == &undoStack ? !canUndo() : !canRedo())
        return std::nullopt;
    // Is the top snapshot the current state? The editor's text is fetched only
    // when neither stack top is known to hold it.
    bool topIsCurrent;
    if (m_inStep && m_silent.empty())
        topIsCurrent = (&from == &undoStack) || from.top() == undoStack.top();
    else if (m_redoInStep)
        topIsCurrent = (&from == &redoStack) || from.top() == redoStack.top();
    else
        topIsCurrent = sameText(from.top(), editorText());
    QString s = from.pop();
    to.push(s);
    if (topIsCurrent) {
        s = from.pop();
        to.push(s);
    }
    // The editor now shows s, which is the top of `to`; the undo top is only in
    // step with it when s went onto the undo stack (a redo).
    m_inStep = (&to == &undoStack);
    m_redoInStep = !m_inStep;
    m_silent.clear();
    m_current = m_inStep ? undoStack.count() - 1 : undoStack.count();
    return s;
}

std::optional<QString> EditHistory::undo(const TextGetter &editorText)
{
    return move(undoStack, redoStack, editorText);
}

std::optional<QString> EditHistory::redo(const TextGetter &editorText)
{
    return move(redoStack, undoStack, editorText);
}

const ChunkedText *EditHistory::knownEditorText() const
{
    if (m_inStep && m_silent.empty() && !undoStack.stackIsEmpty())
        return &undoStack.top();
    if (m_redoInStep && !redoStack.stackIsEmpty())
        return &redoStack.top();
    return nullptr;
}

std::optional<ChunkedText> EditHistory::textWithoutAsking() const
{
    if (const ChunkedText *known = knownEditorText())
        return *known;
    if (!m_inStep || undoStack.stackIsEmpty())
        return std::nullopt;
    ChunkedText text = undoStack.top();
    for (const TextChange &c : m_silent)
        text.replace(c.pos, c.removed, c.inserted);
    return text;
}
