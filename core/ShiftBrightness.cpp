#include "core/ShiftBrightness.h"

#include <array>
#include <cstdint>

#include "core/TBitmap.h"

namespace {

// What one channel value becomes: shifted when the result stays a byte, otherwise left alone.
std::array<std::uint32_t, 256> ChannelTable(int delta) {
    std::array<std::uint32_t, 256> table{};
    for (int value = 0; value < 256; ++value) {
        const long shifted = long(value) + delta;
        table[value] = (shifted >= 0 && shifted <= 255) ? std::uint32_t(shifted) : std::uint32_t(value);
    }
    return table;
}

}  // namespace

bool ShiftBrightness(TBitmap& picture, int deltaRed, int deltaGreen, int deltaBlue) {
    if (deltaRed == 0 && deltaGreen == 0 && deltaBlue == 0) return false;

    // Pixel by pixel through the surface, so every format (indexed ones included) keeps its own
    // rules for storing a colour, and every write reaches the picture's holder.
    const auto red = ChannelTable(deltaRed), green = ChannelTable(deltaGreen), blue = ChannelTable(deltaBlue);
    TCanvas& surface = picture.Surface();
    const int height = picture.Height();
    for (int y = 0; y < height; ++y) {
        const int width = picture.Width();
        for (int x = 0; x < width; ++x) {
            const TColor c = surface.ReadPixel(x, y);
            const TColor shifted =
                red[c & 0xFF] + green[(c >> 8) & 0xFF] * 256 + blue[(c >> 16) & 0xFF] * 65536;
            surface.WritePixel(x, y, shifted);
        }
    }
    return true;
}
