#include "graphics/GraphicsTools.h"

#include "editor/EditorText.h"
#include "graphics/DrawPad.h"
#include "graphics/PixPad.h"
#include "graphics/core/BitmapString.h"
#include "graphics/core/PixPadFile.h"
#include "platform/core/Prompter.h"
#include "platform/core/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>

namespace {

const QString PixPadTitle = QStringLiteral("PixPad");
const QString OpenTitle = QStringLiteral("Open PixPad file");
const QString SaveTitle = QStringLiteral("Save as PixPad File");
const QString PixPadFilter = QStringLiteral("YaBasic PixPad (*.ypp)|*.ypp|All files (*.*)|*.*");

FileDialogRequest pixPadDialog(FileDialogRequest::Kind kind, const QString &title)
{
    FileDialogRequest r = FileDialogRequest::of(kind, title, QStringLiteral("*.ypp"), QStringLiteral(".ypp"),
                                                PixPadFilter);
    return r;
}

// A new tool window goes beside the main window, as far as the screen has room
// for it there, and below the other pad when that is open.
void placeBeside(QWidget *window, const QWidget *owner, const QWidget *other)
{
    if (!owner)
        return;
    const QRect o = owner->frameGeometry();
    const QRect screen = owner->screen() ? owner->screen()->availableGeometry() : QRect();
    const QSize size = window->frameGeometry().size();
    const int x = std::min(o.right() + 1, screen.right() + 1 - size.width());
    const int y = std::min(other && other->isVisible() ? other->frameGeometry().bottom() + 1 : o.top(),
                           screen.bottom() + 1 - size.height());
    window->move(std::max(screen.left(), x), std::max(screen.top(), y));
}

void bringForward(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

GraphicsTools::GraphicsTools(QPlainTextEdit *editor, IPrompter &prompter, std::function<QString()> documentFolder,
                             QWidget *owner)
    : QObject(owner), m_editor(editor), m_prompter(prompter), m_documentFolder(std::move(documentFolder)),
      m_owner(owner)
{
    setObjectName(QStringLiteral("graphicsTools"));
}

DrawPad *GraphicsTools::showDrawPad()
{
    if (!m_drawPad) {
        m_drawPad = new DrawPad(m_owner);
        connect(m_drawPad, &DrawPad::statementsReady, this, &GraphicsTools::insertAtCaret);
        emit toolWindowOpened(m_drawPad);
        m_drawPad->show();
        placeBeside(m_drawPad, m_owner, m_pixPad);
    }
    bringForward(m_drawPad);
    return m_drawPad;
}

PixPad *GraphicsTools::pixPadWindow()
{
    if (!m_pixPad) {
        m_pixPad = new PixPad(m_owner);
        m_pixPad->adjustSize();
        placeBeside(m_pixPad, m_owner, m_drawPad);
        connect(m_pixPad, &PixPad::insertRequested, this, &GraphicsTools::insertBitmap);
        unbind();
        emit toolWindowOpened(m_pixPad);
    }
    return m_pixPad;
}

PixPad *GraphicsTools::showPixPad()
{
    // A picture being drawn is not replaced by whatever line the caret is on.
    if (!m_pixPad || m_pixPad->picture().isBlank())
        loadFromCaretLine();
    PixPad *pad = pixPadWindow();
    bringForward(pad);
    return pad;
}

void GraphicsTools::editBitmapOnCaretLine()
{
    if (loadFromCaretLine())
        bringForward(m_pixPad);
}

bool GraphicsTools::caretLineHasBitmap() const
{
    const QTextDocument *doc = m_editor->document();
    const int caret = m_editor->textCursor().position();
    return BitmapString::findInLine(EditorText::lineText(doc, EditorText::lineOf(doc, caret)),
                                    EditorText::columnOf(doc, caret))
        .has_value();
}

void GraphicsTools::addContextMenuItems(QMenu *menu)
{
    menu->addSeparator();
    QAction *edit = menu->addAction(QStringLiteral("Edit Bitmap in PixPad"));
    edit->setObjectName(QStringLiteral("editBitmapInPixPad"));
    edit->setEnabled(caretLineHasBitmap());
    connect(edit, &QAction::triggered, this, &GraphicsTools::editBitmapOnCaretLine);
}

bool GraphicsTools::loadFromCaretLine()
{
    const QTextDocument *doc = m_editor->document();
    const int caret = m_editor->textCursor().position();
    const int line = EditorText::lineOf(doc, caret);
    const std::optional<BitmapString::Literal> literal =
        BitmapString::findInLine(EditorText::lineText(doc, line), EditorText::columnOf(doc, caret));
    if (!literal)
        return false;
    const int lineNumber = line + 1;
    if (literal->kind == BitmapString::Literal::PictureFile) {
        QString path = literal->contents;
        if (QFileInfo(path).isRelative() && !m_documentFolder().isEmpty())
            path = QDir(m_documentFolder()).filePath(path);
        return loadPictureFile(path, PixPadTitle);
    }
    const BitmapString::Parsed parsed = BitmapString::parse(literal->contents);
    if (!parsed.picture) {
        m_prompter.ask(PixPadTitle,
                       QStringLiteral("The bitmap string on line %1 cannot be edited in PixPad: %2")
                           .arg(lineNumber)
                           .arg(parsed.problem),
                       MsgButtons::OK, MsgIcon::Exclamation);
        return false;
    }
    PixPad *pad = pixPadWindow();
    pad->setPicture(*parsed.picture);
    const int start = EditorText::lineStart(doc, line);
    m_boundLiteral = QTextCursor(m_editor->document());
    m_boundLiteral.setPosition(start + literal->start);
    m_boundLiteral.setPosition(start + literal->start + literal->length, QTextCursor::KeepAnchor);
    m_boundText = literal->contents;
    pad->setBoundLine(lineNumber);
    return true;
}

bool GraphicsTools::loadPictureFile(const QString &path, const QString &title)
{
    QByteArray bytes;
    const FileResult read = readWholeFile(path, &bytes, 1024 * 1024);
    const QString name = QFileInfo(path).fileName();
    if (!read.ok) {
        m_prompter.ask(title, QStringLiteral("The PixPad file %1 could not be read: %2").arg(path, read.error),
                       MsgButtons::OK, MsgIcon::Critical);
        return false;
    }
    const PixPadFile::ReadResult file = PixPadFile::read(bytes);
    if (!file.picture) {
        m_prompter.ask(title, QStringLiteral("%1 is not a PixPad picture: %2").arg(name, file.problem), MsgButtons::OK,
                       MsgIcon::Exclamation);
        return false;
    }
    PixPad *pad = pixPadWindow();
    pad->setPicture(*file.picture);
    unbind();
    if (!file.notice.isEmpty())
        m_prompter.ask(title, QStringLiteral("%1 was opened, but %2").arg(name, file.notice), MsgButtons::OK,
                       MsgIcon::Information);
    return true;
}

void GraphicsTools::openPixPadFile()
{
    const std::optional<QString> path = m_prompter.fileDialog(pixPadDialog(FileDialogRequest::Open, OpenTitle));
    if (path && loadPictureFile(*path, OpenTitle))
        bringForward(m_pixPad);
}

void GraphicsTools::savePixPadAs()
{
    const std::optional<QString> path = m_prompter.fileDialog(pixPadDialog(FileDialogRequest::Save, SaveTitle));
    if (!path)
        return;
    // With no pad open, the empty picture of a new one is written.
    const QByteArray bytes = PixPadFile::write(m_pixPad ? m_pixPad->picture() : PixelPicture());
    const FileResult written = writeWholeFileAtomic(*path, bytes);
    if (!written.ok)
        m_prompter.ask(SaveTitle, QStringLiteral("The PixPad picture could not be saved to %1: %2").arg(*path, written.error),
                       MsgButtons::OK, MsgIcon::Critical);
}

void GraphicsTools::insertAtCaret(const QString &text)
{
    QTextCursor c = m_editor->textCursor();
    const int first = EditorText::lineOf(m_editor->document(), c.selectionStart());
    c.insertText(text);
    m_editor->setTextCursor(c);
    emit linesInserted(first, EditorText::lineOf(m_editor->document(), c.position()));
}

bool GraphicsTools::boundLiteralUnchanged() const
{
    if (m_boundText.isEmpty() || m_boundLiteral.isNull() || m_boundLiteral.document() != m_editor->document())
        return false;
    // Still the whole literal, between its own quotes.
    const QTextDocument *doc = m_editor->document();
    const int lineNumber = EditorText::lineOf(doc, m_boundLiteral.selectionStart());
    const QString line = EditorText::lineText(doc, lineNumber);
    const int lineStart = EditorText::lineStart(doc, lineNumber);
    const int start = m_boundLiteral.selectionStart() - lineStart;
    const int end = m_boundLiteral.selectionEnd() - lineStart;
    return EditorText::textBetween(doc, m_boundLiteral.selectionStart(), m_boundLiteral.selectionEnd()) == m_boundText
           && start > 0 && end < line.size()
           && line.at(start - 1) == QLatin1Char('"') && line.at(end) == QLatin1Char('"');
}

void GraphicsTools::unbind()
{
    m_boundLiteral = QTextCursor();
    m_boundText.clear();
    if (m_pixPad)
        m_pixPad->setBoundLine(0);
}

void GraphicsTools::insertBitmap(const QString &bitmap)
{
    if (!boundLiteralUnchanged()) {
        unbind();
        insertAtCaret(QStringLiteral("putbit \"%1\" to x, y\n").arg(bitmap));
        return;
    }
    QTextCursor c = m_boundLiteral;
    const int start = c.selectionStart();
    c.insertText(bitmap);
    c.setPosition(start);
    c.setPosition(start + int(bitmap.size()), QTextCursor::KeepAnchor);
    m_boundLiteral = c;
    m_boundText = bitmap;
    const int line = EditorText::lineOf(m_editor->document(), c.position());
    m_pixPad->setBoundLine(line + 1);
    emit linesInserted(line, line);
}
