#include "DocumentBuilder.h"

#include "common/core/RunAside.h"
#include "editor/RowBreaks.h"

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>

#include <atomic>

namespace {
// About a megabyte per insertion, cut after a line break.
qsizetype sliceEnd(const QString &text, qsizetype from)
{
    constexpr qsizetype Slice = 1 << 20;
    if (text.size() - from <= Slice)
        return text.size();
    const qsizetype brk = text.indexOf(QLatin1Char('\n'), from + Slice);
    return brk < 0 ? text.size() : brk + 1;
}
} // namespace

QTextDocument *buildDocumentAside(const QString &text, const std::vector<LongLines::Break> &breaks,
                                  const QTextDocument &like,
                                  const std::function<void(int percent)> &progress)
{
    QThread *caller = QThread::currentThread();
    std::atomic<qsizetype> done{0};
    QTextDocument *built = nullptr;
    const QFont font = like.defaultFont();
    const QTextOption option = like.defaultTextOption();
    const qreal margin = like.documentMargin();
    int shown = -1;
    auto report = [&] {
        const int percent = text.isEmpty() ? 100 : int(done.load(std::memory_order_relaxed) * 100 / text.size());
        if (percent != shown && progress)
            progress(shown = percent);
    };
    report();
    runAside(
        [&] {
            auto *doc = new QTextDocument;
            doc->setDocumentLayout(new QPlainTextDocumentLayout(doc));
            doc->setDefaultFont(font);
            doc->setDefaultTextOption(option);
            doc->setDocumentMargin(margin);
            doc->setUndoRedoEnabled(false);
            QTextCursor end(doc);
            for (qsizetype from = 0; from < text.size();) {
                const qsizetype to = sliceEnd(text, from);
                end.insertText(text.mid(from, to - from));
                from = to;
                done.store(from, std::memory_order_relaxed);
            }
            // Every line gets its layout object here: the editor makes the
            // missing ones when it takes the document, a pause at a million lines.
            for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
                b.layout();
            if (!breaks.empty())
                RowBreaks::ensure(doc).add(breaks);
            doc->setUndoRedoEnabled(true);
            doc->setModified(false);
            doc->moveToThread(caller);
            built = doc;
        },
        report);
    report();
    return built;
}
