#include "search/LineBrowser.h"

#include "editor/EditorText.h"
#include "search/core/LineReferences.h"
#include "search/LineReferenceDialog.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
// A stored offset may now fall between the two halves of a character outside
// the Basic Multilingual Plane (an emoji in a string, say); a caret left there
// would split the character at the next keystroke. Such a position moves to
// the start of the character.
int WholeCharacterPosition(const QTextDocument *doc, int qtPosition)
{
    const QTextBlock block = doc->findBlock(qtPosition);
    const QString text = block.text();
    const int column = qtPosition - block.position();
    if (column > 0 && column < text.size() && text.at(column).isLowSurrogate()
        && text.at(column - 1).isHighSurrogate())
        return qtPosition - 1;
    return qtPosition;
}
} // namespace

LineBrowser::LineBrowser(LineReferences &references, QPlainTextEdit *editor,
                               IPrompter &prompter, IShell &shell, QString programFolder,
                               QWidget *owner)
    : QWidget(owner, Qt::Tool), m_references(references), m_editor(editor), m_prompter(prompter),
      m_shell(shell), m_programFolder(std::move(programFolder)), m_owner(owner)
{
    setObjectName(QStringLiteral("lineBrowser"));
    setWindowTitle(QStringLiteral("Line Browser"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_referenceList = new QListWidget(this);
    m_referenceList->setObjectName(QStringLiteral("referenceList"));
    m_referenceList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_addButton = new QPushButton(QStringLiteral("Add Line Reference"), this);
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_removeButton = new QPushButton(QStringLiteral("Remove Line Reference"), this);
    m_removeButton->setObjectName(QStringLiteral("removeButton"));
    m_goToButton = new QPushButton(QStringLiteral("Go to Line Reference"), this);
    m_goToButton->setObjectName(QStringLiteral("goToButton"));
    m_editButton = new QPushButton(QStringLiteral("Edit Line Reference"), this);
    m_editButton->setObjectName(QStringLiteral("editButton"));

    auto *buttons = new QGridLayout;
    buttons->addWidget(m_addButton, 0, 0);
    buttons->addWidget(m_removeButton, 0, 1);
    buttons->addWidget(m_goToButton, 1, 0);
    buttons->addWidget(m_editButton, 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_referenceList, 1);
    layout->addLayout(buttons);
    resize(340, 300);

    connect(m_addButton, &QPushButton::clicked, this, &LineBrowser::addReference);
    connect(m_removeButton, &QPushButton::clicked, this, &LineBrowser::removeReference);
    connect(m_goToButton, &QPushButton::clicked, this, &LineBrowser::goToReference);
    connect(m_editButton, &QPushButton::clicked, this, &LineBrowser::editReference);

    // Load: the table as it stands (it may hold references from an earlier opening).
    refreshLineList();
}

void LineBrowser::placeBesideOwner()
{
    if (!m_owner)
        return;
    const QRect o = m_owner->frameGeometry();
    move(o.left() + o.width() - frameGeometry().width(), o.top() + 40);
}

void LineBrowser::refreshLineList()
{
    const QStringList entries = m_references.refreshLineList();
    m_referenceList->setUpdatesEnabled(false);
    m_referenceList->clear();
    m_referenceList->addItems(entries);
    m_referenceList->setUpdatesEnabled(true);
}

int LineBrowser::selectedIndex() const
{
    const QList<QListWidgetItem *> selected = m_referenceList->selectedItems();
    if (selected.isEmpty())
        return -1;
    const int row = m_referenceList->row(selected.first());
    return m_references.isUsed(row) ? row : -1;
}

void LineBrowser::showProperties()
{
    // Discarded when closed. Held by a guard: the browser is the dialog's owner,
    // and an owner that goes away takes the dialog with it.
    QPointer<LineReferenceDialog> geo = new LineReferenceDialog(m_references, m_prompter, m_shell, m_programFolder, this);
    geo->exec();
    delete geo;
}

void LineBrowser::addReference()
{
    if (!m_editor)
        return;
    QTextDocument *doc = m_editor->document();
    const int start = m_editor->textCursor().selectionStart();
    const int offset = EditorText::modelPosition(doc, start);
    const int line = EditorText::lineOf(doc, start) + 1;
    const int slot = m_references.add(offset, line);
    if (slot >= 0) {
        // The user may name it at once; a cancel keeps the default caption.
        m_references.LineRefEditIndex = qint16(slot);
        showProperties();
    }
    refreshLineList();
}

void LineBrowser::removeReference()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    m_references.remove(index);
    refreshLineList();
}

void LineBrowser::goToReference()
{
    const int index = selectedIndex();
    if (index < 0 || !m_editor)
        return;
    // The stored offset, clamped to the text as it is now; the focus stays here.
    QTextDocument *doc = m_editor->document();
    QTextCursor caret(doc);
    const int position = EditorText::qtPosition(doc, m_references.at(index).characterOffset);
    caret.setPosition(WholeCharacterPosition(doc, position));
    m_editor->setTextCursor(caret);
}

void LineBrowser::editReference()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    m_references.LineRefEditIndex = qint16(index);
    showProperties();
    refreshLineList();
}
