#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/Bitmap.h"

using namespace platform;

namespace {

std::unique_ptr<Bitmap> Dib(int width, int height, int bits, std::vector<RGBQuad> colors = {},
                            const std::uint32_t* masks = nullptr) {
    BitmapInfoHeader h;
    h.width = width;
    h.height = height;
    h.bitCount = std::uint16_t(bits);
    h.compression = masks ? BI_BITFIELDS : BI_RGB;
    return Bitmap::CreateDib(h, colors, masks);
}

std::vector<std::uint32_t> RoundTrip(Bitmap& bmp, const std::vector<std::uint32_t>& in) {
    WriteRow32(bmp, 0, 0, int(in.size()), in.data());
    std::vector<std::uint32_t> out(in.size());
    ReadRow32(bmp, 0, 0, int(out.size()), out.data());
    return out;
}

}  // namespace

TEST(PlatformRaster, RefusesBadHeadersAndOversizedRasters) {
    EXPECT_THROW(Dib(0, 10, 24), RasterError);
    EXPECT_THROW(Dib(10, 10, 7), RasterError);
    EXPECT_THROW(Dib(1 << 20, 1 << 20, 24), RasterError);         // pixel ceiling
    EXPECT_THROW(Dib(1 << 16, -(1 << 12) - 1, 32), RasterError);  // top-down counts the same
    EXPECT_THROW(Dib(10, INT32_MIN, 8), RasterError);
    EXPECT_THROW(Bitmap::CreateDevice(5, 0), RasterError);
    try {
        Dib(1 << 20, 1 << 20, 24);
    } catch (const RasterError& e) {
        EXPECT_NE(e.code, 0);
        ASSERT_NE(e.message, nullptr);
    }
}

TEST(PlatformRaster, RowsAreFourByteAlignedAndOrderedByHeightSign) {
    auto bottomUp = Dib(3, 2, 24);
    EXPECT_EQ(bottomUp->Stride(), 12);
    EXPECT_EQ(bottomUp->bits.size(), 24u);
    EXPECT_EQ(bottomUp->ScanLine(0), bottomUp->bits.data() + 12);  // top row stored last
    auto topDown = Dib(3, -2, 24);
    EXPECT_EQ(topDown->ScanLine(0), topDown->bits.data());
    EXPECT_EQ(topDown->ScanLine(2), nullptr);
}

TEST(PlatformRaster, IndexedRowsStoreTheNearestEntry) {
    const std::vector<std::uint32_t> colors = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00,
                                               0x0000FF, 0xF00000, 0x101010};
    auto b8 = Dib(7, 1, 8, SystemPalette16());
    EXPECT_EQ(RoundTrip(*b8, colors), (std::vector<std::uint32_t>{0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00,
                                                                  0x0000FF, 0xFF0000, 0x000000}));
    auto b4 = Dib(7, 1, 4, SystemPalette16());
    EXPECT_EQ(RoundTrip(*b4, colors), RoundTrip(*b8, colors));
    // Nibbles: the left pixel sits in the high half.
    EXPECT_EQ(b4->ScanLine(0)[0], (0 << 4) | 15);

    auto b1 = Dib(9, 1, 1, {{0, 0, 0, 0}, {255, 255, 255, 0}});
    const std::vector<std::uint32_t> bw = {0xFFFFFF, 0, 0, 0, 0, 0, 0, 0, 0xF0F0F0};
    EXPECT_EQ(RoundTrip(*b1, bw), (std::vector<std::uint32_t>{0xFFFFFF, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF}));
    EXPECT_EQ(b1->ScanLine(0)[0], 0x80);
    EXPECT_EQ(b1->ScanLine(0)[1], 0x80);
}

TEST(PlatformRaster, IndexBeyondTheTableReadsBlack) {
    auto b8 = Dib(1, 1, 8, {{10, 20, 30, 0}});
    b8->ScanLine(0)[0] = 200;
    std::uint32_t px = 1;
    ReadRow32(*b8, 0, 0, 1, &px);
    EXPECT_EQ(px, 0u);
}

TEST(PlatformRaster, SixteenBitChannelsExpandToFullScale) {
    auto b15 = Dib(3, 1, 16);
    const std::uint16_t raw15[3] = {0x7FFF, 0x7C00, 0x0001};
    std::memcpy(b15->ScanLine(0), raw15, sizeof raw15);
    std::uint32_t out[3];
    ReadRow32(*b15, 0, 0, 3, out);
    EXPECT_EQ(out[0], 0xFFFFFFu);
    EXPECT_EQ(out[1], 0xFF0000u);
    EXPECT_EQ(out[2], 0x000008u);  // 00001 -> 00001000 | 000 (replicated) = 8

    const std::uint32_t m565[3] = {0xF800, 0x07E0, 0x001F};
    auto b16 = Dib(2, 1, 16, {}, m565);
    const std::uint16_t raw16[2] = {0xFFFF, 0x07E0};
    std::memcpy(b16->ScanLine(0), raw16, sizeof raw16);
    ReadRow32(*b16, 0, 0, 2, out);
    EXPECT_EQ(out[0], 0xFFFFFFu);
    EXPECT_EQ(out[1], 0x00FF00u);
    // Colours that the replication rule reaches survive a round trip.
    EXPECT_EQ(RoundTrip(*b16, {0xFFFFFF, 0x840408}), (std::vector<std::uint32_t>{0xFFFFFF, 0x840408}));
}

