#pragma once

class CodeEditor;
class IPrompter;

// Moving the caret to a line: Edit > Go to Line, and the places of errors.
namespace GoToLine {

// Line and column counted from 0. A line past the end goes to the last line; the
// caret's line is brought into view.
void moveCaret(CodeEditor *editor, int line, int column);

// Asks for a line number ("Go to Line") and goes there; a number that names no
// line is told and nothing moves.
void ask(CodeEditor *editor, IPrompter &prompter);

} // namespace GoToLine
