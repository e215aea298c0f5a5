#include "formats/IcoWriter.h"

#include <memory>

#include "core/Errors.h"
#include "core/LittleEndianBytes.h"

namespace {

constexpr std::uint32_t DirectorySize = 6;
constexpr std::uint32_t EntrySize = 16;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t ColorTableSize = 16 * 4;

void PutInfoHeader(std::vector<std::uint8_t>& out, const platform::BitmapInfoHeader& h) {
    le::Put32(out, h.size);
    le::Put32(out, std::uint32_t(h.width));
    le::Put32(out, std::uint32_t(h.height));
    le::Put16(out, h.planes);
    le::Put16(out, h.bitCount);
    le::Put32(out, h.compression);
    le::Put32(out, h.sizeImage);
    le::Put32(out, std::uint32_t(h.xPelsPerMeter));
    le::Put32(out, std::uint32_t(h.yPelsPerMeter));
    le::Put32(out, h.clrUsed);
    le::Put32(out, h.clrImportant);
}

struct IconRasters {
    std::unique_ptr<platform::Bitmap> mask;
    std::unique_ptr<platform::Bitmap> color;
};

IconRasters FetchRasters(platform::HICON icon) {
    platform::ICONINFO info;
    if (!platform::GetIconInfo(icon, info)) throw EInvalidGraphic(ErrorText::InvalidIcon);
    return IconRasters{std::unique_ptr<platform::Bitmap>(info.hbmMask),
                       std::unique_ptr<platform::Bitmap>(info.hbmColor)};
}

// Bytes of one stored row of `width` pixels at `bitCount` bits, padded to 4 bytes.
std::size_t StoredRowSize(std::int32_t width, int bitCount) {
    return (std::size_t(width) * std::size_t(bitCount) + 31) / 32 * 4;
}

// Black (index 0) wherever the mask bit is 1: a reader ANDs the mask and then XORs the colour, so
// any other colour there would show as the inverse of what lies behind the icon.
void BlackenTransparentPixels(const platform::BitmapInfoHeader& header, std::vector<std::uint8_t>& colorBits,
                              const std::vector<std::uint8_t>& maskBits) {
    if (header.width <= 0 || header.height <= 0) return;
    const std::size_t colorRow = StoredRowSize(header.width, 4), maskRow = StoredRowSize(header.width, 1);
    const std::size_t rows = std::size_t(header.height);
    if (colorBits.size() < colorRow * rows || maskBits.size() < maskRow * rows) return;
    for (std::size_t row = 0; row < rows; ++row) {
        std::uint8_t* color = colorBits.data() + row * colorRow;
        const std::uint8_t* mask = maskBits.data() + row * maskRow;
        for (std::int32_t x = 0; x < header.width; ++x)
            if ((mask[x / 8] >> (7 - x % 8)) & 1) color[x / 2] &= x % 2 ? 0xF0 : 0x0F;
    }
}

}  // namespace

std::vector<std::uint8_t> MakeIcoBytes(platform::HICON icon) {
    if (!icon) throw EInvalidGraphic(ErrorText::InvalidIcon);
    if (platform::IsDefaultApplicationIcon(icon)) return std::vector<std::uint8_t>(DirectorySize, 0);

    const IconRasters rasters = FetchRasters(icon);
    platform::BitmapInfoHeader maskHeader, colorHeader;
    std::vector<platform::RGBQuad> maskTable, colorTable;
    std::vector<std::uint8_t> maskBits, colorBits;
    if (!platform::GetDIBits(*rasters.mask, 1, maskHeader, maskTable, maskBits) ||
        !platform::GetDIBits(*rasters.color, 4, colorHeader, colorTable, colorBits) ||
        colorTable.size() != 16)
        throw EInvalidGraphic(ErrorText::InvalidIcon);
    colorHeader.clrUsed = 16;
    if (maskHeader.width == colorHeader.width && maskHeader.height == colorHeader.height)
        BlackenTransparentPixels(colorHeader, colorBits, maskBits);

    const std::uint32_t imageSize =
        InfoHeaderSize + ColorTableSize + std::uint32_t(colorBits.size()) + std::uint32_t(maskBits.size());
    std::vector<std::uint8_t> out;
    out.reserve(DirectorySize + EntrySize + imageSize);
    le::Put16(out, 0);  // reserved
    le::Put16(out, 1);  // type: icon
    le::Put16(out, 1);  // one image
    le::Put8(out, std::uint32_t(colorHeader.width));
    le::Put8(out, std::uint32_t(colorHeader.height));
    // Planes times bits per pixel lands in the colour-count byte; the planes and bit-count
    // fields stay 0. Readers of our own files rely on this layout.
    le::Put16(out, std::uint32_t(colorHeader.planes) * colorHeader.bitCount);
    le::Put16(out, 0);
    le::Put16(out, 0);
    le::Put32(out, imageSize);
    le::Put32(out, DirectorySize + EntrySize);

    platform::BitmapInfoHeader stored = colorHeader;
    stored.height *= 2;  // colour image and mask together
    PutInfoHeader(out, stored);
    for (const platform::RGBQuad& c : colorTable) {
        le::Put8(out, c.blue);
        le::Put8(out, c.green);
        le::Put8(out, c.red);
        le::Put8(out, 0);
    }
    out.insert(out.end(), colorBits.begin(), colorBits.end());
    out.insert(out.end(), maskBits.begin(), maskBits.end());
    return out;
}
