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

    // Start-up: the loaded text is the first snapshot.
    void reset(const QString &text);

    // A change of the editor text that counts as a history step.
    void recordChange(const TextChange &change, const TextGetter &editorText);
    // A change that leaves no history step (automatic indentation and the like).
    void recordSilentChange(const TextChange &change);

    // Undo / Redo: the text the editor must show now, or nothing when the stack
    // is empty. The editor's text is asked for only when it cannot be known.
    std::optional<QString> undo(const TextGetter &editorText);
    std::optional<QString> redo(const TextGetter &editorText);

    // The editor's text as the history knows it without asking, or null.
    const QString *knownEditorText() const;

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
};
