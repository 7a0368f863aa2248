#include "run/OutputPane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr qint64 PieceBudget = 64 * 1024;        // characters put in per timer tick
constexpr qint64 MostPending = 2 * 1024 * 1024;  // beyond this the oldest waiting text is skipped
constexpr int TickMs = 30;
} // namespace

OutputPane::OutputPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("outputPane"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    m_view = new QPlainTextEdit(this);
    m_view->setObjectName(QStringLiteral("outputView"));
    m_view->setReadOnly(true);
    m_view->setUndoRedoEnabled(false);
    m_view->setMaximumBlockCount(KeptLines);
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view->setFont(QFont(QStringLiteral("Monospace"), 9));
    m_view->viewport()->installEventFilter(this);
    m_view->viewport()->setMouseTracking(true);
    column->addWidget(m_view, 1);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(2, 0, 2, 2);
    row->addWidget(new QLabel(QStringLiteral("Input:"), this));
    m_input = new QLineEdit(this);
    m_input->setObjectName(QStringLiteral("outputInput"));
    m_input->setPlaceholderText(QStringLiteral("Type a line for the program and press Enter"));
    connect(m_input, &QLineEdit::returnPressed, this, [this] {
        const QString line = m_input->text();
        m_input->clear();
        append(line + QLatin1Char('\n'), Status);
        emit inputEntered(line);
    });
    row->addWidget(m_input, 1);
    m_stop = new QPushButton(QStringLiteral("Stop"), this);
    m_stop->setObjectName(QStringLiteral("stopButton"));
    m_stop->setToolTip(QStringLiteral("End the program and everything it started (Shift+F5)"));
    connect(m_stop, &QPushButton::clicked, this, &OutputPane::stopRequested);
    row->addWidget(m_stop);
    m_note = new QLabel(QStringLiteral("Only the last %1 lines are kept").arg(KeptLines), this);
    m_note->setObjectName(QStringLiteral("outputNote"));
    m_note->setEnabled(false);
    row->addWidget(m_note);
    column->addLayout(row);

    m_timer = new QTimer(this);
    m_timer->setInterval(TickMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        showSome(PieceBudget);
        if (m_pending.isEmpty())
            m_timer->stop();
    });
    setRunning(false);
}

void OutputPane::clear()
{
    m_pending.clear();
    m_pendingSize = 0;
    m_skipped = 0;
    m_view->clear();
}

void OutputPane::setRunning(bool running)
{
    m_stop->setEnabled(running);
    m_input->setEnabled(running);
    if (running)
        m_input->setFocus();
}

void OutputPane::append(const QString &text, Kind kind, int errorIndex)
{
    if (text.isEmpty())
        return;
    // Pieces of the same kind run together, so that a flood of small writes
    // does not become a flood of list entries.
    if (!m_pending.isEmpty() && m_pending.last().kind == kind && m_pending.last().error < 0 && errorIndex < 0
        && m_pending.last().text.size() < PieceBudget)
        m_pending.last().text += text;
    else
        m_pending.append(Piece{text, kind, errorIndex});
    m_pendingSize += text.size();
    while (m_pendingSize > MostPending && m_pending.size() > 1) {
        m_pendingSize -= m_pending.first().text.size();
        m_skipped += m_pending.first().text.size();
        m_pending.removeFirst();
    }
    if (!m_timer->isActive())
        m_timer->start();
}

void OutputPane::flush()
{
    showSome(std::numeric_limits<qint64>::max());
    m_timer->stop();
}

void OutputPane::showSome(qint64 budget)
{
    if (m_pending.isEmpty())
        return;
    QScrollBar *bar = m_view->verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum() - 2;
    QTextCursor c(m_view->document());
    c.movePosition(QTextCursor::End);
    c.beginEditBlock();
    if (m_skipped > 0) {
        QTextCharFormat note;
        note.setForeground(Qt::darkGray);
        note.setFontItalic(true);
        c.insertText(QStringLiteral("\n[%1 characters of output came faster than they could be shown and were skipped]\n")
                         .arg(m_skipped),
                     note);
        m_skipped = 0;
    }
    while (!m_pending.isEmpty() && budget > 0) {
        Piece &p = m_pending.first();
        const QString part = p.text.size() <= budget ? p.text : p.text.left(budget);
        QTextCharFormat f;
        if (p.kind == Error)
            f.setForeground(QColor(200, 0, 0));
        else if (p.kind == Status)
            f.setForeground(QColor(0, 0, 160));
        if (p.error >= 0) {
            f.setAnchor(true);
            f.setAnchorHref(QStringLiteral("error:%1").arg(p.error));
            f.setFontUnderline(true);
        }
        c.insertText(part, f);
        budget -= part.size();
        m_pendingSize -= part.size();
        if (part.size() == p.text.size())
            m_pending.removeFirst();
        else
            p.text.remove(0, part.size());
    }
    c.endEditBlock();
    if (atEnd)
        bar->setValue(bar->maximum());
}

bool OutputPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto *e = static_cast<QMouseEvent *>(event);
            const QString href = m_view->anchorAt(e->position().toPoint());
            if (href.startsWith(QLatin1String("error:"))) {
                emit errorClicked(href.mid(6).toInt());
                return true;
            }
        } else if (event->type() == QEvent::MouseMove) {
            const auto *e = static_cast<QMouseEvent *>(event);
            m_view->viewport()->setCursor(m_view->anchorAt(e->position().toPoint()).isEmpty()
                                              ? Qt::IBeamCursor
                                              : Qt::PointingHandCursor);
        }
    }
    return QWidget::eventFilter(watched, event);
}
