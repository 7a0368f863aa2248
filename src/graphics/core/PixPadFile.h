#pragma once

#include "graphics/core/PixelPicture.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The .ypp file: 1091 bytes with no header. Byte 0 is the bitmap's width,
// byte 1 its height, then one byte (0 or 1) per cell, column by column: the
// cell of column x and row y is at offset 2 + 33x + y.
namespace PixPadFile {

constexpr int Size = 2 + PixelPicture::Side * PixelPicture::Side;

QByteArray write(const PixelPicture &picture);

struct ReadResult {
    std::optional<PixelPicture> picture; // nothing: not a PixPad file, see problem
    QString problem;                     // why the file was refused
    QString notice;                      // what was adjusted in a file that was read
};

// A file of the wrong size or with a cell other than 0 or 1 is refused; a
// width or height outside 1 to 32 is brought into that range and said so.
ReadResult read(const QByteArray &bytes);

} // namespace PixPadFile
