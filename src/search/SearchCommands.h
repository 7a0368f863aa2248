#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QPlainTextEdit;
class IPrompter;
class frmReplace;

// Find, Find Next and the Replace dialog, over the editor's whole text. The
// positions are the program's (1-based, a line break counts as two characters).
class SearchCommands : public QObject {
    Q_OBJECT
public:
    SearchCommands(QPlainTextEdit *editor, IPrompter &prompter, std::function<void()> openHelp,
                   QWidget *owner);

    // Kept for the whole run.
    QString SearchText;
    qint16 MatchCase = 0;
    int NextSearchStart = 0;
    int LastFoundPos = 0;
    int LastFoundLen = 0;

    void ShowFindDialog();
    void FindNext();
    void ShowReplaceDialog();
    frmReplace *replaceDialog() const { return m_replace; }

    // The Replace dialog's two buttons.
    void ReplaceFindNext();
    void ReplaceOne();

private:
    void select(int position, int length);

    QPlainTextEdit *m_editor;
    IPrompter &m_prompter;
    std::function<void()> m_openHelp;
    QWidget *m_owner;
    QPointer<frmReplace> m_replace;
};
