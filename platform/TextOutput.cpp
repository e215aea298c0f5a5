// DeviceContext's text output: the installed engine measures and renders the glyphs; the context
// fills the background and writes the covered pixels in the text colour, in the raster's own format.
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "platform/DeviceContext.h"

namespace platform {

namespace {

// The 32-bit row form of a colour: bytes blue, green, red, 0.
std::uint32_t RowColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return (std::uint32_t(GetRValue(rgb)) << 16) | (std::uint32_t(GetGValue(rgb)) << 8) | GetBValue(rgb);
}

// Writes `color` wherever the mask has coverage, one run of covered pixels at a time so uncovered
// pixels are never rewritten.
void CopyCoverage(const TextMask& mask, Bitmap& target, std::uint32_t color) {
    const int width = mask.area.Width();
    std::vector<std::uint32_t> run(std::size_t(width), color);
    for (int my = 0; my < mask.area.Height(); ++my) {
        const std::uint8_t* line = mask.covered.data() + std::size_t(my) * std::size_t(width);
        int mx = 0;
        while (mx < width) {
            if (line[mx] == 0) {
                ++mx;
                continue;
            }
            const int start = mx;
            while (mx < width && line[mx] != 0) ++mx;
            WriteRow32(target, mask.area.Top + my, mask.area.Left + start, mx - start, run.data());
        }
    }
}

// A mask from another engine is written only where it says it lies, so it must lie on the raster
// and hold a byte for every pixel of its area.
bool Fits(const TextMask& mask, const Bitmap& target) {
    const TRect& a = mask.area;
    return a.Left >= 0 && a.Top >= 0 && a.Right <= target.Width() && a.Bottom <= target.Height() &&
           mask.covered.size() == std::size_t(a.Width()) * std::size_t(a.Height());
}

}  // namespace

TextSize DeviceContext::GetTextExtent(const std::string& utf8Text) const {
    return InstalledTextEngine().Measure(font_, utf8Text);
}

void DeviceContext::ExtTextOut(int x, int y, const std::string& utf8Text) {
    if (!target_ || utf8Text.empty()) return;
    TextEngine& engine = InstalledTextEngine();
    if (bkMode_ == OPAQUE) {
        const TextSize cell = engine.Measure(font_, utf8Text);
        FillRect(TRect{x, y, x + cell.cx, y + cell.cy}, bkColor_);
    }
    const TextMask mask = engine.Render(font_, utf8Text, TPoint{x, y}, target_->Width(), target_->Height());
    if (mask.area.Width() <= 0 || mask.area.Height() <= 0) return;
    if (!Fits(mask, *target_)) throw std::logic_error("the text engine's mask does not fit the raster");
    CopyCoverage(mask, *target_, RowColor(textColor_));
}

}  // namespace platform
