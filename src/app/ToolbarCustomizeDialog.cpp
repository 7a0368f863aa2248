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

    m_availableList = MakeList(QStringLiteral("availableList"), this);
    m_currentList = MakeList(QStringLiteral("currentList"), this);
    m_addButton = MakeButton(QStringLiteral("addButton"), QStringLiteral("&Add ->"), this);
    m_removeButton = MakeButton(QStringLiteral("removeButton"), QStringLiteral("<- &Remove"), this);
    m_upButton = MakeButton(QStringLiteral("upButton"), QStringLiteral("Move &Up"), this);
    m_downButton = MakeButton(QStringLiteral("downButton"), QStringLiteral("Move &Down"), this);
    m_resetButton = MakeButton(QStringLiteral("resetButton"), QStringLiteral("R&eset"), this);
    m_buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttonBox->setObjectName(QStringLiteral("buttonBox"));

    auto *availableLabel = new QLabel(QStringLiteral("A&vailable buttons:"), this);
    availableLabel->setBuddy(m_availableList);
    auto *currentLabel = new QLabel(QStringLiteral("&Current toolbar buttons:"), this);
    currentLabel->setBuddy(m_currentList);

    auto *transfer = new QVBoxLayout;
    transfer->addStretch();
    transfer->addWidget(m_addButton);
    transfer->addWidget(m_removeButton);
    transfer->addStretch();

    auto *arrange = new QVBoxLayout;
    arrange->addWidget(m_upButton);
    arrange->addWidget(m_downButton);
    arrange->addStretch();
    arrange->addWidget(m_resetButton);

    auto *grid = new QGridLayout(this);
    grid->addWidget(availableLabel, 0, 0);
    grid->addWidget(currentLabel, 0, 2);
    grid->addWidget(m_availableList, 1, 0);
    grid->addLayout(transfer, 1, 1);
    grid->addWidget(m_currentList, 1, 2);
    grid->addLayout(arrange, 1, 3);
    grid->addWidget(m_buttonBox, 2, 0, 1, 4);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    connect(m_addButton, &QPushButton::clicked, this, &ToolbarCustomizeDialog::addSelected);
    connect(m_removeButton, &QPushButton::clicked, this, &ToolbarCustomizeDialog::removeSelected);
    connect(m_upButton, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(m_downButton, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(m_resetButton, &QPushButton::clicked, this, &ToolbarCustomizeDialog::resetToDefault);
    connect(m_availableList, &QListWidget::itemDoubleClicked, this, &ToolbarCustomizeDialog::addSelected);
    connect(m_currentList, &QListWidget::itemDoubleClicked, this, &ToolbarCustomizeDialog::removeSelected);
    connect(m_availableList, &QListWidget::itemSelectionChanged, this, &ToolbarCustomizeDialog::updateButtons);
    connect(m_currentList, &QListWidget::itemSelectionChanged, this, &ToolbarCustomizeDialog::updateButtons);
    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

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
    for (int row = 0; row < m_currentList->count(); ++row)
        keys << m_currentList->item(row)->data(KeyRole).toString();
    return keys;
}

void ToolbarCustomizeDialog::setEntries(const QStringList &entries, int selectRow)
{
    m_currentList->clear();
    for (const QString &key : entries)
        m_currentList->addItem(MakeItem(key));
    m_currentList->setCurrentRow(qMin(selectRow, m_currentList->count() - 1));
    fillAvailable(QString(), 0);
}

// Lists the buttons the toolbar leaves out, keeping the selection on selectKey
// when it is still there, else on fallbackRow (or the nearest row).
void ToolbarCustomizeDialog::fillAvailable(const QString &selectKey, int fallbackRow)
{
    m_availableList->clear();
    m_availableList->addItem(MakeItem(ToolbarSeparator));
    for (const QString &key : availableToolbarButtons(entries()))
        m_availableList->addItem(MakeItem(key));

    int row = qBound(0, fallbackRow, m_availableList->count() - 1);
    for (int i = 0; i < m_availableList->count(); ++i) {
        if (m_availableList->item(i)->data(KeyRole).toString() == selectKey)
            row = i;
    }
    m_availableList->setCurrentRow(row);
    updateButtons();
}

void ToolbarCustomizeDialog::addSelected()
{
    const int from = SelectedRow(m_availableList);
    if (from < 0)
        return;
    const QString key = m_availableList->item(from)->data(KeyRole).toString();
    const int after = SelectedRow(m_currentList);
    const int to = after < 0 ? m_currentList->count() : after + 1;
    m_currentList->insertItem(to, MakeItem(key));
    m_currentList->setCurrentRow(to);
    // The separator stays selected; a button leaves the list, and the entry
    // below it takes the selection so the next Add goes on down the list.
    fillAvailable(key, from);
}

void ToolbarCustomizeDialog::removeSelected()
{
    const int row = SelectedRow(m_currentList);
    if (row < 0)
        return;
    const QString key = m_currentList->item(row)->data(KeyRole).toString();
    delete m_currentList->takeItem(row);
    if (m_currentList->count() > 0)
        m_currentList->setCurrentRow(qMin(row, m_currentList->count() - 1));
    fillAvailable(key, 0);
}

void ToolbarCustomizeDialog::moveSelected(int delta)
{
    const int row = SelectedRow(m_currentList);
    const int to = row + delta;
    if (row < 0 || to < 0 || to >= m_currentList->count())
        return;
    QListWidgetItem *item = m_currentList->takeItem(row);
    m_currentList->insertItem(to, item);
    m_currentList->setCurrentRow(to);
    updateButtons();
}

void ToolbarCustomizeDialog::resetToDefault()
{
    setEntries(defaultToolbarLayout(), 0);
}

void ToolbarCustomizeDialog::updateButtons()
{
    const int row = SelectedRow(m_currentList);
    m_addButton->setEnabled(SelectedRow(m_availableList) >= 0);
    m_removeButton->setEnabled(row >= 0);
    m_upButton->setEnabled(row > 0);
    m_downButton->setEnabled(row >= 0 && row < m_currentList->count() - 1);
    m_resetButton->setEnabled(entries() != defaultToolbarLayout());
    // A toolbar without a single button cannot be kept: the settings read an
    // empty layout as the built-in one.
    m_buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!layout().isEmpty());
}
