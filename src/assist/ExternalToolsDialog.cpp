#include "assist/ExternalToolsDialog.h"

#include "assist/core/ExternalTools.h"
#include "common/core/FileNames.h"
#include "common/core/ShellErrors.h"
#include "platform/core/Prompter.h"
#include "platform/core/SystemPlaces.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

ExternalToolsDialog::ExternalToolsDialog(ExternalTools &tools, IPrompter &prompter, IShell &shell,
                                         QString programFolder, QWidget *parent)
    : QDialog(parent), m_tools(tools), m_prompter(prompter), m_shell(shell),
      m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("extraToolsDialog"));
    setWindowTitle(QStringLiteral("Extra Tools"));
    setModal(true);

    m_toolList = new QListWidget(this);
    m_toolList->setObjectName(QStringLiteral("toolList"));
    m_addButton = button(QStringLiteral("Add"), "addButton", this);
    m_removeButton = button(QStringLiteral("Remove"), "removeButton", this);

    auto *frame = new QGroupBox(QStringLiteral("Tool Properties"), this);
    frame->setObjectName(QStringLiteral("toolProperties"));
    m_nameEdit = new QLineEdit(frame);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_pathEdit = new QLineEdit(frame);
    m_pathEdit->setObjectName(QStringLiteral("pathEdit"));
    m_pathEdit->setToolTip(QStringLiteral("The program, and any arguments after it. %f stands for the "
                                          "current program's file."));
    m_browseButton = button(QStringLiteral("Browse..."), "browseButton", frame);
    auto *grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Tool Name:"), frame), 0, 0, 1, 2);
    grid->addWidget(m_nameEdit, 1, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Tool Path:"), frame), 2, 0, 1, 2);
    grid->addWidget(m_pathEdit, 3, 0);
    grid->addWidget(m_browseButton, 3, 1);

    auto *note = new QLabel(QStringLiteral("These tools will appear at the bottom of the \"Tools\" menu. "
                                           "Clicking on them starts them up."),
                            this);
    note->setObjectName(QStringLiteral("toolsNote"));
    note->setWordWrap(true);
    auto *closeButton = button(QStringLiteral("Close"), "closeButton", this);
    auto *helpButton = button(QStringLiteral("&Help"), "helpButton", this);

    auto *topRow = new QHBoxLayout;
    topRow->addWidget(m_addButton);
    topRow->addWidget(m_removeButton);
    auto *right = new QVBoxLayout;
    right->addLayout(topRow);
    right->addWidget(frame);
    right->addWidget(note);
    right->addStretch();
    auto *body = new QHBoxLayout;
    body->addWidget(m_toolList, 1);
    body->addLayout(right, 2);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(closeButton);
    bottom->addWidget(helpButton);
    auto *all = new QVBoxLayout(this);
    all->addLayout(body);
    all->addLayout(bottom);
    resize(460, 300);

    connect(m_toolList, &QListWidget::itemSelectionChanged, this, &ExternalToolsDialog::toolSelected);
    connect(m_nameEdit, &QLineEdit::textChanged, this, &ExternalToolsDialog::nameEdited);
    connect(m_pathEdit, &QLineEdit::textChanged, this, &ExternalToolsDialog::pathEdited);
    connect(m_addButton, &QPushButton::clicked, this, &ExternalToolsDialog::addTool);
    connect(m_removeButton, &QPushButton::clicked, this, &ExternalToolsDialog::removeTool);
    connect(m_browseButton, &QPushButton::clicked, this, &ExternalToolsDialog::browse);
    connect(closeButton, &QPushButton::clicked, this, &ExternalToolsDialog::closeAndSave);
    connect(helpButton, &QPushButton::clicked, this, [this] {
        shellOpen(m_shell, m_prompter, programFile(m_programFolder, QStringLiteral("hlp00001.htm")));
    });

    refreshToolList();
    if (m_toolList->count() > 0)
        m_toolList->setCurrentRow(0);
}

void ExternalToolsDialog::refreshToolList()
{
    const QSignalBlocker quiet(m_toolList);
    m_toolList->clear();
    m_rowSlots = m_tools.usedSlots();
    for (int slot : std::as_const(m_rowSlots))
        m_toolList->addItem(m_tools.name(slot));
    m_toolList->setCurrentRow(-1);
    m_addButton->setEnabled(m_rowSlots.size() < ExternalTools::Size);
}

void ExternalToolsDialog::toolSelected()
{
    const QList<QListWidgetItem *> selected = m_toolList->selectedItems();
    if (selected.isEmpty())
        return;
    m_currentTool = m_rowSlots.value(m_toolList->row(selected.first()), -1);
    fillBoxes();
    refreshToolList();
    const QSignalBlocker quiet(m_toolList);
    m_toolList->setCurrentRow(int(m_rowSlots.indexOf(m_currentTool)));
}

void ExternalToolsDialog::fillBoxes()
{
    m_filling = true;
    const bool any = m_currentTool >= 0;
    m_nameEdit->setText(any ? m_tools.name(m_currentTool) : QString());
    m_pathEdit->setText(any ? m_tools.path(m_currentTool) : QString());
    m_nameEdit->setEnabled(any);
    m_pathEdit->setEnabled(any);
    m_browseButton->setEnabled(any);
    m_filling = false;
}

void ExternalToolsDialog::nameEdited(const QString &text)
{
    if (m_filling || m_currentTool < 0)
        return;
    m_tools.setName(m_currentTool, text);
    refreshToolList();
}

void ExternalToolsDialog::pathEdited(const QString &text)
{
    if (m_filling || m_currentTool < 0)
        return;
    m_tools.setPath(m_currentTool, text);
    refreshToolList();
}

void ExternalToolsDialog::addTool()
{
    if (m_tools.add() >= 0)
        refreshToolList();
}

void ExternalToolsDialog::removeTool()
{
    const int row = m_toolList->currentRow();
    if (row < 0 || !m_toolList->item(row)->isSelected())
        return;
    m_tools.remove(m_rowSlots.at(row));
    refreshToolList();
    // The boxes showed the removed tool; left as they were, typing into them
    // would overwrite the tool that moved into its slot.
    m_currentTool = -1;
    fillBoxes();
}

void ExternalToolsDialog::browse()
{
    const ProgramBrowseSetup setup = programBrowse();
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.title = QStringLiteral("Select Tool");
    request.initialName = setup.initialName;
    request.filter = setup.filter;
    request.defaultExtension = setup.defaultExtension;
    request.fileMustExist = true;
    if (const std::optional<QString> chosen = m_prompter.fileDialog(request))
        m_pathEdit->setText(*chosen);
}

void ExternalToolsDialog::closeAndSave()
{
    m_closed = true;
    m_saveResult = m_tools.save();
    if (!m_saveResult.ok)
        m_prompter.ask(QStringLiteral("Couldn't Save Tools"),
                       QStringLiteral("The extra tools could not be saved, they are kept until Vormeld ends.\r\n")
                           + m_saveResult.error,
                       MsgButtons::OK, MsgIcon::Exclamation);
    accept();
}
