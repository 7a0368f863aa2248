#include "EditHistory.h"

void EditHistory::Reset(const QString &text)
{
    RedoStack.Clear();
    UndoStack.Push(text);
    m_inStep = true;
    m_redoInStep = false;
    m_silent.clear();
}

void EditHistory::RecordChange(const TextChange &change, const TextGetter &editorText)
{
    RedoStack.Clear();
    if (m_inStep && !UndoStack.StackIsEmpty()) {
        m_silent.push_back(change);
        UndoStack.PushChanges(m_silent);
    } else {
        UndoStack.Push(editorText());
    }
    m_silent.clear();
    m_inStep = true;
    m_redoInStep = false;
}

void EditHistory::RecordSilentChange(const TextChange &change)
{
    if (m_inStep)
        m_silent.push_back(change);
    m_redoInStep = false;
}

std::optional<QString> EditHistory::move(clsStack &from, clsStack &to, const TextGetter &editorText)
{
    if (from.StackIsEmpty())
        return std::nullopt;
    // Is the top snapshot the current state? The editor's text is fetched only
    // when neither stack top is known to hold it.
    bool topIsCurrent;
    if (m_inStep && m_silent.empty())
        topIsCurrent = (&from == &UndoStack) || from.Top() == UndoStack.Top();
    else if (m_redoInStep)
        topIsCurrent = (&from == &RedoStack) || from.Top() == RedoStack.Top();
    else
        topIsCurrent = from.Top() == editorText();
    QString s = from.Pop();
    to.Push(s);
    if (topIsCurrent) {
        s = from.Pop();
        to.Push(s);
    }
    // The editor now shows s, which is the top of `to`; the undo top is only in
    // step with it when s went onto the undo stack (a redo).
    m_inStep = (&to == &UndoStack);
    m_redoInStep = !m_inStep;
    m_silent.clear();
    return s;
}

std::optional<QString> EditHistory::Undo(const TextGetter &editorText)
{
    return move(UndoStack, RedoStack, editorText);
}

std::optional<QString> EditHistory::Redo(const TextGetter &editorText)
{
    return move(RedoStack, UndoStack, editorText);
}

const QString *EditHistory::KnownEditorText() const
{
    if (m_inStep && m_silent.empty() && !UndoStack.StackIsEmpty())
        return &UndoStack.Top();
    if (m_redoInStep && !RedoStack.StackIsEmpty())
        return &RedoStack.Top();
    return nullptr;
}
