#pragma once

#include <QFont>
#include <QString>

// The named family when it is installed, otherwise the system's fixed-width or
// general font at the same size.
QFont namedOrFallbackFont(const QString &family, qreal pointSize, bool bold, bool fixedPitch);
