#pragma once

#include "search/core/SubsLabelsIndex.h"

#include <QObject>
#include <functional>

class QAction;
class QComboBox;
class QPlainTextEdit;

// The "Subroutines:" and "Labels:" lists above the editor.
class SubsAndLabels : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void(const QString &)> status; // StatusMessages(1), shown, panel repainted
        std::function<double()> clock;               // seconds; for the slow-rebuild switch-off
    };

    SubsAndLabels(QPlainTextEdit *editor, QComboBox *subs, QComboBox *labels, QAction *disableUpdating,
                  Hooks hooks, QObject *parent = nullptr);

    // Rebuilds both lists from the whole text, with progress messages for longer
    // texts; a rebuild slower than half a second switches automatic updating off.
    void updateSubsAndLabels();

    // The editor's lines [firstLine, firstLine + oldLines) became
    // [firstLine, firstLine + newLines); wholeText: the whole text was replaced.
    void textChanged(int firstLine, int oldLines, int newLines, bool wholeText);

    // The program offset an entry leads to: the start of the line after the
    // definition, or the end of the text after the last line.
    int entryOffset(SubsLabelsIndex::Kind kind, int index) const;

    // Moves the caret to the chosen entry of a list and gives the editor the focus.
    void goToEntry(SubsLabelsIndex::Kind kind);

    const SubsLabelsIndex &index() const { return m_index; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refill(QComboBox *combo, const std::vector<SubsLabelsIndex::Entry> &entries);
    QString lineText(int line) const;

    QPlainTextEdit *m_editor;
    QComboBox *m_subs;
    QComboBox *m_labels;
    QAction *m_disable;
    Hooks m_hooks;
    SubsLabelsIndex m_index;
    bool m_stale = true; // the index missed changes: the next update rebuilds it
};
