#include "search/core/FindText.h"

#include <QLocale>
#include <QMutex>
#include <memory>
#include <vector>

namespace FindText {

namespace {
// A lower-case table for every UTF-16 code unit under one locale. A letter whose
// lower case is not a single code unit keeps its simple Unicode folding.
struct FoldTable {
    QString localeName;
    std::vector<char16_t> map;
};

const FoldTable &tableFor(const QLocale &locale)
{
    static std::unique_ptr<FoldTable> table;
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    if (!table || table->localeName != locale.name()) {
        auto t = std::make_unique<FoldTable>();
        t->localeName = locale.name();
        t->map.resize(0x10000);
        for (char32_t c = 0; c < 0x10000; ++c) {
            const QChar ch = QChar(char16_t(c));
            t->map[c] = char16_t(c);
            if (ch.isSurrogate() || !ch.isLetter())
                continue;
            const QString lower = locale.toLower(QString(ch));
            t->map[c] = lower.size() == 1 ? lower.at(0).unicode() : ch.toCaseFolded().unicode();
        }
        table = std::move(t);
    }
    return *table;
}
} // namespace

QString foldCase(const QString &text)
{
    const FoldTable &t = tableFor(QLocale());
    QString out(text.size(), Qt::Uninitialized);
    const QChar *in = text.constData();
    QChar *o = out.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        o[i] = QChar(t.map[in[i].unicode()]);
    return out;
}

int find(const QString &text, const QString &what, int start, bool matchCase)
{
    if (what.isEmpty())
        return 0;
    const qsizetype from = std::max(start, 1) - 1;
    if (from >= text.size())
        return 0;
    const qsizetype at = matchCase ? text.indexOf(what, from, Qt::CaseSensitive)
                                   : foldCase(text).indexOf(foldCase(what), from, Qt::CaseSensitive);
    return at < 0 ? 0 : int(at + 1);
}

} // namespace FindText