TEST(PlatformRaster, CustomBitFieldsAndPlainLayouts) {
    const std::uint32_t masks[3] = {0x000003FF, 0x000FFC00, 0x3FF00000};  // 10-10-10, red lowest
    auto b32 = Dib(1, 1, 32, {}, masks);
    EXPECT_EQ(RoundTrip(*b32, {0x123456}), (std::vector<std::uint32_t>{0x123456}));
    const std::uint32_t raw = b32->ScanLine(0)[0] | (b32->ScanLine(0)[1] << 8) | (b32->ScanLine(0)[2] << 16) |
                              (std::uint32_t(b32->ScanLine(0)[3]) << 24);
    EXPECT_EQ(raw & 0x3FF, 0x12u << 2);

    auto b24 = Dib(2, 1, 24);
    EXPECT_EQ(RoundTrip(*b24, {0x123456, 0xABCDEF}), (std::vector<std::uint32_t>{0x123456, 0xABCDEF}));
    EXPECT_EQ(b24->ScanLine(0)[0], 0x56);  // blue first

    auto device = Bitmap::CreateDevice(2, 2);
    EXPECT_TRUE(device->TopDown());
    EXPECT_EQ(RoundTrip(*device, {0x123456, 0xABCDEF}), (std::vector<std::uint32_t>{0x123456, 0xABCDEF}));
}

TEST(PlatformRaster, MonochromeKeepsOnlyExactWhite) {
    auto mono = Bitmap::CreateMonochrome(3, 1);
    EXPECT_TRUE(mono->Monochrome());
    EXPECT_EQ(RoundTrip(*mono, {0xFFFFFF, 0xFFFFFE, 0x808080}), (std::vector<std::uint32_t>{0xFFFFFF, 0, 0}));
}

TEST(PlatformRaster, RowAccessOutsideTheRasterIsIgnored) {
    auto b24 = Dib(2, 1, 24);
    std::uint32_t px[3] = {7, 7, 7};
    ReadRow32(*b24, 0, 1, 2, px);  // runs past the row
    ReadRow32(*b24, 1, 0, 1, px);  // no such row
    EXPECT_EQ(px[0], 7u);
    WriteRow32(*b24, -1, 0, 1, px);
    EXPECT_EQ(std::vector<std::uint8_t>(b24->bits.begin(), b24->bits.end()), std::vector<std::uint8_t>(8, 0));
}

TEST(PlatformRaster, NearestColourTiesGoToTheLowerIndex) {
    const std::vector<RGBQuad> table = {{0, 0, 0, 0}, {0, 0, 20, 0}, {0, 0, 20, 0}};
    EXPECT_EQ(NearestColorIndex(table, RGB(10, 0, 0)), 0);
    EXPECT_EQ(NearestColorIndex(table, RGB(19, 0, 0)), 1);
    EXPECT_EQ(NearestColorIndex({}, RGB(1, 2, 3)), 0);
}

TEST(PlatformRaster, SystemAndHalftoneTables) {
    const auto& sys = SystemPalette16();
    ASSERT_EQ(sys.size(), 16u);
    EXPECT_EQ(sys[1].red, 0x80);    // 0x000080: dark red
    EXPECT_EQ(sys[12].blue, 0xFF);  // 0xFF0000: blue
    EXPECT_EQ(sys[15].green, 0xFF);
    EXPECT_EQ(HalftonePalette().size(), 256u);
}

TEST(PlatformRaster, SampledRowsMatchWholeRowsInEveryLayout) {
    // Every layout gives the same pixels at the chosen columns as the whole row does.
    const std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    std::vector<std::unique_ptr<Bitmap>> rasters;
    rasters.push_back(Dib(9, 1, 24));
    rasters.push_back(Dib(9, 1, 32));
    rasters.push_back(Dib(9, 1, 8, SystemPalette16()));
    rasters.push_back(Dib(9, 1, 16, {}, masks));
    rasters.push_back(Bitmap::CreateDevice(9, 1));
    const std::vector<std::uint32_t> row = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF,
                                            0x808080, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    const std::vector<int> columns = {8, 0, 3, 3, 5};
    for (auto& raster : rasters) {
        WriteRow32(*raster, 0, 0, 9, row.data());
        std::vector<std::uint32_t> whole(9), sampled(columns.size());
        ReadRow32(*raster, 0, 0, 9, whole.data());
        SampleRow32(*raster, 0, columns.data(), int(columns.size()), sampled.data());
        for (std::size_t i = 0; i < columns.size(); ++i)
            EXPECT_EQ(sampled[i], whole[std::size_t(columns[i])])
                << raster->BitCount() << " bits, column " << columns[i];
    }
}
