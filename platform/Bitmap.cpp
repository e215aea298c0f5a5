#include "platform/Bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace platform {

namespace {

constexpr RasterError InvalidParameter{87, "The parameter is incorrect."};
constexpr RasterError NotEnoughMemory{8,
                                      "Not enough memory resources are available to process this command."};

bool SupportedBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Throws unless a raster of this size stays under the ceilings; the products are formed in 64 bits
// from values already known to be positive 32-bit numbers, so they cannot overflow.
void CheckSize(std::int64_t width, std::int64_t height, int bitCount) {
    if (width <= 0 || height <= 0) throw InvalidParameter;
    if (width * height > MaxRasterPixels) throw NotEnoughMemory;
    if (RowStride(width, bitCount) * height > MaxRasterBytes) throw NotEnoughMemory;
}

void AllocateRows(Bitmap& bmp, bool zeroed = true) {
    try {
        const std::size_t size = std::size_t(bmp.Stride() * bmp.Height());
        if (zeroed)
            bmp.bits.assign(size, 0);
        else
            bmp.bits.resize(size);
    } catch (const std::bad_alloc&) {
        throw NotEnoughMemory;
    }
}

void SetDefaultMasks(Bitmap& bmp) {
    if (bmp.info.bitCount == 16) {
        bmp.masks[0] = 0x7C00, bmp.masks[1] = 0x03E0, bmp.masks[2] = 0x001F;
    } else if (bmp.info.bitCount == 32) {
        bmp.masks[0] = 0xFF0000, bmp.masks[1] = 0x00FF00, bmp.masks[2] = 0x0000FF;
    }
}

std::unique_ptr<Bitmap> MakeDevice(int width, int height, int bitCount) {
    CheckSize(width, height, bitCount);
    auto bmp = std::make_unique<Bitmap>();
    bmp->info.width = width;
    bmp->info.height = -height;  // device rows run top-down
    bmp->info.bitCount = std::uint16_t(bitCount);
    bmp->deviceDependent = true;
    SetDefaultMasks(*bmp);
    AllocateRows(*bmp);
    return bmp;
}

}  // namespace

std::unique_ptr<Bitmap> Bitmap::CreateDib(const BitmapInfoHeader& header, const std::vector<RGBQuad>& colors,
                                          const std::uint32_t masks[3], bool zeroed) {
    const bool bitFields = header.compression == BI_BITFIELDS;
    if (header.planes != 1 || !SupportedBitCount(header.bitCount)) throw InvalidParameter;
    if (header.compression != BI_RGB && !(bitFields && (header.bitCount == 16 || header.bitCount == 32)))
        throw InvalidParameter;
    if (bitFields && masks == nullptr) throw InvalidParameter;
    // The most negative height has no positive counterpart.
    if (header.height == INT32_MIN) throw InvalidParameter;
    CheckSize(header.width, header.height < 0 ? -std::int64_t(header.height) : header.height,
              header.bitCount);

    auto bmp = std::make_unique<Bitmap>();
    bmp->info = header;
    if (bitFields) {
        for (int i = 0; i < 3; ++i) bmp->masks[i] = masks[i];
    } else {
        SetDefaultMasks(*bmp);
    }
    const std::size_t maxColors = header.bitCount <= 8 ? std::size_t(1) << header.bitCount : 256;
    bmp->colors.assign(colors.begin(), colors.begin() + std::ptrdiff_t(std::min(colors.size(), maxColors)));
    AllocateRows(*bmp, zeroed);
    return bmp;
}

std::unique_ptr<Bitmap> Bitmap::CreateDevice(int width, int height) {
    return MakeDevice(width, height, 32);
}

std::unique_ptr<Bitmap> Bitmap::CreateMonochrome(int width, int height) {
    auto bmp = MakeDevice(width, height, 1);
    bmp->colors = {RGBQuad{0, 0, 0, 0}, RGBQuad{255, 255, 255, 0}};
    return bmp;
}

std::unique_ptr<Bitmap> Bitmap::Clone() const {
    try {
        // The rows in one block copy: the vector's own copy goes byte by byte through the allocator.
        auto copy = std::make_unique<Bitmap>();
        copy->info = info;
        std::memcpy(copy->masks, masks, sizeof masks);
        copy->colors = colors;
        copy->deviceDependent = deviceDependent;
        copy->bits.resize(bits.size());
        if (!bits.empty()) std::memcpy(copy->bits.data(), bits.data(), bits.size());
        return copy;
    } catch (const std::bad_alloc&) {
        throw NotEnoughMemory;
    }
}

}  // namespace platform
