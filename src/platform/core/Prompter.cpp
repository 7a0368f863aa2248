#include "platform/core/Prompter.h"

QString defaultMessageTitle()
{
    return QStringLiteral("Vormeld 2005");
}

QStringList qtNameFilters(const QString &filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        QString patterns = parts.at(i + 1).trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (!description.contains(QLatin1Char('(')) || !description.contains(patterns))
            description += QStringLiteral(" (") + patterns + QLatin1Char(')');
        result << description;
    }
    return result;
}
