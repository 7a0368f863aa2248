#include "graphics/core/PixelPicture.h"

#include <algorithm>
#include <cmath>

void PixelPicture::setWidth(int cells) { m_width = std::clamp(cells, 1, MaxSize); }
void PixelPicture::setHeight(int cells) { m_height = std::clamp(cells, 1, MaxSize); }

bool PixelPicture::pixel(int x, int y) const
{
    return x >= 0 && y >= 0 && x < Side && y < Side && m_cells[size_t(x * Side + y)];
}

void PixelPicture::setPixel(int x, int y, bool set)
{
    if (x >= 0 && y >= 0 && x < Side && y < Side)
        m_cells[size_t(x * Side + y)] = set;
}

bool PixelPicture::isBlank() const
{
    return std::find(m_cells.begin(), m_cells.end(), true) == m_cells.end();
}

int PixelPicture::cellAt(int canvasCoordinate)
{
    // Halves are exact in binary, and nearbyint rounds them to even.
    const int cell = int(std::nearbyint((canvasCoordinate - 5) / double(CellPixels)));
    return std::min(cell, Side - 1);
}

QString PixelPicture::rgbBitmap() const
{
    QString out = QStringLiteral("rgb %1,%2:").arg(m_width).arg(m_height);
    out.reserve(out.size() + 6 * m_width * m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            out += pixel(x, y) ? QLatin1String("000000") : QLatin1String("ffffff");
    return out;
}

QString PixelPicture::oldBitmapCode() const
{
    QString digits;
    int acc = 0, bit = 0;
    for (int y = 0; y <= m_height; ++y) {
        for (int x = 0; x <= m_width; ++x) {
            acc += pixel(x, y) ? 1 << bit : 0;
            if (++bit > 3) {
                digits += QString::number(acc, 16).toUpper();
                acc = 0;
                bit = 0;
            }
        }
    }
    const int keep = int(std::nearbyint(m_width * m_height / 4.0));
    return QStringLiteral("%1,%2:").arg(m_width + 1).arg(m_height + 1) + digits.left(keep);
}
