#include "SearchCommands.h"

#include "editor/EditorText.h"
#include "platform/core/Prompter.h"
#include "search/core/FindText.h"
#include "search/FindDialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

SearchCommands::SearchCommands(QPlainTextEdit *editor, IPrompter &prompter, QWidget *owner)
    : QObject(owner), m_editor(editor), m_prompter(prompter), m_owner(owner)
{
}

void SearchCommands::select(int position, int length)
{
    EditorText::selectModelRange(m_editor, position - 1, length);
}

void SearchCommands::showFindDialog()
{
    FindDialog dialog(m_owner);
    connect(&dialog, &FindDialog::helpRequested, this, &SearchCommands::helpRequested);
    dialog.exec();
    if (dialog.dialogCancelled())
        return;
    m_searchText = dialog.searchText();
    m_matchCase = dialog.matchCase();
    const int p = FindText::find(EditorText::modelText(m_editor->document()), m_searchText, 1, m_matchCase);
    if (p > 0) {
        m_nextSearchStart = p + 1;
        select(p, int(m_searchText.size()));
    } else {
        m_prompter.ask(QStringLiteral("No Match"), QStringLiteral("No Match was Found"), MsgButtons::OK,
                       MsgIcon::None);
    }
}

void SearchCommands::findNext()
{
    if (m_searchText.isEmpty())
        return;
    if (m_nextSearchStart < 1)
        m_nextSearchStart = 1;
    const int p = FindText::find(EditorText::modelText(m_editor->document()), m_searchText,
                                 m_nextSearchStart, m_matchCase);
    if (p > 0) {
        m_nextSearchStart = p + 1;
        select(p, int(m_searchText.size()));
    } else {
        m_prompter.ask(QStringLiteral("No Match"), QStringLiteral("No Match was Found"), MsgButtons::OK,
                       MsgIcon::Information);
        m_nextSearchStart = 1; // the next one starts again at the top
    }
}

void SearchCommands::showReplaceDialog()
{
    if (!m_replace) {
        m_replace = new ReplaceDialog(m_owner);
        m_replace->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_replace, &ReplaceDialog::findNextRequested, this, &SearchCommands::replaceFindNext);
        connect(m_replace, &ReplaceDialog::replaceRequested, this, &SearchCommands::replaceOne);
        emit toolWindowOpened(m_replace);
        connect(m_replace, &ReplaceDialog::helpRequested, this, &SearchCommands::helpRequested);
        const bool hasText = !m_editor->document()->isEmpty();
        m_replace->setFindNextEnabled(hasText);
        m_replace->setReplaceEnabled(hasText);
    }
    m_replace->show();
    m_replace->raise();
    m_replace->activateWindow();
}

void SearchCommands::replaceFindNext()
{
    if (!m_replace)
        return;
    const QString what = m_replace->findText();
    const int start = m_lastFoundPos + 1;
    if (what.isEmpty())
        return;
    const int p = FindText::find(EditorText::modelText(m_editor->document()), what, start,
                                 m_replace->matchCase());
    if (p > 0) {
        m_lastFoundPos = p;
        m_lastFoundLen = int(what.size());
        select(p, m_lastFoundLen);
        m_editor->setFocus();
        m_replace->setReplaceEnabled(true);
    } else {
        m_prompter.ask(QStringLiteral("No Match"), QStringLiteral("No Match were found"), MsgButtons::OK,
                       MsgIcon::Information);
        m_replace->setReplaceEnabled(false);
        m_lastFoundPos = 0;
        m_lastFoundLen = 0;
    }
}

void SearchCommands::replaceOne()
{
    if (!m_replace)
        return;
    if (m_lastFoundPos != 0) {
        // What stands there now is replaced, even if the text changed since the
        // search; a range past the end is cut at the end.
        select(m_lastFoundPos, m_lastFoundLen);
        m_editor->textCursor().insertText(m_replace->replacementText());
    } else {
        m_prompter.ask(QStringLiteral("Replace?"), QStringLiteral("There are no text to replace"),
                       MsgButtons::OK, MsgIcon::Information);
    }
    m_replace->setReplaceEnabled(false);
}

ReplaceDialog *SearchCommands::replaceDialog() const
{
    return m_replace;
}
