#include "formats/IcoWriter.h"

#include <memory>

#include "core/Errors.h"
#include "formats/LittleEndianBytes.h"

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
