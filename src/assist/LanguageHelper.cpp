#include "assist/LanguageHelper.h"

#include "common/Fonts.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace {
// Pixels. The panel is taller and the window wider than the narrow design so
// that a format of a few lines is read whole.
constexpr int PanelHeight = 112;
constexpr int FormatIndent = 8;
constexpr int LineHeight = 16;
} // namespace

LanguageHelper::LanguageHelper(const QString &commandFile, QPlainTextEdit *editor, QWidget *owner)
    : QWidget(owner, Qt::Tool), m_editor(editor), m_owner(owner)
{
    setObjectName(QStringLiteral("languageHelper"));
    setWindowTitle(QStringLiteral("Language Helper"));
    setAttribute(Qt::WA_DeleteOnClose);

    const QFont font = namedOrFallbackFont(QStringLiteral("Arial"), 8.25, false, false);
    const QFont bold = namedOrFallbackFont(QStringLiteral("Arial"), 8.25, true, false);
    QFont italic = font;
    italic.setItalic(true);

    m_commandList = new QListWidget(this);
    m_commandList->setObjectName(QStringLiteral("commandList"));
    m_commandList->setFont(font);
    m_commandList->setUniformItemSizes(true);
    m_commandList->installEventFilter(this);
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("formatPanel"));
    m_panel->installEventFilter(this);
    m_commandLabel = new QLabel(m_panel);
    m_commandLabel->setObjectName(QStringLiteral("commandLabel"));
    m_commandLabel->setFont(bold);
    m_formatCaption = new QLabel(QStringLiteral("Format:"), m_panel);
    m_formatCaption->setObjectName(QStringLiteral("formatCaption"));
    m_formatCaption->setFont(italic);
    m_formatLabel = new QLabel(m_panel);
    m_formatLabel->setObjectName(QStringLiteral("formatLabel"));
    m_formatLabel->setFont(font);
    m_formatLabel->setWordWrap(true);
    m_formatLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_formatLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QLabel *l : {m_commandLabel, m_formatCaption, m_formatLabel})
        l->setTextFormat(Qt::PlainText);
    m_formatCaption->hide();

    // Loading: the commands in file order.
    const CommandList::Contents contents = CommandList::load(commandFile);
    m_entries = contents.entries;
    QStringList commands;
    commands.reserve(m_entries.size());
    for (const CommandEntry &e : std::as_const(m_entries))
        commands << e.command;
    m_commandList->addItems(commands);
    if (contents.cutShort) {
        m_notice = new QLabel(QStringLiteral("Only the first %1 commands of %2 are listed.")
                                  .arg(CommandList::MaxEntries).arg(QStringLiteral("yabcomds.dat")), this);
        m_notice->setObjectName(QStringLiteral("noticeLabel"));
        m_notice->setWordWrap(true);
    }

    connect(m_commandList, &QListWidget::currentRowChanged, this, &LanguageHelper::showEntry);
    connect(m_commandList, &QListWidget::doubleClicked, this,
            [this](const QModelIndex &index) { insertEntry(index.row()); });
    resize(240, 480);
}

void LanguageHelper::placeBesideOwner()
{
    if (!m_owner)
        return;
    const QRect o = m_owner->frameGeometry();
    move(o.left() + o.width() - frameGeometry().width(), o.top() + 40);
}

void LanguageHelper::showEntry(int row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    const CommandEntry &e = m_entries.at(row);
    const bool hasFormat = !e.format.isEmpty();
    m_commandLabel->setText(hasFormat ? m_commandList->item(row)->text() : QString());
    m_formatLabel->setText(hasFormat ? e.format : QString());
    m_formatCaption->setVisible(hasFormat);
}

void LanguageHelper::insertEntry(int row)
{
    if (row < 0 || row >= m_entries.size() || m_entries.at(row).insertText.isEmpty() || !m_editor)
        return;
    QTextCursor c = m_editor->textCursor();
    c.insertText(m_entries.at(row).insertText + QLatin1Char('\n'));
    m_editor->setTextCursor(c);
    emit inserted();
}

void LanguageHelper::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int noticeHeight = m_notice ? m_notice->heightForWidth(width()) : 0;
    const int inner = height() - noticeHeight;
    // Too short for both: the last layout stays.
    if (isMinimized() || inner <= 2 * PanelHeight)
        return;
    if (m_notice)
        m_notice->setGeometry(0, 0, width(), noticeHeight);
    m_commandList->setGeometry(0, noticeHeight, width(), inner - PanelHeight);
    m_panel->setGeometry(0, height() - PanelHeight, width(), PanelHeight);
}

bool LanguageHelper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel && event->type() == QEvent::Resize)
        layoutPanel();
    if (watched == m_commandList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            insertEntry(m_commandList->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LanguageHelper::layoutPanel()
{
    const int w = m_panel->contentsRect().width();
    if (isMinimized() || w < 7) // too narrow to show anything
        return;
    m_commandLabel->setGeometry(0, 0, w, LineHeight);
    m_formatCaption->setGeometry(0, LineHeight, w, LineHeight);
    m_formatLabel->setGeometry(FormatIndent, 2 * LineHeight, w - FormatIndent, PanelHeight - 2 * LineHeight);
}
