#include <gtest/gtest.h>

#include "tests/formats/BmpFixtures.h"

namespace {

std::vector<std::uint8_t> Written(TBitmap& bitmap) {
    TMemoryStream stream;
    bitmap.WriteToStream(stream);
    return stream.Data();
}

// Reading what was written gives the same raster: kind, size, order, table, masks and pixels.
void ExpectRoundTrip(const std::vector<std::uint8_t>& file, TRasterFormat kind) {
    TBitmap original, copy;
    Load(original, file);
    ASSERT_EQ(original.RasterFormat(), kind);
    const auto bytes = Written(original);
    Load(copy, bytes);
    EXPECT_EQ(copy.RasterFormat(), kind);
    EXPECT_EQ(copy.Image()->description.height, original.Image()->description.height);
    EXPECT_EQ(copy.Image()->handle->bits, original.Image()->handle->bits);
    EXPECT_EQ(copy.ColorTable().size(), original.ColorTable().size());
    EXPECT_EQ(Pixels(copy), Pixels(original));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(copy.Image()->handle->masks[i], original.Image()->handle->masks[i]);
    // The header states the real sizes.
    ASSERT_GE(bytes.size(), 54u);
    const std::uint32_t fileSize = bytes[2] | bytes[3] << 8 | bytes[4] << 16 | bytes[5] << 24;
    EXPECT_EQ(fileSize, bytes.size());
}

TEST(BmpWrite, EveryLayoutRoundTrips) {
    // 5 x 3 pictures with a diagonal of distinct values; odd width exercises row padding.
    const auto picture = [](int bits, std::int32_t height, std::uint32_t compression, int entries) {
        BmpBytes f = InfoFile(5, height, bits, compression, std::uint32_t(entries));
        if (compression == 3) f.U32(0xF800).U32(0x07E0).U32(0x001F);
        for (int i = 0; i < entries; ++i)
            f.Raw({std::uint8_t(i * 7), std::uint8_t(i * 3), std::uint8_t(255 - i), 0});
        const std::size_t stride = ((5 * bits + 31) / 32) * 4;
        for (int y = 0; y < 3; ++y)
            for (std::size_t x = 0; x < stride; ++x) f.U8(std::uint32_t((x * 37 + y * 11) & 0xFF));
        return f.data;
    };
    ExpectRoundTrip(picture(1, 3, 0, 2), rf1Bit);
    ExpectRoundTrip(picture(4, -3, 0, 16), rf4Bit);
    ExpectRoundTrip(picture(8, 3, 0, 200), rf8Bit);
    ExpectRoundTrip(picture(16, 3, 0, 0), rf15Bit);
    ExpectRoundTrip(picture(16, -3, 3, 0), rf16Bit);
    ExpectRoundTrip(picture(24, 3, 0, 0), rf24Bit);
    ExpectRoundTrip(picture(32, 3, 0, 0), rf32Bit);
}

TEST(BmpWrite, CoreHeaderFilesAreWrittenWithACoreHeader) {
    BmpBytes core;
    core.U16(0x4D42).U32(36).U32(0).U32(32);   // "BM", file size, reserved, pixel offset
    core.U32(12).U16(3).U16(1).U16(1).U16(1);  // core header: 3 x 1, 1 bit
    core.Raw({0, 0, 0, 255, 255, 255});        // black, white (3-byte entries)
    core.Raw({0xA0, 0, 0, 0});                 // pixels 1 0 1
    TBitmap bitmap;
    Load(bitmap, core.data);
    const auto bytes = Written(bitmap);
    EXPECT_EQ(bytes, core.data);
}

TEST(BmpWrite, EmptyBitmapWritesNothing) {
    TBitmap bitmap;
    EXPECT_TRUE(Written(bitmap).empty());
}

}  // namespace
