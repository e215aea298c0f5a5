#include "formats/BmpWriter.h"

#include "core/LittleEndianBytes.h"
#include "formats/BmpHeaders.h"

namespace {

using platform::Bitmap;
using platform::RGBQuad;

// The colour table to store: every entry the raster has, or all entries of its bit count when a
// core header (which has no count field) or an empty table calls for that.
std::vector<RGBQuad> StoredColors(const Bitmap& raster, bool coreHeader) {
    const int bits = raster.BitCount();
    if (bits > 8) return {};
    std::vector<RGBQuad> colors = raster.colors;
    const std::size_t full = std::size_t(1) << bits;
    if (coreHeader || colors.empty() || colors.size() > full) colors.resize(full);
    return colors;
}

// A core header is written back only when the raster still fits its 16-bit, bottom-up fields.
bool UsesCoreHeader(const TBitmapImage& image, const Bitmap& raster) {
    return image.coreHeader && raster.info.compression == platform::BI_RGB && raster.info.height > 0 &&
           raster.info.height <= 0xFFFF && raster.info.width <= 0xFFFF && raster.BitCount() <= 24;
}

void PutHeader(std::vector<std::uint8_t>& out, const TBitmapImage& image, const Bitmap& raster, bool core,
               std::size_t colorCount) {
    const platform::BitmapInfoHeader& info = raster.info;
    if (core) {
        le::Put32(out, CoreHeaderSize), le::Put16(out, info.width), le::Put16(out, info.height);
        le::Put16(out, 1), le::Put16(out, info.bitCount);
        return;
    }
    const bool fullTable = info.bitCount <= 8 && colorCount == (std::size_t(1) << info.bitCount);
    le::Put32(out, InfoHeaderSize), le::Put32(out, info.width), le::Put32(out, info.height),
        le::Put16(out, 1);
    le::Put16(out, info.bitCount), le::Put32(out, info.compression),
        le::Put32(out, std::uint32_t(raster.bits.size()));
    le::Put32(out, image.description.xPelsPerMeter), le::Put32(out, image.description.yPelsPerMeter);
    le::Put32(out, fullTable ? 0 : std::uint32_t(colorCount)), le::Put32(out, 0);
    if (info.compression == platform::BI_BITFIELDS)
        for (std::uint32_t mask : raster.masks) le::Put32(out, mask);
}

}  // namespace

void WriteBmp(const TBitmapImage& image, TStream& stream) {
    if (!image.savedStream.empty()) {
        stream.WriteBuffer(image.savedStream.data(), image.savedStream.size());
        return;
    }
    if (!image.handle) return;
    const Bitmap& raster = *image.handle;
    const bool core = UsesCoreHeader(image, raster);
    const std::vector<RGBQuad> colors = StoredColors(raster, core);

    std::vector<std::uint8_t> header;
    PutHeader(header, image, raster, core, colors.size());
    for (const RGBQuad& c : colors) {
        le::Put8(header, c.blue), le::Put8(header, c.green), le::Put8(header, c.red);
        if (!core) le::Put8(header, 0);
    }
    const std::uint32_t offBits = std::uint32_t(FileHeaderSize + header.size());
    std::vector<std::uint8_t> file;
    le::Put16(file, BmpSignature), le::Put32(file, offBits + std::uint32_t(raster.bits.size()));
    le::Put32(file, 0), le::Put32(file, offBits);

    stream.WriteBuffer(file.data(), file.size());
    stream.WriteBuffer(header.data(), header.size());
    stream.WriteBuffer(raster.bits.data(), raster.bits.size());
}
