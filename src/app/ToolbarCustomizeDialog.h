#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

// Lets the user choose which toolbar buttons are shown and in which order.
class ToolbarCustomizeDialog : public QDialog {
    Q_OBJECT
public:
    explicit ToolbarCustomizeDialog(const QStringList &layout, QWidget *parent = nullptr);
    QStringList layout() const { return m_layout; }

private:
    QStringList m_layout;
};
