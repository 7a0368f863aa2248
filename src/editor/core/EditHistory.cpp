#include "editor/core/EditHistory.h"

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
    redoStack.clear();
    const bool full = undoStack.count() == SnapshotStack::Capacity;
    if (m_inStep && !undoStack.stackIsEmpty()) {
        m_silent.push_back(change);
        undoStack.pushChanges(m_silent);
    } else {
        undoStack.push(editorText());
    }
    m_current = undoStack.count() - 1;
    // The saved state moves down with the oldest snapshot dropped, and is gone
    // once it was dropped or lay in the redo stack just cleared.
    if (full && m_saved >= 0)
        --m_saved;
    if (m_saved >= m_current)
        m_saved = -1;
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
        topIsCurrent = from.top() == editorText();
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

const QString *EditHistory::knownEditorText() const
{
    if (m_inStep && m_silent.empty() && !undoStack.stackIsEmpty())
        return &undoStack.top();
    if (m_redoInStep && !redoStack.stackIsEmpty())
        return &redoStack.top();
    return nullptr;
}
