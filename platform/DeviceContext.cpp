#include "platform/DeviceContext.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

namespace platform {

namespace {

inline TColor FromPixel(std::uint32_t px) {
    return ((px >> 16) & 0xFF) | (px & 0xFF00) | ((px & 0xFF) << 16);
}
inline std::uint32_t ToPixel(TColor c) {
    return FromPixel(c & 0xFFFFFF);
}  // the swap is its own inverse

bool IsPlain24Or32(const Bitmap& bmp) {
    return bmp.info.bitCount == 24 ||
           (bmp.info.bitCount == 32 && (bmp.deviceDependent || bmp.info.compression == BI_RGB));
}

TRect Clip(const TRect& r, const Bitmap& bmp) {
    return TRect{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, bmp.Width()),
                 std::min(r.Bottom, bmp.Height())};
}

// A mask from another engine is written only where it says it lies, so it must lie on the raster
// and hold a byte for every pixel of its area.
bool Fits(const TextMask& mask, const Bitmap& target) {
    const TRect& a = mask.area;
    return a.Left >= 0 && a.Top >= 0 && a.Right <= target.Width() && a.Bottom <= target.Height() &&
           mask.covered.size() == std::size_t(a.Width()) * std::size_t(a.Height());
}

// Writes `pixel` wherever the mask has coverage, one run of covered pixels at a time so uncovered
// pixels are never rewritten.
void CopyCoverage(const TextMask& mask, Bitmap& target, std::uint32_t pixel) {
    const int width = mask.area.Width();
    const std::vector<std::uint32_t> run(std::size_t(width), pixel);
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

}  // namespace

// The common 24- and 32-bit layouts are read in place; per-pixel callers (the brightness shift)
// rely on this staying allocation-free.
TColor DeviceContext::GetPixel(int x, int y) const {
    if (!target_ || x < 0 || y < 0 || x >= target_->Width() || y >= target_->Height()) return 0xFFFFFFFF;
    if (IsPlain24Or32(*target_)) {
        const std::uint8_t* p = target_->ScanLine(y) + std::ptrdiff_t(x) * (target_->info.bitCount >> 3);
        return p[0] << 16 | p[1] << 8 | p[2];
    }
    std::uint32_t px = 0;
    ReadRow32(*target_, y, x, 1, &px);
    return FromPixel(px);
}

void DeviceContext::SetPixel(int x, int y, TColor color) {
    if (!target_ || x < 0 || y < 0 || x >= target_->Width() || y >= target_->Height()) return;
    color = ColorToRGB(color);
    if (IsPlain24Or32(*target_)) {
        std::uint8_t* p = target_->ScanLine(y) + std::ptrdiff_t(x) * (target_->info.bitCount >> 3);
        p[0] = GetBValue(color), p[1] = GetGValue(color), p[2] = GetRValue(color);
        return;
    }
    const std::uint32_t px = ToPixel(color);
    WriteRow32(*target_, y, x, 1, &px);
}

void DeviceContext::SetFont(const std::string& faceName, int pixelHeight, bool bold, bool italic,
                            bool underline, bool strikeOut) {
    font_ = TextFont{faceName, pixelHeight, bold, italic, underline, strikeOut};
}

TColor DeviceContext::SetTextColor(TColor color) {
    return std::exchange(textColor_, color);
}
TColor DeviceContext::SetBkColor(TColor color) {
    return std::exchange(bkColor_, color);
}
int DeviceContext::SetBkMode(int mode) {
    return std::exchange(bkMode_, mode);
}
int DeviceContext::SetStretchBltMode(int mode) {
    return std::exchange(stretchMode_, mode);
}

TextSize DeviceContext::GetTextExtent(const std::string& utf8Text) const {
    return InstalledTextEngine().Measure(font_, utf8Text);
}

// The engine measures and renders the glyphs; the context fills the background and writes the
// covered pixels in the text colour, in the raster's own format.
void DeviceContext::ExtTextOut(int x, int y, const std::string& utf8Text) {
    if (!target_ || utf8Text.empty()) return;
    TextEngine& engine = InstalledTextEngine();
    if (bkMode_ == OPAQUE) {
        const TextSize cell = engine.Measure(font_, utf8Text);
        FillRect(TRect{x, y, x + cell.cx, y + cell.cy}, bkColor_);
    }
    WriteText(RenderText(x, y, utf8Text));
}

TextMask DeviceContext::RenderText(int x, int y, const std::string& utf8Text) const {
    if (!target_ || utf8Text.empty()) return TextMask{};
    return InstalledTextEngine().Render(font_, utf8Text, TPoint{x, y}, target_->Width(), target_->Height());
}

void DeviceContext::WriteText(const TextMask& mask) {
    if (!target_ || mask.area.Width() <= 0 || mask.area.Height() <= 0) return;
    if (!Fits(mask, *target_)) throw std::logic_error("the text engine's mask does not fit the raster");
    CopyCoverage(mask, *target_, ToPixel(ColorToRGB(textColor_)));
}

void DeviceContext::FillRect(const TRect& rect, TColor color) {
    if (!target_) return;
    const TRect r = Clip(rect, *target_);
    if (r.Width() <= 0 || r.Height() <= 0) return;
    const std::vector<std::uint32_t> row(std::size_t(r.Width()), ToPixel(ColorToRGB(color)));
    for (int y = r.Top; y < r.Bottom; ++y) WriteRow32(*target_, y, r.Left, r.Width(), row.data());
}

// Each destination pixel takes the source pixel at the proportional position (dropping or
// repeating pixels, no smoothing); destination pixels that map outside the source are left alone.
void DeviceContext::StretchBlt(const TRect& destRect, const Bitmap& src, const TRect& srcRect) {
    if (!target_ || destRect.Width() <= 0 || destRect.Height() <= 0 || srcRect.Width() <= 0 ||
        srcRect.Height() <= 0)
        return;
    const TRect clip = Clip(destRect, *target_);
    if (clip.Width() <= 0 || clip.Height() <= 0) return;

    const std::int64_t dw = destRect.Width(), dh = destRect.Height(), sw = srcRect.Width(),
                       sh = srcRect.Height();
    std::vector<int> sourceX(std::size_t(clip.Width()));
    for (int x = clip.Left; x < clip.Right; ++x)
        sourceX[std::size_t(x - clip.Left)] = int(srcRect.Left + (x - destRect.Left) * sw / dw);
    // The source columns rise with x, so the ones inside the source are one run [first, last).
    const auto inside = [&src](int sx) { return sx >= 0 && sx < src.Width(); };
    const auto firstIt = std::find_if(sourceX.begin(), sourceX.end(), inside);
    const std::size_t first = std::size_t(firstIt - sourceX.begin());
    const std::size_t last = std::size_t(std::find_if_not(firstIt, sourceX.end(), inside) - sourceX.begin());
    if (first >= last) return;

    const std::uint32_t fore = ToPixel(ColorToRGB(textColor_)), back = ToPixel(ColorToRGB(bkColor_));
    const bool monochrome = src.Monochrome();
    std::vector<std::uint32_t> sampled(last - first);
    int loadedY = -1;
    for (int y = clip.Top; y < clip.Bottom; ++y) {
        const int sy = int(srcRect.Top + (y - destRect.Top) * sh / dh);
        if (sy < 0 || sy >= src.Height()) continue;
        if (sy != loadedY) {
            SampleRow32(src, sy, sourceX.data() + first, int(last - first), sampled.data());
            if (monochrome)
                for (auto& px : sampled) px = px == 0xFFFFFF ? back : fore;
            loadedY = sy;
        }
        // Destination pixels that map outside the source keep what they had.
        WriteRow32(*target_, y, clip.Left + int(first), int(last - first), sampled.data());
    }
}

}  // namespace platform
