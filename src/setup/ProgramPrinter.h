#pragma once

#include <QFont>
#include <QPainter>
#include <QStringList>

class QDeadlineTimer;
class QPagedPaintDevice;

// Paints a program's lines as plain monospaced text on the pages of a printer
// or PDF file, one line after another; a line too wide for the page goes on
// over the next rows behind a mark. Printing goes in steps so that the window
// stays alive between them.
class ProgramPrinter {
public:
    explicit ProgramPrinter(QStringList lines);

    // False with error() when the device cannot be painted on.
    bool begin(QPagedPaintDevice *device);
    // Prints lines until the deadline has passed or every line is printed.
    // False with error() when the device refused a new page.
    bool printUntil(const QDeadlineTimer &deadline);
    bool atEnd() const { return m_next >= m_lines.size(); }
    // Ends the document, which sends it on.
    bool end();
    // Stops painting without ending the document properly (the caller throws it away).
    void stop();

    int page() const { return m_page; }
    int rowsPerPage() const { return m_rowsPerPage; }
    int columns() const { return m_columns; }
    QString error() const { return m_error; }

    // "Courier New" when it is installed, else the system's fixed-width font.
    static QFont printFont();

private:
    QStringList m_lines;
    qsizetype m_next = 0;
    QPagedPaintDevice *m_device = nullptr;
    QPainter m_painter;
    QFont m_font;
    qreal m_lineHeight = 0, m_ascent = 0;
    int m_columns = 0, m_rowsPerPage = 0;
    int m_row = 0, m_page = 1;
    QString m_error;
};
