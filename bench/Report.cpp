#include "Report.h"

void Report::begin()
{
    if (m_tsv)
        return;
    std::fprintf(m_out, "%-30s %8s %12s  %s\n", "metric", "lines", "value", "unit");
    std::fprintf(m_out, "%-30s %8s %12s  %s\n", "------", "-----", "-----", "----");
    std::fflush(m_out);
}

void Report::add(const QList<BenchRow> &rows)
{
    for (const BenchRow &r : rows) {
        const QByteArray metric = r.metric.toUtf8();
        const QByteArray unit = r.unit.toUtf8();
        if (m_tsv) {
            std::fprintf(m_out, "%s\t%d\t%.3f\t%s\n", metric.constData(), r.lines, r.value,
                         unit.constData());
        } else {
            const QByteArray lines = r.lines ? QByteArray::number(r.lines) : QByteArray("-");
            std::fprintf(m_out, "%-30s %8s %12.2f  %s\n", metric.constData(), lines.constData(),
                         r.value, unit.constData());
        }
    }
    std::fflush(m_out);
}
