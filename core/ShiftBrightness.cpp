#include "core/ShiftBrightness.h"

#include <cstdint>

#include "core/TBitmap.h"

namespace {

// One channel: shifted when the result stays a byte, otherwise left alone.
inline std::uint32_t ShiftChannel(std::uint32_t value, int delta) {
    const int shifted = int(value) + delta;
    return (shifted >= 0 && shifted <= 255) ? std::uint32_t(shifted) : value;
}

}  // namespace

bool ShiftBrightness(TBitmap& picture, int deltaRed, int deltaGreen, int deltaBlue) {
    if (deltaRed == 0 && deltaGreen == 0 && deltaBlue == 0) return false;

    // Pixel by pixel through the surface, so every format (indexed ones included) keeps its own
    // rules for storing a colour, and every write reaches the picture's holder.
    TCanvas& surface = picture.Surface();
    const int height = picture.Height();
    for (int y = 0; y < height; ++y) {
        const int width = picture.Width();
        for (int x = 0; x < width; ++x) {
            const TColor c = surface.ReadPixel(x, y);
            const std::uint32_t red = ShiftChannel(c & 0xFF, deltaRed);
            const std::uint32_t green = ShiftChannel((c >> 8) & 0xFF, deltaGreen);
            const std::uint32_t blue = ShiftChannel((c >> 16) & 0xFF, deltaBlue);
            surface.WritePixel(x, y, red + green * 256 + blue * 65536);
        }
    }
    return true;
}
