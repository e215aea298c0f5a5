#pragma once
#include <cstdint>

#include "platform/Geometry.h"

class TBitmap;

// Rotates `source` by `angle` degrees (positive: clockwise on screen) about `centre` into
// `destination`, by inverse mapping: each destination pixel takes the source pixel that lands on
// it, or blue when that falls outside the picture. The destination gets the source's size at
// 24 bits per pixel; its former size and pixels are discarded. A source at another format is
// read from a private 24-bit copy, so the caller's raster keeps its format.
void RotateBitmap(TBitmap& source, TBitmap& destination, platform::TPoint centre, double angle);

// A point given in half pixels: twice its coordinates. (W, H) is the true centre of a W x H
// picture, which lies in the middle of a pixel when a side is odd.
struct HalfPixelPoint {
    std::int64_t X2 = 0, Y2 = 0;
};

// As above, about a point that may lie in the middle of a pixel. Where the turn about it carries
// whole pixels onto whole pixels (a half turn always; a quarter turn when X2 and Y2 have the same
// parity) it is made exactly; otherwise it is made about the point rounded to whole pixels, half
// to even.
void RotateAboutHalfPixelPoint(TBitmap& source, TBitmap& destination, HalfPixelPoint centre, double angle);
