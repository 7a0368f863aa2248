#include "editor/GoToLine.h"

#include "editor/CodeEditor.h"
#include "editor/EditorText.h"
#include "platform/core/Prompter.h"

#include <QTextBlock>

namespace GoToLine {

void moveCaret(CodeEditor *editor, int line, int column)
{
    QTextCursor c = editor->textCursor();
    c.setPosition(EditorText::qtPositionOfLine(editor->document(), line, column));
    editor->setTextCursor(c);
    editor->centerCursor();
    editor->setFocus();
}

void ask(CodeEditor *editor, IPrompter &prompter)
{
    const int lines = EditorText::lineCount(editor->document());
    InputRequest r;
    r.title = QStringLiteral("Go to Line");
    r.prompt = QStringLiteral("Line number (1 to %1):").arg(lines);
    r.defaultText = QString::number(EditorText::lineOf(editor->document(), editor->textCursor().position()) + 1);
    const std::optional<QString> answer = prompter.input(r);
    if (!answer)
        return;
    bool ok = false;
    const qlonglong line = answer->trimmed().toLongLong(&ok);
    if (!ok || line < 1 || line > lines) {
        prompter.ask(QStringLiteral("Go to Line"),
                     QStringLiteral("There is no line \"%1\". The program has lines 1 to %2.")
                         .arg(answer->trimmed()).arg(lines),
                     MsgButtons::OK, MsgIcon::Exclamation);
        return;
    }
    moveCaret(editor, int(line) - 1, 0);
}

} // namespace GoToLine
