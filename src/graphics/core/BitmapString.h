#pragma once

#include "graphics/core/PixelPicture.h"

#include <QString>
#include <optional>

// Reading a bitmap back from program text: the interpreter's "rgb W,H:" strings
// (what putbit takes and getbit$ gives) and the string literals of a line.
namespace BitmapString {

struct Parsed {
    std::optional<PixelPicture> picture; // the bitmap, framed, when it fits PixPad
    QString problem;                     // otherwise why not, as the end of a sentence
};

// A black-and-white bitmap of up to 32 x 32 pixels becomes a picture; a larger,
// coloured or malformed one is refused, never altered.
Parsed parse(const QString &text);

// A string literal on a line: where its contents start (after the opening
// quote), how long they are, and what they say.
struct Literal {
    enum Kind { Bitmap, PictureFile };
    Kind kind = Bitmap;
    int start = 0;
    int length = 0;
    QString contents;
};

// The literal a line offers for PixPad: a bitmap string ("rgb ..."), else the
// name of a .ypp file. Of several, the one around the column wins, then the
// first bitmap, then the first file name.
std::optional<Literal> findInLine(const QString &line, int column);

} // namespace BitmapString
