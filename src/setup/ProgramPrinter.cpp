#include "setup/ProgramPrinter.h"

#include "common/Fonts.h"
#include "setup/core/PrintRows.h"

#include <QDeadlineTimer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>

ProgramPrinter::ProgramPrinter(QStringList lines) : m_lines(std::move(lines)), m_font(printFont()) {}

QFont ProgramPrinter::printFont()
{
    return namedOrFallbackFont(QStringLiteral("Courier New"), 10, false, true);
}

bool ProgramPrinter::begin(QPagedPaintDevice *device)
{
    m_device = device;
    if (!m_painter.begin(device)) {
        m_error = QStringLiteral("The printer could not be started.");
        return false;
    }
    m_painter.setFont(m_font);
    const QFontMetricsF metrics(m_font, device);
    m_lineHeight = metrics.lineSpacing();
    m_ascent = metrics.ascent();
    m_columns = std::max(1, int(device->width() / metrics.horizontalAdvance(QLatin1Char('M'))));
    m_rowsPerPage = std::max(1, int(device->height() / m_lineHeight));
    return true;
}

bool ProgramPrinter::printUntil(const QDeadlineTimer &deadline)
{
    while (!atEnd()) {
        const QStringList rows = PrintRows::wrap(m_lines.at(m_next++), m_columns);
        for (const QString &row : rows) {
            if (m_row == m_rowsPerPage) {
                if (!m_device->newPage()) {
                    m_error = QStringLiteral("The printer did not take page %1.").arg(m_page + 1);
                    return false;
                }
                m_row = 0;
                ++m_page;
            }
            if (!row.isEmpty())
                m_painter.drawText(QPointF(0, m_row * m_lineHeight + m_ascent), row);
            ++m_row;
        }
        if (deadline.hasExpired())
            break;
    }
    return true;
}

bool ProgramPrinter::end()
{
    if (m_painter.isActive() && !m_painter.end()) {
        m_error = QStringLiteral("The printer could not finish the document.");
        return false;
    }
    return true;
}

void ProgramPrinter::stop()
{
    if (m_painter.isActive())
        m_painter.end();
}
