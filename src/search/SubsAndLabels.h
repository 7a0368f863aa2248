#pragma once

#include "search/core/SubsLabelsIndex.h"

#include <QObject>
#include <functional>

class QComboBox;
class QPlainTextEdit;

// The "Subroutines:" and "Labels:" lists above the editor.
class SubsAndLabels : public QObject {
    Q_OBJECT
public:
    SubsAndLabels(QPlainTextEdit *editor, QComboBox *subs, QComboBox *labels, QObject *parent = nullptr);

    // A whole text of at least this many lines gets its lists on the next turn
    // of the event loop, after it is shown.
    static constexpr int LongTextLines = 200000;

    // View > "Disable Updating Editor State": while it is on, the lists keep what
    // they have and the next change or update rebuilds them.
    bool updatingDisabled() const { return m_updatingDisabled; }
    void setUpdatingDisabled(bool disabled);

    // Seconds since some fixed moment; the slow-rebuild switch-off measures with it.
    void setClock(std::function<double()> clock) { m_clock = std::move(clock); }

    // Rebuilds both lists from the whole text, with progress messages for longer
    // texts; a rebuild slower than half a second switches automatic updating off.
    void updateSubsAndLabels();

    // The editor's lines [firstLine, firstLine + oldLines) became
    // [firstLine, firstLine + newLines); wholeText: the whole text was replaced.
    void textChanged(int firstLine, int oldLines, int newLines, bool wholeText);

    // Clears the subroutine list's choice when the caret leaves the entry it chose.
    void caretMoved();

    // The program offset an entry leads to: the start of the line after the
    // definition, or the end of the text after the last line.
    int entryOffset(SubsLabelsIndex::Kind kind, int index) const;

    // Moves the caret to the chosen entry of a list and gives the editor the focus.
    void goToEntry(SubsLabelsIndex::Kind kind);

    const SubsLabelsIndex &index() const { return m_index; }

signals:
    void statusMessage(const QString &message);
    // A rebuild was too slow to follow every keystroke: updating switched itself off.
    void updatingDisabledChanged(bool disabled);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refill(QComboBox *combo, const std::vector<SubsLabelsIndex::Entry> &entries);
    QString lineText(int line) const;

    QPlainTextEdit *m_editor;
    QComboBox *m_subs;
    QComboBox *m_labels;
    std::function<double()> m_clock;
    bool m_updatingDisabled = false;
    SubsLabelsIndex m_index;
    bool m_stale = true; // the index missed changes: the next update rebuilds it
};
