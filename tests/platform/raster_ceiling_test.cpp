// The raster ceiling of the real build (fuzz builds lower it): exactly 2^28 pixels are made,
// one row more is refused; and a raster made for a reader that fills it keeps what it is given.
#include <gtest/gtest.h>

#include "platform/Bitmap.h"

using namespace platform;

namespace {

BitmapInfoHeader Header(int width, int height, int bits) {
    BitmapInfoHeader h;
    h.width = width;
    h.height = height;
    h.bitCount = std::uint16_t(bits);
    return h;
}

}  // namespace

TEST(RasterCeiling, TheRealBuildMakesRastersUpTo2To28Pixels) {
    static_assert(MaxRasterPixels == std::int64_t(1) << 28, "the fuzz ceiling must not reach the real build");
    // 1 bit per pixel keeps the test at 32 MiB.
    auto largest = Bitmap::CreateDib(Header(1 << 14, 1 << 14, 1), {});
    EXPECT_EQ(largest->bits.size(), std::size_t(1) << 25);
    EXPECT_EQ(largest->bits[(std::size_t(1) << 25) - 1], 0);
    largest.reset();
    EXPECT_THROW(Bitmap::CreateDib(Header(1 << 14, (1 << 14) + 1, 1), {}), RasterError);
}

TEST(RasterCeiling, ZeroedRastersStartZeroWhateverTheAllocatorHeld) {
    // Unzeroed rows reuse what was freed before; the default must still clear them.
    for (int round = 0; round < 2; ++round) {
        auto dirty = Bitmap::CreateDib(Header(64, 64, 24), {}, nullptr, false);
        std::fill(dirty->bits.begin(), dirty->bits.end(), std::uint8_t(0xAB));
        dirty.reset();
        auto clean = Bitmap::CreateDib(Header(64, 64, 24), {});
        EXPECT_EQ(std::count(clean->bits.begin(), clean->bits.end(), 0), std::ptrdiff_t(clean->bits.size()));
    }
}
