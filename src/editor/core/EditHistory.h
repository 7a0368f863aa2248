#pragma once

#include "editor/core/SnapshotStack.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

// Undo and redo over whole-text snapshots. Every recorded change pushes the
// whole text; Undo and Redo move snapshots between the two stacks. The stacks
// never copy the whole text for a typed character: as long as the top of the
// undo stack is known to be the editor's text, a change is pushed as itself.
class EditHistory {
public:
    using TextGetter = std::function<QString()>;

    SnapshotStack undoStack;
    SnapshotStack redoStack;

    // A document was loaded: a fresh history whose bottom is its text, which
    // is also the saved state. Undo stops there.
    void reset(const QString &text);

    // A change of the editor text that counts as a history step.
    void recordChange(const TextChange &change, const TextGetter &editorText);
    // A change that leaves no history step (automatic indentation and the like).
    void recordSilentChange(const TextChange &change);

    // Undo / Redo: the text the editor must show now, or nothing when the stack
    // is empty. The editor's text is asked for only when it cannot be known.
    std::optional<QString> undo(const TextGetter &editorText);
    std::optional<QString> redo(const TextGetter &editorText);

    bool canUndo() const { return m_current > 0; }
    bool canRedo() const { return m_current + 1 < undoStack.count() + redoStack.count(); }

    // Whether the state shown differs from the one last loaded or saved. The
    // saved state is kept as a place in the history, so Undo back to it makes
    // the text unchanged again without comparing texts.
    bool isModified() const { return m_current != m_saved; }
    void markSaved() { m_saved = m_current; }
    // The saved state is no longer in the history (the file changed on disk).
    void forgetSaved() { m_saved = -1; }

    // The editor's text as the history can tell it without asking the editor:
    // a copy of the snapshot that holds it (sharing its pieces), with the silent
    // changes since applied: far cheaper than reading the editor.
    std::optional<ChunkedText> textWithoutAsking() const;

    // The editor's text as the history knows it without asking, or null.
    const ChunkedText *knownEditorText() const;

    // The editor's text changed in a way the history did not see.
    void loseTrack()
    {
        m_inStep = m_redoInStep = false;
        m_silent.clear();
    }

private:
    std::optional<QString> move(SnapshotStack &from, SnapshotStack &to, const TextGetter &editorText);

    // True while the undo top, with m_silent applied, is the editor's text.
    bool m_inStep = false;
    std::vector<TextChange> m_silent;
    // True while the redo top is the editor's text (right after an Undo).
    bool m_redoInStep = false;
    // Places in the sequence of all snapshots, the undo stack from its bottom
    // followed by the redo stack from its top: the state shown, and the saved one
    // (-1 when it is gone).
    int m_current = 0;
    int m_saved = 0;
};
