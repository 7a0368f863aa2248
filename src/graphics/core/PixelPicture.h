#pragma once

#include <QString>
#include <array>

// PixPad's one-bit picture: a grid of 33 x 33 cells, each set or clear, and the
// width and height of the bitmap framed in its top-left corner (1 to 32 cells).
// Cells outside the frame are kept and shown, but are not part of the bitmap.
class PixelPicture {
public:
    static constexpr int Side = 33;
    static constexpr int MaxSize = 32;
    static constexpr int CellPixels = 10; // a cell's side on the canvas

    int width() const { return m_width; }
    int height() const { return m_height; }
    // Both are kept within 1 to MaxSize.
    void setWidth(int cells);
    void setHeight(int cells);

    // x column, y row, both 0 to Side - 1; anything else reads as clear and is not stored.
    bool pixel(int x, int y) const;
    void setPixel(int x, int y, bool set);
    bool isBlank() const;

    // The column or row under a canvas coordinate: (p - 5) / 10, rounded to
    // the nearest whole number with halves to even, at most Side - 1. It is
    // negative left of or above the canvas.
    static int cellAt(int canvasCoordinate);

    // The framed cells as the interpreter's own bitmap string, ready for
    // putbit: "rgb W,H:" and six hexadecimal digits per pixel, row by row,
    // 000000 for a set cell and ffffff for a clear one.
    QString rgbBitmap() const;

    // The older bitmap text: (width + 1) "," (height + 1) ":" and one
    // hexadecimal digit per four cells of the (width + 1) x (height + 1) cells
    // scanned row by row (the first cell the lowest bit), cut to
    // width x height / 4 digits (rounded, halves to even).
    QString oldBitmapCode() const;

    bool operator==(const PixelPicture &o) const
    {
        return m_cells == o.m_cells && m_width == o.m_width && m_height == o.m_height;
    }

private:
    std::array<bool, Side * Side> m_cells{};
    int m_width = 1;
    int m_height = 1;
};
