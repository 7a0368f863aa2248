#include "graphics/core/PixPadFile.h"

namespace PixPadFile {

QByteArray write(const PixelPicture &picture)
{
    QByteArray out(Size, '\0');
    out[0] = char(picture.width());
    out[1] = char(picture.height());
    for (int x = 0; x < PixelPicture::Side; ++x)
        for (int y = 0; y < PixelPicture::Side; ++y)
            out[2 + PixelPicture::Side * x + y] = picture.pixel(x, y) ? 1 : 0;
    return out;
}

ReadResult read(const QByteArray &bytes)
{
    ReadResult r;
    if (bytes.size() != Size) {
        r.problem = QStringLiteral("a PixPad file holds %1 bytes, and this one holds %2.").arg(Size).arg(bytes.size());
        return r;
    }
    PixelPicture picture;
    for (int i = 2; i < Size; ++i) {
        const uchar cell = uchar(bytes.at(i));
        if (cell > 1) {
            r.problem = QStringLiteral("the byte at offset %1 is %2, and a cell can only be 0 or 1.").arg(i).arg(cell);
            return r;
        }
        const int x = (i - 2) / PixelPicture::Side, y = (i - 2) % PixelPicture::Side;
        picture.setPixel(x, y, cell == 1);
    }
    const int width = uchar(bytes.at(0)), height = uchar(bytes.at(1));
    picture.setWidth(width);
    picture.setHeight(height);
    if (picture.width() != width || picture.height() != height)
        r.notice = QStringLiteral("it gives the size %1 x %2, which PixPad cannot show; it was set to %3 x %4 "
                                  "(1 to %5 each way).")
                       .arg(width).arg(height).arg(picture.width()).arg(picture.height()).arg(PixelPicture::MaxSize);
    r.picture = picture;
    return r;
}

} // namespace PixPadFile
