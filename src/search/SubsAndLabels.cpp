#include "SubsAndLabels.h"

#include "editor/EditorText.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>

SubsAndLabels::SubsAndLabels(QPlainTextEdit *editor, QComboBox *subs, QComboBox *labels,
                             QObject *parent)
    : QObject(parent), m_editor(editor), m_subs(subs), m_labels(labels)
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    m_clock = [timer] { return double(timer->nsecsElapsed()) / 1e9; };
    connect(m_subs, QOverload<int>::of(&QComboBox::activated), this,
            [this] { goToEntry(SubsLabelsIndex::Kind::Sub); });
    connect(m_labels, QOverload<int>::of(&QComboBox::activated), this,
            [this] { goToEntry(SubsLabelsIndex::Kind::Label); });
    m_subs->installEventFilter(this);
    m_labels->installEventFilter(this);
}

void SubsAndLabels::setUpdatingDisabled(bool disabled)
{
    if (disabled == m_updatingDisabled)
        return;
    m_updatingDisabled = disabled;
    emit updatingDisabledChanged(disabled);
}

void SubsAndLabels::caretMoved()
{
    const int index = m_subs->currentIndex();
    if (index >= 0 && entryOffset(SubsLabelsIndex::Kind::Sub, index)
                          != EditorText::modelPosition(m_editor->textCursor()))
        m_subs->setCurrentIndex(-1);
}

QString SubsAndLabels::lineText(int line) const
{
    return EditorText::lineText(m_editor->document(), line);
}

void SubsAndLabels::refill(QComboBox *combo, const std::vector<SubsLabelsIndex::Entry> &entries)
{
    QStringList texts;
    texts.reserve(qsizetype(entries.size()));
    for (const SubsLabelsIndex::Entry &e : entries)
        texts << e.display;
    combo->setUpdatesEnabled(false);
    combo->clear();
    combo->addItems(texts);
    combo->setCurrentIndex(-1);
    combo->setUpdatesEnabled(true);
}

void SubsAndLabels::updateSubsAndLabels()
{
    QTextDocument *doc = m_editor->document();
    const int length = EditorText::modelLength(doc);
    bool waitCursor = false;
    auto hourglass = [&waitCursor] {
        if (!waitCursor) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            waitCursor = true;
        }
    };
    if (m_updatingDisabled)
        hourglass();
    const bool progress = length >= 400;
    if (progress)
        emit statusMessage(QStringLiteral("Updating subs and labels list... Please wait"));
    const double started = m_clock();

    m_labels->setUpdatesEnabled(false);
    // One copy of the whole text, read line by line without copying the lines.
    // (A long line held as rows is read through the editor's text.)
    const bool rows = EditorText::lineCount(doc) != doc->blockCount();
    const QString raw = rows ? EditorText::plainText(doc) : doc->toRawText();
    // The count is said every 100 lines, but not more often than the eye can
    // follow: at a million lines the messages alone would take a tenth of a second.
    double said = started;
    m_index.rebuild(QStringView(raw).left(rows ? raw.size() : doc->characterCount() - 1), rows ? QChar(QLatin1Char('\n')) : QChar::ParagraphSeparator,
                    [&](int count) {
                        if (!progress || count % 100 != 0)
                            return;
                        if (const double now = m_clock(); now - said >= 0.05) {
                            said = now;
                            emit statusMessage(QStringLiteral("Updating subs and labels list... Please wait (Done Line ")
                                           + QString::number(count) + QLatin1Char(')'));
                            hourglass();
                        }
                    });
    refill(m_subs, m_index.subs());
    refill(m_labels, m_index.labels());
    m_labels->setUpdatesEnabled(true);
    m_stale = false;

    if (m_clock() - started > 0.5)
        setUpdatingDisabled(true); // too slow to follow every keystroke
    if (waitCursor)
        QApplication::restoreOverrideCursor();
    emit statusMessage(QStringLiteral("Done"));
}

void SubsAndLabels::textChanged(int firstLine, int oldLines, int newLines, bool wholeText)
{
    if (m_updatingDisabled) {
        m_stale = true; // updating is off: the lists keep what they have
        return;
    }
    if (wholeText && newLines >= LongTextLines) {
        // A long program just put in is shown first; its lists follow a moment later.
        m_stale = true;
        QTimer::singleShot(0, this, [this] {
            if (m_stale && !m_updatingDisabled)
                updateSubsAndLabels();
        });
        return;
    }
    if (wholeText || m_stale) {
        updateSubsAndLabels();
        return;
    }
    const SubsLabelsIndex::Changed c =
        m_index.applyChange(firstLine, oldLines, newLines, [this](int n) { return lineText(n); });
    if (c.subs)
        refill(m_subs, m_index.subs());
    if (c.labels)
        refill(m_labels, m_index.labels());
    emit statusMessage(QStringLiteral("Done"));
}

int SubsAndLabels::entryOffset(SubsLabelsIndex::Kind kind, int index) const
{
    const auto &list = kind == SubsLabelsIndex::Kind::Sub ? m_index.subs() : m_index.labels();
    if (index < 0 || index >= int(list.size()))
        return -1;
    return EditorText::modelLineStart(m_editor->document(), list[size_t(index)].line + 1);
}

void SubsAndLabels::goToEntry(SubsLabelsIndex::Kind kind)
{
    QComboBox *combo = kind == SubsLabelsIndex::Kind::Sub ? m_subs : m_labels;
    const int offset = entryOffset(kind, combo->currentIndex());
    if (offset < 0)
        return;
    EditorText::selectModelRange(m_editor, offset, 0);
    m_editor->setFocus();
}

bool SubsAndLabels::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease) {
        if (watched == m_subs)
            goToEntry(SubsLabelsIndex::Kind::Sub);
        else if (watched == m_labels)
            goToEntry(SubsLabelsIndex::Kind::Label);
    }
    return QObject::eventFilter(watched, event);
}
