#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QPlainTextEdit;
class IPrompter;
class ReplaceDialog;

// Find, Find Next and the Replace dialog, over the editor's whole text. The
// positions are the program's (1-based, a line break counts as two characters).
class SearchCommands : public QObject {
    Q_OBJECT
public:
    SearchCommands(QPlainTextEdit *editor, IPrompter &prompter, std::function<void()> openHelp,
                   QWidget *owner);

    // Kept for the whole run.
    QString searchText;
    qint16 matchCase = 0;
    int nextSearchStart = 0;
    int lastFoundPos = 0;
    int lastFoundLen = 0;

    void showFindDialog();
    void findNext();
    void showReplaceDialog();
    ReplaceDialog *replaceDialog() const { return m_replace; }

    // The Replace dialog's two buttons.
    void replaceFindNext();
    void replaceOne();

private:
    void select(int position, int length);

    QPlainTextEdit *m_editor;
    IPrompter &m_prompter;
    std::function<void()> m_openHelp;
    QWidget *m_owner;
    QPointer<ReplaceDialog> m_replace;
};
