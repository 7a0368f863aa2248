#include "common/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

QFont namedOrFallbackFont(const QString &family, qreal pointSize, bool bold, bool fixedPitch)
{
    QFont font;
    if (QFontDatabase::families().contains(family, Qt::CaseInsensitive))
        font = QFont(family);
    else
        font = QFontDatabase::systemFont(fixedPitch ? QFontDatabase::FixedFont
                                                    : QFontDatabase::GeneralFont);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    if (fixedPitch)
        font.setStyleHint(QFont::TypeWriter);
    return font;
}
