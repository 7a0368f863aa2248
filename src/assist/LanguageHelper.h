#pragma once

#include "assist/core/CommandList.h"

#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;

// "Language Helper": a narrow side window listing Yabasic commands from
// yabcomds.dat. Selecting one shows its format below the list; double-clicking
// it (or Enter) types its template into the code editor on a line of its own.
class LanguageHelper : public QWidget {
    Q_OBJECT
public:
    LanguageHelper(const QString &commandFile, QPlainTextEdit *editor, QWidget *owner);

    // Right edge on the owner's right edge, 40 pixels below its top.
    void placeBesideOwner();

signals:
    // A template went into the editor; the whole text wants colouring.
    void inserted();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showEntry(int row);
    void insertEntry(int row);
    void layoutPanel();

    QList<CommandEntry> m_entries;
    QPointer<QPlainTextEdit> m_editor;
    QWidget *m_owner;

    QListWidget *m_commandList = nullptr;
    QFrame *m_panel = nullptr;
    QLabel *m_commandLabel = nullptr;
    QLabel *m_formatCaption = nullptr;
    QLabel *m_formatLabel = nullptr;
    QLabel *m_notice = nullptr; // shown only when the file held too many entries
};
