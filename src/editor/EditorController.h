#pragma once

#include "editor/core/EditHistory.h"
#include "editor/core/HotInfo.h"
#include "editor/SyntaxColouring.h"

#include <QObject>
#include <functional>

class CodeEditor;
class QDate;
class QFrame;
class QLabel;

// Everything the code editor does beyond plain editing: colouring while typing,
// the change notification with its history, Undo and Redo, automatic
// indentation, the hot-info box and the Edit menu commands.
class EditorController : public QObject {
    Q_OBJECT
public:
    // What the controller asks of the window around it.
    struct Hooks {
        std::function<void()> markChanged;           // the document changed
        // Any change of the text: lines [first, first + oldLines) became
        // [first, first + newLines); wholeText when all of it was replaced.
        std::function<void(int first, int oldLines, int newLines, bool wholeText)> linesChanged;
        std::function<void()> historyChanged;        // Undo/Redo availability changed
        std::function<void()> caretLineChanged;      // the status bar's line panel
    };

    EditorController(CodeEditor *editor, QFrame *hotInfoBox, QLabel *hotInfoLabel, Hooks hooks,
                     QObject *parent = nullptr);

    // Typing state.
    int editLine = 0;
    int caretLine = 0;
    bool lineCleared = false;
    bool ignoreChange = false;
    bool autoIndent = true;

    HotInfoTable hotInfo;
    EditHistory history;

    // Colouring.
    void parseLine();
    void parseLine2(int line);
    void parseAllLines();
    SyntaxColouring &colouring() { return m_colouring; }

    // The whole text ('\n' between lines) and its replacement. A replacement is
    // one change for the history, like any other.
    QString text() const;
    void replaceAllText(const QString &text);
    // Adds text at the end of the text, as one change.
    void appendText(const QString &text);

    // Start-up: the current text is the first snapshot.
    void startHistory();
    void undoEdit();
    void redoEdit();

    // 0 cut, 1 copy, 2 paste, 3 delete.
    void editCommand(int index);
    void selectAllText();
    void insertSubroutine(const QDate &date);

    void showHotInfo();
    void hideHotInfo();

    // The caret's line, counted from 0.
    int caretLineNumber() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onContentsChange(int position, int removed, int added);
    void keyPressed(const QString &typed, int key);
    void keyReleased(int key);
    void lineChangeCheck();
    void indentAfterEnter();
    void putText(const QString &text); // Undo/Redo: the editor shows text, no history step
    void stepHistory(bool undo);
    void placeHotInfo();

    CodeEditor *m_editor;
    QFrame *m_hotBox;
    QLabel *m_hotLabel;
    Hooks m_hooks;
    SyntaxColouring m_colouring;
    int m_length = 0;          // characters in the document, without the final one
    int m_blocks = 1;
    bool m_puttingHistory = false;
    const QString *m_knownText = nullptr; // the text being put in whole, while it is
};
