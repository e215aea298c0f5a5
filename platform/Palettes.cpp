#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"

namespace platform {

namespace {

RGBQuad QuadOf(TColor c) {
    return RGBQuad{GetBValue(c), GetGValue(c), GetRValue(c), 0};
}

}  // namespace

// Squared distance in red, green and blue; on a tie the lower index wins, so a table with repeated
// entries always answers the first of them. An empty table answers 0.
int NearestColorIndex(const std::vector<RGBQuad>& table, TColor rgb) {
    const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    int best = 0;
    int bestDistance = INT32_MAX;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int dr = table[i].red - r, dg = table[i].green - g, db = table[i].blue - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = int(i);
            if (distance == 0) break;
        }
    }
    return best;
}

const std::vector<RGBQuad>& SystemPalette16() {
    static const std::vector<RGBQuad> table = [] {
        const TColor colors[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                   0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                   0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
        std::vector<RGBQuad> t;
        for (TColor c : colors) t.push_back(QuadOf(c));
        return t;
    }();
    return table;
}

// 256 entries: the 16 system colours, a 6 x 6 x 6 colour cube (levels 0, 51, ..., 255) and 24 greys
// between black and white. The screen here is 24-bit, so the table does not depend on it.
std::vector<RGBQuad> HalftonePalette() {
    std::vector<RGBQuad> table = SystemPalette16();
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table.push_back(RGBQuad{std::uint8_t(b * 51), std::uint8_t(g * 51), std::uint8_t(r * 51), 0});
    for (int i = 1; i <= 24; ++i) {
        const auto v = std::uint8_t(i * 255 / 25);
        table.push_back(RGBQuad{v, v, v, 0});
    }
    return table;
}

}  // namespace platform
