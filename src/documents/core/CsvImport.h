#pragma once

#include <QString>

// The program lines for a CSV file: "DATA " and each line exactly as read, one
// line break after each. A line ends at CR LF or at a CR alone; a lone LF stays
// inside the line. Lines use '\n' as their break, as the editor does.
QString csvToDataLines(const QString &csv);
