#pragma once

#include <QObject>
#include <QPointer>

class QPlainTextEdit;
class IPrompter;
class ReplaceDialog;

// Find, Find Next and the Replace dialog, over the editor's whole text. The
// positions are the program's (1-based, a line break counts as two characters).
class SearchCommands : public QObject {
    Q_OBJECT
public:
    SearchCommands(QPlainTextEdit *editor, IPrompter &prompter, QWidget *owner);

    // What Find last looked for; Find Next goes on with it.
    const QString &searchText() const { return m_searchText; }

    void showFindDialog();
    void findNext();
    void showReplaceDialog();
    ReplaceDialog *replaceDialog() const;

    // The Replace dialog's two buttons.
    void replaceFindNext();
    void replaceOne();

signals:
    void helpRequested();
    // The Replace dialog stays open beside the window until it is closed.
    void toolWindowOpened(QWidget *window);

private:
    void select(int position, int length);

    QPlainTextEdit *m_editor;
    IPrompter &m_prompter;
    // Kept for the whole run.
    QString m_searchText;
    bool m_matchCase = false;
    int m_nextSearchStart = 0;
    int m_lastFoundPos = 0;
    int m_lastFoundLen = 0;
    QWidget *m_owner;
    QPointer<ReplaceDialog> m_replace;
};
