#include "ToolbarCustomizeDialog.h"

#include "app/ToolbarIcons.h"
#include "app/core/ToolbarLayout.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const int KeyRole = Qt::UserRole;

// The separator's picture: the etched line a toolbar draws between groups.
QIcon SeparatorIcon()
{
    QIcon icon;
    for (int size : {24, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.scale(size / 24.0, size / 24.0);
        p.fillRect(QRectF(11, 3, 1, 18), QColor(0x8a, 0x96, 0xa3));
        p.fillRect(QRectF(12, 3, 1, 18), Qt::white);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QListWidgetItem *MakeItem(const QString &key)
{
    static const QIcon separatorIcon = SeparatorIcon();
    auto *item = new QListWidgetItem;
    item->setData(KeyRole, key);
    if (key == ToolbarSeparator) {
        item->setText(QStringLiteral("Separator"));
        item->setIcon(separatorIcon);
    } else {
        const ToolbarButtonDef *def = findToolbarButton(key);
        item->setText(def ? def->description : key);
        item->setIcon(toolbarIcon(key));
    }
    return item;
}

int SelectedRow(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

QListWidget *MakeList(const QString &name, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setIconSize(QSize(24, 24));
    list->setUniformItemSizes(true);
    list->setSpacing(1);
    list->setMinimumSize(220, 360);
    return list;
}

QPushButton *MakeButton(const QString &name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ToolbarCustomizeDialog::ToolbarCustomizeDialog(const QStringList &layout, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Customize Toolbar"));

    m_available = MakeList(QStringLiteral("availableList"), this);
    m_current = MakeList(QStringLiteral("currentList"), this);
    m_add = MakeButton(QStringLiteral("addButton"), QStringLiteral("&Add ->"), this);
    m_remove = MakeButton(QStringLiteral("removeButton"), QStringLiteral("<- &Remove"), this);
    m_up = MakeButton(QStringLiteral("upButton"), QStringLiteral("Move &Up"), this);
    m_down = MakeButton(QStringLiteral("downButton"), QStringLiteral("Move &Down"), this);
    m_reset = MakeButton(QStringLiteral("resetButton"), QStringLiteral("R&eset"), this);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("buttonBox"));

    auto *availableLabel = new QLabel(QStringLiteral("A&vailable buttons:"), this);
    availableLabel->setBuddy(m_available);
    auto *currentLabel = new QLabel(QStringLiteral("&Current toolbar buttons:"), this);
    currentLabel->setBuddy(m_current);

    auto *transfer = new QVBoxLayout;
    transfer->addStretch();
    transfer->addWidget(m_add);
    transfer->addWidget(m_remove);
    transfer->addStretch();

    auto *arrange = new QVBoxLayout;
    arrange->addWidget(m_up);
    arrange->addWidget(m_down);
    arrange->addStretch();
    arrange->addWidget(m_reset);

    auto *grid = new QGridLayout(this);
    grid->addWidget(availableLabel, 0, 0);
    grid->addWidget(currentLabel, 0, 2);
    grid->addWidget(m_available, 1, 0);
    grid->addLayout(transfer, 1, 1);
    grid->addWidget(m_current, 1, 2);
    grid->addLayout(arrange, 1, 3);
    grid->addWidget(m_buttons, 2, 0, 1, 4);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    connect(m_add, &QPushButton::clicked, this, &ToolbarCustomizeDialog::addSelected);
    connect(m_remove, &QPushButton::clicked, this, &ToolbarCustomizeDialog::removeSelected);
    connect(m_up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(m_reset, &QPushButton::clicked, this, &ToolbarCustomizeDialog::resetToDefault);
    connect(m_available, &QListWidget::itemDoubleClicked, this, &ToolbarCustomizeDialog::addSelected);
    connect(m_current, &QListWidget::itemDoubleClicked, this, &ToolbarCustomizeDialog::removeSelected);
    connect(m_available, &QListWidget::itemSelectionChanged, this, &ToolbarCustomizeDialog::updateButtons);
    connect(m_current, &QListWidget::itemSelectionChanged, this, &ToolbarCustomizeDialog::updateButtons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // An empty layout stands for the built-in one, as on the toolbar itself.
    const QStringList shown = tidyToolbarLayout(layout);
    setEntries(shown.isEmpty() ? defaultToolbarLayout() : shown, 0);
}

QStringList ToolbarCustomizeDialog::layout() const
{
    return tidyToolbarLayout(entries());
}

QStringList ToolbarCustomizeDialog::entries() const
{
    QStringList keys;
    for (int row = 0; row < m_current->count(); ++row)
        keys << m_current->item(row)->data(KeyRole).toString();
    return keys;
}

void ToolbarCustomizeDialog::setEntries(const QStringList &entries, int selectRow)
{
    m_current->clear();
    for (const QString &key : entries)
        m_current->addItem(MakeItem(key));
    m_current->setCurrentRow(qMin(selectRow, m_current->count() - 1));
    fillAvailable(QString(), 0);
}

// Lists the buttons the toolbar leaves out, keeping the selection on selectKey
// when it is still there, else on fallbackRow (or the nearest row).
void ToolbarCustomizeDialog::fillAvailable(const QString &selectKey, int fallbackRow)
{
    m_available->clear();
    m_available->addItem(MakeItem(ToolbarSeparator));
    for (const QString &key : availableToolbarButtons(entries()))
        m_available->addItem(MakeItem(key));

    int row = qBound(0, fallbackRow, m_available->count() - 1);
    for (int i = 0; i < m_available->count(); ++i) {
        if (m_available->item(i)->data(KeyRole).toString() == selectKey)
            row = i;
    }
    m_available->setCurrentRow(row);
    updateButtons();
}

void ToolbarCustomizeDialog::addSelected()
{
    const int from = SelectedRow(m_available);
    if (from < 0)
        return;
    const QString key = m_available->item(from)->data(KeyRole).toString();
    const int after = SelectedRow(m_current);
    const int to = after < 0 ? m_current->count() : after + 1;
    m_current->insertItem(to, MakeItem(key));
    m_current->setCurrentRow(to);
    // The separator stays selected; a button leaves the list, and the entry
    // below it takes the selection so the next Add goes on down the list.
    fillAvailable(key, from);
}

void ToolbarCustomizeDialog::removeSelected()
{
    const int row = SelectedRow(m_current);
    if (row < 0)
        return;
    const QString key = m_current->item(row)->data(KeyRole).toString();
    delete m_current->takeItem(row);
    if (m_current->count() > 0)
        m_current->setCurrentRow(qMin(row, m_current->count() - 1));
    fillAvailable(key, 0);
}

void ToolbarCustomizeDialog::moveSelected(int delta)
{
    const int row = SelectedRow(m_current);
    const int to = row + delta;
    if (row < 0 || to < 0 || to >= m_current->count())
        return;
    QListWidgetItem *item = m_current->takeItem(row);
    m_current->insertItem(to, item);
    m_current->setCurrentRow(to);
    updateButtons();
}

void ToolbarCustomizeDialog::resetToDefault()
{
    setEntries(defaultToolbarLayout(), 0);
}

void ToolbarCustomizeDialog::updateButtons()
{
    const int row = SelectedRow(m_current);
    m_add->setEnabled(SelectedRow(m_available) >= 0);
    m_remove->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row < m_current->count() - 1);
    m_reset->setEnabled(entries() != defaultToolbarLayout());
    // A toolbar without a single button cannot be kept: the settings read an
    // empty layout as the built-in one.
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!layout().isEmpty());
}
