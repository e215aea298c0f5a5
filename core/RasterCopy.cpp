#include "core/RasterCopy.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace raster {

namespace {

bool SameColors(const std::vector<platform::RGBQuad>& a, const std::vector<platform::RGBQuad>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& p, const auto& q) {
        return p.blue == q.blue && p.green == q.green && p.red == q.red;
    });
}

bool SameLayout(const platform::Bitmap& a, const platform::Bitmap& b) {
    if (a.BitCount() != b.BitCount() || a.deviceDependent != b.deviceDependent) return false;
    if (a.BitCount() <= 8) return SameColors(a.colors, b.colors);
    if (a.BitCount() == 16 || a.BitCount() == 32)
        return a.info.compression == b.info.compression && std::equal(a.masks, a.masks + 3, b.masks);
    return true;
}

// Copies the first `bits` bits of a row; a trailing partial byte keeps the destination's low bits.
void CopyRowBits(const std::uint8_t* src, std::uint8_t* dst, std::int64_t bits) {
    const auto whole = std::size_t(bits / 8);
    std::memcpy(dst, src, whole);
    const int rest = int(bits % 8);
    if (rest == 0) return;
    const auto keep = std::uint8_t(0xFF >> rest);
    dst[whole] = std::uint8_t((dst[whole] & keep) | (src[whole] & ~keep));
}

}  // namespace

void Fill(platform::Bitmap& bmp, std::uint32_t pixel) {
    if (bmp.Height() == 0 || bmp.Width() == 0) return;
    const std::vector<std::uint32_t> colors(std::size_t(bmp.Width()), pixel);
    platform::WriteRow32(bmp, 0, 0, bmp.Width(), colors.data());
    const std::uint8_t* first = bmp.ScanLine(0);
    for (int y = 1; y < bmp.Height(); ++y) std::memcpy(bmp.ScanLine(y), first, std::size_t(bmp.Stride()));
}

void CopyTopLeft(const platform::Bitmap& src, platform::Bitmap& dst) {
    const int width = std::min(src.Width(), dst.Width());
    const int height = std::min(src.Height(), dst.Height());
    if (width <= 0 || height <= 0) return;
    if (SameLayout(src, dst)) {
        const std::int64_t bits = std::int64_t(width) * src.BitCount();
        for (int y = 0; y < height; ++y) CopyRowBits(src.ScanLine(y), dst.ScanLine(y), bits);
        return;
    }
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        platform::ReadRow32(src, y, 0, width, row.data());
        platform::WriteRow32(dst, y, 0, width, row.data());
    }
}

void ToBlackAndWhite(const platform::Bitmap& src, platform::Bitmap& dst, std::uint32_t white) {
    const int width = std::min(src.Width(), dst.Width());
    const int height = std::min(src.Height(), dst.Height());
    if (width <= 0 || height <= 0) return;
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        platform::ReadRow32(src, y, 0, width, row.data());
        for (auto& px : row) px = px == white ? 0xFFFFFF : 0;
        platform::WriteRow32(dst, y, 0, width, row.data());
    }
}

}  // namespace raster
