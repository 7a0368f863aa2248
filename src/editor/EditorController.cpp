#include "EditorController.h"

#include "editor/core/AutoIndent.h"
#include "editor/CodeEditor.h"
#include "editor/DocumentBuilder.h"
#include "editor/EditorText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QTextBlock>

EditorController::EditorController(CodeEditor *editor, QFrame *hotInfoBox, QLabel *hotInfoLabel,
                                   QObject *parent)
    : QObject(parent), m_editor(editor), m_hotBox(hotInfoBox), m_hotLabel(hotInfoLabel),
      m_colouring(editor), m_rows(editor)
{
    // The editor keeps no history of its own: Undo and Redo are ours.
    m_editor->setUndoRedoEnabled(false);
    m_editor->setBeforePaintLine([this](const QTextBlock &b) { m_colouring.colourIfPending(b); });
    m_editor->setInsertText([this](const QString &text) {
        QTextCursor c = m_editor->textCursor();
        m_rows.insert(c, text);
        m_editor->setTextCursor(c);
    });
    // Rows just cut are coloured again when painted (the line count stays).
    connect(&m_rows, &RowKeeper::rowsCut, this,
            [this](int from, int to) { m_colouring.recolourRange(from, to - from); });
    m_editor->installEventFilter(this);
    m_editor->viewport()->installEventFilter(this);
    m_length = m_editor->document()->characterCount() - 1;
    m_blocks = m_editor->document()->blockCount();
    m_lines = m_blocks;
    watchDocument();
}

QString EditorController::text() const
{
    return EditorText::plainText(m_editor->document());
}

ChunkedText EditorController::sharedText() const
{
    // The history usually holds the text shown: sharing its pieces costs next to
    // nothing, while reading it out of the document takes a walk over every line.
    if (std::optional<ChunkedText> known = m_history.textWithoutAsking())
        return *known;
    return ChunkedText(text());
}

void EditorController::setText(const QString &text)
{
    // Long lines go in as rows (see LongLines).
    const QString rows = m_rows.prepare(text);
    if (text.size() < LongTextChars) {
        m_knownText = &text;
        m_editor->setPlainText(rows);
        m_knownText = nullptr;
        m_rows.done();
        return;
    }
    // A long text is put into a document of its own away from the window, which
    // then shows that document instead: one change, as setPlainText makes it.
    QTextDocument *built = buildDocumentAside(rows, m_rows.prepared(), *m_editor->document(),
                                              [this](int percent) { emit loadProgress(percent); });
    m_rows.done();
    m_editor->adoptDocument(built);
    watchDocument();
    const int blocksBefore = m_blocks, linesBefore = m_lines, oldLength = m_length;
    m_length = built->characterCount() - 1;
    m_blocks = built->blockCount();
    m_lines = EditorText::lineCount(built);
    TextChange change;
    change.removed = oldLength;
    change.inserted = text;
    takeChange(change, blocksBefore, linesBefore, oldLength);
}

void EditorController::watchDocument()
{
    connect(m_editor->document(), &QTextDocument::contentsChange, this, &EditorController::onContentsChange);
}

void EditorController::appendText(const QString &text)
{
    QTextCursor c(m_editor->document());
    c.movePosition(QTextCursor::End);
    m_rows.insert(c, text);
}

void EditorController::parseLine2(int line) { m_colouring.parseLine2(line); }
void EditorController::parseAllLines() { m_colouring.parseAllLines(); }

int EditorController::caretLineNumber() const
{
    return EditorText::lineOf(m_editor->document(), m_editor->textCursor().position());
}

int EditorController::caretColumn() const
{
    return EditorText::columnOf(m_editor->document(), m_editor->textCursor().position());
}

void EditorController::onContentsChange(int position, int removed, int added)
{
    if (m_editor->reportingFormatChanges())
        return; // colours only
    QTextDocument *doc = m_editor->document();
    const int newLength = doc->characterCount() - 1;
    // Qt may report the document's closing character too; trim to the text.
    const int addedChars = std::max(0, std::min(added, newLength - position));
    const int removedChars = std::max(0, addedChars - (newLength - m_length));
    const int blocksBefore = m_blocks, linesBefore = m_lines;
    const int oldLength = m_length;
    m_length = newLength;
    m_blocks = doc->blockCount();
    if (m_rows.cutting())
        return; // the text is the same, only held in more rows (see rowsCut)
    if (removedChars == 0 && addedChars == 0)
        return; // formatting only
    m_rows.follow(position, removedChars, addedChars);
    m_lines = EditorText::lineCount(doc);
    const bool whole = m_knownText && position == 0 && addedChars == m_knownText->size();

    TextChange change;
    change.pos = position;
    change.removed = removedChars;
    if (whole) {
        change.inserted = *m_knownText;
    } else {
        change.inserted = EditorText::textBetween(doc, position, position + addedChars);
        // Qt may report more than what changed (a whole line for one deleted
        // character); where the old text is known, narrow it to the real change.
        if (const ChunkedText *old = m_history.knownEditorText(); old && position + removedChars <= old->size())
            change = narrowChange(change, old->mid(position, removedChars));
    }
    takeChange(change, blocksBefore, linesBefore, oldLength);
    if (!whole)
        m_rows.cutSoon(position, position + addedChars);
}

