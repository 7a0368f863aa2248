#include "SearchCommands.h"

#include "editor/EditorText.h"
#include "platform/Prompter.h"
#include "search/FindText.h"
#include "search/frmFind.h"

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
    EditorText::SelectModelRange(m_editor, position - 1, length);
}

void SearchCommands::ShowFindDialog()
{
    frmFind dialog(m_owner);
    connect(&dialog, &frmFind::helpRequested, this, [this] { m_openHelp(); });
    dialog.exec();
    if (dialog.DialogCancelled)
        return;
    SearchText = dialog.searchText();
    MatchCase = dialog.matchCase() ? 1 : 0;
    const int p = FindText::Find(EditorText::ModelText(m_editor->document()), SearchText, 1, MatchCase == 1);
    if (p > 0) {
        NextSearchStart = p + 1;
        select(p, int(SearchText.size()));
    } else {
        m_prompter.ask(QStringLiteral("No Match"), QStringLiteral("No Match was Found"), MsgButtons::OK,
                       MsgIcon::None);
    }
}

void SearchCommands::FindNext()
{
    if (SearchText.isEmpty())
        return;
    if (NextSearchStart < 1)
        NextSearchStart = 1;
    const int p = FindText::Find(EditorText::ModelText(m_editor->document()), SearchText,
                                 NextSearchStart, MatchCase == 1);
    if (p > 0) {
        NextSearchStart = p + 1;
        select(p, int(SearchText.size()));
    } else {
        m_prompter.ask(QStringLiteral("No Match"), QStringLiteral("No Match was Found"), MsgButtons::OK,
                       MsgIcon::Information);
        NextSearchStart = 1; // the next one starts again at the top
    }
}

void SearchCommands::ShowReplaceDialog()
{
    if (!m_replace) {
        m_replace = new frmReplace(m_owner);
        m_replace->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_replace, &frmReplace::findNextRequested, this, &SearchCommands::ReplaceFindNext);
        connect(m_replace, &frmReplace::replaceRequested, this, &SearchCommands::ReplaceOne);
        connect(m_replace, &frmReplace::helpRequested, this, [this] { m_openHelp(); });
        const bool hasText = !m_editor->document()->isEmpty();
        m_replace->FindNextButton->setEnabled(hasText);
        m_replace->ReplaceButton->setEnabled(hasText);
    }
    m_replace->show();
    m_replace->raise();
    m_replace->activateWindow();
}

void SearchCommands::ReplaceFindNext()
{
    if (!m_replace)
        return;
    const QString what = m_replace->FindBox->text();
    const int start = LastFoundPos + 1;
    if (what.isEmpty())
        return;
    const int p = FindText::Find(EditorText::ModelText(m_editor->document()), what, start,
                                 m_replace->Check1->isChecked());
    if (p > 0) {
        LastFoundPos = p;
        LastFoundLen = int(what.size());
        select(p, LastFoundLen);
        m_editor->setFocus();
        m_replace->ReplaceButton->setEnabled(true);
    } else {
        m_prompter.ask(QStringLiteral("No Match"), QStringLiteral("No Match were found"), MsgButtons::OK,
                       MsgIcon::Information);
        m_replace->ReplaceButton->setEnabled(false);
        LastFoundPos = 0;
        LastFoundLen = 0;
    }
}

void SearchCommands::ReplaceOne()
{
    if (!m_replace)
        return;
    if (LastFoundPos != 0) {
        // What stands there now is replaced, even if the text changed since the
        // search; a range past the end is cut at the end.
        select(LastFoundPos, LastFoundLen);
        m_editor->textCursor().insertText(m_replace->ReplaceBox->text());
    } else {
        m_prompter.ask(QStringLiteral("Replace?"), QStringLiteral("There are no text to replace"),
                       MsgButtons::OK, MsgIcon::Information);
    }
    m_replace->ReplaceButton->setEnabled(false);
}
