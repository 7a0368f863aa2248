#include "SearchCommands.h"

#include "editor/EditorText.h"
#include "platform/core/Prompter.h"
#include "search/core/FindText.h"
#include "search/FindDialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

SearchCommands::SearchCommands(QPlainTextEdit *editor, IPrompter &prompter,
                               std::function<void()> openHelp, QWidget *owner)
    : QObject(owner), m_editor(editor), m_prompter(prompter), m_openHelp(std::move(openHelp)),
      m_owner(owner)
{
}

void SearchCommands::select(int position, int length)
{
    EditorText::selectModelRange(m_editor, position - 1, length);
}

void SearchCommands::showFindDialog()
{
    FindDialog dialog(m_owner);
    connect(&dialog, &FindDialog::helpRequested, this, [this] { m_openHelp(); });
    dialog.exec();
    if (dialog.dialogCancelled())
        return;
    searchText = dialog.searchText();
    matchCase = dialog.matchCase() ? 1 : 0;
    const int p = FindText::find(EditorText::modelText(m_editor->document()), searchText, 1, matchCase == 1);
    if (p > 0) {
        nextSearchStart = p + 1;
        select(p, int(searchText.size()));
    } else {
        m_prompter.ask(QStringLiteral("No Match"), QStringLiteral("No Match was Found"), MsgButtons::OK,
                       MsgIcon::None);
    }
}

void SearchCommands::findNext()
{
    if (searchText.isEmpty())
        return;
    if (nextSearchStart < 1)
        nextSearchStart = 1;
    const int p = FindText::find(EditorText::modelText(m_editor->document()), searchText,
                                 nextSearchStart, matchCase == 1);
    if (p > 0) {
        nextSearchStart = p + 1;
        select(p, int(searchText.size()));
    } else {
        m_prompter.ask(QStringLiteral("No Match"), QStringLiteral("No Match was Found"), MsgButtons::OK,
                       MsgIcon::Information);
        nextSearchStart = 1; // the next one starts again at the top
    }
}

void SearchCommands::showReplaceDialog()
{
    if (!m_replace) {
        m_replace = new ReplaceDialog(m_owner);
        m_replace->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_replace, &ReplaceDialog::findNextRequested, this, &SearchCommands::replaceFindNext);
        connect(m_replace, &ReplaceDialog::replaceRequested, this, &SearchCommands::replaceOne);
        connect(m_replace, &ReplaceDialog::helpRequested, this, [this] { m_openHelp(); });
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
    const int start = lastFoundPos + 1;
    if (what.isEmpty())
        return;
    const int p = FindText::find(EditorText::modelText(m_editor->document()), what, start,
                                 m_replace->matchCase());
    if (p > 0) {
        lastFoundPos = p;
        lastFoundLen = int(what.size());
        select(p, lastFoundLen);
        m_editor->setFocus();
        m_replace->setReplaceEnabled(true);
    } else {
        m_prompter.ask(QStringLiteral("No Match"), QStringLiteral("No Match were found"), MsgButtons::OK,
                       MsgIcon::Information);
        m_replace->setReplaceEnabled(false);
        lastFoundPos = 0;
        lastFoundLen = 0;
    }
}

void SearchCommands::replaceOne()
{
    if (!m_replace)
        return;
    if (lastFoundPos != 0) {
        // What stands there now is replaced, even if the text changed since the
        // search; a range past the end is cut at the end.
        select(lastFoundPos, lastFoundLen);
        m_editor->textCursor().insertText(m_replace->replacementText());
    } else {
        m_prompter.ask(QStringLiteral("Replace?"), QStringLiteral("There are no text to replace"),
                       MsgButtons::OK, MsgIcon::Information);
    }
    m_replace->setReplaceEnabled(false);
}