void EditorController::takeChange(const TextChange &change, int blocksBefore, int linesBefore, int oldLength)
{
    QTextDocument *doc = m_editor->document();

    m_colouring.textChanged(change.pos, change.removed, int(change.inserted.size()), blocksBefore);
    const int newLines = int(change.inserted.count(QLatin1Char('\n'))) + 1;
    emit linesChanged(EditorText::lineOf(doc, change.pos), newLines - (m_lines - linesBefore),
                      newLines, change.pos == 0 && change.removed == oldLength);
    if (m_puttingHistory)
        return;

    if (m_ignoreChange) {
        m_history.recordSilentChange(change);
        return;
    }
    m_history.recordChange(change, [this] { return text(); });
    emit textEdited();
    showHotInfo();
    emitHistoryChanged();
}

void EditorController::documentReplaced()
{
    hideHotInfo();
    startHistory();
}

void EditorController::setWindowShortcuts(const QList<QAction *> &actions)
{
    m_windowShortcuts.clear();
    for (QAction *a : actions) {
        const QKeySequence key = a->shortcut();
        if (key.count() == 1)
            m_windowShortcuts[key[0].toCombined()].append(a);
    }
}

void EditorController::startHistory()
{
    m_ignoreChange = false;
    // A text just put in whole is already the history's newest step: taking it
    // from there spares a walk over every line of the document.
    std::optional<ChunkedText> known = m_history.textWithoutAsking();
    const ChunkedText all = known ? std::move(*known) : ChunkedText(text());
    m_history.reset(all);
    layOutWidestLine(all);
    emitHistoryChanged();
}

void EditorController::layOutWidestLine(const ChunkedText &all)
{
    // The editor's layout remembers its widest line by number. When the line at
    // that number gets narrower (Enter splits it, or lines above come and go and
    // another line takes the number) it measures every line of the document
    // again, making a layout for each: at a million lines a long pause and
    // hundreds of megabytes. Laying out the truly widest line first makes it the
    // one remembered, far from where the user types, and the scroll bar right.
    qsizetype widest = 0, widestLength = -1, line = 0, length = 0;
    for (const QString &piece : all.pieces()) {
        const QChar *c = piece.constData();
        for (qsizetype i = 0, n = piece.size(); i < n; ++i) {
            if (c[i] != QLatin1Char('\n')) {
                ++length;
                continue;
            }
            if (length > widestLength) {
                widestLength = length;
                widest = line;
            }
            ++line;
            length = 0;
        }
    }
    if (length > widestLength)
        widest = line;
    const QTextBlock block =
        m_editor->document()->findBlock(EditorText::lineStart(m_editor->document(), int(widest)));
    if (block.isValid())
        m_editor->document()->documentLayout()->blockBoundingRect(block);
}

void EditorController::putText(const QString &wanted)
{
    // Only the part that differs is replaced: the rest keeps its colours and
    // the view does not jump.
    const TextChange d = diffTexts(text(), wanted);
    m_puttingHistory = true;
    QTextCursor c(m_editor->document());
    c.setPosition(d.pos);
    c.setPosition(d.pos + d.removed, QTextCursor::KeepAnchor);
    m_rows.insert(c, d.inserted);
    m_puttingHistory = false;
    m_colouring.recolourRange(d.pos, int(d.inserted.size()));
}

void EditorController::undoEdit()
{
    stepHistory(true);
}

void EditorController::redoEdit()
{
    stepHistory(false);
}

void EditorController::stepHistory(bool undo)
{
    m_ignoreChange = true;
    const int caret = EditorText::modelPosition(m_editor->textCursor());
    const auto current = [this] { return text(); };
    const std::optional<QString> s = undo ? m_history.undo(current) : m_history.redo(current);
    if (s) {
        putText(*s);
        emit modifiedByHistory(m_history.isModified());
        QTextCursor c = m_editor->textCursor();
        c.setPosition(EditorText::qtPosition(m_editor->document(), caret));
        m_editor->setTextCursor(c);
    }
    m_ignoreChange = false;
    emitHistoryChanged();
}

void EditorController::editCommand(int index)
{
    QTextCursor c = m_editor->textCursor();
    const QString selected = EditorText::textBetween(m_editor->document(), c.selectionStart(), c.selectionEnd());
    const QString clip = QGuiApplication::clipboard()->text();
    switch (index) {
    case 0:
        c.removeSelectedText();
        QGuiApplication::clipboard()->setText(selected);
        break;
    case 1:
        QGuiApplication::clipboard()->setText(selected);
        break;
    case 2:
        m_rows.insert(c, clip);
        m_editor->setTextCursor(c);
        break;
    case 3:
        c.removeSelectedText();
        break;
    default:
        return;
    }
    emit caretLineChanged();
}

void EditorController::selectAllText()
{
    m_editor->selectAll();
}

