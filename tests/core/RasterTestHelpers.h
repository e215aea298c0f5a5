#pragma once
#include <vector>

#include "core/TBitmap.h"

// Saturated colours every raster kind from 4 bits up can hold exactly.
inline const std::vector<TColor>& PureColors() {
    static const std::vector<TColor> colors = {clBlack, clWhite, clRed, clLime, clBlue, clYellow};
    return colors;
}

inline TColor PatternColor(int x, int y, const std::vector<TColor>& colors) {
    return colors[std::size_t(x + 2 * y) % colors.size()];
}

// Paints a pattern through the surface, one pixel at a time.
inline void PaintPattern(TBitmap& bmp, const std::vector<TColor>& colors) {
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) bmp.Surface().WritePixel(x, y, PatternColor(x, y, colors));
}

// A sized raster of the given kind.
inline void MakeRaster(TBitmap& bmp, TRasterFormat format, int width, int height) {
    bmp.SetRasterFormat(format);
    bmp.SetWidth(width);
    bmp.SetHeight(height);
}
