#include "ToolbarCustomizeDialog.h"

ToolbarCustomizeDialog::ToolbarCustomizeDialog(const QStringList &layout, QWidget *parent)
    : QDialog(parent), m_layout(layout)
{
    setWindowTitle(QStringLiteral("Customize Toolbar"));
}