void EditorController::insertSubroutine(const QDate &date)
{
    const QString nl = QStringLiteral("\n");
    const QString tmpl = nl + nl + QStringLiteral("rem  Name: New Procedure") + nl
                         + QStringLiteral("rem  Purpose: Unknown") + nl
                         + QStringLiteral("rem  Date Made: ") + date.toString(QStringLiteral("MM-dd-yyyy")) + nl
                         + QStringLiteral("sub newproc()") + nl + QStringLiteral("  ") + nl
                         + QStringLiteral("end sub") + nl;
    QTextCursor c(m_editor->document());
    c.movePosition(QTextCursor::End);
    c.insertText(tmpl);
    // The caret goes to the end of the body line: 11 program characters (CR LF
    // "end sub" CR LF) before the end.
    QTextCursor caret(m_editor->document());
    const int end = EditorText::modelPosition(m_editor->document(), m_editor->document()->characterCount() - 1);
    caret.setPosition(EditorText::qtPosition(m_editor->document(), end - 11));
    m_editor->setTextCursor(caret);
    emit caretLineChanged();
}

void EditorController::hideHotInfo()
{
    m_hotBox->hide();
}

void EditorController::showHotInfo()
{
    const QTextCursor cursor = m_editor->textCursor();
    const QString tail = EditorText::modelTextBefore(m_editor->document(), cursor.position(), 10);
    const int entry = m_hotInfo.lookup(tail);
    if (entry < 0)
        return;
    m_hotLabel->setText(m_hotInfo.entries()[entry].text);
    m_hotLabel->adjustSize();
    placeHotInfo();
    m_hotBox->show();
    m_hotBox->raise();
    // During a change the line is not laid out anew yet: place it again once it is.
    QMetaObject::invokeMethod(this, &EditorController::placeHotInfo, Qt::QueuedConnection);
}

void EditorController::placeHotInfo()
{
    const QRect caret = m_editor->cursorRect();
    const QPoint inParent = m_editor->viewport()->mapTo(m_hotBox->parentWidget(), caret.topLeft());
    // The label sits inside the box's frame; the box is three pixels taller.
    m_hotLabel->move(4, 1);
    m_hotBox->setGeometry(inParent.x(), inParent.y() + 20, m_hotLabel->width() + 8,
                          m_hotLabel->height() + 3);
}

void EditorController::keyPressed(const QString &typed, int key)
{
    m_ignoreChange = true;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        hideHotInfo();
    const ushort code = typed.isEmpty() ? 0 : typed.at(0).unicode();
    if (!m_lineCleared && code >= 32 && code <= 126) {
        m_editLine = caretLineNumber();
        m_colouring.clearLine(m_editLine);
        m_lineCleared = true;
    }
    m_ignoreChange = false;
}

void EditorController::lineChangeCheck()
{
    if (caretLineNumber() != m_editLine) {
        parseLine2(m_editLine);
        m_lineCleared = false;
    }
}

void EditorController::indentAfterEnter()
{
    if (!m_autoIndent)
        return;
    QTextCursor c = m_editor->textCursor();
    const QTextDocument *doc = m_editor->document();
    const int above = EditorText::lineOf(doc, c.position()) - 1;
    const int blanks = AutoIndentRule::blanksFor(EditorText::columnOf(doc, c.position()) == 0 && above >= 0,
                                                 above, above >= 0 ? EditorText::lineText(doc, above) : QString());
    if (blanks > 0) {
        c.insertText(QString(blanks, QLatin1Char(' ')));
        m_editor->setTextCursor(c);
    }
}

void EditorController::keyReleased(int key)
{
    m_ignoreChange = true;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        hideHotInfo();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        indentAfterEnter();
        break;
    default:
        break;
    }
    lineChangeCheck();
    m_ignoreChange = false;
}

bool EditorController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor) {
        switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // Let the window's menu shortcuts (Undo, Redo, Options...) win over the
            // editor's built-in keys, as long as the menu item is enabled.
            const auto it = m_windowShortcuts.constFind(static_cast<QKeyEvent *>(event)->keyCombination().toCombined());
            if (it != m_windowShortcuts.constEnd()) {
                for (QAction *a : *it) {
                    if (a->isEnabled()) {
                        event->ignore();
                        return true;
                    }
                }
            }
            break;
        }
        case QEvent::KeyPress: {
            auto *ke = static_cast<QKeyEvent *>(event);
            if (ke->key() == Qt::Key_Insert && ke->modifiers() == Qt::NoModifier) {
                m_editor->setOverwriteMode(!m_editor->overwriteMode());
                emit overwriteModeChanged(m_editor->overwriteMode());
                return true;
            }
            m_rows.beforeTyping(ke->text());
            keyPressed(ke->text(), ke->key());
            break;
        }
        case QEvent::KeyRelease: {
            auto *ke = static_cast<QKeyEvent *>(event);
            if (!ke->isAutoRepeat())
                keyReleased(ke->key());
            break;
        }
        default:
            break;
        }
    } else if (watched == m_editor->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            hideHotInfo();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_ignoreChange = true;
            lineChangeCheck();
            m_ignoreChange = false;
        }
    }
    return QObject::eventFilter(watched, event);
}
