#include <gtest/gtest.h>

#include "formats/RleDecoder.h"
#include "tests/formats/BmpFixtures.h"

namespace {

// Colour-table entry i is the colour 0x0000ii (blue i) except entry 0, red, so that pixels the
// data skips (black) differ from pixels of index 0.
std::vector<platform::RGBQuad> Table(int entries) {
    std::vector<platform::RGBQuad> t(entries);
    for (int i = 0; i < entries; ++i) t[i] = platform::RGBQuad{std::uint8_t(i), 0, 0, 0};
    t[0] = platform::RGBQuad{0, 0, 255, 0};
    return t;
}
constexpr std::uint32_t R = 0xFF0000;  // index 0
constexpr std::uint32_t K = 0;         // skipped (black)

// Decodes into a fresh width x height device raster and returns its pixels, top row first.
std::vector<std::uint32_t> Decode(std::vector<std::uint8_t> data, int width, int height, bool fourBit) {
    auto raster = platform::Bitmap::CreateDevice(width, height);
    DecodeRle(data.data(), data.size(), fourBit, Table(fourBit ? 16 : 256), *raster);
    std::vector<std::uint32_t> out(std::size_t(width) * height);
    for (int y = 0; y < height; ++y)
        platform::ReadRow32(*raster, y, 0, width, out.data() + std::size_t(y) * width);
    return out;
}

using Pixels4 = std::vector<std::uint32_t>;

TEST(RleDecoder, Rle8RunsLinesDeltaAndEnd) {
    // Bottom row: 2 x index 5, absolute 3, 4, 0 (one pad byte; the 0 falls past the row's end),
    // end of line; then a delta of (1, 0) and one index 0 on the top row, end of bitmap; the
    // trailing bytes are never read.
    const Pixels4 got = Decode({2, 5, 0, 3, 3, 4, 0, 0, 0, 0, 0, 2, 1, 0, 1, 0, 0, 1, 9, 9}, 4, 2, false);
    EXPECT_EQ(got, (Pixels4{K, R, K, K,  //
                            5, 5, 3, 4}));
}

TEST(RleDecoder, Rle4AbsoluteOddAndEncodedNibbles) {
    // Absolute run of 3 nibbles 1 2 3 (2 bytes, already even), then an encoded run of 3 pixels
    // alternating 7 and 8; end of bitmap.
    const Pixels4 got = Decode({0, 3, 0x12, 0x30, 3, 0x78, 0, 1}, 6, 1, true);
    EXPECT_EQ(got, (Pixels4{1, 2, 3, 7, 8, 7}));
}

TEST(RleDecoder, RunsPastTheRowAreCutNotWrapped) {
    // 10 pixels of index 1 into a 3-pixel row; an absolute run of 5 after that; the row above
    // only gets what comes after the end of line.
    const Pixels4 got = Decode({10, 1, 0, 5, 2, 2, 2, 2, 2, 0, 0, 0, 1, 6}, 3, 2, false);
    EXPECT_EQ(got, (Pixels4{6, K, K,  //
                            1, 1, 1}));
}

TEST(RleDecoder, DataPastTheBufferOrTheTopIsCutOff) {
    // Absolute run claiming 8 pixels with only 2 present.
    EXPECT_EQ(Decode({0, 8, 4, 4}, 4, 1, false), (Pixels4{4, 4, K, K}));
    // Delta far beyond the picture, then a run: nothing written, nothing read out of range.
    EXPECT_EQ(Decode({0, 2, 255, 255, 4, 1}, 2, 1, false), (Pixels4{K, K}));
    // More lines than the picture has rows.
    EXPECT_EQ(Decode({1, 1, 0, 0, 1, 2, 0, 0, 1, 3, 0, 0}, 1, 2, false), (Pixels4{2, 1}));
    // A lone byte at the end, and a truncated delta.
    EXPECT_EQ(Decode({1, 1, 0}, 2, 1, false), (Pixels4{1, K}));
    EXPECT_EQ(Decode({0, 2, 1}, 2, 1, false), (Pixels4{K, K}));
    // Indices past the table read black.
    auto raster = platform::Bitmap::CreateDevice(1, 1);
    const std::uint8_t data[] = {1, 200, 0, 1};
    DecodeRle(data, sizeof data, false, Table(4), *raster);
    std::uint32_t px = 1;
    platform::ReadRow32(*raster, 0, 0, 1, &px);
    EXPECT_EQ(px, 0u);
}

// A 3 x 2 RLE8 file: bottom row 1 1 2, top row 3, 3, 3.
std::vector<std::uint8_t> Rle8File(std::int32_t height) {
    BmpBytes f = InfoFile(3, height, 8, 1, 4);
    for (int i = 0; i < 4; ++i) f.Raw({std::uint8_t(i * 10), 0, 0, 0});  // entry i: blue 10 i
    f.Raw({2, 1, 1, 2, 0, 0, 3, 3, 0, 1});
    return f.data;
}

TEST(RleFile, BecomesADeviceRasterKeepingTheFileBytes) {
    TBitmap bitmap;
    const auto file = Rle8File(2);
    Load(bitmap, file);
    EXPECT_EQ(bitmap.RasterFormat(), rfDevice);
    EXPECT_EQ(Pixels(bitmap), (Pixels4{30, 30, 30, 10, 10, 20}));
    EXPECT_EQ(bitmap.Image()->savedStream, file);
    EXPECT_NE(bitmap.Palette(), nullptr);
    TMemoryStream written;
    bitmap.WriteToStream(written);
    EXPECT_EQ(written.Data(), file);
}

TEST(RleFile, TopDownOrMismatchedBitCountIsRefused) {
    EXPECT_EQ(LoadError(Rle8File(-2)), "EInvalidGraphic: Bitmap image is not valid");
    auto rle4As8 = Rle8File(2);
    rle4As8[30] = 2;  // compression RLE 4 with 8 bits per pixel
    EXPECT_EQ(LoadError(rle4As8), "EInvalidGraphic: Bitmap image is not valid");
}

}  // namespace
