#pragma once

#include "common/core/TextBuffer.h"
#include "editor/core/EditHistory.h"
#include "editor/core/HotInfo.h"
#include "editor/RowKeeper.h"
#include "editor/SyntaxColouring.h"

#include <QHash>
#include <QList>
#include <QObject>

class CodeEditor;
class QAction;
class QDate;
class QFrame;
class QLabel;

// Everything the code editor does beyond plain editing: colouring while typing,
// the change notification with its history, Undo and Redo, automatic
// indentation, the hot-info box and the Edit menu commands.
class EditorController : public QObject, public TextBuffer {
    Q_OBJECT
public:
    EditorController(CodeEditor *editor, QFrame *hotInfoBox, QLabel *hotInfoLabel,
                     QObject *parent = nullptr);

    void setAutoIndent(bool on) { m_autoIndent = on; }
    void setHotInfo(HotInfoTable table) { m_hotInfo = std::move(table); }
    const EditHistory &history() const { return m_history; }
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }

    // The window's menu keys that win over the editor's own keys while their
    // item is enabled (Ctrl+Z is our Undo, not the editor's).
    void setWindowShortcuts(const QList<QAction *> &actions);

    // Colouring.
    void parseLine2(int line);
    void parseAllLines();
    SyntaxColouring &colouring() { return m_colouring; }

    QString text() const override;
    ChunkedText sharedText() const override;
    void setText(const QString &text) override;
    void appendText(const QString &text) override;

    // Texts of at least this many characters are put into the editor away from
    // the window (see buildDocumentAside), with loadProgress meanwhile.
    static constexpr qsizetype LongTextChars = 2 * 1024 * 1024;

    // The current text is the first snapshot of a fresh history.
    void startHistory();
    void layOutWidestLine(const ChunkedText &all);
    // Another document replaced the text: its own history starts, and the hint
    // of the previous one goes.
    void documentReplaced();
    // The text shown is the one on disk now (saved), or the one on disk is no
    // longer in the history (changed by another program).
    void markSaved() { m_history.markSaved(); }
    void forgetSaved() { m_history.forgetSaved(); }
    void undoEdit();
    void redoEdit();

    // 0 cut, 1 copy, 2 paste, 3 delete.
    void editCommand(int index);
    void selectAllText();
    void insertSubroutine(const QDate &date);

    void showHotInfo();
    void hideHotInfo();

    // The caret's line and column, counted from 0.
    int caretLineNumber() const;
    int caretColumn() const;

signals:
    // The user changed the text (not Undo, Redo or a silent change).
    void textEdited();
    // Any change of the text: lines [first, first + oldLines) became
    // [first, first + newLines); wholeText when all of it was replaced.
    void linesChanged(int first, int oldLines, int newLines, bool wholeText);
    void historyChanged(bool canUndo, bool canRedo);
    // Undo or Redo brought the text to the saved state (false) or away from it (true).
    void modifiedByHistory(bool modified);
    void caretLineChanged();
    // A long text being put in: the part done, 0 to 100.
    void loadProgress(int percent);
    // The Insert key switched between inserting and overwriting.
    void overwriteModeChanged(bool overwrite);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchDocument();
    void onContentsChange(int position, int removed, int added);
    void takeChange(const TextChange &change, int blocksBefore, int linesBefore, int oldLength);
    void keyPressed(const QString &typed, int key);
    void keyReleased(int key);
    void lineChangeCheck();
    void indentAfterEnter();
    void putText(const QString &text); // Undo/Redo: the editor shows text, no history step
    void stepHistory(bool undo);
    void placeHotInfo();
    void emitHistoryChanged() { emit historyChanged(canUndo(), canRedo()); }

    CodeEditor *m_editor;
    QFrame *m_hotBox;
    QLabel *m_hotLabel;
    SyntaxColouring m_colouring;
    RowKeeper m_rows;
    HotInfoTable m_hotInfo;
    EditHistory m_history;
    QHash<int, QList<QAction *>> m_windowShortcuts; // by QKeyCombination::toCombined()

    // Typing state: the line being typed on is cleared of its colours at the
    // first printable key and coloured again once the caret leaves it.
    int m_editLine = 0;
    bool m_lineCleared = false;
    bool m_ignoreChange = false;
    bool m_autoIndent = true;

    int m_length = 0;          // characters in the document, without the final one
    int m_blocks = 1;
    int m_lines = 1;
    bool m_puttingHistory = false;
    const QString *m_knownText = nullptr; // the text being put in whole, while it is
};
