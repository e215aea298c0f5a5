#include "platform/Icon.h"

#include <algorithm>

namespace platform {

namespace {

// 0x00RRGGBB as ReadRow32 gives it, turned into a TColor (0x00BBGGRR).
TColor RowPixelToColor(std::uint32_t p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::unique_ptr<Bitmap> MakeMaskRaster(int width, int height) {
    BitmapInfoHeader header;
    header.width = width;
    header.height = -height;
    header.bitCount = 1;
    const std::vector<RGBQuad> blackWhite = {RGBQuad{0, 0, 0, 0}, RGBQuad{255, 255, 255, 0}};
    return Bitmap::CreateDib(header, blackWhite);
}

std::unique_ptr<Bitmap> MakeColorRaster(int width, int height) {
    BitmapInfoHeader header;
    header.width = width;
    header.height = -height;
    header.bitCount = 32;
    return Bitmap::CreateDib(header, {});
}

// The stock icon: a small window with a title bar, opaque all over.
IconObject* MakeStockIcon() {
    constexpr int size = 32;
    std::vector<std::uint32_t> colors(size * size, 0x00FFFFFF);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool frame = x < 2 || y < 2 || x >= size - 2 || y >= size - 2;
            if (frame)
                colors[y * size + x] = 0x00000000;
            else if (y < 9)
                colors[y * size + x] = 0x00000080;
        }
    }
    IconObject* icon = CreateIcon(size, size, colors, std::vector<std::uint8_t>(size * size, 0)).release();
    icon->stock = true;
    return icon;
}

}  // namespace

void IconDestroyer::operator()(IconObject* icon) const {
    DestroyIcon(icon);
}

IconHandle CreateIconIndirect(const ICONINFO& info) {
    if (!info.hbmMask || !info.hbmColor) return nullptr;
    if (info.hbmMask->Width() != info.hbmColor->Width() || info.hbmMask->Height() != info.hbmColor->Height())
        return nullptr;
    if (info.hbmColor->Width() <= 0 || info.hbmColor->Height() <= 0) return nullptr;
    auto icon = std::make_unique<IconObject>();
    icon->isIcon = info.fIcon != 0;
    icon->xHotspot = info.xHotspot;
    icon->yHotspot = info.yHotspot;
    icon->mask = info.hbmMask->Clone();
    icon->color = info.hbmColor->Clone();
    return IconHandle(icon.release());
}

IconHandle CreateIcon(int width, int height, const std::vector<std::uint32_t>& colors,
                      const std::vector<std::uint8_t>& mask) {
    if (width <= 0 || height <= 0) return nullptr;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    if (colors.size() != count || mask.size() != count) return nullptr;
    IconHandle icon(new IconObject);
    try {
        icon->color = MakeColorRaster(width, height);
        icon->mask = MakeMaskRaster(width, height);
    } catch (const RasterError&) {
        return nullptr;
    }
    std::vector<std::uint32_t> maskRow(width);
    for (int y = 0; y < height; ++y) {
        const std::size_t start = std::size_t(y) * std::size_t(width);
        WriteRow32(*icon->color, y, 0, width, colors.data() + start);
        for (int x = 0; x < width; ++x) maskRow[x] = mask[start + x] ? 0x00FFFFFF : 0;
        WriteRow32(*icon->mask, y, 0, width, maskRow.data());
    }
    return icon;
}

bool GetIconInfo(HICON icon, ICONINFO& info) {
    if (!icon || !icon->mask || !icon->color) return false;
    info.fIcon = icon->isIcon ? 0xFFFFFFFFu : 0;
    info.xHotspot = icon->xHotspot;
    info.yHotspot = icon->yHotspot;
    info.hbmMask = icon->mask->Clone().release();
    info.hbmColor = icon->color->Clone().release();
    return true;
}

bool DestroyIcon(HICON icon) {
    if (!icon || icon->stock) return false;
    delete icon;
    return true;
}

bool DrawIconEx(DeviceContext& dc, int x, int y, HICON icon) {
    Bitmap* target = dc.SelectedBitmap();
    if (!icon || !icon->mask || !icon->color || !target) return false;
    const int width = icon->color->Width();
    const int height = icon->color->Height();
    const int left = std::max(x, 0);
    const int right = std::min(x + width, target->Width());
    if (left >= right) return true;
    const int count = right - left;
    std::vector<std::uint32_t> screen(count), color(count), mask(count);
    for (int row = 0; row < height; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= target->Height()) continue;
        ReadRow32(*target, ty, left, count, screen.data());
        ReadRow32(*icon->color, row, left - x, count, color.data());
        ReadRow32(*icon->mask, row, left - x, count, mask.data());
        for (int i = 0; i < count; ++i) screen[i] = ((screen[i] & mask[i]) ^ color[i]) & 0x00FFFFFF;
        WriteRow32(*target, ty, left, count, screen.data());
    }
    return true;
}

HICON DefaultApplicationIcon() {
    static IconObject* const stock = MakeStockIcon();
    return stock;
}

bool IsDefaultApplicationIcon(HICON icon) {
    return icon && icon == DefaultApplicationIcon();
}

bool GetDIBits(const Bitmap& source, int bitCount, BitmapInfoHeader& header, std::vector<RGBQuad>& colors,
               std::vector<std::uint8_t>& bits) {
    if (bitCount != 1 && bitCount != 4) return false;
    const int width = source.Width();
    const int height = source.Height();
    // Without a selected palette the conversion maps onto the system table; NearestColorIndex takes the
    // entry at the least squared distance in red, green and blue, the lower index on a tie.
    colors = bitCount == 4 ? SystemPalette16() : std::vector<RGBQuad>{{0, 0, 0, 0}, {255, 255, 255, 0}};
    header = BitmapInfoHeader{};
    header.width = width;
    header.height = height;
    header.bitCount = std::uint16_t(bitCount);
    const std::int64_t stride = RowStride(width, bitCount);
    header.sizeImage = std::uint32_t(stride * height);
    bits.assign(std::size_t(stride) * std::size_t(height), 0);

    const int perByte = 8 / bitCount;
    std::vector<std::uint32_t> row(width);
    std::uint32_t lastPixel = 0;
    int lastIndex = NearestColorIndex(colors, RowPixelToColor(lastPixel));
    for (int y = 0; y < height; ++y) {
        ReadRow32(source, y, 0, width, row.data());
        std::uint8_t* out = bits.data() + std::size_t(height - 1 - y) * std::size_t(stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = row[x] & 0x00FFFFFF;
            if (pixel != lastPixel) {
                lastPixel = pixel;
                lastIndex = NearestColorIndex(colors, RowPixelToColor(pixel));
            }
            const int shift = 8 - bitCount * (x % perByte + 1);
            out[x / perByte] |= std::uint8_t(lastIndex << shift);
        }
    }
    return true;
}

}  // namespace platform
