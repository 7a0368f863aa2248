#include "assist/SnippetWindow.h"

#include "common/Fonts.h"
#include "platform/core/Prompter.h"
#include "platform/core/UserFiles.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>

namespace {
const QString DataFileName = QStringLiteral("Snips.dat");

// The library keeps CR LF between lines, the edit boxes one '\n'.
QString forEditing(QString code)
{
    return code.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}
QString forLibrary(QString text) { return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")); }
} // namespace

SnippetWindow::SnippetWindow(const QString &programFolder, QPlainTextEdit *editor, IPrompter &prompter,
                             QWidget *owner)
    : QWidget(owner, Qt::Tool), m_programFolder(programFolder), m_editor(editor), m_prompter(prompter),
      m_owner(owner)
{
    setObjectName(QStringLiteral("codeSnippets"));
    setWindowTitle(QStringLiteral("Code Snippets"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_titleList = new QListWidget(this);
    m_titleList->setObjectName(QStringLiteral("titleList"));
    m_codeEdit = new QPlainTextEdit(this);
    m_codeEdit->setObjectName(QStringLiteral("codeEdit"));
    m_codeEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_codeEdit->setFont(namedOrFallbackFont(QStringLiteral("Courier New"), 9.75, false, true));
    m_codeEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_codeEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_titleList, 0, 0, 1, 2);
    layout->addWidget(m_codeEdit, 0, 2, 1, 2);
    layout->setRowStretch(0, 1);
    const struct {
        const char *name, *caption;
        int row, column;
        void (SnippetWindow::*slot)();
    } buttons[] = {{"addButton", "Add", 1, 0, &SnippetWindow::addSnippet},
                   {"changeButton", "Change", 1, 1, &SnippetWindow::changeSnippet},
                   {"removeButton", "Remove", 1, 2, &SnippetWindow::removeSnippet},
                   {"insertButton", "Insert", 1, 3, &SnippetWindow::insertSnippet},
                   {"saveButton", "Save Data", 2, 2, &SnippetWindow::saveData},
                   {"revertButton", "Revert Data", 2, 3, &SnippetWindow::revertData}};
    for (const auto &b : buttons) {
        auto *button = new QPushButton(QString::fromLatin1(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setAutoDefault(false);
        layout->addWidget(button, b.row, b.column);
        connect(button, &QPushButton::clicked, this, b.slot);
    }
    resize(484, 288);

    connect(m_titleList, &QListWidget::currentRowChanged, this, &SnippetWindow::showCode);
    readLibrary();
}

void SnippetWindow::placeOverOwner()
{
    if (!m_owner)
        return;
    const QRect o = m_owner->frameGeometry();
    move(o.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
}

bool SnippetWindow::readLibrary()
{
    QList<Snippet> read;
    if (!SnippetFile::read(UserFiles::readableDataFile(DataFileName, m_programFolder), &read, &m_encoding))
        return false;
    m_snippets = m_onDisk = read;
    fillTitleList();
    if (!m_snippets.isEmpty())
        m_titleList->setCurrentRow(0);
    return true;
}

void SnippetWindow::fillTitleList()
{
    const QSignalBlocker quiet(m_titleList);
    m_titleList->clear();
    for (const Snippet &s : std::as_const(m_snippets))
        m_titleList->addItem(s.title);
    m_titleList->setCurrentRow(-1);
}

void SnippetWindow::writeLibrary()
{
    if (m_snippets.isEmpty())
        return;
    for (;;) {
        QString error;
        const QString path = UserFiles::writableDataFile(DataFileName, &error);
        if (!path.isEmpty()) {
            const FileResult r = SnippetFile::write(path, m_snippets, m_encoding);
            if (r.ok) {
                m_onDisk = m_snippets;
                return;
            }
            error = r.error;
        }
        const QString where = QDir::toNativeSeparators(UserFiles::userDataFolder() + QLatin1Char('/') + DataFileName);
        const MsgResult again = m_prompter.ask(
            QStringLiteral("Save Snippet Data"),
            QStringLiteral("Your snippets could not be saved to %1.\n%2").arg(where, error),
            MsgButtons::RetryCancel, MsgIcon::Critical);
        if (again != MsgResult::Retry)
            return;
    }
}

int SnippetWindow::selectedRow() const
{
    const int row = m_titleList->currentRow();
    return row >= 0 && row < m_snippets.size() && m_titleList->item(row)->isSelected() ? row : -1;
}

void SnippetWindow::showCode(int row)
{
    if (row >= 0 && row < m_snippets.size())
        m_codeEdit->setPlainText(forEditing(m_snippets.at(row).code));
}

void SnippetWindow::addSnippet()
{
    // A cancelled box adds nothing; an emptied title is taken as it is.
    const std::optional<QString> title = m_prompter.input(
        {QStringLiteral("Choose a Title for your snippet of code:"), QStringLiteral("Provide Snippet Name"),
         QStringLiteral("New Snippet")});
    if (!title)
        return;
    m_snippets.append({*title, forLibrary(m_codeEdit->toPlainText())});
    const QSignalBlocker quiet(m_titleList);
    m_titleList->addItem(*title);
}

void SnippetWindow::changeSnippet()
{
    const int row = selectedRow();
    if (row >= 0)
        m_snippets[row].code = forLibrary(m_codeEdit->toPlainText());
}

void SnippetWindow::removeSnippet()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    // The code box keeps its text, and no other title becomes selected.
    const QSignalBlocker quiet(m_titleList);
    m_snippets.removeAt(row);
    delete m_titleList->takeItem(row);
    m_titleList->setCurrentRow(-1);
}

void SnippetWindow::insertSnippet()
{
    if (!m_editor)
        return;
    QTextCursor c = m_editor->textCursor();
    c.insertText(m_codeEdit->toPlainText());
    m_editor->setTextCursor(c);
    emit inserted();
}

void SnippetWindow::saveData()
{
    if (m_prompter.ask(QStringLiteral("Save Snippet Data"),
                       QStringLiteral("Are you sure you want to save the snippet data and lose the possibility to revert?"),
                       MsgButtons::YesNo, MsgIcon::None)
        == MsgResult::Yes)
        writeLibrary();
}

void SnippetWindow::revertData()
{
    if (m_prompter.ask(QStringLiteral("Revert Snippet Data"),
                       QStringLiteral("Are you sure you want to revert to the snippet data on disk, and lose all change?"),
                       MsgButtons::YesNo, MsgIcon::None, MsgResult::No)
        == MsgResult::Yes)
        readLibrary();
}

void SnippetWindow::closeEvent(QCloseEvent *event)
{
    if (changedSinceDisk())
        writeLibrary();
    QWidget::closeEvent(event);
}
