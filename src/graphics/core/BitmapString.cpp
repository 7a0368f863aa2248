#include "graphics/core/BitmapString.h"

#include <QList>
#include <QRegularExpression>

namespace BitmapString {

Parsed parse(const QString &text)
{
    static const QRegularExpression header(QStringLiteral("^\\s*rgb\\s+(\\d{1,9})\\s*,\\s*(\\d{1,9})\\s*:"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = header.match(text);
    const qint64 w = m.hasMatch() ? m.captured(1).toLongLong() : 0;
    const qint64 h = m.hasMatch() ? m.captured(2).toLongLong() : 0;
    if (w <= 0 || h <= 0)
        return {std::nullopt, QStringLiteral("it must start with \"rgb W,H:\", where W and H are its "
                                             "width and height in pixels (more than 0).")};
    if (w > PixelPicture::MaxSize || h > PixelPicture::MaxSize)
        return {std::nullopt, QStringLiteral("it is %1 x %2 pixels, and PixPad holds at most %3 x %3.")
                                  .arg(w).arg(h).arg(PixelPicture::MaxSize)};
    const QStringView digits = QStringView(text).mid(m.capturedEnd()).trimmed();
    const qint64 wanted = 6 * w * h;
    if (digits.size() != wanted)
        return {std::nullopt, QStringLiteral("a %1 x %2 bitmap needs %3 hexadecimal digits after the colon, "
                                             "and it has %4.")
                                  .arg(w).arg(h).arg(wanted).arg(digits.size())};
    PixelPicture picture;
    picture.setWidth(int(w));
    picture.setHeight(int(h));
    for (int i = 0; i < int(w * h); ++i) {
        const QStringView colour = digits.mid(6 * i, 6);
        bool ok = false;
        const uint rgb = colour.toUInt(&ok, 16);
        const int x = i % int(w), y = i / int(w);
        if (!ok || colour.startsWith(QLatin1Char('+')) || colour.startsWith(QLatin1Char('-')))
            return {std::nullopt, QStringLiteral("\"%1\" (pixel %2, %3) is not six hexadecimal digits.")
                                      .arg(colour).arg(x).arg(y)};
        if (rgb != 0 && rgb != 0xffffff)
            return {std::nullopt, QStringLiteral("pixel %1, %2 has the colour %3; PixPad holds only black "
                                                 "(000000) and white (ffffff) pixels.")
                                      .arg(x).arg(y).arg(colour)};
        picture.setPixel(x, y, rgb == 0);
    }
    return {picture, QString()};
}

std::optional<Literal> findInLine(const QString &line, int column)
{
    QList<Literal> found;
    for (int i = 0; i < line.size(); ++i) {
        if (line.at(i) != QLatin1Char('"'))
            continue;
        int end = i + 1;
        while (end < line.size() && line.at(end) != QLatin1Char('"'))
            end += line.at(end) == QLatin1Char('\\') ? 2 : 1;
        end = std::min(end, int(line.size()));
        Literal lit;
        lit.start = i + 1;
        lit.length = end - lit.start;
        lit.contents = line.mid(lit.start, lit.length);
        if (lit.contents.trimmed().startsWith(QLatin1String("rgb"), Qt::CaseInsensitive))
            found << lit;
        else if (lit.contents.trimmed().endsWith(QLatin1String(".ypp"), Qt::CaseInsensitive))
            found << Literal{Literal::PictureFile, lit.start, lit.length, lit.contents.trimmed()};
        i = end;
    }
    for (const Literal &lit : std::as_const(found))
        if (column >= lit.start - 1 && column <= lit.start + lit.length + 1)
            return lit;
    for (Literal::Kind kind : {Literal::Bitmap, Literal::PictureFile})
        for (const Literal &lit : std::as_const(found))
            if (lit.kind == kind)
                return lit;
    return std::nullopt;
}

} // namespace BitmapString
