#pragma once
#include "core/TColor.h"

class QImage;
class QPoint;
class TBitmap;

// Copies cell `cell` (cellWidth wide, the strip's full height) of a glyph strip to `at` in a
// 32-bit image. Pixels of the key colour (the strip's bottom-left pixel) take `brushColor`, or stay
// untouched when there is none. Returns the key colour.
TColor DrawGlyphCell(QImage& image, TBitmap& strip, int cell, int cellWidth, const QPoint& at,
                     const TColor* brushColor);
