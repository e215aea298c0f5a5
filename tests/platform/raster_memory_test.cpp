#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/Bitmap.h"

using namespace platform;

namespace {

std::unique_ptr<Bitmap> Dib24(int width, int height, bool zeroed = true) {
    BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = 24;
    return Bitmap::CreateDib(header, {}, nullptr, zeroed);
}

// Freed rasters of several megabytes are kept for the next of their size: a zeroed one made in a
// kept block is all zeros, a clone holds its source's bytes, and a raster of another size (larger
// or smaller) gets a block of its own size, every byte of it writable.
TEST(RasterMemory, AKeptBlockNeverShowsItsOldBytesNorServesAnotherSize) {
    for (const auto& [width, height] :
         {std::pair{2000, 1500}, std::pair{2000, 2000}, std::pair{2000, 1500}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        for (int i = 0; i < 3; ++i) {
            auto dirty = Dib24(width, height, false);
            std::memset(dirty->bits.data(), 0xAB, dirty->bits.size());
        }
        auto zeroed = Dib24(width, height);
        EXPECT_TRUE(
            std::all_of(zeroed->bits.begin(), zeroed->bits.end(), [](std::uint8_t b) { return b == 0; }));
        zeroed->bits.back() = 7;
        const auto clone = zeroed->Clone();
        EXPECT_TRUE(clone->bits == zeroed->bits);
        std::memset(clone->bits.data(), 1, clone->bits.size());
    }
}

}  // namespace
