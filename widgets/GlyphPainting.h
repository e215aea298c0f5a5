#pragma once
#include "core/TColor.h"

class QImage;
class QPoint;
class QRect;
class TBitmap;

// The strip's transparent key: its bottom-left pixel; 0 for an empty strip. The strip is only read.
TColor StripKeyColor(const TBitmap& strip);

// Copies cell `cell` (cellWidth wide, the strip's full height) of a glyph strip to `at` in a
// 32-bit image. Pixels of the key colour take `brushColor`, or stay untouched when there is none.
void DrawGlyphCell(QImage& image, const TBitmap& strip, int cell, int cellWidth, const QPoint& at,
                   const TColor* brushColor);

// The same cell scaled smoothly into `target` (device pixels of the image), for denser screens:
// key-coloured pixels take `brushColor` or let the image show through, then the cell is scaled.
void DrawGlyphCellScaled(QImage& image, const TBitmap& strip, int cell, int cellWidth, const QRect& target,
                         const TColor* brushColor);
