#pragma once

#include "editor/core/LongLines.h"

#include <QObject>
#include <vector>

class QPlainTextEdit;
class QTextCursor;

// Keeps an editor's long lines in rows (see LongLines): text put in goes in as
// rows at once, the row breaks follow every change, and a row that grows too
// long (typing, or text put in some other way) is cut soon after.
class RowKeeper : public QObject {
    Q_OBJECT
public:
    explicit RowKeeper(QPlainTextEdit *editor, QObject *parent = nullptr);

    // `text` as rows, for one change about to put it in; its row breaks are
    // taken by that change (follow), or dropped by done().
    QString prepare(const QString &text);
    const std::vector<LongLines::Break> &prepared() const { return m_prepared; }
    void done() { m_pending = false; }
    // Inserts text at c as one change, its long lines in rows.
    void insert(QTextCursor &c, const QString &text);
    // A key typing `typed` is about to reach the editor.
    void beforeTyping(const QString &typed);

    // True while rows are being cut: the document changes, its text does not.
    bool cutting() const { return m_cutting; }
    // The text changed: the row breaks follow, and those of a prepared text join.
    void follow(int position, int removed, int added);
    // Rows in [from, to] longer than they may be are cut once the change is over.
    void cutSoon(int from, int to);

signals:
    // Rows were cut between these document positions.
    void rowsCut(int from, int to);

private:
    void cutLongRows();

    QPlainTextEdit *m_editor;
    std::vector<LongLines::Break> m_prepared;
    bool m_pending = false;
    bool m_cutting = false;
    bool m_cutSoon = false;
};
