#pragma once

#include <QDialog>
#include <QStringList>

class QDialogButtonBox;
class QListWidget;
class QPushButton;

// Lets the user choose which toolbar buttons are shown and in which order.
//
// The left list holds the buttons the toolbar leaves out, in their built-in
// order, below an entry "Separator" that is always there; the right list holds
// the toolbar, in order. "Add ->" (or a double click on the left) puts the
// chosen entry after the selected one on the right, or at the end when nothing
// is selected there; "<- Remove" (or a double click on the right) gives a
// button back to the left. "Reset" shows the built-in layout again.
class ToolbarCustomizeDialog : public QDialog {
    Q_OBJECT
public:
    explicit ToolbarCustomizeDialog(const QStringList &layout, QWidget *parent = nullptr);

    // The toolbar as the right list shows it, tidied as it is stored: unknown
    // keys and repeats dropped, runs of separators folded, none at either end.
    QStringList layout() const;

private:
    QStringList entries() const;
    void setEntries(const QStringList &entries, int selectRow);
    void fillAvailable(const QString &selectKey, int fallbackRow);

    void addSelected();
    void removeSelected();
    void moveSelected(int delta);
    void resetToDefault();
    void updateButtons();

    QListWidget *m_availableList = nullptr;
    QListWidget *m_currentList = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_removeButton = nullptr;
    QPushButton *m_upButton = nullptr;
    QPushButton *m_downButton = nullptr;
    QPushButton *m_resetButton = nullptr;
    QDialogButtonBox *m_buttonBox = nullptr;
};
